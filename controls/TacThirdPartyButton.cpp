#include "controls/TacThirdPartyButton.h"

#include "controls/ButtonFace.h"
#include "controls/ButtonFacePaint.h"
#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TButton.h"
#include "render/Corners.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

TacThirdPartyButton::TacThirdPartyButton(TButton& button, TsSkinManager* manager)
    : TacControlAdapter(button), m_binding(&button, TsCreateFace::Yes) {
    m_binding.SetKindCode(KindCode::PushButton);
    m_binding.SetSkinManager(manager);
    m_binding.SetSkinSection("BUTTON");
    m_binding.ResolveIndexes();
    TakeOver();
    button.Invalidate();
}

TacThirdPartyButton::~TacThirdPartyButton() {
    GiveBack();
    if (ControlAlive()) RestorePlainLook();
}

TButton* TacThirdPartyButton::Button() const {
    return static_cast<TButton*>(Control());
}

bool TacThirdPartyButton::SkinnedNow() const {
    return m_binding.Skinned(true);
}

int TacThirdPartyButton::FaceState() const {
    const TButton* button = Button();
    if (!button) return bfsNormal;
    const TButtonBehaviour& behaviour = button->Behaviour();
    TButtonFaceInputs in;
    in.Pushed = behaviour.IsPushed();
    in.LeftHeld = behaviour.IsMouseHeld();
    in.MouseOver = m_binding.MouseOver();
    in.DefaultLook = button->IsActive();
    in.DefaultStyle = button->ButtonType() == BS_DEFPUSHBUTTON;
    in.Hot = m_binding.IsHot();
    return ButtonFaceState(in);
}

int TacThirdPartyButton::LookKey() const {
    const TButton* button = Button();
    return FaceState() | (button->Enabled() ? 4 : 0) | (button->Focused() ? 8 : 0);
}

void TacThirdPartyButton::AdapterProc(TMessage& m) {
    if (!ControlAlive()) {
        CallPrevious(m);
        return;
    }
    if (SkinCommandMessage::Is(m)) {
        HandleSkinCommand(m);
        return;
    }
    if (!SkinnedNow()) {
        // The binding keeps following hover and focus for when the skin comes back.
        if (!m_binding.HandleMessage(m)) CallPrevious(m);
        return;
    }
    switch (m.Msg) {
    case WM_PAINT:
        if (TCanvas* canvas = CanvasFromWParam(m.WParam)) {
            PaintSkinned(*canvas);
            return;
        }
        break;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    default:
        break;
    }
    if (!m_binding.HandleMessage(m) && !CallPrevious(m)) return;
    if (ControlAlive()) RepaintIfLookChanged();
}

void TacThirdPartyButton::HandleSkinCommand(TMessage& m) {
    const bool ownManager = SkinCommandMessage::ObjectAs<TsSkinManager>(m) == m_binding.SkinManager();
    switch (SkinCommandMessage::Code(m)) {
    case cmdIsSkinAware:
        // The manager's broadcasts then reach the button itself.
        SkinCommandMessage::AnswerLParam(m, 1);
        SkinCommandMessage::AnswerResult(m, 1);
        return;
    case cmdSkinRemoved:
        m_binding.HandleMessage(m);
        if (ownManager) RestorePlainLook();
        return;
    case cmdSkinApplied:
        m_binding.HandleMessage(m);
        if (ownManager) Button()->Invalidate();
        return;
    case cmdUpdateDone:
        if (!SkinnedNow() || !m_binding.EndHeldUpdate()) break;
        Button()->Repaint();
        return;
    default:
        break;
    }
    m_binding.HandleMessage(m);
    CallPrevious(m);
}

void TacThirdPartyButton::PaintSkinned(TCanvas& canvas) {
    m_binding.SetInUpdate(m_binding.IsUpdating());
    if (m_binding.InUpdate()) return;
    TButton& button = *Button();
    TRegion region(TRect{0, 0, button.Width(), button.Height()});
    TButtonFaceRequest request{button, m_binding};
    request.State = FaceState();
    request.WordWrap = button.WordWrap();
    request.ShowsFocus = button.Focused();
    request.Region = &region;
    PaintButtonFace(request);
    RepaintCorners(m_binding, request.State, cnAllCorners);
    m_shownLook = LookKey();
    // The platform owns the shape from here; the parent shows through the carved corners.
    button.SetWindowRgn(std::move(region), !m_shaped);
    m_shaped = true;
    TCanvasSaver saver(canvas);
    canvas.Draw(0, 0, *m_binding.FaceBitmap());
}

void TacThirdPartyButton::RepaintIfLookChanged() {
    if (m_shownLook >= 0 && LookKey() != m_shownLook) {
        m_binding.SetFaceStale(true);
        Button()->Invalidate();
    }
}

void TacThirdPartyButton::RestorePlainLook() {
    m_shaped = false;
    m_shownLook = -1;
    TButton& button = *Button();
    button.SetWindowRgn(std::nullopt, true);
    button.Invalidate();
}
