#include <string>
#include <vector>

#include "ControlsTestSupport.h"
#include "platform/toolkit/TComboBox.h"
#include "platform/toolkit/TComboBoxList.h"
#include "platform/toolkit/TCustomEdit.h"
#include "platform/toolkit/TJsonWriter.h"

namespace {

class ComboBoxTest : public ControlsTest {
protected:
    ComboBoxTest() {
        combo = new TComboBox(form);
        combo->SetParent(form);
        combo->SetBounds(10, 10, 145, 21);
        combo->SetComboStyle(TComboBoxStyle::csDropDownList);
        for (int i = 1; i <= 20; ++i)
            combo->AddItem("Item " + std::to_string(i));
        combo->OnChange = [this](TObject*) { log.push_back("change"); };
        combo->OnSelect = [this](TObject*) { log.push_back("select"); };
        combo->OnDropDown = [this](TObject*) { log.push_back("dropdown"); };
        combo->OnCloseUp = [this](TObject*) { log.push_back("closeup"); };
        ShowForm();
        combo->SetFocus();
        Pump();
    }
    void ClickItem(int index) {
        TComboBoxList* list = combo->ListWindow();
        TRect r = list->ItemRect(index);
        TPoint p = list->ClientToScreen({r.Left + r.Width() / 2, r.Top + r.Height() / 2});
        Click(p.X, p.Y);
    }
    void SetItems(std::vector<std::string> items) {
        combo->ClearItems();
        for (auto& s : items)
            combo->AddItem(s);
    }

    TComboBox* combo;
    std::vector<std::string> log;
};

TEST_F(ComboBoxTest, AClickOpensTheListBelowTheBox) {
    ClickControl(*combo);
    ASSERT_TRUE(combo->DroppedDown());
    TComboBoxList* list = combo->ListWindow();
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(list->Visible());
    EXPECT_EQ(list->ScreenRect().Top, combo->ScreenRect().Bottom);
    EXPECT_EQ(list->ScreenRect().Left, combo->ScreenRect().Left);
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown"}));
}

TEST_F(ComboBoxTest, ClickingAnItemSelectsItAndCloses) {
    ClickControl(*combo);
    ClickItem(3);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_FALSE(combo->ListWindow()->Visible());
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->Text(), "Item 4");
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "change", "select", "closeup"}));
}

TEST_F(ComboBoxTest, AClickOutsideTheListClosesItWithoutAChange) {
    combo->SetItemIndex(2);
    ClickControl(*combo);
    Click(390, 290);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(log, (std::vector<std::string>{"dropdown", "closeup"}));
}

TEST_F(ComboBoxTest, ArrowHomeAndEndKeysChooseItems) {
    Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 0);
    Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 1);
    Key(VK_END);
    EXPECT_EQ(combo->ItemIndex(), 19);
    Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 19);
    Key(VK_HOME);
    EXPECT_EQ(combo->ItemIndex(), 0);
    Key(VK_UP);
    EXPECT_EQ(combo->ItemIndex(), 0);
    EXPECT_EQ(combo->Text(), "Item 1");
}

TEST_F(ComboBoxTest, PageKeysMoveByAPage) {
    combo->SetItemIndex(0);
    Key(VK_NEXT);
    EXPECT_EQ(combo->ItemIndex(), 7);
    Key(VK_PRIOR);
    EXPECT_EQ(combo->ItemIndex(), 0);
}

TEST_F(ComboBoxTest, ATypedLetterChoosesTheNextItemStartingWithIt) {
    SetItems({"Apple", "Banana", "blueberry", "Cherry"});
    Type("b");
    EXPECT_EQ(combo->ItemIndex(), 1);
    Type("b");
    EXPECT_EQ(combo->ItemIndex(), 2);
    Type("b");
    EXPECT_EQ(combo->ItemIndex(), 1);
    Type("c");
    EXPECT_EQ(combo->ItemIndex(), 3);
    Type("z");
    EXPECT_EQ(combo->ItemIndex(), 3);
}

TEST_F(ComboBoxTest, SettingItemIndexRaisesNoEvents) {
    combo->SetItemIndex(5);
    EXPECT_EQ(combo->Text(), "Item 6");
    combo->SetItemIndex(99);
    EXPECT_EQ(combo->ItemIndex(), -1);
    EXPECT_EQ(combo->Text(), "");
    EXPECT_TRUE(log.empty());
}

TEST_F(ComboBoxTest, TheListShowsDropDownCountRowsWithAScrollBar) {
    combo->SetDropDownCount(8);
    Key(VK_DOWN, ssAlt);
    TComboBoxList* list = combo->ListWindow();
    ASSERT_TRUE(combo->DroppedDown());
    EXPECT_EQ(list->VisibleRows(), 8);
    EXPECT_TRUE(list->HasScrollBar());
    EXPECT_EQ(list->Height(), 8 * combo->ItemHeight() + 2);
}

TEST_F(ComboBoxTest, FewItemsNeedNoScrollBar) {
    SetItems({"a", "b", "c"});
    ClickControl(*combo);
    EXPECT_EQ(combo->ListWindow()->VisibleRows(), 3);
    EXPECT_FALSE(combo->ListWindow()->HasScrollBar());
}

