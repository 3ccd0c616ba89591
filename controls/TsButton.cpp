#include "controls/TsButton.h"

#include <exception>

#include "controls/ButtonFace.h"
#include "controls/ButtonFacePaint.h"
#include "controls/THintSuppression.h"
#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TJsonWriter.h"
#include "render/Corners.h"
#include "render/SkinCommandQueries.h"
#include "render/SkinDump.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

// Sections: construction and properties; the face; painting; messages;
// mouse; skin commands.

namespace {

// The wait that keeps a quick click's pressed face on the screen.
constexpr unsigned QuickClickPressedMs = 30;

} // namespace

// ---------------------------------------------------------------- construction and properties

TsButton::TsButton(TComponent* owner) : TsSkinned<TButton>(owner) {
    m_skinData.SetKindCode(KindCode::PushButton);
    // Not opaque: the key-coloured corners show the parent behind the button.
    SetControlStyle(ControlStyle().Without(TControlStyleFlag::csOpaque));
    SetWordWrap(true);
    m_skinData.ApplyDefaults();
}

TsButton::~TsButton() {
    MarkDestroying();
    StopFade(m_fade);
    THintSuppression::Forget(this);
}

void TsButton::Loaded() {
    TButton::Loaded();
    m_skinData.ApplyDefaults();
}

void TsButton::SetDown(bool value) {
    if (value == m_down) return;
    m_down = value;
    if (!IsLoading()) m_skinData.Invalidate();
}

void TsButton::SetDisabledKind(TDisabledKinds kinds) {
    if (kinds == m_disabledKind) return;
    m_disabledKind = kinds;
    if (!IsLoading()) m_skinData.Invalidate();
}

void TsButton::SetButtonStyle(bool isDefault) {
    TButton::SetButtonStyle(isDefault);
    m_defaultLook = isDefault;
    m_skinData.Invalidate();
}

void TsButton::CreateWnd() {
    // The platform never paints a skinned button: it is owner-drawn while its skin is active.
    if (IsSkinnedNow()) SetStyle((Style() & ~BS_TYPEMASK) | BS_OWNERDRAW);
    TButton::CreateWnd();
}

bool TsButton::IsSkinnedNow() const {
    return m_skinData.Skinned(true);
}

bool TsButton::IsReady() const {
    return HandleAllocated() && Parent() && !IsLoading() && !IsCreating() && !IsDestroying();
}

// ---------------------------------------------------------------- the face

int TsButton::FaceState() const {
    return FaceStateWith(TPushChange::None);
}

int TsButton::FaceStateWith(TPushChange change) const {
    const TButtonBehaviour& behaviour = Behaviour();
    TButtonFaceInputs in;
    switch (change) {
    case TPushChange::None:
        in.Pushed = behaviour.IsPushed();
        in.LeftHeld = behaviour.IsMouseHeld();
        break;
    case TPushChange::Press:
        in.Pushed = true;
        break;
    case TPushChange::Release:
        in.Pushed = behaviour.IsKeyHeld();
        break;
    }
    in.Pushed = in.Pushed || m_forcedPressed;
    in.MouseOver = m_skinData.MouseOver();
    in.Down = m_down;
    in.DefaultLook = m_defaultLook;
    in.DefaultStyle = ButtonType() == BS_DEFPUSHBUTTON;
    in.Hot = m_skinData.IsHot();
    return ButtonFaceState(in);
}

void TsButton::RebuildFace() {
    RebuildFace(FaceState());
}

void TsButton::RebuildFace(int state) {
    if (!m_skinData.Skinned()) return;
    // Every rebuild carves a new region, so a new size or skin always reshapes the window.
    m_heldRegion = TRegion(TRect{0, 0, Width(), Height()});
    TButtonFaceRequest request{*this, m_skinData};
    request.State = state;
    request.WordWrap = WordWrap();
    request.ShowsFocus = ShowsFocus();
    request.FocusMargin = m_focusMargin;
    request.DisabledKind = m_disabledKind;
    request.Region = m_heldRegion ? &*m_heldRegion : nullptr;
    m_captionRect = PaintButtonFace(request);
}

// ---------------------------------------------------------------- painting

