#include "controls/TsSpeedButton.h"

#include <exception>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/ClassicLook.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

TsSpeedButton::TsSpeedButton(TComponent* owner) : TsSkinned<TGraphicControl>(owner) {
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csSetCaption);
    style.Exclude(TControlStyleFlag::csDoubleClicks);
    // Clicks come from the button behaviour: a release over the button that it saw pressed.
    style.Exclude(TControlStyleFlag::csClickEvents);
    SetControlStyle(style);
    SetBounds(0, 0, 23, 22);
    m_skinData.SetKindCode(KindCode::SpeedButton);
    m_skinData.ApplyDefaults();
}

TsSpeedButton::~TsSpeedButton() {
    MarkDestroying();
    m_anim.reset();
}

void TsSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    m_skinData.ApplyDefaults();
}

void TsSpeedButton::SetGlyph(const TBitmap& glyph) {
    m_glyph = glyph;
    m_skinData.Invalidate();
}

void TsSpeedButton::SetFlat(bool flat) {
    if (flat == m_flat) return;
    m_flat = flat;
    m_skinData.Invalidate();
}

void TsSpeedButton::SetDisabledKind(TDisabledKinds kinds) {
    if (kinds == m_disabledKind) return;
    m_disabledKind = kinds;
    m_skinData.Invalidate();
}

int TsSpeedButton::FaceState() const {
    if (m_behaviour.IsPushed()) return 2;
    if (m_skinData.IsHot() || (m_behaviour.IsHot() && IsEnabledInTree())) return 1;
    return 0;
}

// ---------------------------------------------------------------- messages

void TsSpeedButton::WMSkinCommand(TWMSkinCommand& m) {
    m_skinData.SkinCommand(m);
    switch (m.Code) {
    case cmdRebuildFace:
        RebuildFace();
        break;
    case cmdStopAnimation:
    case cmdSkinLoaded:
    case cmdSkinRemoved:
        StopFade(m_anim);
        break;
    case cmdSkinApplied:
        StopFade(m_anim);
        if (SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_skinData.SkinManager())
            m_skinData.Invalidate();
        break;
    default:
        break;
    }
}

// Enter and leave passed up from children name them; only the button's own count. The
// binding sees them first.
void TsSpeedButton::CMMouseEnter(TCMMouseEnter& m) {
    const bool wasOver = m_skinData.MouseOver();
    m_skinData.MouseEntered(m.Child);
    if (!m.Child) OnPointerEnter(wasOver);
    TGraphicControl::CMMouseEnter(m);
}

void TsSpeedButton::CMMouseLeave(TCMMouseLeave& m) {
    m_skinData.MouseLeft();
    if (!m.Child) OnPointerLeave();
    TGraphicControl::CMMouseLeave(m);
}

void TsSpeedButton::OnPointerEnter(bool wasOver) {
    m_behaviour.MouseEnter();
    if (wasOver) return;
    m_skinData.SetMouseOver(true);
    Fade(TAnimatEvent::aeMouseEnter, FadeSpeed::Full);
}

void TsSpeedButton::OnPointerLeave() {
    m_behaviour.MouseLeave();
    m_skinData.SetMouseOver(false);
    Fade(TAnimatEvent::aeMouseLeave, FadeSpeed::Full);
}

void TsSpeedButton::Fade(TAnimatEvent event, FadeSpeed speed) {
    if (!m_skinData.Skinned(true)) {
        Repaint();
        return;
    }
    try {
        FadeOrRepaint(m_anim, m_skinData, TFadeEnd::OwnPaint, speed, ShouldAnimate(event, m_animatEvents));
    } catch (const std::exception&) {
        // A failed fade must not fail the mouse event that started it.
    }
}

void TsSpeedButton::WMLButtonDown(TWMMouse& m) {
    TGraphicControl::WMLButtonDown(m);
    if (!IsEnabledInTree()) return;
    m_behaviour.MouseDown();
    Fade(TAnimatEvent::aeMouseDown, FadeSpeed::Halved);
}

void TsSpeedButton::WMLButtonUp(TWMMouse& m) {
    const bool inside = ClientRect().Contains(PointFromLParam(m.Message.LParam));
    const bool wasHeld = m_behaviour.IsMouseHeld();
    const TButtonBehaviour::TResult result = m_behaviour.MouseUp(inside);
    if (wasHeld) Fade(TAnimatEvent::aeMouseUp, FadeSpeed::Halved);
    TGraphicControl::WMLButtonUp(m);
    if (result.Click && !IsDestroying()) Click();
}

void TsSpeedButton::WMMouseMove(TWMMouse& m) {
    TGraphicControl::WMMouseMove(m);
    if (m_behaviour.MouseMove(ClientRect().Contains(PointFromLParam(m.Message.LParam))).Changed) {
        m_skinData.SetFaceStale(true);
        Repaint();
    }
}

