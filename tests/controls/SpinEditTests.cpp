#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "controls/TsSpinButton.h"
#include "controls/TsSpinEdit.h"
#include "controls/TsTimerSpeedButton.h"
#include "platform/core/VirtualKeys.h"
#include "platform/toolkit/MessageBeep.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/ToolkitTestSupport.h"

namespace {

// A spin edit as the options dialog places it: 0 .. 1000 in steps of 10, on a shown form.
class SpinEditTest : public ToolkitTest {
protected:
    SpinEditTest() {
        form_ = MakeForm(300, 200);
        edit_ = new TsSpinEdit(form_);
        edit_->SetBounds(20, 30, 65, 21);
        edit_->SetParent(form_);
        edit_->SetIncrement(10);
        edit_->SetMinValue(0);
        edit_->SetMaxValue(1000);
        edit_->SetValue(50);
        other_ = new TEdit(form_);
        other_->SetBounds(20, 100, 80, 21);
        other_->SetParent(form_);
        edit_->OnChange = [this](TObject*) { changes_.push_back(edit_->Text()); };
        form_->Show();
        Pump();
    }
    ~SpinEditTest() override { delete form_; }

    void Focus() {
        edit_->SetFocus();
        Pump();
        edit_->SelectAll();
    }
    TPoint Centre(const TControl& c) const {
        const TRect r = c.ScreenRect();
        return {r.Left + r.Width() / 2, r.Top + r.Height() / 2};
    }
    void Wheel(int delta) {
        const TPoint p = Centre(*edit_);
        TBackendEvent e;
        e.Kind = TBackendEventKind::MouseWheel;
        e.ScreenPos = p;
        e.WheelDelta = delta;
        Push(TBackendEventKind::MouseMove, p);
        Backend().PostEvent(e);
        Pump();
    }