void TsButton::PaintWindow(TCanvas& canvas) {
    if (IsSkinnedNow()) {
        PaintSkinned(canvas);
        return;
    }
    // Without a usable skin the platform paints it, whatever the style chosen at creation.
    if (ButtonType() == BS_OWNERDRAW) SetStyle((Style() & ~BS_TYPEMASK) | BS_PUSHBUTTON);
    TButton::PaintWindow(canvas);
}

void TsButton::PaintSkinned(TCanvas& canvas) {
    m_skinData.SetInUpdate(m_skinData.IsUpdating());
    if (m_skinData.InUpdate()) return;
    // A running fade draws the frames itself.
    if (m_fade && m_fade->Enabled()) return;
    const TWinControl* parent = Parent();
    m_skinData.SetPartlyHidden(!parent || !parent->ClientRect().Contains(BoundsRect()));

    m_heldRegion.reset();

    PrepareShownFace();
    if (m_heldRegion) {
        // This paint is clipped to the window's old shape; a changed shape (a new size, a new
        // skin) is painted whole once more, and the parent shows again where it was cut.
        SetWindowRgn(std::move(m_heldRegion), true);
        m_heldRegion.reset();
    }
    TCanvasSaver saver(canvas);
    canvas.Draw(0, 0, *m_skinData.FaceBitmap());
}

void TsButton::PrepareShownFace() {
    RebuildFace();
    RepaintCorners(m_skinData, FaceState(), cnAllCorners);
}

void TsButton::RepaintNow() {
    Repaint();
}

void TsButton::ReleaseHeldRegion() {
    m_heldRegion.reset();
}

void TsButton::RestoreNativeLook() {
    if (ButtonType() == BS_OWNERDRAW) SetStyle((Style() & ~BS_TYPEMASK) | BS_PUSHBUTTON);
    m_heldRegion.reset();
    SetWindowRgn(std::nullopt, true);
    RepaintNow();
}

void TsButton::Fade(FadeSpeed speed, TAnimatEvent event, TPushChange change) {
    // The face is rebuilt at every paint, so the window shows it even when it is marked stale.
    TFadeOptions options;
    options.FaceAlwaysShown = true;
    if (change != TPushChange::None) options.NewState = FaceStateWith(change);
    FadeOrRepaint(m_fade, m_skinData, TFadeEnd::Window, speed, ShouldAnimate(event, m_animatEvents), options);
}

void TsButton::StopFading() {
    StopFade(m_fade);
}

// ---------------------------------------------------------------- messages

// Each handler does the skinned button's work when the skinned look answers the message, and
// passes the message on through TsSkinned (the binding, then the platform button).

void TsButton::CMMouseEnter(TCMMouseEnter& m) {
    if (HandlesSkinned() && !m.Child && Enabled() && !IsDesigning() && !m_skinData.MouseOver()) {
        m_skinData.SetMouseOver(true);
        Fade(FadeSpeed::Full, TAnimatEvent::aeMouseEnter);
    }
    TsSkinned::CMMouseEnter(m);
}

void TsButton::CMMouseLeave(TCMMouseLeave& m) {
    if (HandlesSkinned() && !m.Child && Enabled() && !IsDesigning()) {
        m_skinData.SetMouseOver(false);
        Fade(FadeSpeed::Full, TAnimatEvent::aeMouseLeave);
    }
    TsSkinned::CMMouseLeave(m);
}

void TsButton::WMSetFocus(TWMFocus& m) {
    if (!HandlesSkinned() || IsDesigning() || !Visible()) return TsSkinned::WMSetFocus(m);
    // A disabled button takes no notice of the focus.
    if (!Enabled()) return;
    TsSkinned::WMSetFocus(m);
    if (m_fade)
        m_fade->DrawFrame();
    else
        m_skinData.Invalidate();
}

void TsButton::WMKillFocus(TWMFocus& m) {
    if (!HandlesSkinned() || IsDesigning() || !Visible() || !Enabled()) return TsSkinned::WMKillFocus(m);
    StopFading();
    TsSkinned::WMKillFocus(m);
    m_skinData.SetHasFocus(false);
    m_skinData.Invalidate();
}

