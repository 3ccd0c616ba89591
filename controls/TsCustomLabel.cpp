#include "controls/TsCustomLabel.h"

#include "controls/LabelPaintGuard.h"
#include "controls/LabelSkin.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/Face.h"
#include "render/ParentColors.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"

using namespace TextFlags;

namespace {

// Raises the paint guard for one scope; a guard already raised by someone else stays theirs.
class TPaintGuardScope {
public:
    TPaintGuardScope() { SetLabelPaintGuard(true); }
    ~TPaintGuardScope() { SetLabelPaintGuard(false); }
    TPaintGuardScope(const TPaintGuardScope&) = delete;
    TPaintGuardScope& operator=(const TPaintGuardScope&) = delete;
};

} // namespace

TsCustomLabel::TsCustomLabel(TComponent* owner) : TLabel(owner) {
    SetTransparent(true);
}

void TsCustomLabel::SetSkinSection(const std::string& section) {
    if (section == m_skinSection) return;
    m_skinSection = section;
    Repaint();
}

void TsCustomLabel::SetFontColour(TColor colour) {
    if (Font().Color() == colour) return;
    ChangeFont([colour](TFont& f) { f.SetColor(colour); });
}

void TsCustomLabel::ApplySkinFontColour() {
    if (const auto colour = SkinGlobalFontColor()) SetFontColour(*colour);
}

void TsCustomLabel::Paint(TCanvas& canvas) {
    if (!LabelPaintGuard()) {
        TPaintGuardScope guard;
        ApplySkinFontColour();
        if (const auto colour = SkinSectionFontColor(m_skinSection)) SetFontColour(*colour);
    }
    PaintSkinSection(canvas);
    TLabel::Paint(canvas);
}

void TsCustomLabel::PaintSkinSection(TCanvas& canvas) {
    const int index = ActiveSkinSectionIndex(m_skinSection);
    if (index < 0 || Width() <= 0 || Height() <= 0) return;
    FaceAnswer().Ready = false;
    QuerySkinCommand(Parent(), cmdGetFace);
    const ParentBackground background = FaceAnswer();
    TBitmap face(Width(), Height());
    PaintSectionFace(index, m_skinSection, background, 0, FillCentre::Yes, DefaultManager(), face,
                     {Left(), Top()}, face.BoundsRect());
    canvas.Draw(0, 0, face);
}

TColor TsCustomLabel::ColourBehind() const {
    SetParentFillColor(clFuchsia);
    if (Parent()) QuerySkinCommand(Parent(), cmdGetBgColor);
    TColor colour = ParentFillColor();
    ResetParentColors();
    if (!IsKnownColor(colour)) colour = Parent() ? Parent()->Color() : Color();
    return ColorToRGB(colour);
}

void TsCustomLabel::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
    if (Enabled() || (flags & DT_CALCRECT) || !LoadedDefaultManager()) {
        TLabel::DoDrawText(canvas, rect, flags);
        return;
    }
    TCanvasSaver saver(canvas);
    TFont font = Font();
    font.SetColor(MixColors(ColorToRGB(font.Color()), ColourBehind(), 0.4));
    canvas.SetFont(font);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.DrawText(Caption(), rect, flags);
}

void TsCustomLabel::CMFontChanged(TWMNoParams& m) {
    // The label's own colour changes while it paints cause neither measuring nor a repaint.
    if (LabelPaintGuard()) return;
    (void)m;
    AdjustBounds();
    Repaint();
}

void TsCustomLabel::WMSkinCommand(TWMSkinCommand& record) {
    if (record.Code == cmdSkinRemoved) {
        HandleSkinRemoved(record);
        return;
    }
    TLabel::WMSkinCommand(record);
}

void TsCustomLabel::HandleSkinRemoved(TMessage& m) {
    TLabel::DefaultHandler(m);
    const TsSkinManager* manager = DefaultManager();
    if (manager && SkinCommandMessage::ObjectAs<TsSkinManager>(m) == manager) SetFontColour(clWindowText);
}
