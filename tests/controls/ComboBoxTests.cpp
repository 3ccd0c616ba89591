#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/TsComboBox.h"
#include "controls/TsComboListAdapter.h"
#include "platform/core/VirtualKeys.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TComboBoxList.h"
#include "platform/toolkit/TCustomEdit.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/ToolkitTestSupport.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

// The skinned combo box on a form of the fake backend, dressed by a manager that wears a
// stored skin.

namespace {

constexpr const char* SkinName = "Golden (internal)";

class ComboBoxTest : public ToolkitTest {
protected:
    ComboBoxTest() {
        SetDefaultManager(nullptr);
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        const TStoredSkinPackage* package = FindStoredSkinPackage(SkinName);
        if (package)
            manager_->InternalSkins().AddPackage(SkinName, {package->Data.begin(), package->Data.end()});
        manager_->SetSkinName(SkinName);
        manager_->SetActive(true);
        form_ = MakeForm(300, 240);
        // A created form (design read, creation handler run) hears the manager's broadcasts.
        form_->LoadDesign(TFormDesign());
        form_->Show();
        combo_ = new TsComboBox(form_);
        combo_->SetParent(form_);
        combo_->SetBounds(10, 10, 145, 21);
        combo_->SetComboStyle(TComboBoxStyle::csDropDownList);
        Pump();
    }
    ~ComboBoxTest() override {
        delete form_;
        manager_.reset();
        SetDefaultManager(nullptr);
    }

    void Fill(int count) {
        for (int i = 0; i < count; ++i)
            combo_->AddItem("Skin " + std::to_string(i));
        combo_->SetItemIndex(0);
        Pump();
    }
    const TsGeneralData& Section(const std::string& name) const {
        return manager_->Model().GeneralData.at(std::size_t(manager_->GetSkinIndex(name)));
    }
    // The face as it is after the next painting.
    TBitmap Face() {
        combo_->Invalidate();
        Pump();
        return *combo_->SkinData().FaceBitmap();
    }
    static bool SameRect(const TBitmap& a, const TBitmap& b, const TRect& r) {
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                if (a.GetPixel(x, y) != b.GetPixel(x, y)) return false;
        return true;
    }

    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
    TsComboBox* combo_ = nullptr;
};

} // namespace

TEST_F(ComboBoxTest, IndexOfTextFindsTheFirstExactMatch) {
    EXPECT_EQ(combo_->IndexOfText("a"), -1); // an empty list
    combo_->AddItem("Golden");
    combo_->AddItem("Desert");
    combo_->AddItem("Desert");
    EXPECT_EQ(combo_->IndexOfText("Desert"), 1);
    EXPECT_EQ(combo_->IndexOfText("golden"), -1);
    EXPECT_EQ(combo_->IndexOfText("Golden "), -1);
    EXPECT_EQ(combo_->IndexOfText(""), -1);
}

TEST_F(ComboBoxTest, BindsToTheComboBoxSectionAndTakesItsColours) {
    ASSERT_TRUE(combo_->SkinData().Skinned());
    EXPECT_EQ(combo_->SkinData().SkinSection(), "COMBOBOX");
    EXPECT_EQ(combo_->DropDownCount(), 16);
    const TsGeneralData& section = Section("COMBOBOX");
    combo_->Loaded();
    EXPECT_EQ(combo_->Color(), section.Color);
    EXPECT_EQ(combo_->Font().Color(), TColor(section.FontColor[0]));
}

