#include <string>

#include "ControlsTestSupport.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/Clipboard.h"
#include "platform/toolkit/TEdit.h"
#include "platform/toolkit/TJsonWriter.h"

namespace {

class EditTest : public ControlsTest {
protected:
    EditTest() {
        Clipboard::Clear();
        edit = new TEdit(form);
        edit->SetParent(form);
        edit->SetBounds(10, 10, 150, 21);
        edit->OnChange = [this](TObject*) { ++changes; };
        ShowForm();
        edit->SetFocus();
        Pump();
    }
    void SetTextAndCaret(const std::string& text, int caret) {
        edit->SetText(text);
        edit->SetSelStart(caret);
        changes = 0;
    }
    // Screen position of the boundary before code point pos.
    TPoint PosPoint(int pos) const { return At(*edit, edit->PosToX(pos), 5); }

    TEdit* edit;
    int changes = 0;
};

TEST_F(EditTest, TypingInsertsAtTheCaretAndTheCaretMovesByCodePoints) {
    Type("añb");
    EXPECT_EQ(edit->Text(), "añb");
    EXPECT_EQ(edit->CaretPos(), 3);
    Key(VK_LEFT);
    Type("€");
    EXPECT_EQ(edit->Text(), "añ€b");
    EXPECT_EQ(edit->CaretPos(), 3);
    EXPECT_EQ(changes, 4);
}

TEST_F(EditTest, BackspaceRemovesTheCodePointBeforeTheCaret) {
    SetTextAndCaret("añc", 2);
    Key(VK_BACK);
    EXPECT_EQ(edit->Text(), "ac");
    EXPECT_EQ(edit->CaretPos(), 1);
}

TEST_F(EditTest, DeleteRemovesTheCodePointAfterTheCaret) {
    SetTextAndCaret("abcd", 1);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "acd");
    EXPECT_EQ(edit->CaretPos(), 1);
    Key(VK_END);
    Key(VK_DELETE);
    EXPECT_EQ(edit->Text(), "acd");
    EXPECT_EQ(changes, 1);
}

TEST_F(EditTest, HomeAndEndMoveTheCaret) {
    SetTextAndCaret("hello", 2);
    Key(VK_END);
    EXPECT_EQ(edit->CaretPos(), 5);
    Key(VK_HOME);
    EXPECT_EQ(edit->CaretPos(), 0);
    EXPECT_EQ(edit->SelLength(), 0);
}

TEST_F(EditTest, ShiftArrowsExtendTheSelection) {
    SetTextAndCaret("hello", 5);
    Key(VK_LEFT, ssShift);
    Key(VK_LEFT, ssShift);
    EXPECT_EQ(edit->SelStart(), 3);
    EXPECT_EQ(edit->SelLength(), 2);
    EXPECT_EQ(edit->SelText(), "lo");
    Key(VK_HOME, ssShift);
    EXPECT_EQ(edit->SelStart(), 0);
    EXPECT_EQ(edit->SelLength(), 5);
    Key(VK_RIGHT);
    EXPECT_EQ(edit->SelLength(), 0);
    EXPECT_EQ(edit->CaretPos(), 5);
}

TEST_F(EditTest, TypingReplacesTheSelection) {
    SetTextAndCaret("hello", 0);
    edit->SetSelection(1, 4);
    Type("EY");
    EXPECT_EQ(edit->Text(), "hEYo");
    EXPECT_EQ(edit->CaretPos(), 3);
}

TEST_F(EditTest, DraggingTheMouseSelects) {
    SetTextAndCaret("abcdefgh", 0);
    TPoint from = PosPoint(1), to = PosPoint(5);
    Press(from.X, from.Y);
    Move(to.X, to.Y);
    Release(to.X, to.Y);
    EXPECT_EQ(edit->SelStart(), 1);
    EXPECT_EQ(edit->SelLength(), 4);
    EXPECT_EQ(edit->CaretPos(), 5);
}

TEST_F(EditTest, CtrlCCopiesAndCtrlVPastesAtTheCaret) {
    SetTextAndCaret("hello world", 0);
    edit->SetSelection(0, 5);
    Key('C', ssCtrl);
    EXPECT_EQ(Clipboard::Text(), "hello");
    Key(VK_END);
    Key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "hello worldhello");
}

TEST_F(EditTest, CtrlXCutsTheSelection) {
    SetTextAndCaret("hello world", 0);
    Key('A', ssCtrl);
    Key('X', ssCtrl);
    EXPECT_EQ(edit->Text(), "");
    EXPECT_EQ(Clipboard::Text(), "hello world");
}

TEST_F(EditTest, ShiftDeleteCutsAndShiftInsertPastes) {
    SetTextAndCaret("abc", 0);
    edit->SetSelection(0, 2);
    Key(VK_DELETE, ssShift);
    EXPECT_EQ(edit->Text(), "c");
    Key(VK_INSERT, ssShift);
    EXPECT_EQ(edit->Text(), "abc");
    edit->SetSelection(0, 1);
    Key(VK_INSERT, ssCtrl);
    EXPECT_EQ(Clipboard::Text(), "a");
}

