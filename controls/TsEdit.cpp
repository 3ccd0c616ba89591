#include "controls/TsEdit.h"

#include "controls/PrintChildren.h"
#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/Text.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

// Sections: construction and properties; face; painting; messages.

TsEdit::TsEdit(TComponent* owner) : TsSkinned<TEdit>(owner), m_boundLabel(m_skinData) {
    m_skinData.SetKindCode(KindCode::Edit);
    m_skinData.ApplyDefaults();
}

TsEdit::~TsEdit() {
    MarkDestroying();
}

void TsEdit::Loaded() {
    TEdit::Loaded();
    m_skinData.ApplyDefaults();
}

void TsEdit::SetDisabledKind(TDisabledKinds kinds) {
    if (kinds == m_disabledKind) return;
    m_disabledKind = kinds;
    m_skinData.Invalidate();
    InvalidateFrame();
}

int TsEdit::FrameWidth() const {
    // The platform edit's border: a 3-D sunken edge of two pixels, or none.
    return BorderStyle() == TBorderStyle::bsSingle ? 2 : 0;
}

// ---------------------------------------------------------------- face

void TsEdit::RebuildFace() {
    m_skinData.PrepareFace();
    TBitmap& face = *m_skinData.FaceBitmap();
    const ParentBackground background = m_skinData.GetParentFace();
    const bool hot = m_skinData.IsHot();
    const TPoint position{Left(), Top()};
    PaintFace(m_skinData, background, FillCentre::Yes, CornerFlag::Yes, hot ? 1 : 0, face, position,
              {0, 0, Width(), Height()});
    const int inset = FrameWidth();
    TCanvas canvas(face);
    canvas.SetFont(Font());
    const TRect textRect{inset + 1, inset + 1, Width() - inset, Height() - inset};
    DrawSkinText(canvas, Text(), TTextLook{true, hot}, m_skinData,
                 TextFlags::DT_SINGLELINE | TextFlags::DT_NOPREFIX, textRect);
    if (!IsEnabledInTree()) ApplyDisabledLook(face, m_disabledKind, Parent(), position, background);
    m_skinData.SetFaceStale(false);
}

void TsEdit::FollowSectionColors() {
    const TsGeneralData& section =
        m_skinData.SkinManager()->Model().GeneralData[std::size_t(m_skinData.SectionIndex())];
    const bool hot = m_skinData.IsHot();
    const TColor colour = hot ? section.HotColor : section.Color;
    const TColor fontColour = TColor(hot ? section.HotFontColor[0] : section.FontColor[0]);
    if (!m_skinData.CustomColor() && Color() != colour) SetColor(colour);
    if (!m_skinData.CustomFont() && Font().Color() != fontColour)
        ChangeFont([fontColour](TFont& f) { f.SetColor(fontColour); });
}

void TsEdit::RefreshSkin() {
    m_skinData.SetFaceStale(true);
    InvalidateFrame();
    Invalidate();
}

// ---------------------------------------------------------------- painting

void TsEdit::PaintWindow(TCanvas& canvas) {
    if (!PaintsSkinned()) {
        TEdit::PaintWindow(canvas);
        return;
    }
    m_skinData.SetInUpdate(m_skinData.IsUpdating());
    if (m_skinData.InUpdate()) return;
    FollowSectionColors();
    TEdit::PaintWindow(canvas);
}

void TsEdit::CopyFrameStrips(TCanvas& canvas, int width) {
    if (width <= 0) return;
    const TBitmap& face = *m_skinData.FaceBitmap();
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
    if (m_skinData.IsUpdating()) return;
    if (m_skinData.FaceStale() || m_skinData.FaceBitmap()->Size() != TSize{Width(), Height()}) RebuildFace();
    RepaintCorners(m_skinData, 0, cnAllCorners);
    CopyFrameStrips(canvas, FrameWidth());
}

void TsEdit::WMPrint(TWMPrint& m) {
    TCanvas* canvas = CanvasFromWParam(m.Message.WParam);
    if (!canvas || !PaintsSkinned() || m_skinData.IsUpdating()) {
        TEdit::WMPrint(m);
        return;
    }
    if ((m.Message.LParam & PRF_CHECKVISIBLE) && !Visible()) return;
    m_skinData.SetInUpdate(false);
    if (m_skinData.FaceStale() || m_skinData.FaceBitmap()->Size() != TSize{Width(), Height()}) RebuildFace();
    RepaintCorners(m_skinData, 0, cnAllCorners);
    // The face holds the frame and the text: the printed picture is the face itself.
    canvas->Draw(0, 0, *m_skinData.FaceBitmap());
    const TRect insets = NonClientInsets();
    TCanvasSaver saver(*canvas);
    canvas->OffsetOrigin(insets.Left, insets.Top);
    canvas->IntersectClipRect(ClientRect());
    PrintWindowedChildren(*this, *canvas, m.Message.LParam);
}

// ---------------------------------------------------------------- messages

void TsEdit::WMSkinCommand(TWMSkinCommand& m) {
    if (m.Code == cmdBgIsPatterned) {
        // The edit's face is the plain colour of its field.
        m.SetAnswer(0);
        return;
    }
    m_skinData.SkinCommand(m);
    SkinCommand(m);
}

void TsEdit::SkinCommand(TWMSkinCommand& m) {
    switch (m.Code) {
    case cmdSkinApplied:
    case cmdSkinRemoved:
        if (m.Object<TsSkinManager>() == m_skinData.SkinManager()) RefreshSkin();
        break;
    case cmdUpdateDone:
        if (m_skinData.EndHeldUpdate()) {
            Invalidate();
            InvalidateFrame();
        }
        break;
    default:
        break;
    }
}

void TsEdit::WMSize(TWMSize& m) {
    TsSkinned::WMSize(m);
    InvalidateFrame();
}

void TsEdit::BoundsChanged(const TRect& oldBounds) {
    TEdit::BoundsChanged(oldBounds);
    m_boundLabel.Place();
}

void TsEdit::WMSetFocus(TWMFocus& m) {
    TsSkinned::WMSetFocus(m);
    if (PaintsSkinned()) RefreshSkin();
}

void TsEdit::WMKillFocus(TWMFocus& m) {
    TsSkinned::WMKillFocus(m);
    m_skinData.SetHasFocus(false);
    m_skinData.SetMouseOver(false);
    m_skinData.SetFaceStale(true);
    if (Visible()) {
        Invalidate();
        InvalidateFrame();
    }
}

void TsEdit::CMTextChanged(TWMNoParams& m) {
    TsSkinned::CMTextChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMFontChanged(TWMNoParams& m) {
    TsSkinned::CMFontChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMVisibleChanged(TCMVisibleChanged& m) {
    TsSkinned::CMVisibleChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMEnabledChanged(TWMNoParams& m) {
    TsSkinned::CMEnabledChanged(m);
    if (!IsLoading()) RefreshSkin();
}

void TsEdit::CMColorChanged(TWMNoParams& m) {
    TsSkinned::CMColorChanged(m);
    if (m_skinData.CustomColor()) m_skinData.SetFaceStale(true);
}

void TsEdit::CMMouseEnter(TCMMouseEnter& m) {
    TsSkinned::CMMouseEnter(m);
    if (m.Message.LParam == 0 && PaintsSkinned()) RefreshSkin();
}

void TsEdit::CMMouseLeave(TCMMouseLeave& m) {
    TsSkinned::CMMouseLeave(m);
    if (m.Message.LParam == 0 && PaintsSkinned()) RefreshSkin();
}