TEST_F(ComboBoxTest, SeventeenItemsGetASkinnedScrollBarWhenTheListOpens) {
    Fill(17);
    EXPECT_EQ(combo_->ListAdapter(), nullptr);
    combo_->SetDroppedDown(true);
    Pump();
    ASSERT_NE(combo_->ListAdapter(), nullptr);
    // The list painted once before the adapter came; it paints again through it.
    Pump();
    ASSERT_TRUE(combo_->ListWindow()->HasScrollBar());
    // What the screen shows of the list's scroll bar is the adapter's painting.
    TComboBoxList& list = *combo_->ListWindow();
    const TRect bar = list.ScrollBarRect();
    TBitmap skinned(bar.Width(), bar.Height());
    ASSERT_TRUE(combo_->ListAdapter()->PaintScrollBar(skinned));
    const TBitmap& shown = Backend().Screen().Find(list.NativeWindow())->Picture();
    const TPoint origin = list.ClientOrigin();
    const TPoint window = list.BoundsRect().TopLeft();
    for (int y = 0; y < bar.Height(); ++y)
        for (int x = 0; x < bar.Width(); ++x)
            ASSERT_EQ(shown.GetPixel(origin.X - window.X + bar.Left + x, origin.Y - window.Y + bar.Top + y),
                      skinned.GetPixel(x, y))
                << x << "," << y;
    combo_->SetDroppedDown(false);
    Pump();
    // The adapter stays for the next opening.
    EXPECT_NE(combo_->ListAdapter(), nullptr);
}

TEST_F(ComboBoxTest, SixItemsKeepThePlatformList) {
    Fill(6);
    combo_->SetDroppedDown(true);
    Pump();
    ASSERT_NE(combo_->ListWindow(), nullptr);
    EXPECT_TRUE(combo_->ListWindow()->Visible());
    EXPECT_EQ(combo_->ListAdapter(), nullptr);
}

TEST_F(ComboBoxTest, SixteenItemsFitWithoutAnAdapter) {
    Fill(16);
    combo_->SetDroppedDown(true);
    Pump();
    EXPECT_EQ(combo_->ListAdapter(), nullptr);
}

TEST_F(ComboBoxTest, OpeningTheListShowsTheButtonPressedAndClosingRestoresIt) {
    Fill(3);
    const TRect button = combo_->SkinButtonRect();
    const TBitmap closed = Face();
    combo_->SetDroppedDown(true);
    Pump();
    EXPECT_TRUE(combo_->ListShown());
    const TBitmap open = *combo_->SkinData().FaceBitmap();
    EXPECT_FALSE(SameRect(closed, open, button));
    combo_->SetDroppedDown(false);
    Pump();
    EXPECT_FALSE(combo_->ListShown());
    const TBitmap again = *combo_->SkinData().FaceBitmap();
    EXPECT_TRUE(SameRect(closed, again, {0, 0, closed.Width(), closed.Height()}));
}

TEST_F(ComboBoxTest, TheFaceReachesTheScreenWholeForADropDownList) {
    Fill(2);
    const TBitmap face = Face();
    TBitmap screen(combo_->Width(), combo_->Height());
    combo_->PaintTo(screen, 0, 0);
    EXPECT_TRUE(SameRect(face, screen, {0, 0, face.Width(), face.Height()}));
}

TEST_F(ComboBoxTest, FocusedListHighlightsTheSelectedText) {
    Fill(2);
    combo_->SetFocus();
    Pump();
    const TBitmap face = Face();
    // The text rectangle's fill, inside the focus rectangle.
    EXPECT_EQ(face.GetPixel(5, 5), ColorToRGB(clHighlight));
}

TEST_F(ComboBoxTest, GrayedDisabledBoxIsGrey) {
    Fill(2);
    combo_->SetDisabledKind(TDisabledKinds{TDisabledKind::dkGrayed});
    combo_->SetEnabled(false);
    const TBitmap face = Face();
    // Inside the frame: the corners show the parent through them, ungreyed.
    for (int y = 3; y < face.Height() - 3; ++y)
        for (int x = 3; x < face.Width() - 3; ++x) {
            const TColor c = face.GetPixel(x, y);
            ASSERT_TRUE(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c))
                << x << "," << y << " " << std::hex << c;
        }
}

TEST_F(ComboBoxTest, ReadOnlyBoxKeepsItsSelection) {
    Fill(4);
    combo_->SetReadOnly(true);
    ClickControl(*combo_);
    EXPECT_TRUE(combo_->Focused());
    EXPECT_FALSE(combo_->DroppedDown());
    Key(VK_DOWN);
    Type("S");
    EXPECT_EQ(combo_->ItemIndex(), 0);
    combo_->SetReadOnly(false);
    Key(VK_DOWN);
    EXPECT_EQ(combo_->ItemIndex(), 1);
}

