#include "controls/TsGroupBox.h"

#include <algorithm>

#include "controls/PrintChildren.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/FaceToScreen.h"
#include "render/SkinCommandQueries.h"
#include "render/SkinDump.h"
#include "render/Text.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

// Sections: construction and properties; caption geometry; face; painting; messages.

namespace {
const std::string DefaultCaptionSection = "CHECKBOX";
} // namespace

TsGroupBox::TsGroupBox(TComponent* owner) : TsSkinned<TGroupBox>(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csOpaque);
    SetControlStyle(style);
    m_skinData.SetKindCode(KindCode::GroupBox);
    m_skinData.ApplyDefaults();
}

TsGroupBox::~TsGroupBox() {
    MarkDestroying();
}

void TsGroupBox::Loaded() {
    TGroupBox::Loaded();
    m_skinData.ApplyDefaults();
}

void TsGroupBox::SetCaptionLayout(TsCaptionLayout layout) {
    if (layout == m_captionLayout) return;
    m_captionLayout = layout;
    if (!Caption().empty()) m_skinData.Invalidate();
}

void TsGroupBox::SetCaptionYOffset(std::int32_t offset) {
    if (offset == m_captionYOffset) return;
    m_captionYOffset = offset;
    m_skinData.Invalidate();
}

void TsGroupBox::SetCaptionSkin(const std::string& section) {
    if (section == m_captionSkin) return;
    m_captionSkin = section;
    m_skinData.Invalidate();
}

void TsGroupBox::AdjustClientRect(TRect& rect) const {
    TGroupBox::AdjustClientRect(rect);
    rect.Top += m_captionYOffset;
}

// ---------------------------------------------------------------- caption geometry

int TsGroupBox::SkinCaptionBandHeight() const {
    TBitmap scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.SetFont(Font());
    return std::max(4, canvas.TextHeight("W")) + 2;
}

TRect TsGroupBox::CaptionPlateRect() const {
    TBitmap scratch(1, 1);
    TCanvas canvas(scratch);
    canvas.SetFont(Font());
    const int band = std::max(4, canvas.TextHeight("W")) + 2;
    const int textWidth = canvas.TextWidth(Caption());
    TRect r;
    if (PaintsSkinned()) {
        r.Bottom = band + m_captionYOffset;
        if (m_captionYOffset < 0) r.Top = m_captionYOffset;
    } else {
        r.Bottom = band;
    }
    switch (m_captionLayout) {
    case TsCaptionLayout::clTopCenter:
        r.Left = (Width() - textWidth - 10) / 2;
        break;
    case TsCaptionLayout::clTopLeft:
        r.Left = 6;
        break;
    case TsCaptionLayout::clTopRight:
        r.Left = Width() - textWidth - 14;
        break;
    }
    r.Left = std::max(r.Left, 0);
    r.Right = std::min(r.Left + textWidth + 8, Width());
    return r;
}

// ---------------------------------------------------------------- face

TColor TsGroupBox::ParentColour() const {
    return Parent() ? ColorToRGB(Parent()->Color()) : ColorToRGB(Color());
}

void TsGroupBox::RebuildFace() {
    m_skinData.PrepareFace();
    TBitmap& face = *m_skinData.FaceBitmap();
    const ParentBackground background = m_skinData.GetParentFace();
    const TRect plate = CaptionPlateRect();
    // The band above the frame shows what lies behind the box.
    if (background.Ready && background.Bitmap) {
        TCanvas canvas(face);
        canvas.CopyRect({0, 0}, *background.Bitmap,
                        TRect::FromBounds(background.OffsetX + Left(), background.OffsetY + Top(), Width(),
                                          plate.Height()));
    } else if (Parent()) {
        TCanvas canvas(face);
        canvas.FillRect({0, 0, Width(), plate.Bottom}, ParentColour());
    }
    const int frameTop = m_captionYOffset < 0 ? 0 : plate.Height() / 2;
    if (frameTop < Height())
        PaintFace(m_skinData, background, FillCentre::No, CornerFlag::Yes, 0, face,
                  {Left(), Top() + frameTop}, {0, frameTop, Width(), Height()});
    if (!Caption().empty()) DrawCaption(face, background, plate);
    RepaintCorners(m_skinData, 0, cnBottomLeft | cnBottomRight);
    m_skinData.SetFaceStale(false);
}

void TsGroupBox::DrawCaption(TBitmap& face, const ParentBackground& background, const TRect& plate) {
    TsSkinManager* manager = m_skinData.SkinManager();
    const int state = Focused() ? 1 : 0;
    // The plate is painted only where it lies inside the face.
    const TRect inside = plate.Intersect(face.BoundsRect());
    if (manager && !inside.IsEmpty()) {
        if (!m_captionSkin.empty()) {
            const int index = manager->GetSkinIndex(m_captionSkin);
            PaintSectionFace(index, m_captionSkin, ParentBackground{&face, 0, 0, true}, state,
                             FillCentre::Yes, manager, face, inside.TopLeft(), inside);
        } else if (background.Ready || !Parent()) {
            const int index = manager->GetSkinIndex(DefaultCaptionSection);
            PaintSectionFace(index, DefaultCaptionSection, background, state, FillCentre::Yes, manager, face,
                             {Left() + inside.Left, Top() + inside.Top}, inside);
        } else {
            TCanvas canvas(face);
            canvas.FillRect(inside, ParentColour());
        }
    }
    TCanvas canvas(face);
    DrawSkinText(canvas, Caption(), TTextLook{true, false}, m_skinData,
                 TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE, plate);
}

// ---------------------------------------------------------------- painting