void TsSpeedButton::WMCaptureChanged(TWMCaptureChanged& m) {
    TGraphicControl::WMCaptureChanged(m);
    if (m_behaviour.Cancel().Changed) {
        m_skinData.SetFaceStale(true);
        Repaint();
    }
}

void TsSpeedButton::CMEnabledChanged(TWMNoParams& m) {
    m_skinData.ForgetFocusAndPointer();
    m_behaviour.Cancel();
    StopFade(m_anim);
    m_skinData.Invalidate();
    TGraphicControl::CMEnabledChanged(m);
}

// ---------------------------------------------------------------- painting

TPoint TsSpeedButton::GlyphOrigin() const {
    TPoint at{(Width() - m_glyph.Width()) / 2, (Height() - m_glyph.Height()) / 2};
    if (m_behaviour.IsPushed()) {
        ++at.X;
        ++at.Y;
    }
    return at;
}

void TsSpeedButton::DrawGlyph(TBitmap& target, TPoint at) const {
    for (int y = 0; y < m_glyph.Height(); ++y)
        for (int x = 0; x < m_glyph.Width(); ++x) {
            const TColor c = m_glyph.GetPixel(x, y);
            if (c == clFuchsia) continue;
            const int tx = at.X + x, ty = at.Y + y;
            if (tx >= 0 && ty >= 0 && tx < target.Width() && ty < target.Height()) target.SetPixel(tx, ty, c);
        }
}

void TsSpeedButton::DrawGlyph(TCanvas& canvas, TPoint at) const {
    for (int y = 0; y < m_glyph.Height(); ++y)
        for (int x = 0; x < m_glyph.Width(); ++x) {
            TColor c = m_glyph.GetPixel(x, y);
            if (c == clFuchsia) continue;
            if (!IsEnabledInTree()) c = ColorToRGB(clGrayText);
            canvas.SetPixel(at.X + x, at.Y + y, c);
        }
}

void TsSpeedButton::RebuildFace() {
    if (!m_skinData.Skinned()) return;
    m_skinData.PrepareFace();
    TBitmap& face = *m_skinData.FaceBitmap();
    const ParentBackground background = m_skinData.GetParentFace();
    const TPoint position{Left(), Top()};
    const int state = FaceState();
    if (m_flat && state == 0 && background.Ready && background.Bitmap) {
        // A flat button in its normal state shows only the parent behind it.
        face.Fill(0);
        TCanvas canvas(face);
        canvas.CopyRect(
            {0, 0}, *background.Bitmap,
            TRect::FromBounds(background.OffsetX + Left(), background.OffsetY + Top(), Width(), Height()));
    } else {
        PaintFace(m_skinData, background, FillCentre::Yes, CornerFlag::Yes, state, face, position,
                  {0, 0, Width(), Height()});
    }
    DrawGlyph(face, GlyphOrigin());
    if (!IsEnabledInTree()) ApplyDisabledLook(face, m_disabledKind, Parent(), position, background);
    m_skinData.SetFaceStale(false);
}

void TsSpeedButton::Paint(TCanvas& canvas) {
    if (m_skinData.Skinned(true))
        PaintSkinned(canvas);
    else
        PaintNative(canvas);
}

void TsSpeedButton::PaintSkinned(TCanvas& canvas) {
    m_skinData.SetInUpdate(m_skinData.IsUpdating());
    if (m_skinData.InUpdate()) return;
    if (m_anim && m_anim->IsRunning() && m_anim->Frame().Width() == Width()) {
        canvas.Draw(0, 0, m_anim->Frame());
        return;
    }
    if (m_skinData.FaceStale() || m_skinData.FaceBitmap()->Size() != TSize{Width(), Height()}) RebuildFace();
    canvas.Draw(0, 0, *m_skinData.FaceBitmap());
}

void TsSpeedButton::PaintNative(TCanvas& canvas) {
    const TRect r{0, 0, Width(), Height()};
    canvas.FillRect(r, ColorToRGB(clBtnFace));
    if (!m_flat || m_behaviour.IsHot() || m_behaviour.IsPushed())
        ClassicLook::DrawEdge(
            canvas, r, m_behaviour.IsPushed() ? ClassicLook::TEdge::Sunken : ClassicLook::TEdge::Raised);
    DrawGlyph(canvas, GlyphOrigin());
}

void TsSpeedButton::WriteDumpFields(TJsonWriter& json) const {
    TGraphicControl::WriteDumpFields(json);
    json.Field("hot", FaceState() == 1);
    json.Field("pressed", m_behaviour.IsPushed());
    json.Field("fading", m_anim != nullptr && m_anim->IsRunning());
}
