#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <optional>

#include <gtest/gtest.h>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"

// A fixture with an application on the headless backend (an 800x600 screen, the clock at
// 1000 ms) and input helpers in screen coordinates. Whenever the toolkit would wait, the
// fixture runs the next of its Steps (so a modal loop can be driven); with none left, the
// application is terminated and Starved set, so that a test never hangs. While ClockTarget is
// set, a wait for a timer due up to that time moves the clock to the timer instead.
class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest() {
        auto backend = std::make_unique<THeadlessBackend>(TSize{800, 600});
        backend_ = backend.get();
        backend_->Clock().AdvanceTo(1000);
        backend_->SetIdleHandler([this](std::optional<std::uint64_t> deadline) { Idle(deadline); });
        app_ = std::make_unique<TApplication>(std::move(backend));
    }

    THeadlessBackend& Backend() { return *backend_; }
    void Pump() { Application->ProcessMessages(); }
    // Runs the loop until the virtual clock reaches `until`, firing due timers on the way.
    void RunUntil(std::uint64_t until) {
        ClockTarget = until;
        while (true) {
            Application->ProcessMessages();
            auto due = Application->NextTimerDue();
            if (!due || *due > until) break;
            Application->HandleMessage();
        }
        Backend().Clock().AdvanceTo(until);
        ClockTarget.reset();
    }
    // Runs the loop until the virtual clock has moved by ms.
    void Wait(std::uint64_t ms) { RunUntil(Backend().NowMs() + ms); }

    void Push(TBackendEventKind kind, TPoint p = {}, TMouseButton b = TMouseButton::mbLeft) {
        TBackendEvent e;
        e.Kind = kind;
        e.ScreenPos = p;
        e.Button = b;
        e.Shift = m_shift;
        backend_->PostEvent(e);
    }
    void Move(int x, int y) {
        Push(TBackendEventKind::MouseMove, {x, y});
        Pump();
    }
    void Press(int x, int y, TMouseButton b = TMouseButton::mbLeft) {
        Push(TBackendEventKind::MouseMove, {x, y});
        Push(TBackendEventKind::MouseDown, {x, y}, b);
        Pump();
    }
    void Release(int x, int y, TMouseButton b = TMouseButton::mbLeft) {
        Push(TBackendEventKind::MouseMove, {x, y});
        Push(TBackendEventKind::MouseUp, {x, y}, b);
        Pump();
    }
    void Click(int x, int y) {
        Press(x, y);
        Release(x, y);
    }
    // Clicks the centre of a control.
    void ClickControl(TControl& c) {
        TRect r = c.ScreenRect();
        Click(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    void KeyDown(int key, std::uint32_t shift = 0) {
        TBackendEvent e;
        e.Kind = TBackendEventKind::KeyDown;
        e.Key = key;
        e.Shift = shift;
        backend_->PostEvent(e);
        Pump();
    }
    void KeyUp(int key, std::uint32_t shift = 0) {
        TBackendEvent e;
        e.Kind = TBackendEventKind::KeyUp;
        e.Key = key;
        e.Shift = shift;
        backend_->PostEvent(e);
        Pump();
    }
    void Key(int key, std::uint32_t shift = 0) {
        KeyDown(key, shift);
        KeyUp(key, shift);
    }
    void Type(const std::string& text) {
        TBackendEvent e;
        e.Kind = TBackendEventKind::Text;
        e.Text = text;
        backend_->PostEvent(e);
        Pump();
    }

    // A shown form at (100, 100) with the given client size and border style.
    TForm* MakeForm(int cw = 200, int ch = 150, TFormBorderStyle style = TFormBorderStyle::bsNone) {
        auto* f = new TForm(Application);
        f->SetBorderStyle(style);
        f->SetBounds(100, 100, 10, 10);
        f->SetClientWidth(cw);
        f->SetClientHeight(ch);
        return f;
    }

    std::deque<std::function<void()>> Steps;
    std::optional<std::uint64_t> ClockTarget;
    int Waits = 0; // how often the toolkit found nothing to do and would have waited
    bool Starved = false;

    THeadlessBackend* backend_;
    std::unique_ptr<TApplication> app_;
    std::uint32_t m_shift = 0;

private:
    void Idle(std::optional<std::uint64_t> deadline) {
        ++Waits;
        if (deadline && ClockTarget && *deadline <= *ClockTarget) {
            backend_->Clock().AdvanceTo(*deadline);
        } else if (!Steps.empty()) {
            auto step = std::move(Steps.front());
            Steps.pop_front();
            step();
        } else {
            Starved = true;
            if (Application) Application->Terminate();
        }
    }
};
