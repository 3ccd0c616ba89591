#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>

#include <gtest/gtest.h>

#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TBackend.h"
#include "platform/toolkit/TForm.h"

// A backend for the toolkit's unit tests: a virtual clock, a virtual screen that keeps each
// window's last picture, and a list of steps that run whenever the toolkit would wait (so a
// modal loop can be driven). With no step left, the application is terminated and Starved set,
// so that a test never hangs.
class TFakeBackend : public TBackend {
public:
    struct TWindow {
        TRect Bounds;
        std::string Title;
        bool Visible = false;
        bool StayOnTop = false;
        TBitmap Picture;
        int Presents = 0;
    };

    std::string Name() const override { return "fake"; }
    TSize ScreenSize() const override { return Screen; }
    TNativeWindowId CreateWindow(const TRect& r, const std::string& title,
                                 TNativeWindowStyle style) override {
        TNativeWindowId id = ++m_next;
        Windows[id] = {r, title, style.Visible, style.StayOnTop, {}, 0};
        return id;
    }
    void DestroyWindow(TNativeWindowId id) override { Windows.erase(id); }
    void SetWindowBounds(TNativeWindowId id, const TRect& r) override { Windows[id].Bounds = r; }
    void SetWindowTitle(TNativeWindowId id, const std::string& t) override { Windows[id].Title = t; }
    void ShowWindow(TNativeWindowId id, bool v) override { Windows[id].Visible = v; }
    void RaiseWindow(TNativeWindowId id) override { Raised.push_back(id); }
    void Present(TNativeWindowId id, const TBitmap& picture) override {
        Windows[id].Picture = picture;
        ++Windows[id].Presents;
        ++TotalPresents;
    }
    void CaptureMouse(TNativeWindowId id) override { Capture = id; }
    std::uint64_t NowMs() const override { return Now; }
    // Moves the clock on; OnSleep sees the call first (what was presented while it slept).
    void Sleep(unsigned ms) override {
        if (OnSleep) OnSleep(ms);
        Now += ms;
    }
    std::function<void(unsigned)> OnSleep;
    std::vector<TBackendEvent> WaitEvents(std::optional<std::uint64_t> deadline) override {
        ++Waits;
        if (Events.empty() && deadline && ClockTarget && *deadline <= *ClockTarget) {
            Now = std::max(Now, *deadline);
            return {};
        }
        if (Events.empty() && !Steps.empty()) {
            auto step = std::move(Steps.front());
            Steps.pop_front();
            step();
        } else if (Events.empty()) {
            Starved = true;
            if (Application) Application->Terminate();
        }
        return PollEvents();
    }
    std::vector<TBackendEvent> PollEvents() override {
        std::vector<TBackendEvent> out(Events.begin(), Events.end());
        Events.clear();
        return out;
    }
    void Wake() override {}

    TSize Screen{800, 600};
    std::uint64_t Now = 1000;
    // While set, a wait with a deadline up to this time advances the clock to the deadline.
    std::optional<std::uint64_t> ClockTarget;
    std::map<TNativeWindowId, TWindow> Windows;
    std::vector<TNativeWindowId> Raised;
    std::deque<TBackendEvent> Events;
    std::deque<std::function<void()>> Steps;
    TNativeWindowId Capture = 0;
    int TotalPresents = 0;
    int Waits = 0;
    bool Starved = false;

private:
    TNativeWindowId m_next = 0;
};

// A fixture with an application on the fake backend and input helpers in screen coordinates.
class ToolkitTest : public ::testing::Test {
protected:
    ToolkitTest() {
        auto backend = std::make_unique<TFakeBackend>();
        backend_ = backend.get();
        app_ = std::make_unique<TApplication>(std::move(backend));
    }

    TFakeBackend& Backend() { return *backend_; }
    void Pump() { Application->ProcessMessages(); }

    void Push(TBackendEventKind kind, TPoint p = {}, TMouseButton b = TMouseButton::mbLeft) {
        TBackendEvent e;
        e.Kind = kind;
        e.ScreenPos = p;
        e.Button = b;
        e.Shift = m_shift;
        backend_->Events.push_back(e);
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
        backend_->Events.push_back(e);
        Pump();
    }
    void KeyUp(int key, std::uint32_t shift = 0) {
        TBackendEvent e;
        e.Kind = TBackendEventKind::KeyUp;
        e.Key = key;
        e.Shift = shift;
        backend_->Events.push_back(e);
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
        backend_->Events.push_back(e);
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

    TFakeBackend* backend_;
    std::unique_ptr<TApplication> app_;
    std::uint32_t m_shift = 0;
};