void TsButton::WMKeyDown(TWMKey& m) {
    if (!HandlesSkinned() || m.Message.WParam != TWParam(VK_SPACE) || !Enabled() || !Focused())
        return TsSkinned::WMKeyDown(m);
    StopFading();
    TsSkinned::WMKeyDown(m);
    m_skinData.SetFaceStale(true);
    RepaintNow();
}

void TsButton::WMKeyUp(TWMKey& m) {
    const bool spaceUp = HandlesSkinned() && m.Msg() == WM_KEYUP && m.Message.WParam == TWParam(VK_SPACE);
    TsSkinned::WMKeyUp(m);
    if (!spaceUp) return;
    m_skinData.SetFaceStale(true);
    RepaintNow();
}

void TsButton::WMLButtonDown(TWMMouse& m) {
    MouseDownSkinned(TMouseButton::mbLeft);
    TsSkinned::WMLButtonDown(m);
}

void TsButton::WMLButtonDblClk(TWMMouse& m) {
    MouseDownSkinned(TMouseButton::mbLeft);
    TsSkinned::WMLButtonDblClk(m);
}

void TsButton::WMRButtonDown(TWMMouse& m) {
    // The double click shares the handler; only the press counts.
    if (m.Msg() == WM_RBUTTONDOWN) MouseDownSkinned(TMouseButton::mbRight);
    TsSkinned::WMRButtonDown(m);
}

void TsButton::WMMButtonDown(TWMMouse& m) {
    if (m.Msg() == WM_MBUTTONDOWN) MouseDownSkinned(TMouseButton::mbMiddle);
    TsSkinned::WMMButtonDown(m);
}

void TsButton::WMLButtonUp(TWMMouse& m) {
    if (PassesRelease(TMouseButton::mbLeft)) TsSkinned::WMLButtonUp(m);
}

void TsButton::WMRButtonUp(TWMMouse& m) {
    if (PassesRelease(TMouseButton::mbRight)) TsSkinned::WMRButtonUp(m);
}

void TsButton::WMMButtonUp(TWMMouse& m) {
    if (PassesRelease(TMouseButton::mbMiddle)) TsSkinned::WMMButtonUp(m);
}

void TsButton::WMMove(TWMMove& m) {
    if (!HandlesSkinned()) return TsSkinned::WMMove(m);
    const TsGeneralData& section =
        m_skinData.SkinManager()->Model().GeneralData[std::size_t(m_skinData.SectionIndex())];
    // Over a background that shows through, the face depends on where the button is.
    const bool seeThrough = section.Transparency > 0 || (section.HotTransparency > 0 && m_skinData.IsHot());
    if (seeThrough) m_skinData.SetFaceStale(true);
    TsSkinned::WMMove(m);
    if (seeThrough) RepaintNow();
}

void TsButton::WMWindowPosChanged(TWMWindowPosMsg& m) {
    if (HandlesSkinned()) m_skinData.SetFaceStale(true);
    TsSkinned::WMWindowPosChanged(m);
}

void TsButton::WMEraseBkgnd(TWMEraseBkgnd& m) {
    // The face covers the whole window: nothing to erase, so nothing flickers.
    if (HandlesSkinned()) {
        m.Result = 1;
        return;
    }
    TsSkinned::WMEraseBkgnd(m);
}

void TsButton::CMTextChanged(TWMNoParams& m) {
    if (HandlesSkinned() && !IsDestroying()) {
        m_skinData.Invalidate();
        return;
    }
    TsSkinned::CMTextChanged(m);
}

void TsButton::CMFontChanged(TWMNoParams& m) {
    const bool skinned = HandlesSkinned();
    TsSkinned::CMFontChanged(m);
    if (skinned && Visible()) {
        m_skinData.SetInUpdate(false);
        m_skinData.Invalidate();
    }
}

void TsButton::CMVisibleChanged(TCMVisibleChanged& m) {
    const bool skinned = HandlesSkinned();
    TsSkinned::CMVisibleChanged(m);
    if (!skinned || IsDestroying()) return;
    m_skinData.SetFaceStale(true);
    m_skinData.SetInUpdate(false);
    if (Visible()) RepaintNow();
}

void TsButton::CMEnabledChanged(TWMNoParams& m) {
    const bool skinned = HandlesSkinned();
    TsSkinned::CMEnabledChanged(m);
    if (skinned && Visible() && !IsDestroying()) {
        m_skinData.SetInUpdate(false);
        m_skinData.Invalidate();
    }
}