void TsGroupBox::UpdatePartlyHidden() {
    if (!m_skinData.BgIsPatterned() || !Parent()) {
        m_skinData.SetPartlyHidden(false);
        return;
    }
    const TRect client = Parent()->ClientRect();
    const TPoint topLeft{Left() + 1, Top() + 1};
    const TPoint bottomRight{Left() + Width() - 1, Top() + Height() - 1};
    m_skinData.SetPartlyHidden(!client.Contains(topLeft) || !client.Contains(bottomRight));
}

void TsGroupBox::PaintSkinned(TCanvas& canvas, bool printing) {
    if (IsDestroying() || (!Visible() && !printing)) return;
    if (printing) m_skinData.SetInUpdate(false);
    m_skinData.SetInUpdate(m_skinData.IsUpdating());
    if (m_skinData.InUpdate()) return;
    const bool rebuild = m_skinData.PartlyHidden() || m_skinData.FaceStale() ||
                         m_skinData.FaceBitmap()->Size() != TSize{Width(), Height()};
    UpdatePartlyHidden();
    if (rebuild) RebuildFace();
    const TRect whole{0, 0, Width(), Height()};
    CopyFaceToScreen(*this, m_skinData, whole, {0, 0}, false, canvas, whole);
    PaintGraphicChildren(canvas, *this, {0, 0});
    for (TControl* child : std::vector<TControl*>(ControlList()))
        if (child->IsWindowed() && !child->IsDestroying()) SendSkinCommand(child, cmdUpdateDone);
}

void TsGroupBox::WMPaint(TWMPaint& m) {
    TCanvas* canvas = CanvasFromWParam(m.Message.WParam);
    if (!canvas || !PaintsSkinned()) {
        TGroupBox::WMPaint(m);
        return;
    }
    PaintSkinned(*canvas, false);
}

void TsGroupBox::WMPrint(TWMPrint& m) {
    TCanvas* canvas = CanvasFromWParam(m.Message.WParam);
    if (!canvas || !PaintsSkinned()) {
        TGroupBox::WMPrint(m);
        return;
    }
    if ((m.Message.LParam & PRF_CHECKVISIBLE) && !Visible()) return;
    TCanvasSaver saver(*canvas);
    canvas->SetFont(Font());
    PaintSkinned(*canvas, true);
    PrintWindowedChildren(*this, *canvas, m.Message.LParam);
}

void TsGroupBox::WMEraseBkgnd(TWMEraseBkgnd& m) {
    if (!PaintsSkinned()) {
        TGroupBox::WMEraseBkgnd(m);
        return;
    }
    m.Result = 1;
}

void TsGroupBox::CMFontChanged(TWMNoParams& m) {
    TGroupBox::CMFontChanged(m);
    if (!Caption().empty()) m_skinData.Invalidate();
}

void TsGroupBox::WriteDumpFields(TJsonWriter& json) const {
    TGroupBox::WriteDumpFields(json);
    WriteSkinDumpField(json, m_skinData, 0);
}

// ---------------------------------------------------------------- messages

void TsGroupBox::ForwardToChildren(const TMessage& m) {
    for (TControl* child : std::vector<TControl*>(ControlList())) {
        if (child->IsDestroying()) continue;
        // Children whose windows do not exist yet (a skin chosen while the form is being
        // created) take the command by direct dispatch, as the manager's own walk gives it.
        QuerySkinCommand(child, SkinCommandMessage::Code(m), SkinCommandMessage::Object(m),
                         SkinCommandMessage::Small(m));
    }
}

void TsGroupBox::SkinCommand(TWMSkinCommand& m) {
    const bool own = SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_skinData.SkinManager();
    switch (SkinCommandMessage::Code(m)) {
    case cmdSkinLoaded:
        ForwardToChildren(m);
        if (own) m_skinData.SkinCommand(m);
        return;
    case cmdSkinRemoved:
    case cmdSkinApplied:
        if (own) m_skinData.SkinCommand(m);
        ForwardToChildren(m);
        if (own) Invalidate();
        return;
    case cmdIsSkinAware:
        m.SetAnswer(1);
        return;
    case cmdGetCaptionHeight:
        SkinCommandMessage::AnswerResult(m, SkinCaptionBandHeight());
        return;
    case cmdUpdateDone:
        if (PaintsSkinned()) {
            if (m_skinData.InUpdate()) {
                m_skinData.SetInUpdate(false);
                if (IsShowing()) Invalidate();
            }
            return;
        }
        break;
    case cmdIsInUpdate:
        if (PaintsSkinned()) {
            const TLParam updating = m_skinData.FaceStale() || m_skinData.IsUpdating() ? 1 : 0;
            SkinCommandMessage::AnswerLParam(m, updating);
            SkinCommandMessage::AnswerResult(m, updating);
            return;
        }
        break;
    default:
        break;
    }
    m_skinData.SkinCommand(m);
}

void TsGroupBox::WMSkinCommand(TWMSkinCommand& m) {
    SkinCommand(m);
}

void TsGroupBox::WMMove(TWMMove& m) {
    m_skinData.SetFaceStale(m_skinData.FaceStale() || m_skinData.BgIsPatterned());
    TsSkinned::WMMove(m);
}

void TsGroupBox::WMWindowPosChanged(TWMWindowPosMsg& m) {
    m_skinData.SetFaceStale(true);
    TsSkinned::WMWindowPosChanged(m);
}

void TsGroupBox::CMVisibleChanged(TCMVisibleChanged& m) {
    m_skinData.SetFaceStale(true);
    TsSkinned::CMVisibleChanged(m);
}

void TsGroupBox::CMTextChanged(TWMNoParams& m) {
    m_skinData.Invalidate();
    TsSkinned::CMTextChanged(m);
}
