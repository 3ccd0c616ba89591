#include "controls/TsEdit.h"

#include "controls/PrintChildren.h"
#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/SkinCommandMessage.h"
#include "render/Text.h"
#include "skin/TsSkinManager.h"

// Sections: construction and properties; face; painting; messages.

TsEdit::TsEdit(TComponent* owner)
    : TEdit(owner), m_binding(this, TsCreateFace::Yes), m_boundLabel(m_binding) {
    m_binding.SetKindCode(KindCode::Edit);
    m_binding.ApplyDefaults();
}

TsEdit::~TsEdit() {
    MarkDestroying();
}

void TsEdit::Loaded() {
    TEdit::Loaded();
    m_binding.ApplyDefaults();
}

void TsEdit::SetDisabledKind(TDisabledKinds kinds) {
    if (kinds == m_disabledKind) return;
    m_disabledKind = kinds;
    m_binding.Invalidate();
    InvalidateFrame();
}

int TsEdit::FrameWidth() const {
    // The platform edit's border: a 3-D sunken edge of two pixels, or none.
    return BorderStyle() == TBorderStyle::bsSingle ? 2 : 0;
}

// ---------------------------------------------------------------- face

void TsEdit::RebuildFace() {
    m_binding.PrepareFace();
    TBitmap& face = *m_binding.FaceBitmap();
    const ParentBackground background = m_binding.GetParentFace();
    const bool hot = m_binding.IsHot();
    const TPoint position{Left(), Top()};
    PaintFace(m_binding, background, FillCentre::Yes, CornerFlag::Yes, hot ? 1 : 0, face, position,
              {0, 0, Width(), Height()});
    const int inset = FrameWidth();
    TCanvas canvas(face);
    canvas.SetFont(Font());
    const TRect textRect{inset + 1, inset + 1, Width() - inset, Height() - inset};
    DrawSkinText(canvas, Text(), TTextLook{true, hot}, m_binding,
                 TextFlags::DT_SINGLELINE | TextFlags::DT_NOPREFIX, textRect);
    if (!IsEnabledInTree()) ApplyDisabledLook(face, m_disabledKind, Parent(), position, background);
    m_binding.SetFaceStale(false);
}

void TsEdit::FollowSectionColors() {
    const TsGeneralData& section =
        m_binding.SkinManager()->Model().GeneralData[std::size_t(m_binding.SectionIndex())];
    const bool hot = m_binding.IsHot();
    const TColor colour = hot ? section.HotColor : section.Color;
    const TColor fontColour = TColor(hot ? section.HotFontColor[0] : section.FontColor[0]);
    if (!m_binding.CustomColor() && Color() != colour) SetColor(colour);
    if (!m_binding.CustomFont() && Font().Color() != fontColour)
        ChangeFont([fontColour](TFont& f) { f.SetColor(fontColour); });
}

void TsEdit::RefreshSkin() {
    m_binding.SetFaceStale(true);
    InvalidateFrame();
    Invalidate();
}

// ---------------------------------------------------------------- painting

void TsEdit::PaintWindow(TCanvas& canvas) {
    if (!PaintsSkinned()) {
        TEdit::PaintWindow(canvas);
        return;
    }
    m_binding.SetInUpdate(m_binding.IsUpdating());
    if (m_binding.InUpdate()) return;
    FollowSectionColors();
    TEdit::PaintWindow(canvas);
}

void TsEdit::CopyFrameStrips(TCanvas& canvas, int width) {
    if (width <= 0) return;
    const TBitmap& face = *m_binding.FaceBitmap();
    const int w = Width(), h = Height();
    canvas.CopyRect({0, 0}, face, {0, 0, w, width});
    canvas.CopyRect({0, h - width}, face, {0, h - width, w, h});
    canvas.CopyRect({0, width}, face, {0, width, width, h - width});
    canvas.CopyRect({w - width, width}, face, {w - width, width, w, h - width});
}

