#pragma once

#include <cstdint>
#include <deque>
#include <exception>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/toolkit/TBackend.h"
#include "platform/toolkit/TComponent.h"
#include "platform/toolkit/TCustomForm.h"

class TTimer;
class TScreen;
class TJsonWriter;

// The application: owner of the forms, the message loop, posted messages, timers, and the
// input pipeline that turns backend events (screen coordinates) into messages for the right
// form and control. One exists per process while the program runs; the global `Application`
// points to it (see below).
//
// The loop never spins: when nothing is pending it composes and presents every form that
// changed and then waits in TBackend::WaitEvents until an event arrives or the next timer is
// due.
class TApplication : public TComponent {
public:
    // Takes the backend; sets the global Application and Screen.
    explicit TApplication(std::unique_ptr<TBackend> backend);
    ~TApplication() override;

    std::string ClassName() const override { return "TApplication"; }

    TBackend& Backend() { return *m_backend; }
    bool HasBackend() const { return m_backend != nullptr; }
    void Initialize() {}
    void SetTitle(const std::string& t) { m_title = t; }

    // --- forms ---
    // Creates a form owned by the application; the first one becomes the main form.
    template <class T> T* CreateForm(T** reference = nullptr) {
        T* form = new T(this);
        if (reference) *reference = form;
        if (!m_mainForm) m_mainForm = form;
        return form;
    }
    TCustomForm* MainForm() const { return m_mainForm; }
    // Forms owned by the application, from the last created to the first.
    std::vector<TCustomForm*> FormsLastToFirst() const;
    TCustomForm* ActiveForm() const { return m_activeForm; }

    // --- loop ---
    // Shows the main form and handles messages until Terminate.
    void Run();
    void Terminate();
    bool Terminated() const { return m_terminated; }
    // Handles one message, or, when none is pending, paints and waits for the next.
    void HandleMessage();
    // Handles every pending message and paints, without waiting.
    void ProcessMessages();
    // Depth of nested modal loops.
    int ModalLevel() const { return int(m_modalStack.size()); }
    // Shows an exception in an error message box (what escapes a message handler comes here).
    void HandleException(const std::exception& e);
    void HandleException(const std::string& message);

    // --- messages and timers ---
    // Queues a message for the window; it is sent when the loop reaches it. False when the
    // handle names no window.
    bool PostMessage(THandle window, std::uint32_t msg, TWParam w = 0, TLParam l = 0);
    // Window timers: WM_TIMER (WParam = id) every interval ms while set. Setting an existing
    // id restarts it. Returns the id.
    std::uintptr_t SetTimer(THandle window, std::uintptr_t id, unsigned intervalMs);
    bool KillTimer(THandle window, std::uintptr_t id);
    // TTimer's timers (the tick is a WM_TIMER message to the TTimer).
    void StartComponentTimer(TTimer* timer, unsigned intervalMs);
    void StopComponentTimer(TTimer* timer);
    // Stops every window timer of the window (its handle is going away).
    void KillTimersOf(THandle window);
    // The backend's clock, in milliseconds.
    std::uint64_t NowMs() const { return m_backend->NowMs(); }
    // Blocks the thread for ms on the backend's clock (a headless run moves its virtual clock).
    void Sleep(unsigned ms) { m_backend->Sleep(ms); }
    // The next timer deadline, if any.
    std::optional<std::uint64_t> NextTimerDue() const;

    // Whether hints are shown (skinned buttons switch them off while the mouse is pressed).
    bool ShowHint() const { return m_showHint; }
    void SetShowHint(bool show) { m_showHint = show; }

    // --- input state ---
    TControl* CaptureControl() const { return m_capture; }
    void SetCaptureControl(TControl* control);
    TPoint MousePos() const { return m_mousePos; }
    TShiftState ShiftState() const { return m_shift; }
    // The focused control: the active form's active control, or the active form; null when
    // no form is active.
    TWinControl* FocusedControl() const;

