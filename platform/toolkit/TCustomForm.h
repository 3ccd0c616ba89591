#pragma once

#include <memory>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TButtonBehaviour.h"
#include "platform/toolkit/TWinControl.h"

class TFormDesign;
class TCustomForm;

// Fields that a layer above the toolkit adds to every form's automation dump (frame
// skinning names the manager of a form's frame); one process-wide extension, none at start.
using TFormDumpExtension = std::function<void(const TCustomForm& form, TJsonWriter& json)>;
void SetFormDumpExtension(TFormDumpExtension extension);

enum class TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TBorderIcon : std::uint8_t { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = TFlagSet<TBorderIcon>;
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };
enum class TFormStyle { fsNormal, fsStayOnTop };
enum class TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
enum class TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = 1;
constexpr TModalResult mrCancel = 2;
constexpr TModalResult mrAbort = 3;
constexpr TModalResult mrRetry = 4;
constexpr TModalResult mrIgnore = 5;
constexpr TModalResult mrYes = 6;
constexpr TModalResult mrNo = 7;
constexpr TModalResult mrAll = 8;

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

// A top-level window. Its bounds are screen coordinates; it is composed off screen into its
// own surface (frame and title bar included) and shown through the backend in one Present per
// update. The frame and title bar are the non-client area: WM_NCHITTEST, WM_NCPAINT and the
// WM_NC* mouse messages reach the window procedure like any other message, so a replaced
// procedure can take them over; without that the toolkit draws a classic frame with the
// caption and a working close button, and drags the window by its caption.
class TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    std::string ClassName() const override { return "TCustomForm"; }

    // Reads the stored design (csReading/csLoading while it is applied, then Loaded on every
    // component) and then runs the creation handler (DoCreate). Call it at the end of the
    // derived form's constructor.
    void LoadDesign(const TFormDesign& design);
    // Runs OnCreate; an exception is shown in a message box and the form still opens.
    void DoCreate();
    // The form is being created (IsCreating) and its creation handler runs: its design has
    // been read and every component has finished loading.
    bool IsRunningCreateHandler() const { return m_runningCreateHandler; }

    // --- window ---
    TFormBorderStyle BorderStyle() const { return m_borderStyle; }
    void SetBorderStyle(TFormBorderStyle s);
    TBorderIcons BorderIcons() const { return m_borderIcons; }
    void SetBorderIcons(TBorderIcons icons);
    TWindowState WindowState() const { return m_windowState; }
    void SetWindowState(TWindowState s);
    TFormStyle FormStyle() const { return m_formStyle; }
    void SetFormStyle(TFormStyle s);
    TPosition Position() const { return m_position; }
    void SetPosition(TPosition p) { m_position = p; }
    // The focused control of the form (also while the form is inactive), or null.
    TWinControl* ActiveControl() const { return m_activeControl; }
    void SetActiveControl(TWinControl* control);
    // The form is the active window.
    bool Active() const { return m_active; }
    // A popup that never takes the activation (the combo box's list window).
    bool IsNoActivate() const { return m_noActivate; }
    void SetNoActivate(bool v) { m_noActivate = v; }

    TRect NonClientInsets() const override;
    // Frame width and caption height of the current border style (0 for bsNone).
    int FrameWidth() const;
    int CaptionHeight() const;
    // Title-bar button rectangles in window coordinates (empty when absent).
    TRect CloseButtonRect() const;
    TRect MaxButtonRect() const;

    // --- showing and closing ---
    void SetVisible(bool visible) override;
    // Shows the form, brings it to the front and activates it.
    void Show();
    // Shows the form modally: runs a nested message loop until ModalResult is set, then hides
    // the form and returns ModalResult. Other forms take no input meanwhile.
    TModalResult ShowModal();
    bool IsModal() const { return m_modal; }
    // Tells the window system that the form's window belongs to owner (null: to none), and
    // whether it is owner's modal dialog. ShowModal does it for its run.
    void SetNativeOwner(TCustomForm* owner, bool modal);
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult r) { m_modalResult = r; }
    // Asks to close: a modal form gets ModalResult mrCancel; otherwise OnCloseQuery, OnClose
    // with the default action (caHide), then hide or free; the main form ends the application.
    void Close();
    // Frees the form once the messages already queued are handled (posts CM_RELEASE).
    void Release();
    bool CloseQuery();
    // Brings the form in front of the others (within its stay-on-top band) and activates it.
    void BringToFrontAndActivate();

    // --- composition ---
    // The form's off-screen picture (its outer size once composed; empty before the first
    // composition). A resize gives the form a new surface at its next composition.
    const TBitmap& Surface() const { return *m_surface; }
    TBitmap& Surface() { return *m_surface; }
    // Paints every pending part into the surface in z-order and presents it once when
    // anything was painted; nothing while redraw is off. True when it presented.
    bool ComposeAndPresent();
    TNativeWindowId NativeWindow() const { return m_nativeWindow; }
    // Presents the whole surface again at the next composition even when nothing changed (the
    // backend lost the window's picture).
    void RequestPresent();
    // Has the next composition present this part of the surface (surface coordinates), which
    // was drawn into outside composition (a fade's frame).
    void AddDamage(const TRegion& region) { m_damage.Union(region); }
    // The canvas of the paint in progress (valid inside OnPaint), or null.
    TCanvas* Canvas() const { return m_paintCanvas; }
    std::uint64_t PresentCount() const { return m_presentCount; }
    // Paints the form's own picture of its client area (OnPaint and what the form class
    // draws itself, no background, no children) on the canvas: frame skinning draws it into
    // the window face.
    void PaintFormPicture(TCanvas& canvas) { PaintWindow(canvas); }

    // --- events ---
    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TNotifyEvent OnPaint;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

    // --- the toolkit's side (application, input pipeline) ---
    // Activation state change (sends WM_NCACTIVATE and WM_ACTIVATE).
    void SetActiveState(bool active, TCustomForm* other, bool byClick);
    // Screen size changed: a maximised form follows it.
    void ScreenResized(TSize screen);
    // Moves the focus from the current active control to control (WM_KILLFOCUS/WM_SETFOCUS).
    void FocusControl(TWinControl* control);
    // Forgets a control that is being destroyed.
    void ControlDestroying(TControl* control);
    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    void CreateWnd() override;
    void DestroyWnd() override;
    void PaintNonClient(TCanvas& canvas) override;
    void PaintWindow(TCanvas& canvas) override;
    void BoundsChanged(const TRect& oldBounds) override;
    virtual void DoShow();
    virtual void DoHide();
    virtual void DoClose(TCloseAction& action);
    virtual void Activate();
    virtual void Deactivate();
    void WMNCHitTest(TWMHitTest& m) override;
    void CMDialogKey(TCMDialogKey& m) override;
    virtual void WMActivate(TWMActivate& m);
    virtual void WMNCActivate(TWMNCActivate& m);
    virtual void WMClose(TWMNoParams& m);
    virtual void WMSysCommand(TWMSysCommand& m);
    virtual void WMNCLButtonDown(TWMNCMouse& m);
    virtual void WMNCLButtonUp(TWMNCMouse& m);
    virtual void WMNCMouseMove(TWMNCMouse& m);
    virtual void CMRelease(TWMNoParams& m);
    void OtherMessage(TMessage& m) override;

private:
    void ApplyPosition();
    void ApplyWindowState();
    void HideNow();

    TFormBorderStyle m_borderStyle = TFormBorderStyle::bsSizeable;
    TBorderIcons m_borderIcons{TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize};
    TWindowState m_windowState = TWindowState::wsNormal;
    TFormStyle m_formStyle = TFormStyle::fsNormal;
    TPosition m_position = TPosition::poDesigned;
    TWinControl* m_activeControl = nullptr;
    bool m_active = false;
    bool m_noActivate = false;
    bool m_modal = false;
    bool m_shownOnce = false;
    bool m_runningCreateHandler = false;
    TModalResult m_modalResult = mrNone;
    TRect m_restoredBounds;
    // Shared with a backend that shows it without copying.
    std::shared_ptr<TBitmap> m_surface = std::make_shared<TBitmap>();
    TNativeWindowId m_nativeWindow = 0;
    std::uint64_t m_presentCount = 0;
    // The part of the surface changed since its last present.
    TRegion m_damage;
    TCanvas* m_paintCanvas = nullptr;
    TButtonBehaviour m_closeButton;
    TButtonBehaviour m_maxButton;
};
