#include <string>
#include <vector>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/MessageBeep.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TLabel.h"

namespace {

// Logs the messages of interest that reach a control's window procedure, then passes them on.
void LogMessages(TControl& c, std::vector<std::string>& log) {
    TWndMethod old = c.WindowProc();
    c.SetWindowProc([&log, old](TMessage& m) {
        switch (m.Msg) {
        case WM_LBUTTONDOWN:
            log.push_back("down");
            break;
        case WM_LBUTTONUP:
            log.push_back("up");
            break;
        case WM_LBUTTONDBLCLK:
            log.push_back("dblclk");
            break;
        case WM_CAPTURECHANGED:
            log.push_back("capturechanged");
            break;
        case CM_MOUSEENTER:
            if (m.LParam == 0) log.push_back("enter");
            break;
        case CM_MOUSELEAVE:
            if (m.LParam == 0) log.push_back("leave");
            break;
        default:
            break;
        }
        old(m);
    });
}

class InputTest : public ToolkitTest {
protected:
    InputTest() {
        form = MakeForm(200, 150);
        button = new TButton(form);
        button->SetParent(form);
        button->SetBounds(10, 10, 80, 30);
        form->Show();
        Pump();
    }
    TForm* form;
    TButton* button;
};

TEST_F(InputTest, ClickMessagesArriveAsPressCaptureReleaseClick) {
    std::vector<std::string> log;
    LogMessages(*button, log);
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) {
        if (button->MouseCapture()) log.push_back("captured");
    };
    button->OnClick = [&](TObject*) { log.push_back("click"); };
    Move(150, 150);
    log.clear();
    Click(130, 125);
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "down", "captured", "up", "capturechanged", "click"}));
}

TEST_F(InputTest, MouseEnterAndLeavePerControlIncludingWindowless) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 100, 60, 20);
    std::vector<std::string> buttonLog, labelLog;
    LogMessages(*button, buttonLog);
    LogMessages(*label, labelLog);
    Move(150, 150);
    Move(120, 120);
    Move(150, 150);
    Move(120, 210);
    Move(50, 50);
    EXPECT_EQ(buttonLog, (std::vector<std::string>{"enter", "leave"}));
    EXPECT_EQ(labelLog, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(InputTest, DoubleClickOnPushButtonGivesTwoClicks) {
    int clicks = 0;
    std::vector<std::string> log;
    LogMessages(*button, log);
    button->OnClick = [&](TObject*) { ++clicks; };
    Click(120, 120);
    Backend().Clock().AdvanceBy(50);
    Click(120, 120);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(std::count(log.begin(), log.end(), "dblclk"), 0);
}

TEST_F(InputTest, DoubleClickArrivesForControlsThatAskForIt) {
    int doubles = 0;
    form->OnDblClick = [&](TObject*) { ++doubles; };
    form->SetControlStyle(form->ControlStyle().With(TControlStyleFlag::csDoubleClicks));
    Click(250, 200);
    Backend().Clock().AdvanceBy(50);
    Click(250, 200);
    EXPECT_EQ(doubles, 1);
}

TEST_F(InputTest, ReleaseAfterDraggingOffGivesNoClickAndDropsPushedLook) {
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    Press(120, 120);
    EXPECT_TRUE(button->Behaviour().IsPushed());
    Move(250, 220);
    EXPECT_FALSE(button->Behaviour().IsPushed());
    EXPECT_TRUE(button->Behaviour().IsHeld());
    Move(121, 121);
    EXPECT_TRUE(button->Behaviour().IsPushed());
    Move(250, 220);
    Release(250, 220);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(button->MouseCapture());
}

// A graphic control captures the mouse while pressed and clicks on its release; giving the
// capture back on that release must not cost it the click.
TEST_F(InputTest, GraphicControlClicksOnReleaseOverItAndNotAfterDraggingOff) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetAutoSize(false);
    label->SetBounds(10, 60, 80, 30);
    label->SetControlStyle(label->ControlStyle().With(TControlStyleFlag::csCaptureMouse));
    int clicks = 0;
    label->OnClick = [&](TObject*) { ++clicks; };
    Click(130, 170);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(label->MouseCapture());
    Press(130, 170);
    EXPECT_TRUE(label->MouseCapture());
    Move(250, 240);
    Release(250, 240);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(label->MouseCapture());
}

TEST_F(InputTest, PressOnFormSurfaceReachesFormNotButton) {
    int formDowns = 0, buttonDowns = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int x, int y) {
        ++formDowns;
        EXPECT_EQ(x, 150);
        EXPECT_EQ(y, 100);
    };
    button->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++buttonDowns; };
    Press(250, 200, TMouseButton::mbRight);
    Press(120, 120, TMouseButton::mbRight);
    EXPECT_EQ(formDowns, 1);
    EXPECT_EQ(buttonDowns, 1);
}

TEST_F(InputTest, DisabledButtonSwallowsThePress) {
    int formDowns = 0, clicks = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; };
    button->OnClick = [&](TObject*) { ++clicks; };
    button->SetEnabled(false);
    Click(120, 120);
    EXPECT_EQ(formDowns, 0);
    EXPECT_EQ(clicks, 0);
}

TEST_F(InputTest, WindowRegionLimitsWhereTheControlTakesTheMouse) {
    TRegion rgn(TRect{0, 0, 80, 30});
    rgn.Subtract(TRect{0, 0, 10, 10});
    button->SetWindowRgn(rgn, true);
    int formDowns = 0;
    form->OnMouseDown = [&](TObject*, TMouseButton, TShiftState, int, int) { ++formDowns; };
    Press(112, 112);
    Release(112, 112);
    EXPECT_EQ(formDowns, 1);
}

TEST_F(InputTest, WheelGoesToTheControlUnderTheMouseAndUpToItsParent) {
    int seen = 0, delta = 0;
    form->OnMouseWheel = [&](TObject*, TShiftState, int d, TPoint, bool& handled) {
        ++seen;
        delta = d;
        handled = true;
    };
    TBackendEvent e;
    e.Kind = TBackendEventKind::MouseWheel;
    e.ScreenPos = {120, 120};
    e.WheelDelta = -120;
    Backend().PostEvent(e);
    Pump();
    EXPECT_EQ(seen, 1);
    EXPECT_EQ(delta, -120);
}

TEST(ButtonBehaviourTest, KeyHoldIsPushedAndReleasingClicks) {
    TButtonBehaviour b;
    EXPECT_TRUE(b.KeyDown().Changed);
    EXPECT_TRUE(b.IsPushed());
    auto r = b.KeyUp();
    EXPECT_TRUE(r.Click);
    EXPECT_FALSE(b.IsPushed());
}

TEST(ButtonBehaviourTest, CancelDropsThePressWithoutClick) {
    TButtonBehaviour b;
    b.MouseDown();
    auto r = b.Cancel();
    EXPECT_TRUE(r.Changed);
    EXPECT_FALSE(r.Click);
    EXPECT_FALSE(b.MouseUp(true).Click);
}

} // namespace

namespace {

TEST_F(InputTest, ARefusedInputsWarningSoundReachesTheBackend) {
    const std::uint64_t counted = MessageBeepCount();
    MessageBeep();
    MessageBeep();
    EXPECT_EQ(Backend().Beeps(), 2u);
    EXPECT_EQ(MessageBeepCount(), counted + 2);
}

} // namespace