    TForm* form_ = nullptr;
    TsSpinEdit* edit_ = nullptr;
    TEdit* other_ = nullptr;
    std::vector<std::string> changes_;
};

TEST_F(SpinEditTest, ValueReadsTheText) {
    edit_->SetText("240");
    EXPECT_EQ(edit_->Value(), 240);
}

TEST_F(SpinEditTest, EmptyOrUnreadableTextReadsAsMinValue) {
    edit_->SetMinValue(-20);
    edit_->SetText("");
    EXPECT_EQ(edit_->Value(), -20);
    edit_->SetText("12ab");
    EXPECT_EQ(edit_->Value(), -20);
}

TEST_F(SpinEditTest, ValueWritesAreLimitedToTheRange) {
    edit_->SetValue(5000);
    EXPECT_EQ(edit_->Text(), "1000");
    edit_->SetValue(-3);
    EXPECT_EQ(edit_->Text(), "0");
}

TEST_F(SpinEditTest, EqualLimitsMeanNoLimit) {
    edit_->SetMinValue(0);
    edit_->SetMaxValue(0);
    edit_->SetValue(-123456);
    EXPECT_EQ(edit_->Value(), -123456);
    EXPECT_EQ(edit_->CheckValue(99999), 99999);
}

TEST_F(SpinEditTest, StepsStopAtTheEndsOfTheIntegerRange) {
    edit_->SetMinValue(0);
    edit_->SetMaxValue(0);
    edit_->SetIncrement(1000);
    edit_->SetText("2147483000");
    edit_->UpClick(edit_);
    EXPECT_EQ(edit_->Text(), "2147483647");
}

TEST_F(SpinEditTest, TypedMinusIsRefusedWithABeep) {
    Focus();
    const auto beeps = MessageBeepCount();
    Type("-5");
    EXPECT_EQ(edit_->Text(), "5");
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
}

TEST_F(SpinEditTest, SpacePlusAndLettersAreRefused) {
    Focus();
    const auto beeps = MessageBeepCount();
    Type("1 +a2");
    EXPECT_EQ(edit_->Text(), "12");
    EXPECT_EQ(MessageBeepCount(), beeps + 3);
}

TEST_F(SpinEditTest, WithoutTheEditorDigitsAndBackspaceAreRefused) {
    edit_->SetEditorEnabled(false);
    Focus();
    edit_->SetSelStart(edit_->TextLength());
    const auto beeps = MessageBeepCount();
    Type("7");
    Key(VK_BACK);
    EXPECT_EQ(edit_->Text(), "50");
    EXPECT_EQ(MessageBeepCount(), beeps + 2);
}

TEST_F(SpinEditTest, PasteIsIgnoredWithoutTheEditor) {
    edit_->SetEditorEnabled(false);
    Focus();
    edit_->Perform(WM_PASTE);
    edit_->Perform(WM_CUT);
    EXPECT_EQ(edit_->Text(), "50");
}

TEST_F(SpinEditTest, LeavingClampsAValueAboveTheRange) {
    Focus();
    Type("1500");
    EXPECT_EQ(edit_->Value(), 1500);
    changes_.clear();
    other_->SetFocus();
    Pump();
    EXPECT_EQ(edit_->Text(), "1000");
    EXPECT_EQ(changes_, std::vector<std::string>{"1000"});
}

TEST_F(SpinEditTest, LeavingKeepsTextThatIsNotANumber) {
    Focus();
    edit_->SetText("abc");
    other_->SetFocus();
    Pump();
    EXPECT_EQ(edit_->Text(), "abc");
}

TEST_F(SpinEditTest, UpAndDownKeysStep) {
    Focus();
    Key(VK_UP);
    EXPECT_EQ(edit_->Value(), 60);
    Key(VK_DOWN);
    Key(VK_DOWN);
    EXPECT_EQ(edit_->Value(), 40);
}

TEST_F(SpinEditTest, AWheelNotchStepsByIncrement) {
    Wheel(120);
    EXPECT_EQ(edit_->Value(), 60);
    Wheel(-240);
    EXPECT_EQ(edit_->Value(), 40);
}

TEST_F(SpinEditTest, HalfAWheelNotchStepsNothing) {
    Wheel(60);
    EXPECT_EQ(edit_->Value(), 50);
}

TEST_F(SpinEditTest, UpClickHandlerReplacesTheStep) {
    int calls = 0;
    edit_->OnUpClick = [&calls](TObject*) { ++calls; };
    edit_->UpClick(edit_);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(edit_->Value(), 50);
}

TEST_F(SpinEditTest, ReadOnlyArrowClickBeeps) {
    edit_->SetReadOnly(true);
    const auto beeps = MessageBeepCount();
    ClickControl(edit_->Button().UpButton());
    EXPECT_EQ(edit_->Value(), 50);
    EXPECT_EQ(MessageBeepCount(), beeps + 1);
}

TEST_F(SpinEditTest, ArrowClickStepsOnceAndFocusesTheEdit) {
    ClickControl(edit_->Button().DownButton());
    EXPECT_EQ(edit_->Value(), 40);
    EXPECT_TRUE(edit_->Focused());
}

TEST_F(SpinEditTest, HeldUpArrowRepeatsAt400ThenEvery100Ms) {
    const TPoint p = Centre(edit_->Button().UpButton());
    Press(p.X, p.Y);
    EXPECT_EQ(edit_->Value(), 50);
    Wait(399);
    EXPECT_EQ(edit_->Value(), 50);
    Wait(1);
    EXPECT_EQ(edit_->Value(), 60);
    Wait(99);
    EXPECT_EQ(edit_->Value(), 60);
    Wait(1);
    EXPECT_EQ(edit_->Value(), 70);
    Wait(200);
    EXPECT_EQ(edit_->Value(), 90);
    Release(p.X, p.Y);
    EXPECT_EQ(edit_->Value(), 100);
    Wait(500);
    EXPECT_EQ(edit_->Value(), 100);
}

TEST_F(SpinEditTest, HeldUpArrowStopsAtMaxValue) {
    edit_->SetValue(960);
    const TPoint p = Centre(edit_->Button().UpButton());
    Press(p.X, p.Y);
    Wait(1000);
    EXPECT_EQ(edit_->Value(), 1000);
    Release(p.X, p.Y);
    EXPECT_EQ(edit_->Text(), "1000");
}

TEST_F(SpinEditTest, HeldArrowReleasedOutsideMakesNoLastClick) {
    const TPoint p = Centre(edit_->Button().UpButton());
    Press(p.X, p.Y);
    Wait(400);
    EXPECT_EQ(edit_->Value(), 60);
    Release(p.X + 200, p.Y + 100);
    Wait(300);
    EXPECT_EQ(edit_->Value(), 60);
}

TEST_F(SpinEditTest, ArrowsFillTheButtonInTwoHalves) {
    const TsSpinButton& button = edit_->Button();
    EXPECT_EQ(button.Left(), edit_->Width() - button.Width() - 4);
    EXPECT_EQ(button.Height(), edit_->Height() - 4);
    EXPECT_EQ(button.UpButton().BoundsRect(), (TRect{0, 0, button.Width(), button.Height() / 2}));
    EXPECT_EQ(button.DownButton().Top(), button.Height() / 2);
    EXPECT_EQ(button.DownButton().Top() + button.DownButton().Height(), button.Height());
}

TEST_F(SpinEditTest, TextStaysClearOfTheArrows) {
    EXPECT_EQ(edit_->TextRect(),
              (TRect{0, 0, edit_->ClientWidth() - edit_->Button().Width() - 2, edit_->ClientHeight() + 1}));
}

TEST_F(SpinEditTest, ArrowGlyphsAreTrianglesInTheFontColour) {
    edit_->ChangeFont([](TFont& f) { f.SetColor(0x123456); });
    const TBitmap& up = edit_->Button().UpGlyph();
    ASSERT_EQ(up.Size(), (TSize{9, 5}));
    EXPECT_EQ(up.GetPixel(4, 1), TColor(0x123456)); // the tip
    EXPECT_EQ(up.GetPixel(1, 4), TColor(0x123456));
    EXPECT_EQ(up.GetPixel(0, 0), clFuchsia);
    const TBitmap& down = edit_->Button().DownGlyph();
    EXPECT_EQ(down.GetPixel(4, 4), TColor(0x123456));
    EXPECT_EQ(down.GetPixel(4, 0), clFuchsia);
}

TEST_F(SpinEditTest, DumpShowsTheValue) {
    edit_->SetText("1500");
    TJsonWriter json;
    edit_->WriteDump(json);
    EXPECT_NE(json.Text().find("\"value\":1500"), std::string::npos) << json.Text();
}

} // namespace