TEST_F(ComboBoxTest, ReadOnlyBoxSwallowsItsKeysBeforeItsKeyHandlers) {
    Fill(4);
    combo_->SetReadOnly(true);
    std::vector<int> downs;
    int presses = 0;
    combo_->OnKeyDown = [&downs](TObject*, int& key, TShiftState) { downs.push_back(key); };
    combo_->OnKeyPress = [&presses](TObject*, char32_t&) { ++presses; };
    combo_->SetFocus();
    Pump();
    Key(VK_DOWN);
    Key('S');
    Type("S");
    Key(VK_INSERT);
    EXPECT_EQ(downs, (std::vector<int>{VK_INSERT}));
    EXPECT_EQ(presses, 0);
}

TEST_F(ComboBoxTest, ReadOnlyDoubleClickTakesTheFocusAndRunsOnDblClickWithoutTheList) {
    Fill(4);
    combo_->SetReadOnly(true);
    int doubleClicks = 0;
    combo_->OnDblClick = [&doubleClicks](TObject*) { ++doubleClicks; };
    combo_->Perform(WM_LBUTTONDBLCLK, 0, 0);
    EXPECT_TRUE(combo_->Focused());
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_FALSE(combo_->DroppedDown());
}

TEST_F(ComboBoxTest, ReadOnlyInnerEditRefusesTypingRightAfterAChangeOfStyle) {
    combo_->SetReadOnly(true);
    combo_->SetComboStyle(TComboBoxStyle::csDropDown);
    TCustomEdit* edit = combo_->EditControl();
    ASSERT_NE(edit, nullptr);
    // No message reaches the box before the edit's own.
    edit->Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(edit->Text(), "");
    combo_->SetReadOnly(false);
    edit->Perform(WM_CHAR, 'x', 0);
    EXPECT_EQ(edit->Text(), "x");
}

TEST_F(ComboBoxTest, LosingTheFocusClosesTheListAndDropsTheHighlight) {
    Fill(2);
    auto* other = new TsComboBox(form_);
    other->SetParent(form_);
    other->SetBounds(10, 60, 145, 21);
    combo_->SetFocus();
    combo_->SetDroppedDown(true);
    Pump();
    ASSERT_TRUE(combo_->ListShown());
    other->SetFocus();
    Pump();
    EXPECT_FALSE(combo_->DroppedDown());
    EXPECT_FALSE(combo_->ListShown());
    EXPECT_FALSE(combo_->SkinData().HasFocus());
    EXPECT_NE(Face().GetPixel(5, 5), ColorToRGB(clHighlight));
}

TEST_F(ComboBoxTest, UpdateDoneReleasesAHeldBackBox) {
    combo_->SkinData().SetInUpdate(true);
    TMessage done = SkinCommandMessage::Make(cmdUpdateDone);
    combo_->PerformMessage(done);
    EXPECT_FALSE(combo_->SkinData().InUpdate());
}

TEST_F(ComboBoxTest, AnotherManagersSkinRemovalLeavesTheBoxSkinned) {
    Fill(2);
    combo_->Loaded();
    const TColor skinColor = combo_->Color();
    TsSkinManager other(nullptr);
    TMessage removed = SkinCommandMessage::Make(cmdSkinRemoved, LParamFromPointer(&other));
    combo_->PerformMessage(removed);
    EXPECT_TRUE(combo_->SkinData().Skinned());
    EXPECT_EQ(combo_->Color(), skinColor);
    TMessage own = SkinCommandMessage::Make(cmdSkinRemoved, LParamFromPointer(manager_.get()));
    combo_->PerformMessage(own);
    EXPECT_FALSE(combo_->SkinData().Skinned());
    EXPECT_EQ(combo_->Color(), clWindow);
}

TEST_F(ComboBoxTest, AnswersWhetherItsListIsDroppedDown) {
    Fill(2);
    TMessage ask = SkinCommandMessage::Make(cmdIsDroppedDown);
    combo_->PerformMessage(ask);
    EXPECT_EQ(SkinCommandMessage::LParamAnswer(ask), 0);
    combo_->SetDroppedDown(true);
    TMessage again = SkinCommandMessage::Make(cmdIsDroppedDown);
    combo_->PerformMessage(again);
    EXPECT_EQ(SkinCommandMessage::LParamAnswer(again), 1);
}