    // --- the toolkit's bookkeeping ---
    void FormActivating(TCustomForm* form, bool byClick);
    void FormDeactivated(TCustomForm* form);
    void FormHidden(TCustomForm* form);
    void ControlDestroying(TControl* control);
    void FormDestroying(TCustomForm* form);
    void PushModal(TCustomForm* form);
    void PopModal(TCustomForm* form);
    // The modal form that currently takes input, or null.
    TCustomForm* TopModalForm() const { return m_modalStack.empty() ? nullptr : m_modalStack.back(); }
    // Starts dragging a form by its caption (HTCAPTION) or border (sizing hit codes).
    void BeginFormTracking(TCustomForm* form, int hitCode, TPoint screenPos);
    // Title-button tracking: NC mouse moves and the release go to the form as WM_NC* messages.
    void BeginNonClientButtonTracking(TCustomForm* form);
    // Composes and presents every visible form that has pending paint.
    void ComposeAll();

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    struct TTimerEntry {
        THandle Window = 0;
        std::uintptr_t Id = 0;
        TTimer* Component = nullptr;
        unsigned Interval = 0;
        std::uint64_t Due = 0;
        std::uint64_t Serial = 0;
    };
    struct TPosted {
        THandle Window;
        TMessage Message;
    };
    enum class TTrackMode { None, Move, Size, NonClientButton };
    struct TTracking {
        TTrackMode Mode = TTrackMode::None;
        TCustomForm* Form = nullptr;
        int HitCode = 0;
        TPoint StartPos;
        TRect StartBounds;
    };

    bool ProcessOne();
    bool FireDueTimer();
    void FetchEvents(bool wait);
    void HandleBackendEvent(const TBackendEvent& e);
    void HandleMouse(const TBackendEvent& e);
    void HandleKey(const TBackendEvent& e);
    void HandleText(const TBackendEvent& e);
    void HandleTracking(const TBackendEvent& e);
    TCustomForm* FormAt(TPoint screenPos, TNativeWindowId hint) const;
    TCustomForm* FormOfNative(TNativeWindowId id) const;
    bool FormTakesInput(TCustomForm* form) const;
    void KeepModalActive();
    void UpdateMouseControl(TControl* control);
    void SendClientMouse(TControl* target, std::uint32_t msg, TWParam keys, TPoint screenPos, int wheel = 0);
    TControl* ClientControlAt(TCustomForm* form, TPoint screenPos) const;
    TWParam MouseKeys() const;

    std::unique_ptr<TBackend> m_backend;
    std::unique_ptr<TScreen> m_screen;
    std::string m_title;
    TCustomForm* m_mainForm = nullptr;
    TCustomForm* m_activeForm = nullptr;
    bool m_terminated = false;
    bool m_showingException = false;
    bool m_showHint = true;
    std::deque<TBackendEvent> m_events;
    std::deque<TPosted> m_posted;
    std::vector<TTimerEntry> m_timers;
    std::uint64_t m_timerSerial = 0;
    std::vector<TCustomForm*> m_modalStack;
    TControl* m_capture = nullptr;
    TControl* m_mouseControl = nullptr;
    TPoint m_mousePos;
    TShiftState m_shift = 0;
    TTracking m_tracking;
    // Double clicks: the last press.
    TControl* m_lastPressControl = nullptr;
    TMouseButton m_lastPressButton = TMouseButton::mbLeft;
    std::uint64_t m_lastPressTime = 0;
    TPoint m_lastPressPos;
    bool m_lastPressWasDouble = false;
    std::uint32_t m_heldButtons = 0;
};

// The one application of the process, set while a TApplication exists (null otherwise).
extern TApplication* Application;

// Window-system calls by handle (the same handler as Perform; null handles answer 0).
TLResult SendMessage(THandle window, std::uint32_t msg, TWParam w = 0, TLParam l = 0);
bool PostMessage(THandle window, std::uint32_t msg, TWParam w = 0, TLParam l = 0);
// The control that has the keyboard focus, or null.
TWinControl* GetFocus();
// The class name of the window's control ("" for no window).
std::string GetClassName(THandle window);
