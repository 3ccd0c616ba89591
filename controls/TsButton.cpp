#include "controls/TsButton.h"

#include <exception>

#include "controls/ButtonFace.h"
#include "controls/ButtonFacePaint.h"
#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TJsonWriter.h"
#include "render/Corners.h"
#include "render/SkinCommandMessage.h"
#include "render/SkinCommandQueries.h"
#include "render/SkinDump.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

// Sections: process-wide state; construction and properties; the face; painting; messages;
// mouse; skin commands.

namespace {

// ---------------------------------------------------------------- process-wide state

// The button whose quick click is being shown pressed. A repaint composes the whole form, so
// the flag names its button: other buttons painted in the same pass keep their own state.
const TsButton* forcedPressedButton = nullptr;

// Hints are switched off from a left press on a skinned button until its release; the
// setting to restore is kept once for all buttons.
struct THintSuppression {
    bool Active = false;
    bool SavedShowHint = true;
    // The button whose press switched them off; a button freed mid-press gives them back.
    const void* PressedButton = nullptr;
};
THintSuppression hintSuppression;

void SuppressHints(const void* button) {
    if (hintSuppression.Active || !Application) return;
    hintSuppression.PressedButton = button;
    hintSuppression.SavedShowHint = Application->ShowHint();
    Application->SetShowHint(false);
    hintSuppression.Active = true;
}

void RestoreHints() {
    if (!hintSuppression.Active) return;
    if (Application) Application->SetShowHint(hintSuppression.SavedShowHint);
    hintSuppression.Active = false;
    hintSuppression.PressedButton = nullptr;
}

// The wait that keeps a quick click's pressed face on the screen.
constexpr unsigned QuickClickPressedMs = 30;

TMouseButton ButtonOfMessage(std::uint32_t msg) {
    switch (msg) {
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
        return TMouseButton::mbRight;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
        return TMouseButton::mbMiddle;
    default:
        return TMouseButton::mbLeft;
    }
}

} // namespace

bool TsButton::ForcedPressed() const {
    return forcedPressedButton == this;
}

// ---------------------------------------------------------------- construction and properties

TsButton::TsButton(TComponent* owner) : TButton(owner), m_skinData(this, TsCreateFace::Yes) {
    m_skinData.SetKindCode(KindCode::PushButton);
    // Not opaque: the key-coloured corners show the parent behind the button.
    SetControlStyle(ControlStyle().Without(TControlStyleFlag::csOpaque));
    SetWordWrap(true);
    m_skinData.ApplyDefaults();
}

TsButton::~TsButton() {
    MarkDestroying();
    StopFade(m_fade);
    if (hintSuppression.PressedButton == this) RestoreHints();
}

void TsButton::Loaded() {
    TButton::Loaded();
    m_skinData.ApplyDefaults();
}

void TsButton::SetDown(bool value) {
    if (value == m_down) return;
    m_down = value;
    m_regionUpdate = true;
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
    const TButtonBehaviour& behaviour = Behaviour();
    TButtonFaceInputs in;
    in.Pushed = behaviour.IsPushed();
    in.LeftHeld = behaviour.IsMouseHeld();
    // A press or release in progress counts before the platform's push state follows it.
    if (m_pendingPush == TPendingPush::Press) {
        in.Pushed = true;
        in.LeftHeld = false;
    } else if (m_pendingPush == TPendingPush::Release) {
        in.Pushed = behaviour.IsKeyHeld();
        in.LeftHeld = false;
    }
    in.Pushed = in.Pushed || ForcedPressed();
    in.MouseOver = m_skinData.MouseOver();
    in.Down = m_down;
    in.DefaultLook = m_defaultLook;
    in.DefaultStyle = ButtonType() == BS_DEFPUSHBUTTON;
    in.Hot = m_skinData.IsHot();
    return ButtonFaceState(in);
}