void TsButton::OtherMessage(TMessage& m) {
    if (HandlesSkinned()) {
        switch (m.Msg) {
        case WM_ENABLE:
            return;
        case WM_UPDATEUISTATE:
        case CN_DRAWITEM:
            m.Result = 1;
            return;
        case CN_MEASUREITEM:
            if (auto* item = PointerFromLParam<TMeasureItemStruct>(m.LParam)) {
                item->ItemWidth = Width();
                item->ItemHeight = Height();
            }
            m.Result = 1;
            return;
        case CM_UIACTIVATE:
            m_skinData.SetInUpdate(false);
            break;
        default:
            break;
        }
    }
    TsSkinned::OtherMessage(m);
}

// ---------------------------------------------------------------- mouse

void TsButton::MouseDownSkinned(TMouseButton button) {
    if (!HandlesSkinned() || !Enabled() || IsDesigning()) return;
    m_skinData.SetInUpdate(false);
    const bool left = button == TMouseButton::mbLeft;
    if (left) THintSuppression::Begin(this);
    m_pressed = true;
    if (left && !m_down) {
        m_skinData.SetInUpdate(m_skinData.IsUpdating());
        Fade(FadeSpeed::Halved, TAnimatEvent::aeMouseDown, TPushChange::Press);
    }
}

bool TsButton::PassesRelease(TMouseButton button) {
    if (!HandlesSkinned() || !Enabled() || IsDesigning()) return true;
    return MouseUpSkinned(button);
}

bool TsButton::MouseUpSkinned(TMouseButton button) {
    const bool left = button == TMouseButton::mbLeft;
    if (left) THintSuppression::End();
    if (!m_pressed || IsDestroying()) return false;
    m_pressed = false;
    if (!left || !Enabled()) return true;
    if (m_fade && m_fade->FadeLevel() < m_fade->StepCount()) {
        // A quick click: the pressed face stays on the screen for a moment before the
        // release fades it out.
        m_fade->SetEnabled(false);
        m_skinData.SetFaceStale(true);
        m_forcedPressed = true;
        RepaintNow();
        m_forcedPressed = false;
        if (Application) Application->Sleep(QuickClickPressedMs);
    }
    m_skinData.SetInUpdate(false);
    if (!IsDestroying()) {
        try {
            Fade(FadeSpeed::Halved, TAnimatEvent::aeMouseUp, TPushChange::Release);
        } catch (const std::exception&) {
            // A failed fade must not cost the click.
        }
    }
    return true;
}

// ---------------------------------------------------------------- skin commands

void TsButton::WMSkinCommand(TWMSkinCommand& m) {
    if (!HandleSkinCommand(m)) TsSkinned::WMSkinCommand(m);
}

bool TsButton::HandleSkinCommand(TWMSkinCommand& m) {
    const bool ownManager = SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_skinData.SkinManager();
    switch (m.Code) {
    case cmdSkinLoaded:
        if (!ownManager) return false;
        StopFading();
        m_skinData.SkinCommand(m);
        return true;
    case cmdSkinRemoved:
        if (!ownManager) return false;
        if (IsDestroying()) return true;
        StopFading();
        m_skinData.SkinCommand(m);
        RestoreNativeLook();
        return true;
    case cmdSkinApplied:
        if (!ownManager) return false;
        StopFading();
        m_skinData.SkinCommand(m);
        RepaintNow();
        return true;
    case cmdUpdateDone:
        if (!IsSkinnedNow() || !m_skinData.EndHeldUpdate()) return false;
        RepaintNow();
        return true;
    case cmdIsSkinAware:
        m.SetAnswer(1);
        return true;
    case cmdStopAnimation:
        StopFading();
        return true;
    case cmdRebuildFace:
        RebuildFace(RebuildFaceState(m).value_or(FaceState()));
        return false;
    case cmdReleaseRegion:
        ReleaseHeldRegion();
        return false;
    default:
        return false;
    }
}

void TsButton::WriteDumpFields(TJsonWriter& json) const {
    TButton::WriteDumpFields(json);
    json.Field("down", m_down);
    WriteSkinDumpField(json, m_skinData, FaceState());
}
