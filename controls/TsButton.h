#pragma once

#include <memory>
#include <optional>

#include "platform/graphics/TRegion.h"
#include "platform/toolkit/TButton.h"
#include "render/Blend.h"
#include "render/Fade.h"
#include "render/TsCommonData.h"
#include "render/TsFade.h"
#include "render/TsSkinned.h"

// The skinned push button. It keeps the whole behaviour of the platform push button (focus,
// keys, default and cancel, accelerators, ModalResult, OnClick) and replaces its look: the
// face is built off screen in the binding's face bitmap from the button's skin section
// (normally "BUTTON") for one of three states, copied to the window in one block, and the
// window is cut to the shape of the skin's border mask. Pointer and mouse-button changes fade
// from the old face to the new one. Without a usable skin it paints as the platform button.
class TsButton : public TsSkinned<TButton> {
public:
    explicit TsButton(TComponent* owner);
    ~TsButton() override;
    std::string ClassName() const override { return "TsButton"; }

    // Shown pressed for as long as it is set.
    bool Down() const { return m_down; }
    void SetDown(bool value);
    TDisabledKinds DisabledKind() const { return m_disabledKind; }
    void SetDisabledKind(TDisabledKinds kinds);
    // Pixels by which the focus frame lies outside the caption; shows at the next rebuild.
    int FocusMargin() const { return m_focusMargin; }
    void SetFocusMargin(int margin) { m_focusMargin = margin; }
    TAnimatEvents AnimatEvents() const { return m_animatEvents; }
    void SetAnimatEvents(TAnimatEvents events) { m_animatEvents = events; }

    // The face state the button would paint now: 0 normal, 1 hot, 2 pressed.
    virtual int FaceState() const;
    // Builds the face for the current state: background layers, the border mask (which also
    // carves the held window region), the caption, and the disabled look. The one routine that
    // makes a push button's face, used by the paint, the fades and the skin tool.
    void RebuildFace();
    void RebuildFace(int state);
    // The face as the window shows it: rebuilt, and its key-coloured corners repainted with
    // the parent's current background.
    void PrepareShownFace();
    // The caption rectangle of the last rebuild (before the focus margin).
    const TRect& CaptionRect() const { return m_captionRect; }
    // The running fade, or null.
    TsFade* FadeTimer() const { return m_fade.get(); }
    // The region carved by the last rebuild and not yet handed to the window.
    const std::optional<TRegion>& HeldRegion() const { return m_heldRegion; }

    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    // Whether the face shows the focus (the dotted frame where the section asks for one).
    virtual bool ShowsFocus() const { return Focused(); }
    void Loaded() override;
    void CreateWnd() override;
    void PaintWindow(TCanvas& canvas) override;
    void SetButtonStyle(bool isDefault) override;

    void WMSkinCommand(TWMSkinCommand& m) override;
    void CMMouseEnter(TCMMouseEnter& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void WMSetFocus(TWMFocus& m) override;
    void WMKillFocus(TWMFocus& m) override;
    void WMKeyDown(TWMKey& m) override;
    void WMKeyUp(TWMKey& m) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMRButtonDown(TWMMouse& m) override;
    void WMMButtonDown(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMRButtonUp(TWMMouse& m) override;
    void WMMButtonUp(TWMMouse& m) override;
    void WMMove(TWMMove& m) override;
    void WMWindowPosChanged(TWMWindowPosMsg& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void CMTextChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMVisibleChanged(TCMVisibleChanged& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    // WM_ENABLE, WM_UPDATEUISTATE, CM_UIACTIVATE and the owner-draw requests.
    void OtherMessage(TMessage& m) override;

private:
    // A left press or release on its way to the platform button, whose push state follows it
    // only after the skinned button has started the fade to its outcome.
    enum class TPushChange { None, Press, Release };
    // The face state once the change has reached the platform button.
    int FaceStateWith(TPushChange change) const;
    bool IsSkinnedNow() const;
    // Has a handle, a parent, and is not loading, being created or destroyed.
    bool IsReady() const;
    // Skinned with an active skin and ready: the skinned look answers the message.
    bool HandlesSkinned() const { return IsSkinnedNow() && IsReady(); }
    // The skin commands; true when handled completely.
    bool HandleSkinCommand(TWMSkinCommand& m);
    void PaintSkinned(TCanvas& canvas);
    // The skinned button's part of a press, before the base sees it.
    void MouseDownSkinned(TMouseButton button);
    // The skinned button's part of a release; false when the release must not reach the base.
    bool MouseUpSkinned(TMouseButton button);
    // Whether the base is to see a release.
    bool PassesRelease(TMouseButton button);
    void Fade(FadeSpeed speed, TAnimatEvent event, TPushChange change = TPushChange::None);
    void StopFading();
    void RepaintNow();
    void ReleaseHeldRegion();
    void RestoreNativeLook();

    bool m_pressed = false;
    bool m_down = false;
    int m_focusMargin = 1;
    TDisabledKinds m_disabledKind = DefaultDisabledKinds;
    std::unique_ptr<TsFade> m_fade;
    TAnimatEvents m_animatEvents = DefaultAnimatEvents;
    bool m_defaultLook = false;
    // The region carved with the last face, until the paint hands it to the window.
    std::optional<TRegion> m_heldRegion;
    // Set while a quick click repaints its pressed face, before the release fades it out.
    bool m_forcedPressed = false;
    TRect m_captionRect;
};