void TsButton::RebuildFace() {
    if (!m_skinData.Skinned()) return;
    if (m_regionUpdate) m_heldRegion = TRegion(TRect{0, 0, Width(), Height()});
    TButtonFaceRequest request{*this, m_skinData};
    request.State = FaceState();
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

void TsButton::Fade(FadeSpeed speed, TAnimatEvent event) {
    FadeOrRepaint(m_fade, m_skinData, TFadeEnd::Window, speed, ShouldAnimate(event, m_animatEvents));
}

void TsButton::StopFading() {
    StopFade(m_fade);
}

// ---------------------------------------------------------------- messages

void TsButton::WndProc(TMessage& message) {
    if (SkinCommandMessage::Is(message)) {
        if (HandleSkinCommand(message)) return;
        if (!m_skinData.HandleMessage(message)) TButton::WndProc(message);
        return;
    }
    const bool skinned = IsSkinnedNow() && IsReady();
    if (skinned && BeforeDefault(message)) return;
    if (!m_skinData.HandleMessage(message)) TButton::WndProc(message);
    if (skinned) AfterDefault(message);
}

bool TsButton::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case CM_MOUSEENTER:
        if (m.LParam == 0 && Enabled() && !IsDesigning() && !m_skinData.MouseOver()) {
            m_skinData.SetMouseOver(true);
            m_skinData.SetFaceStale(false);
            Fade(FadeSpeed::Full, TAnimatEvent::aeMouseEnter);
        }
        return false;
    case CM_MOUSELEAVE:
        if (m.LParam == 0 && Enabled() && !IsDesigning()) {
            m_skinData.SetMouseOver(false);
            m_skinData.SetFaceStale(false);
            Fade(FadeSpeed::Full, TAnimatEvent::aeMouseLeave);
        }
        return false;
    case WM_SETFOCUS:
        if (IsDesigning() || !Visible()) return false;
        if (Enabled()) {
            m_skinData.HandleMessage(m);
            TButton::WndProc(m);
            if (m_fade)
                m_fade->DrawFrame();
            else
                m_skinData.Invalidate();
        }
        return true;
    case WM_KILLFOCUS:
        if (IsDesigning() || !Visible() || !Enabled()) return false;
        StopFading();
        m_skinData.HandleMessage(m);
        TButton::WndProc(m);
        m_skinData.SetHasFocus(false);
        m_regionUpdate = true;
        m_skinData.Invalidate();
        return true;
    case WM_KEYDOWN:
        if (m.WParam == TWParam(VK_SPACE) && Enabled() && Focused()) {
            StopFading();
            m_skinData.HandleMessage(m);
            TButton::WndProc(m);
            m_regionUpdate = true;
            m_skinData.SetFaceStale(true);
            RepaintNow();
            return true;
        }
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        if (Enabled() && !IsDesigning()) MouseDownSkinned(m, ButtonOfMessage(m.Msg));
        return false;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (Enabled() && !IsDesigning()) return !MouseUpSkinned(m, ButtonOfMessage(m.Msg));
        return false;
    case WM_MOVE: {
        const TsGeneralData& section =
            m_skinData.SkinManager()->Model().GeneralData[std::size_t(m_skinData.SectionIndex())];
        if (section.Transparency > 0 || (section.HotTransparency > 0 && m_skinData.IsHot())) {
            m_skinData.SetFaceStale(true);
            m_skinData.HandleMessage(m);
            TButton::WndProc(m);
            RepaintNow();
            return true;
        }
        return false;
    }
    case WM_SIZE:
    case WM_WINDOWPOSCHANGING:
        m_regionUpdate = true;
        return false;
    case WM_WINDOWPOSCHANGED:
        m_regionUpdate = true;
        m_skinData.SetFaceStale(true);
        return false;
    case CM_TEXTCHANGED:
        if (IsDestroying()) return false;
        m_skinData.Invalidate();
        return true;
    case WM_ENABLE:
        return true;
    case WM_ERASEBKGND:
    case WM_UPDATEUISTATE:
        m.Result = 1;
        return true;
    case CM_UIACTIVATE:
        m_skinData.SetInUpdate(false);
        return false;
    case CN_DRAWITEM:
        m.Result = 1;
        return true;
    case CN_MEASUREITEM:
        if (auto* item = PointerFromLParam<TMeasureItemStruct>(m.LParam)) {
            item->ItemWidth = Width();
            item->ItemHeight = Height();
        }
        m.Result = 1;
        return true;
    default:
        return false;
    }
}

