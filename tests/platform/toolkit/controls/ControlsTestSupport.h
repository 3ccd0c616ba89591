#pragma once

#include "platform/toolkit/ToolkitTestSupport.h"

// A shown borderless form at (100, 100) for the standard controls, and a loop runner that
// moves the virtual clock.
class ControlsTest : public ToolkitTest {
protected:
    ControlsTest() { form = MakeForm(400, 300); }

    void ShowForm() {
        form->Show();
        Pump();
    }
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
    void Wait(std::uint64_t ms) { RunUntil(Backend().NowMs() + ms); }
    // Screen position of a control's client point.
    static TPoint At(const TControl& c, int x, int y) { return c.ClientToScreen({x, y}); }

    TForm* form;
};
