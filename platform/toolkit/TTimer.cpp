#include "platform/toolkit/TTimer.h"

#include "platform/toolkit/TApplication.h"

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
    if (Application) Application->StopComponentTimer(this);
}

void TTimer::SetEnabled(bool enabled) {
    if (enabled == m_enabled) return;
    m_enabled = enabled;
    UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
    if (ms == m_interval) return;
    m_interval = ms;
    UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
    m_onTimer = std::move(handler);
    UpdateTimer();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    UpdateTimer();
}

void TTimer::UpdateTimer() {
    if (!Application) {
        m_running = false;
        return;
    }
    Application->StopComponentTimer(this);
    m_running = m_enabled && m_interval > 0 && m_onTimer;
    if (m_running) Application->StartComponentTimer(this, m_interval);
}

void TTimer::WndProc(TMessage& message) {
    if (message.Msg != WM_TIMER) return;
    try {
        Timer();
    } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
    }
}

void TTimer::Timer() {
    if (!m_onTimer) return;
    // A copy: the handler may free this timer.
    TNotifyEvent handler = m_onTimer;
    handler(this);
}
