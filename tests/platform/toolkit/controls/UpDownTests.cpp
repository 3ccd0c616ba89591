#include "ControlsTestSupport.h"
#include "platform/toolkit/TEdit.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TUpDown.h"

namespace {

class UpDownTest : public ControlsTest {
protected:
    UpDownTest() {
        updown = new TUpDown(form);
        updown->SetParent(form);
        updown->SetBounds(200, 10, 16, 24);
        ShowForm();
    }
    TPoint Centre(TUDBtnType b) const {
        TRect r = updown->ButtonRect(b);
        return At(*updown, r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }
    void ClickArrow(TUDBtnType b, int times = 1) {
        TPoint p = Centre(b);
        for (int i = 0; i < times; ++i) {
            Click(p.X, p.Y);
            Wait(1000); // keeps clicks apart
        }
    }
    TUpDown* updown;
};

TEST_F(UpDownTest, PositionStopsAtMax) {
    updown->SetMax(3);
    ClickArrow(TUDBtnType::btNext, 5);
    EXPECT_EQ(updown->Position(), 3);
}

TEST_F(UpDownTest, PositionStopsAtMin) {
    updown->SetMin(-2);
    ClickArrow(TUDBtnType::btPrev, 4);
    EXPECT_EQ(updown->Position(), -2);
}

TEST_F(UpDownTest, WrapGoesPastOneEndToTheOther) {
    updown->SetMax(3);
    updown->SetWrap(true);
    updown->SetPosition(3);
    ClickArrow(TUDBtnType::btNext);
    EXPECT_EQ(updown->Position(), 0);
    ClickArrow(TUDBtnType::btPrev);
    EXPECT_EQ(updown->Position(), 3);
}

TEST_F(UpDownTest, IncrementSizesEachStepAndTheLastStepClamps) {
    updown->SetMax(25);
    updown->SetIncrement(10);
    ClickArrow(TUDBtnType::btNext, 3);
    EXPECT_EQ(updown->Position(), 25);
}

TEST_F(UpDownTest, SetPositionKeepsWithinTheRange) {
    updown->SetMax(10);
    updown->SetPosition(50);
    EXPECT_EQ(updown->Position(), 10);
    updown->SetMax(5);
    EXPECT_EQ(updown->Position(), 5);
}

TEST_F(UpDownTest, HoldingAnArrowRepeatsAfter400ThenEvery100Ms) {
    TPoint p = Centre(TUDBtnType::btNext);
    Press(p.X, p.Y);
    EXPECT_EQ(updown->Position(), 1);
    EXPECT_TRUE(updown->Behaviour(TUDBtnType::btNext).IsPushed());
    Wait(399);
    EXPECT_EQ(updown->Position(), 1);
    Wait(1);
    EXPECT_EQ(updown->Position(), 2);
    Wait(100);
    EXPECT_EQ(updown->Position(), 3);
    Wait(200);
    EXPECT_EQ(updown->Position(), 5);
    Release(p.X, p.Y);
    EXPECT_EQ(updown->Position(), 5);
    Wait(1000);
    EXPECT_EQ(updown->Position(), 5);
}

TEST_F(UpDownTest, TheRepeatWaitsWhileThePointerIsOffTheArrow) {
    TPoint p = Centre(TUDBtnType::btNext);
    Press(p.X, p.Y);
    Move(p.X + 100, p.Y);
    Wait(600);
    EXPECT_EQ(updown->Position(), 1);
    Move(p.X, p.Y);
    Wait(100);
    EXPECT_EQ(updown->Position(), 2);
    Release(p.X, p.Y);
}

TEST_F(UpDownTest, OnChangingCanRefuseAndOnClickStillRuns) {
    int clicks = 0;
    updown->OnChanging = [](TObject*, bool& allow) { allow = false; };
    updown->OnClick = [&](TObject*, TUDBtnType b) {
        EXPECT_EQ(b, TUDBtnType::btNext);
        ++clicks;
    };
    ClickArrow(TUDBtnType::btNext);
    EXPECT_EQ(updown->Position(), 0);
    EXPECT_EQ(clicks, 1);
}

class UpDownAssociateTest : public UpDownTest {
protected:
    UpDownAssociateTest() {
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 50, 100, 21);
        updown->SetMax(5000);
        updown->SetAssociate(edit);
        Pump();
    }
    TEdit* edit;
};

TEST_F(UpDownAssociateTest, SitsAtTheEditsRightEdgeAndTheEditNarrows) {
    EXPECT_EQ(edit->Width(), 84);
    EXPECT_EQ(updown->Left(), 94);
    EXPECT_EQ(updown->Top(), 50);
    EXPECT_EQ(updown->Height(), 21);
    EXPECT_EQ(edit->Text(), "0");
}

TEST_F(UpDownAssociateTest, TheEditShowsThePositionWithThousandsSeparators) {
    updown->SetPosition(1234);
    EXPECT_EQ(edit->Text(), "1,234");
    updown->SetThousands(false);
    EXPECT_EQ(edit->Text(), "1234");
}

TEST_F(UpDownAssociateTest, AClickStepsFromTheNumberTypedInTheEdit) {
    edit->SetText("1,500");
    ClickArrow(TUDBtnType::btNext);
    EXPECT_EQ(updown->Position(), 1501);
    EXPECT_EQ(edit->Text(), "1,501");
}

TEST_F(UpDownAssociateTest, ArrowKeysInTheEditStep) {
    edit->SetFocus();
    Key(VK_UP);
    Key(VK_UP);
    Key(VK_DOWN);
    EXPECT_EQ(updown->Position(), 1);
    updown->SetArrowKeys(false);
    Key(VK_UP);
    EXPECT_EQ(updown->Position(), 1);
}

TEST_F(UpDownAssociateTest, AFreedAssociateIsForgotten) {
    delete edit;
    EXPECT_EQ(updown->Associate(), nullptr);
    ClickArrow(TUDBtnType::btNext);
    EXPECT_EQ(updown->Position(), 1);
}

TEST_F(UpDownAssociateTest, DumpShowsPositionAndRange) {
    updown->SetPosition(7);
    TJsonWriter json;
    updown->WriteDump(json);
    EXPECT_NE(json.Text().find("\"position\":7"), std::string::npos);
    EXPECT_NE(json.Text().find("\"min\":0"), std::string::npos);
    EXPECT_NE(json.Text().find("\"max\":5000"), std::string::npos);
}

} // namespace