void TsButton::AfterDefault(const TMessage& m) {
    switch (m.Msg) {
    case WM_KEYUP:
        if (m.WParam == TWParam(VK_SPACE)) {
            m_regionUpdate = true;
            m_skinData.SetFaceStale(true);
            RepaintNow();
        }
        break;
    case CM_FONTCHANGED:
        if (Visible()) {
            m_skinData.SetInUpdate(false);
            m_skinData.Invalidate();
        }
        break;
    case CM_VISIBLECHANGED:
        if (IsDestroying()) break;
        m_skinData.SetFaceStale(true);
        m_skinData.SetInUpdate(false);
        if (Visible()) RepaintNow();
        break;
    case CM_ENABLEDCHANGED:
        if (Visible() && !IsDestroying()) {
            m_skinData.SetInUpdate(false);
            m_skinData.Invalidate();
        }
        break;
    default:
        break;
    }
}

// ---------------------------------------------------------------- mouse

void TsButton::MouseDownSkinned(TMessage& message, TMouseButton button) {
    (void)message;
    m_skinData.SetInUpdate(false);
    const bool left = button == TMouseButton::mbLeft;
    if (left) SuppressHints(this);
    m_pressed = true;
    if (left && !m_down) {
        m_regionUpdate = true;
        m_skinData.SetInUpdate(m_skinData.IsUpdating());
        m_skinData.SetFaceStale(false);
        m_pendingPush = TPendingPush::Press;
        Fade(FadeSpeed::Halved, TAnimatEvent::aeMouseDown);
        m_pendingPush = TPendingPush::None;
    }
}

bool TsButton::MouseUpSkinned(TMessage& message, TMouseButton button) {
    (void)message;
    const bool left = button == TMouseButton::mbLeft;
    if (left) RestoreHints();
    if (!m_pressed || IsDestroying()) return false;
    m_pressed = false;
    if (!left || !Enabled()) return true;
    if (m_fade && m_fade->FadeLevel() < m_fade->StepCount()) {
        // A quick click: the pressed face stays on the screen for a moment before the
        // release fades it out.
        m_fade->SetEnabled(false);
        m_skinData.SetFaceStale(true);
        forcedPressedButton = this;
        RepaintNow();
        forcedPressedButton = nullptr;
        if (Application) Application->Sleep(QuickClickPressedMs);
    }
    m_skinData.SetInUpdate(false);
    if (!IsDestroying()) {
        m_regionUpdate = true;
        m_skinData.SetFaceStale(false);
        m_pendingPush = TPendingPush::Release;
        try {
            Fade(FadeSpeed::Halved, TAnimatEvent::aeMouseUp);
        } catch (const std::exception&) {
            // A failed fade must not cost the click.
        }
        m_pendingPush = TPendingPush::None;
    }
    return true;
}

// ---------------------------------------------------------------- skin commands

bool TsButton::HandleSkinCommand(TMessage& m) {
    const std::uint16_t code = SkinCommandMessage::Code(m);
    const bool ownManager = SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_skinData.SkinManager();
    switch (code) {
    case cmdSkinLoaded:
        if (!ownManager) return false;
        m_regionUpdate = true;
        StopFading();
        m_skinData.HandleMessage(m);
        return true;
    case cmdSkinRemoved:
        if (!ownManager) return false;
        if (IsDestroying()) return true;
        StopFading();
        m_skinData.HandleMessage(m);
        RestoreNativeLook();
        return true;
    case cmdSkinApplied:
        if (!ownManager) return false;
        StopFading();
        m_skinData.HandleMessage(m);
        m_regionUpdate = true;
        RepaintNow();
        return true;
    case cmdUpdateDone:
        if (!IsSkinnedNow() || !m_skinData.InUpdate()) return false;
        m_skinData.SetInUpdate(false);
        RepaintNow();
        return true;
    case cmdIsSkinAware:
        SkinCommandMessage::AnswerLParam(m, 1);
        SkinCommandMessage::AnswerResult(m, 1);
        return true;
    case cmdStopAnimation:
        StopFading();
        return true;
    case cmdRebuildFace:
        RebuildFace();
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