TEST_F(ComboBoxTest, WithoutASkinItIsThePlatformComboBox) {
    Fill(2);
    manager_->SetActive(false);
    Pump();
    EXPECT_FALSE(combo_->SkinData().Skinned(true));
    EXPECT_EQ(combo_->Color(), clWindow);
}

TEST_F(ComboBoxTest, OwnerDrawnFieldShowsTheFaceAndListItemsAskTheHandler) {
    Fill(20);
    combo_->SetComboStyle(TComboBoxStyle::csOwnerDrawFixed);
    std::vector<int> asked;
    combo_->OnDrawItem = [&asked](TObject*, TCanvas&, int index, const TRect&, unsigned) {
        asked.push_back(index);
    };
    const TBitmap face = Face();
    TBitmap screen(combo_->Width(), combo_->Height());
    combo_->PaintTo(screen, 0, 0);
    EXPECT_TRUE(asked.empty());
    EXPECT_TRUE(SameRect(face, screen, {0, 0, face.Width(), face.Height()}));
    combo_->SetDroppedDown(true);
    Pump();
    EXPECT_FALSE(asked.empty());
    EXPECT_EQ(asked.front(), 0);
}

TEST_F(ComboBoxTest, PointerOverTheBoxMakesItsFaceHot) {
    Fill(2);
    const TBitmap normal = Face();
    const TRect r = combo_->ScreenRect();
    Move(r.Left + 20, r.Top + 10);
    EXPECT_TRUE(combo_->SkinData().IsHot());
    const TBitmap hot = Face();
    EXPECT_FALSE(SameRect(normal, hot, {0, 0, normal.Width(), normal.Height()}));
    Move(r.Left + 20, r.Bottom + 40);
    EXPECT_FALSE(combo_->SkinData().IsHot());
    EXPECT_TRUE(SameRect(normal, Face(), {0, 0, normal.Width(), normal.Height()}));
}

TEST_F(ComboBoxTest, UnfocusedInnerEditShowsTheFaceAndFocusedItShowsItself) {
    combo_->SetComboStyle(TComboBoxStyle::csDropDown);
    combo_->AddItem("Golden");
    combo_->SetItemIndex(0);
    Pump();
    ASSERT_NE(combo_->EditControl(), nullptr);
    const TBitmap face = Face();
    TBitmap screen(combo_->Width(), combo_->Height());
    combo_->PaintTo(screen, 0, 0);
    EXPECT_TRUE(SameRect(face, screen, {0, 0, face.Width(), face.Height()}));
    combo_->SetFocus();
    Pump();
    ASSERT_TRUE(combo_->EditControl()->Focused());
    const TBitmap focusedFace = Face();
    TBitmap focused(combo_->Width(), combo_->Height());
    combo_->PaintTo(focused, 0, 0);
    const TRect edit = combo_->EditControl()->BoundsRect().Offset(2, 2);
    EXPECT_FALSE(SameRect(focusedFace, focused, edit));
}

TEST_F(ComboBoxTest, RemovedSkinDropsTheListAdapterAndTheSkinColours) {
    Fill(17);
    combo_->SetDroppedDown(true);
    Pump();
    ASSERT_NE(combo_->ListAdapter(), nullptr);
    combo_->SetDroppedDown(false);
    manager_->SetActive(false);
    Pump();
    EXPECT_EQ(combo_->ListAdapter(), nullptr);
    EXPECT_EQ(combo_->Color(), clWindow);
    EXPECT_EQ(combo_->Font().Color(), clWindowText);
}

TEST_F(ComboBoxTest, RecolouredSkinReachesTheBoxColoursAndFace) {
    Fill(2);
    combo_->Loaded();
    const TBitmap before = Face();
    manager_->SetHueOffset(180);
    Pump();
    const TsGeneralData& section = Section("COMBOBOX");
    EXPECT_EQ(combo_->Color(), section.Color);
    EXPECT_EQ(combo_->Font().Color(), TColor(section.FontColor[0]));
    EXPECT_FALSE(SameRect(before, Face(), combo_->SkinButtonRect()));
}
