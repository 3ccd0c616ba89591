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
    // Screen position of a control's client point.
    static TPoint At(const TControl& c, int x, int y) { return c.ClientToScreen({x, y}); }

    TForm* form;
};
