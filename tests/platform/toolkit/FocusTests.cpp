#include <string>
#include <vector>

#include "ToolkitTestSupport.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TCustomControl.h"
#include "platform/toolkit/TLabel.h"

namespace {

// A focusable control that is no button (as an edit is to the dialog keys).
class TFocusBox : public TCustomControl {
public:
    explicit TFocusBox(TComponent* owner) : TCustomControl(owner) { SetTabStop(true); }
    std::vector<std::string>* Log = nullptr;

protected:
    TLResult DialogCode() const override { return DLGC_WANTCHARS; }
    void WMSetFocus(TWMFocus& m) override {
        if (Log) Log->push_back("set:" + Name());
        TCustomControl::WMSetFocus(m);
    }
    void WMKillFocus(TWMFocus& m) override {
        if (Log) Log->push_back("kill:" + Name());
        TCustomControl::WMKillFocus(m);
    }
};

class FocusTest : public ToolkitTest {
protected:
    FocusTest() {
        form = MakeForm(300, 200);
        for (int i = 0; i < 3; ++i) {
            auto* b = new TFocusBox(form);
            b->SetName("Box" + std::to_string(i));
            b->SetParent(form);
            b->SetBounds(10, 10 + 40 * i, 100, 30);
            b->Log = &log;
            boxes.push_back(b);
        }
        ok = new TButton(form);
        ok->SetParent(form);
        ok->SetBounds(150, 150, 60, 25);
        ok->SetCaption("OK");
        ok->SetDefault(true);
        ok->SetModalResult(mrOk);
        cancel = new TButton(form);
        cancel->SetParent(form);
        cancel->SetBounds(220, 150, 60, 25);
        cancel->SetCaption("&Cancel");
        cancel->SetCancel(true);
        cancel->SetModalResult(mrCancel);
        ok->OnClick = [&](TObject*) { clicks.push_back("ok"); };
        cancel->OnClick = [&](TObject*) { clicks.push_back("cancel"); };
    }
    TForm* form;
    std::vector<TFocusBox*> boxes;
    TButton* ok;
    TButton* cancel;
    std::vector<std::string> log;
    std::vector<std::string> clicks;
};

TEST_F(FocusTest, ShowingFocusesTheFirstControlInTabOrder) {
    boxes[2]->SetTabOrder(0);
    form->Show();
    EXPECT_EQ(GetFocus(), boxes[2]);
    EXPECT_EQ(log, (std::vector<std::string>{"set:Box2"}));
}

TEST_F(FocusTest, TabAndShiftTabFollowTabOrderAndWrap) {
    boxes[2]->SetTabOrder(0);
    form->Show();
    log.clear();
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), boxes[0]);
    Key(VK_TAB);
    Key(VK_TAB);
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), cancel);
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), boxes[2]);
    Key(VK_TAB, ssShift);
    EXPECT_EQ(GetFocus(), cancel);
    EXPECT_EQ(log[0], "kill:Box2");
    EXPECT_EQ(log[1], "set:Box0");
}

TEST_F(FocusTest, TabSkipsControlsWithoutTabStopHiddenOrDisabled) {
    boxes[1]->SetTabStop(false);
    boxes[2]->SetVisible(false);
    ok->SetEnabled(false);
    form->Show();
    Key(VK_TAB);
    EXPECT_EQ(GetFocus(), cancel);
}

TEST_F(FocusTest, EnterPressesTheDefaultButtonWhileAnotherControlHasFocus) {
    form->Show();
    Key(VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
    EXPECT_EQ(form->ModalResult(), mrOk);
}

TEST_F(FocusTest, EnterPressesTheFocusedButtonInsteadOfTheDefault) {
    form->Show();
    cancel->SetFocus();
    EXPECT_TRUE(cancel->IsActive());
    EXPECT_FALSE(ok->IsActive());
    Key(VK_RETURN);
    EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(FocusTest, EscapePressesTheCancelButton) {
    form->Show();
    Key(VK_ESCAPE);
    EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
    EXPECT_EQ(form->ModalResult(), mrCancel);
}

TEST_F(FocusTest, SpaceHeldPushesTheFocusedButtonAndReleaseClicks) {
    form->Show();
    ok->SetFocus();
    KeyDown(VK_SPACE);
    Type(" ");
    EXPECT_TRUE(ok->Behaviour().IsPushed());
    EXPECT_EQ(ok->Perform(BM_GETSTATE) & BST_PUSHED, BST_PUSHED);
    EXPECT_TRUE(clicks.empty());
    KeyUp(VK_SPACE);
    EXPECT_EQ(clicks, (std::vector<std::string>{"ok"}));
}

TEST_F(FocusTest, AltLetterClicksTheButtonWithThatAccelerator) {
    form->Show();
    Key('C', ssAlt);
    EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(FocusTest, PlainLetterIsAnAcceleratorOnlyWhereCharactersAreNotWanted) {
    form->Show();
    Type("c");
    EXPECT_TRUE(clicks.empty());
    ok->SetFocus();
    Type("c");
    EXPECT_EQ(clicks, (std::vector<std::string>{"cancel"}));
}

TEST_F(FocusTest, LabelAcceleratorFocusesItsFocusControl) {
    auto* label = new TLabel(form);
    label->SetParent(form);
    label->SetCaption("&Name");
    label->SetFocusControl(boxes[2]);
    form->Show();
    Key('N', ssAlt);
    EXPECT_EQ(GetFocus(), boxes[2]);
}

TEST_F(FocusTest, ArrowKeysMoveAmongSiblings) {
    form->Show();
    Key(VK_DOWN);
    EXPECT_EQ(GetFocus(), boxes[1]);
    Key(VK_UP);
    EXPECT_EQ(GetFocus(), boxes[0]);
}

TEST_F(FocusTest, AltF4SendsTheCloseCommandToTheActiveForm) {
    form->Show();
    std::vector<TWParam> commands;
    TWndMethod old = form->WindowProc();
    form->SetWindowProc([&, old](TMessage& m) {
        if (m.Msg == WM_SYSCOMMAND) commands.push_back(m.WParam);
        old(m);
    });
    bool closed = false;
    form->OnClose = [&](TObject*, TCloseAction&) { closed = true; };
    Key(VK_F4, ssAlt);
    EXPECT_EQ(commands, (std::vector<TWParam>{SC_CLOSE}));
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->Visible());
}

TEST_F(FocusTest, ClickingAButtonFocusesIt) {
    form->Show();
    Click(280, 260);
    EXPECT_EQ(GetFocus(), ok);
}

TEST_F(FocusTest, HidingTheFocusedControlDropsTheFocus) {
    form->Show();
    boxes[0]->Hide();
    EXPECT_NE(GetFocus(), boxes[0]);
    EXPECT_EQ(log.back(), "kill:Box0");
}

} // namespace
