#include "controls/TsGroupBox.h"

#include <algorithm>

#include "controls/PrintChildren.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/FaceToScreen.h"
#include "render/SkinCommandMessage.h"
#include "render/SkinCommandQueries.h"
#include "render/SkinDump.h"
#include "render/Text.h"
#include "skin/TsSkinManager.h"

// Sections: construction and properties; caption geometry; face; painting; messages.

namespace {
const std::string DefaultCaptionSection = "CHECKBOX";
} // namespace

TsGroupBox::TsGroupBox(TComponent* owner) : TGroupBox(owner), m_binding(this, TsCreateFace::Yes) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csOpaque);
    SetControlStyle(style);
    m_binding.SetKindCode(KindCode::GroupBox);
    m_binding.ApplyDefaults();
}

TsGroupBox::~TsGroupBox() {
    MarkDestroying();
}

void TsGroupBox::Loaded() {
    TGroupBox::Loaded();
    m_binding.ApplyDefaults();
}

void TsGroupBox::SetCaptionLayout(TsCaptionLayout layout) {
    if (layout == m_captionLayout) return;
    m_captionLayout = layout;
    if (!Caption().empty()) m_binding.Invalidate();
}

void TsGroupBox::SetCaptionYOffset(std::int32_t offset) {
    if (offset == m_captionYOffset) return;
    m_captionYOffset = offset;
    m_binding.Invalidate();
}

void TsGroupBox::SetCaptionSkin(const std::string& section) {
    if (section == m_captionSkin) return;
    m_captionSkin = section;
    m_binding.Invalidate();
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
    m_binding.PrepareFace();
    TBitmap& face = *m_binding.FaceBitmap();
    const ParentBackground background = m_binding.GetParentFace();
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
        PaintFace(m_binding, background, FillCentre::No, CornerFlag::Yes, 0, face, {Left(), Top() + frameTop},
                  {0, frameTop, Width(), Height()});
    if (!Caption().empty()) DrawCaption(face, background, plate);
    RepaintCorners(m_binding, 0, cnBottomLeft | cnBottomRight);
    m_binding.SetFaceStale(false);
}

void TsGroupBox::DrawCaption(TBitmap& face, const ParentBackground& background, const TRect& plate) {
    TsSkinManager* manager = m_binding.SkinManager();
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
    DrawSkinText(canvas, Caption(), TTextLook{true, false}, m_binding,
                 TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE, plate);
}

// ---------------------------------------------------------------- painting

void TsGroupBox::UpdatePartlyHidden() {
    if (!m_binding.BgIsPatterned() || !Parent()) {
        m_binding.SetPartlyHidden(false);
        return;
    }
    const TRect client = Parent()->ClientRect();
    const TPoint topLeft{Left() + 1, Top() + 1};
    const TPoint bottomRight{Left() + Width() - 1, Top() + Height() - 1};
    m_binding.SetPartlyHidden(!client.Contains(topLeft) || !client.Contains(bottomRight));
}

void TsGroupBox::PaintSkinned(TCanvas& canvas, bool printing) {
    if (IsDestroying() || (!Visible() && !printing)) return;
    if (printing) m_binding.SetInUpdate(false);
    m_binding.SetInUpdate(m_binding.IsUpdating());
    if (m_binding.InUpdate()) return;
    const bool rebuild = m_binding.PartlyHidden() || m_binding.FaceStale() ||
                         m_binding.FaceBitmap()->Size() != TSize{Width(), Height()};
    UpdatePartlyHidden();
    if (rebuild) RebuildFace();
    const TRect whole{0, 0, Width(), Height()};
    CopyFaceToScreen(*this, m_binding, whole, {0, 0}, false, canvas, whole);
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
    if (!Caption().empty()) m_binding.Invalidate();
}

void TsGroupBox::WriteDumpFields(TJsonWriter& json) const {
    TGroupBox::WriteDumpFields(json);
    WriteSkinDumpField(json, m_binding, 0);
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

void TsGroupBox::SkinCommand(TMessage& m) {
    const bool own = SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_binding.SkinManager();
    switch (SkinCommandMessage::Code(m)) {
    case cmdSkinLoaded:
        ForwardToChildren(m);
        if (own) m_binding.HandleMessage(m);
        return;
    case cmdSkinRemoved:
    case cmdSkinApplied:
        if (own) m_binding.HandleMessage(m);
        ForwardToChildren(m);
        if (own) Invalidate();
        return;
    case cmdIsSkinAware:
        SkinCommandMessage::AnswerLParam(m, 1);
        SkinCommandMessage::AnswerResult(m, 1);
        return;
    case cmdGetCaptionHeight:
        SkinCommandMessage::AnswerResult(m, SkinCaptionBandHeight());
        return;
    case cmdUpdateDone:
        if (PaintsSkinned()) {
            if (m_binding.InUpdate()) {
                m_binding.SetInUpdate(false);
                if (IsShowing()) Invalidate();
            }
            return;
        }
        break;
    case cmdIsInUpdate:
        if (PaintsSkinned()) {
            const TLParam updating = m_binding.FaceStale() || m_binding.IsUpdating() ? 1 : 0;
            SkinCommandMessage::AnswerLParam(m, updating);
            SkinCommandMessage::AnswerResult(m, updating);
            return;
        }
        break;
    default:
        break;
    }
    m_binding.HandleMessage(m);
}

void TsGroupBox::WndProc(TMessage& m) {
    if (SkinCommandMessage::Is(m)) {
        SkinCommand(m);
        return;
    }
    switch (m.Msg) {
    case WM_MOVE:
        m_binding.SetFaceStale(m_binding.FaceStale() || m_binding.BgIsPatterned());
        break;
    case WM_WINDOWPOSCHANGED:
    case CM_VISIBLECHANGED:
        m_binding.SetFaceStale(true);
        break;
    case CM_TEXTCHANGED:
        m_binding.Invalidate();
        TGroupBox::WndProc(m);
        return;
    default:
        break;
    }
    if (m_binding.HandleMessage(m)) return;
    TGroupBox::WndProc(m);
}
