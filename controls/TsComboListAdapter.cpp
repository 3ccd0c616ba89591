#include "controls/TsComboListAdapter.h"

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/ClassicScrollLook.h"
#include "platform/toolkit/TComboBoxList.h"
#include "platform/toolkit/TCustomComboBox.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/TsCommonData.h"
#include "skin/TsSkinManager.h"

namespace {

using ClassicLook::TArrowDirection;
using ClassicLook::TScrollBarPart;
using Indexes = TsCommonIndexes;

const TsMaskData* MaskAt(const TsSkinModel& model, int index) {
    return index >= 0 && std::size_t(index) < model.MaskData.size() ? &model.MaskData[std::size_t(index)]
                                                                    : nullptr;
}

// Paints one scroll part from its section, with its glyph (or a plain arrow in the section's
// font colour when the skin has none) centred on it.
void PaintPart(TsSkinManager& manager, const TsSectionMasks& part, const TBitmap& behind, int state,
               TBitmap& target, const TRect& rect, const TArrowDirection* arrow) {
    const TsSkinModel& model = manager.Model();
    if (rect.IsEmpty() || part.Section < 0 || std::size_t(part.Section) >= model.GeneralData.size()) return;
    const TsGeneralData& section = model.GeneralData[std::size_t(part.Section)];
    PaintSectionFace(part.Section, section.ClassName, ParentBackground{&behind, 0, 0, true}, state,
                     FillCentre::Yes, &manager, target, {0, 0}, rect);
    if (!arrow) return;
    if (const TsMaskData* glyph = MaskAt(model, part.Glyph)) {
        const int w = glyph->R.Width() / std::max<int>(glyph->ImageCount, 1);
        const int h = glyph->R.Height() / std::max<int>(glyph->MaskType + 1, 1);
        DrawCornerImage(target, {rect.Left + (rect.Width() - w) / 2, rect.Top + (rect.Height() - h) / 2},
                        state, *glyph, CornerFlag::Yes);
        return;
    }
    TCanvas canvas(target);
    const std::size_t colourIndex = std::min<std::size_t>(std::size_t(state), section.FontColor.size() - 1);
    const std::int32_t colour =
        section.FontColor[colourIndex] >= 0 ? section.FontColor[colourIndex] : section.FontColor[0];
    ClassicLook::DrawArrowGlyph(canvas, rect, *arrow, TColor(colour));
}

} // namespace

TsComboListAdapter::TsComboListAdapter(TComboBoxList& list, TsCommonData& binding, std::string section)
    : m_list(list), m_binding(binding), m_section(std::move(section)) {
    m_savedProc = m_list.WindowProc();
    m_list.SetWindowProc([this](TMessage& m) { WndProc(m); });
    m_list.Invalidate();
}

TsComboListAdapter::~TsComboListAdapter() {
    if (m_savedProc) m_list.SetWindowProc(m_savedProc);
    if (!m_list.IsDestroying()) m_list.Invalidate();
}

void TsComboListAdapter::SkinLoaded() {
    m_list.Invalidate();
}

bool TsComboListAdapter::PaintScrollBar(TBitmap& bar) const {
    TsSkinManager* manager = m_binding.SkinManager();
    if (!manager || !manager->SkinData().Ready) return false;
    const Indexes& indexes = manager->CommonIndexes();
    const TsSectionMasks& track = indexes.ScrollBars[Indexes::Bar1V];
    if (track.Section < 0) return false;

    // Parts are laid out as the list lays out its own scroll bar, moved to the bitmap.
    const TRect whole = m_list.ScrollBarRect();
    ClassicLook::TScrollBarLayout layout = m_list.ScrollLayout();
    const TPoint shift{-whole.Left, -whole.Top};
    auto local = [&shift](const TRect& r) { return r.Offset(shift.X, shift.Y); };

    // Behind transparent parts: the list section's colour, else the list's own.
    TBitmap behind(bar.Width(), bar.Height());
    {
        TCanvas canvas(behind);
        const TCustomComboBox* combo = m_list.ComboBox();
        TColor colour = ColorToRGB(combo ? combo->Color() : clWindow);
        if (const int index = manager->GetSkinIndex(m_section); index >= 0)
            colour = ColorToRGB(manager->Model().GeneralData[std::size_t(index)].Color);
        canvas.FillRect(behind.BoundsRect(), colour);
    }
    PaintPart(*manager, track, behind, 0, bar, bar.BoundsRect(), nullptr);
    const TBitmap withTrack(bar);
    const TScrollBarPart pushed = m_list.PushedPart();
    const TArrowDirection up = TArrowDirection::Up, down = TArrowDirection::Down;
    PaintPart(*manager, indexes.ScrollButtons[Indexes::BtnTop], withTrack,
              pushed == TScrollBarPart::UpButton ? 2 : 0, bar, local(layout.UpButton), &up);
    PaintPart(*manager, indexes.ScrollButtons[Indexes::BtnBottom], withTrack,
              pushed == TScrollBarPart::DownButton ? 2 : 0, bar, local(layout.DownButton), &down);
    PaintPart(*manager, indexes.ScrollButtons[Indexes::SliderV], withTrack, 0, bar, local(layout.Thumb),
              nullptr);
    return true;
}

void TsComboListAdapter::WndProc(TMessage& m) {
    if (m_savedProc) m_savedProc(m);
    if (m.Msg != WM_PAINT || !m_list.HasScrollBar()) return;
    TCanvas* canvas = CanvasFromWParam(m.WParam);
    const TRect whole = m_list.ScrollBarRect();
    if (!canvas || whole.IsEmpty()) return;
    TBitmap bar(whole.Width(), whole.Height());
    if (PaintScrollBar(bar)) canvas->CopyRect(whole.TopLeft(), bar, bar.BoundsRect());
}
