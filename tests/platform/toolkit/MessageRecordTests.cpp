#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"
#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/MessageRecords.h"
#include "platform/toolkit/TButton.h"

// --- decoding ---

TEST(MessageRecords, MouseRecordReadsKeysAndSignedClientPosition) {
    TMessage m{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MakeLParam(-3, 70000 - 65536), 0};
    TWMMouse r(m);
    EXPECT_EQ(r.Keys, MK_LBUTTON | MK_SHIFT);
    EXPECT_EQ(r.Pos, (TPoint{-3, 70000 - 65536}));
}

TEST(MessageRecords, WheelRecordSplitsKeysFromTheSignedDelta) {
    TMessage m{WM_MOUSEWHEEL, MakeWParam(std::uint16_t(MK_CONTROL), std::uint16_t(std::int16_t(-240))),
               MakeLParam(300, 200), 0};
    TWMMouseWheel r(m);
    EXPECT_EQ(r.Keys, MK_CONTROL);
    EXPECT_EQ(r.WheelDelta, -240);
    EXPECT_EQ(r.Pos, (TPoint{300, 200}));
}

TEST(MessageRecords, PaintRecordCarriesTheCanvas) {
    TBitmap bitmap(4, 4);
    TCanvas canvas(bitmap);
    TMessage m{WM_PAINT, WParamFromCanvas(&canvas), 0, 0};
    EXPECT_EQ(TWMPaint(m).Canvas, &canvas);
    TMessage print{WM_PRINT, WParamFromCanvas(&canvas), PRF_CLIENT | PRF_CHILDREN, 0};
    TWMPrint p(print);
    EXPECT_EQ(p.Canvas, &canvas);
    EXPECT_EQ(p.Flags, PRF_CLIENT | PRF_CHILDREN);
}

TEST(MessageRecords, KeyRecordChangesTheKeyInTheMessageToo) {
    TMessage m{WM_SYSKEYDOWN, TWParam(VK_F4), KF_ALTDOWN_LPARAM, 0};
    TWMKey r(m);
    EXPECT_EQ(r.CharCode, VK_F4);
    EXPECT_TRUE(r.AltDown());
    r.SetCharCode(VK_ESCAPE);
    EXPECT_EQ(r.CharCode, VK_ESCAPE);
    EXPECT_EQ(m.WParam, TWParam(VK_ESCAPE));
}

TEST(MessageRecords, ResultIsTheMessagesAndTheRecordPassesOnAsTheMessage) {
    TMessage m{WM_GETDLGCODE, TWParam(VK_TAB), 0, 0};
    TWMGetDlgCode r(m);
    r.Result = DLGC_WANTTAB;
    EXPECT_EQ(m.Result, DLGC_WANTTAB);
    TMessage& passed = r;
    EXPECT_EQ(&passed, &m);
    EXPECT_EQ(r.CharCode, VK_TAB);
}

TEST(MessageRecords, SkinCommandReadsCodeArgumentAndObject) {
    int object = 0;
    TMessage m{WM_SKINCOMMAND, MakeWParam(9, 31), LParamFromPointer(&object), 0};
    TWMSkinCommand r(m);
    EXPECT_EQ(r.Code, 31);
    EXPECT_EQ(r.Argument, 9);
    EXPECT_EQ(r.Object<int>(), &object);
    EXPECT_EQ(r.ObjectArgument, LParamFromPointer(&object));
}

TEST(MessageRecords, SkinCommandAnswerGoesToLParamAndResult) {
    TMessage m{WM_SKINCOMMAND, MakeWParam(0, 7), 0, 0};
    TWMSkinCommand r(m);
    r.SetAnswer(1);
    EXPECT_EQ(m.LParam, 1);
    EXPECT_EQ(m.Result, 1);
}

TEST(MessageRecords, SizeAndCommandRecordsUnpackTheirWords) {
    TMessage size{WM_SIZE, SIZE_MAXIMIZED, MakeLParam(640, 480), 0};
    TWMSize s(size);
    EXPECT_EQ(s.SizeType, SIZE_MAXIMIZED);
    EXPECT_EQ(s.Width, 640);
    EXPECT_EQ(s.Height, 480);
    TMessage command{WM_COMMAND, MakeWParam(12, BN_CLICKED), TLParam(5), 0};
    TWMCommand c(command);
    EXPECT_EQ(c.ItemID, 12);
    EXPECT_EQ(c.NotifyCode, BN_CLICKED);
    EXPECT_EQ(c.Ctl, THandle(5));
}

// --- dispatch ---

namespace {

// A button that answers the skin command and records what its typed handlers were given.
class TRecordingButton : public TButton {
public:
    using TButton::TButton;
    std::vector<int> Codes;
    std::vector<int> Arguments;
    TPoint LastDown{-1, -1};

protected:
    void WMSkinCommand(TWMSkinCommand& m) override {
        Codes.push_back(m.Code);
        Arguments.push_back(m.Argument);
        if (m.Code == 7)
            m.SetAnswer(41);
        else
            TButton::WMSkinCommand(m);
    }
    void WMLButtonDown(TWMMouse& m) override {
        LastDown = m.Pos;
        TButton::WMLButtonDown(m);
    }
};

} // namespace

class MessageDispatchTest : public ToolkitTest {};

TEST_F(MessageDispatchTest, SkinCommandReachesItsTypedHandlerDecoded) {
    TForm* form = MakeForm();
    auto* button = new TRecordingButton(form);
    button->SetParent(form);
    EXPECT_EQ(button->Perform(WM_SKINCOMMAND, MakeWParam(2, 7)), 41);
    EXPECT_EQ(SendMessage(button->Handle(), WM_SKINCOMMAND, MakeWParam(0, 7), 0), 41);
    EXPECT_EQ(button->Perform(WM_SKINCOMMAND, MakeWParam(0, 3)), 0);
    EXPECT_EQ(button->Codes, (std::vector<int>{7, 7, 3}));
    EXPECT_EQ(button->Arguments, (std::vector<int>{2, 0, 0}));
}

TEST_F(MessageDispatchTest, MouseHandlerGetsTheClientPositionOfTheMessage) {
    TForm* form = MakeForm();
    auto* button = new TRecordingButton(form);
    button->SetParent(form);
    button->SetBounds(10, 20, 80, 30);
    button->Perform(WM_LBUTTONDOWN, MK_LBUTTON, MakeLParam(5, 6));
    EXPECT_EQ(button->LastDown, (TPoint{5, 6}));
    button->Perform(WM_LBUTTONUP, 0, MakeLParam(5, 6));
}