void TsEdit::PaintNonClient(TCanvas& canvas) {
    if (!PaintsSkinned()) {
        TEdit::PaintNonClient(canvas);
        return;
    }
    if (m_binding.IsUpdating()) return;
    if (m_binding.FaceStale() || m_binding.FaceBitmap()->Size() != TSize{Width(), Height()}) RebuildFace();
    RepaintCorners(m_binding, 0, cnAllCorners);
    CopyFrameStrips(canvas, FrameWidth());
}

void TsEdit::WMPrint(TWMPrint& m) {
    TCanvas* canvas = CanvasFromWParam(m.Message.WParam);
    if (!canvas || !PaintsSkinned() || m_binding.IsUpdating()) {
        TEdit::WMPrint(m);
        return;
    }
    if ((m.Message.LParam & PRF_CHECKVISIBLE) && !Visible()) return;
    m_binding.SetInUpdate(false);
    if (m_binding.FaceStale() || m_binding.FaceBitmap()->Size() != TSize{Width(), Height()}) RebuildFace();
    RepaintCorners(m_binding, 0, cnAllCorners);
    // The face holds the frame and the text: the printed picture is the face itself.
    canvas->Draw(0, 0, *m_binding.FaceBitmap());
    const TRect insets = NonClientInsets();
    TCanvasSaver saver(*canvas);
    canvas->OffsetOrigin(insets.Left, insets.Top);
    canvas->IntersectClipRect(ClientRect());
    PrintWindowedChildren(*this, *canvas, m.Message.LParam);
}

// ---------------------------------------------------------------- messages

void TsEdit::WndProc(TMessage& m) {
    if (SkinCommandMessage::Is(m)) {
        if (SkinCommandMessage::Code(m) == cmdBgIsPatterned) {
            // The edit's face is the plain colour of its field.
            SkinCommandMessage::AnswerLParam(m, 0);
            SkinCommandMessage::AnswerResult(m, 0);
            return;
        }
        m_binding.HandleMessage(m);
        SkinCommand(m);
        return;
    }
    if (m_binding.HandleMessage(m)) return;
    TEdit::WndProc(m);
}

void TsEdit::SkinCommand(TMessage& m) {
    switch (SkinCommandMessage::Code(m)) {
    case cmdSkinApplied:
    case cmdSkinRemoved:
        if (SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_binding.SkinManager()) RefreshSkin();
        break;
    case cmdUpdateDone:
        if (m_binding.InUpdate()) {
            m_binding.SetInUpdate(false);
            Invalidate();
            InvalidateFrame();
        }
        break;
    default:
        break;
    }
}

void TsEdit::WMSize(TWMSize& m) {
    TEdit::WMSize(m);
    InvalidateFrame();
}

void TsEdit::BoundsChanged(const TRect& oldBounds) {
    TEdit::BoundsChanged(oldBounds);
    m_boundLabel.Place();
}

void TsEdit::WMSetFocus(TWMFocus& m) {
    TEdit::WMSetFocus(m);
    if (PaintsSkinned()) RefreshSkin();
}

void TsEdit::WMKillFocus(TWMFocus& m) {
    TEdit::WMKillFocus(m);
    m_binding.SetHasFocus(false);
    m_binding.SetMouseOver(false);
    m_binding.SetFaceStale(true);
    if (Visible()) {
        Invalidate();
        InvalidateFrame();
    }
}

void TsEdit::CMTextChanged(TWMNoParams& m) {
    TEdit::CMTextChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMFontChanged(TWMNoParams& m) {
    TEdit::CMFontChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMVisibleChanged(TCMVisibleChanged& m) {
    TEdit::CMVisibleChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMEnabledChanged(TWMNoParams& m) {
    TEdit::CMEnabledChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMColorChanged(TWMNoParams& m) {
    TEdit::CMColorChanged(m);
    if (m_binding.CustomColor()) m_binding.SetFaceStale(true);
}

void TsEdit::CMMouseEnter(TCMMouseEnter& m) {
    TEdit::CMMouseEnter(m);
    if (m.Message.LParam == 0 && PaintsSkinned()) RefreshSkin();
}

void TsEdit::CMMouseLeave(TCMMouseLeave& m) {
    TEdit::CMMouseLeave(m);
    if (m.Message.LParam == 0 && PaintsSkinned()) RefreshSkin();
}