TEST_F(ComboBoxTest, TheWheelScrollsTheOpenList) {
    ClickControl(*combo);
    TComboBoxList* list = combo->ListWindow();
    TPoint p = list->ClientToScreen({10, 10});
    Push(TBackendEventKind::MouseMove, p);
    TBackendEvent e;
    e.Kind = TBackendEventKind::MouseWheel;
    e.ScreenPos = p;
    e.WheelDelta = -120;
    Backend().PostEvent(e);
    Pump();
    EXPECT_EQ(list->TopIndex(), 3);
    EXPECT_TRUE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, TheScrollBarArrowScrollsAndRepeatsWhileHeld) {
    ClickControl(*combo);
    TComboBoxList* list = combo->ListWindow();
    TRect sb = list->ScrollBarRect();
    TPoint down = list->ClientToScreen({sb.Left + sb.Width() / 2, sb.Bottom - 3});
    Press(down.X, down.Y);
    EXPECT_EQ(list->TopIndex(), 1);
    Wait(400);
    EXPECT_EQ(list->TopIndex(), 2);
    Wait(100);
    EXPECT_EQ(list->TopIndex(), 3);
    Release(down.X, down.Y);
    Wait(300);
    EXPECT_EQ(list->TopIndex(), 3);
    EXPECT_TRUE(combo->DroppedDown());
}

TEST_F(ComboBoxTest, KeysMoveTheHighlightOfTheOpenListAndEnterTakesIt) {
    ClickControl(*combo);
    Key(VK_END);
    TComboBoxList* list = combo->ListWindow();
    EXPECT_EQ(list->HighlightIndex(), 19);
    EXPECT_EQ(list->TopIndex(), 12);
    EXPECT_EQ(combo->ItemIndex(), -1);
    Key(VK_RETURN);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), 19);
}

TEST_F(ComboBoxTest, EscapeClosesTheListWithoutAChange) {
    Key(VK_F4);
    ASSERT_TRUE(combo->DroppedDown());
    Key(VK_DOWN);
    Key(VK_ESCAPE);
    EXPECT_FALSE(combo->DroppedDown());
    EXPECT_EQ(combo->ItemIndex(), -1);
}

TEST_F(ComboBoxTest, OwnerDrawnItemsArePaintedOnRequest) {
    combo->SetComboStyle(TComboBoxStyle::csOwnerDrawFixed);
    std::vector<int> items;
    std::vector<int> closed;
    combo->OnDrawItem = [&](TObject*, TCanvas&, int index, const TRect&, unsigned state) {
        if (!(state & ODS_COMBOBOXEDIT))
            items.push_back(index);
        else
            closed.push_back(index);
    };
    combo->SetItemIndex(1);
    combo->Repaint();
    ASSERT_FALSE(closed.empty());
    EXPECT_EQ(closed.back(), 1);
    EXPECT_TRUE(items.empty());
    ClickControl(*combo);
    Pump();
    EXPECT_EQ(items, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST_F(ComboBoxTest, DropDownStyleTypingChangesTheText) {
    combo->SetComboStyle(TComboBoxStyle::csDropDown);
    combo->SetFocus();
    Pump();
    ASSERT_NE(combo->EditControl(), nullptr);
    EXPECT_TRUE(combo->EditControl()->Focused());
    Type("Item 3");
    EXPECT_EQ(combo->Text(), "Item 3");
    EXPECT_EQ(combo->ItemIndex(), 2);
    EXPECT_EQ(log.size(), 6u);
    Key(VK_DOWN);
    EXPECT_EQ(combo->ItemIndex(), 3);
    EXPECT_EQ(combo->EditControl()->Text(), "Item 4");
}

// Records the inner edit each time the box says it changed.
class EditWatchingComboBox : public TComboBox {
public:
    using TComboBox::TComboBox;
    std::vector<const TCustomEdit*> edits;

protected:
    void EditControlChanged() override { edits.push_back(EditControl()); }
};

TEST_F(ComboBoxTest, AChangeOfStyleTellsOfTheInnerEditMadeAndFreed) {
    auto* watched = new EditWatchingComboBox(form);
    watched->SetComboStyle(TComboBoxStyle::csDropDownList);
    ASSERT_EQ(watched->edits, std::vector<const TCustomEdit*>{nullptr});
    watched->SetComboStyle(TComboBoxStyle::csDropDown);
    ASSERT_EQ(watched->edits.size(), 2u);
    EXPECT_NE(watched->edits.back(), nullptr);
    EXPECT_EQ(watched->edits.back(), watched->EditControl());
    // A style that keeps the edit, or keeps none, tells nothing.
    watched->SetComboStyle(TComboBoxStyle::csDropDown);
    watched->SetComboStyle(TComboBoxStyle::csOwnerDrawFixed);
    watched->SetComboStyle(TComboBoxStyle::csDropDownList);
    EXPECT_EQ(watched->edits.size(), 3u);
    EXPECT_EQ(watched->edits.back(), nullptr);
}

TEST_F(ComboBoxTest, DumpShowsItemIndexItemsAndDroppedState) {
    SetItems({"a", "b"});
    combo->SetItemIndex(1);
    TJsonWriter json;
    combo->WriteDump(json);
    EXPECT_NE(json.Text().find("\"itemIndex\":1"), std::string::npos);
    EXPECT_NE(json.Text().find("\"items\":[\"a\",\"b\"]"), std::string::npos);
    EXPECT_NE(json.Text().find("\"droppedDown\":false"), std::string::npos);
}

} // namespace