TEST_F(EditTest, PasteTakesTheFirstLineOnly) {
    SetTextAndCaret("", 0);
    Clipboard::SetText("one\r\ntwo");
    Key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "one");
}

TEST_F(EditTest, ReadOnlyRefusesEditsButCopies) {
    SetTextAndCaret("fixed", 5);
    edit->SetReadOnly(true);
    Type("x");
    Key(VK_BACK);
    edit->SetSelection(0, 2);
    Key('X', ssCtrl);
    Key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "fixed");
    EXPECT_EQ(changes, 0);
    Key('C', ssCtrl);
    EXPECT_EQ(Clipboard::Text(), "fi");
}

TEST_F(EditTest, OnChangeRunsForProgramSetTextOnlyWhenItChanges) {
    edit->SetText("one");
    edit->SetText("one");
    edit->SetText("two");
    EXPECT_EQ(changes, 2);
    EXPECT_FALSE(edit->Modified());
    Type("x");
    EXPECT_TRUE(edit->Modified());
}

TEST_F(EditTest, MaxLengthLimitsTypingAndPasting) {
    SetTextAndCaret("", 0);
    edit->SetMaxLength(3);
    Type("abcdef");
    EXPECT_EQ(edit->Text(), "abc");
    edit->SetSelection(1, 2);
    Clipboard::SetText("XYZ");
    Key('V', ssCtrl);
    EXPECT_EQ(edit->Text(), "aXc");
}

TEST_F(EditTest, NumbersOnlyRefusesOtherCharacters) {
    SetTextAndCaret("", 0);
    edit->SetNumbersOnly(true);
    Type("1a-2");
    EXPECT_EQ(edit->Text(), "12");
}

TEST_F(EditTest, UndoRestoresTheTextBeforeTheLastEdit) {
    SetTextAndCaret("abc", 3);
    Key(VK_BACK);
    Key('Z', ssCtrl);
    EXPECT_EQ(edit->Text(), "abc");
}

TEST_F(EditTest, TheTextRectangleIsSettableAndClipsTheText) {
    TRect r{4, 0, 60, 18};
    edit->SetTextRect(r);
    TRect got;
    edit->Perform(EM_GETRECT, 0, LParamFromPointer(&got));
    EXPECT_EQ(got, r);
    edit->Perform(EM_SETRECT, 0, 0);
    EXPECT_EQ(edit->TextRect(), (TRect{1, 1, edit->ClientWidth() - 1, edit->ClientHeight() - 1}));
}

TEST_F(EditTest, LongTextScrollsToKeepTheCaretInView) {
    SetTextAndCaret("", 0);
    Type(std::string(60, 'W'));
    TRect tr = edit->TextRect();
    EXPECT_GT(edit->ScrollOffset(), 0);
    EXPECT_LT(edit->PosToX(edit->CaretPos()), tr.Right);
    EXPECT_GE(edit->PosToX(edit->CaretPos()), tr.Left);
    Key(VK_HOME);
    EXPECT_EQ(edit->ScrollOffset(), 0);
}

TEST_F(EditTest, TabbingInSelectsAllWithAutoSelect) {
    auto* other = new TEdit(form);
    other->SetParent(form);
    other->SetBounds(10, 40, 150, 21);
    other->SetText("selected");
    Key(VK_TAB);
    ASSERT_TRUE(other->Focused());
    EXPECT_EQ(other->SelStart(), 0);
    EXPECT_EQ(other->SelLength(), 8);
}

TEST_F(EditTest, PaintsSunkenBorderWindowColourAndSelectionHighlight) {
    SetTextAndCaret("WWWW", 0);
    edit->SetSelection(0, 2);
    TBitmap bmp(edit->Width(), edit->Height());
    edit->PaintTo(bmp, 0, 0);
    EXPECT_EQ(bmp.GetPixel(0, 0), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bmp.GetPixel(edit->Width() - 1, edit->Height() - 1), ColorToRGB(clBtnHighlight));
    // Client (2, 2): the text rectangle starts one pixel in; the selection covers its top row.
    int selX = 2 + edit->PosToX(1);
    EXPECT_EQ(bmp.GetPixel(selX, 3), ColorToRGB(clHighlight));
    EXPECT_EQ(bmp.GetPixel(edit->Width() - 5, edit->Height() / 2), ColorToRGB(clWindow));
}

TEST_F(EditTest, BorderStyleNoneHasNoNonClientArea) {
    edit->SetBorderStyle(TBorderStyle::bsNone);
    EXPECT_EQ(edit->ClientWidth(), 150);
    edit->SetBorderStyle(TBorderStyle::bsSingle);
    EXPECT_EQ(edit->ClientWidth(), 146);
}

TEST_F(EditTest, DumpShowsSelectionAndReadOnly) {
    SetTextAndCaret("abc", 0);
    edit->SetSelection(1, 3);
    TJsonWriter json;
    edit->WriteDump(json);
    EXPECT_NE(json.Text().find("\"selStart\":1"), std::string::npos);
    EXPECT_NE(json.Text().find("\"selLength\":2"), std::string::npos);
    EXPECT_NE(json.Text().find("\"readOnly\":false"), std::string::npos);
}

} // namespace
