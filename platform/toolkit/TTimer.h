#pragma once

#include "platform/toolkit/Messages.h"
#include "platform/toolkit/TComponent.h"

// A timer component: while Enabled with a positive Interval and an OnTimer handler, OnTimer
// runs every Interval milliseconds on the user-interface thread, as a WM_TIMER message
// handled by the loop. The handler may stop the timer, change its interval or free it.
class TTimer : public TComponent {
public:
    explicit TTimer(TComponent* owner);
    ~TTimer() override;
    std::string ClassName() const override { return "TTimer"; }

    bool Enabled() const { return m_enabled; }
    void SetEnabled(bool enabled);
    // Milliseconds; a change restarts the period from now.
    unsigned Interval() const { return m_interval; }
    void SetInterval(unsigned ms);
    // Setting the handler (re)starts the timer when enabled.
    void SetOnTimer(TNotifyEvent handler);
    const TNotifyEvent& OnTimer() const { return m_onTimer; }
    // Whether the application's loop has it scheduled now.
    bool IsRunning() const { return m_running; }

    // The tick message: WM_TIMER runs Timer().
    virtual void WndProc(TMessage& message);
    void Loaded() override;

protected:
    // Runs OnTimer.
    virtual void Timer();

private:
    void UpdateTimer();
    friend class TApplication;

    bool m_enabled = true;
    unsigned m_interval = 1000;
    TNotifyEvent m_onTimer;
    bool m_running = false;
};
