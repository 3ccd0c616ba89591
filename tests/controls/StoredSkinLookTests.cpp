#include <cstdlib>
#include <memory>
#include <vector>

#include <gtest/gtest.h>

#include "controls/TsGroupBox.h"
#include "controls/TsSpinButton.h"
#include "controls/TsSpinEdit.h"
#include "controls/TsTimerSpeedButton.h"
#include "platform/graphics/PngWriter.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/ToolkitTestSupport.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

// A group box holding a spin edit, painted with a stored skin as the options dialog shows one.
// QUIBBLETON_LOOK_DIR names a folder for a PNG of the result, to look at by eye.
class StoredSkinLookTest : public ToolkitTest {
protected:
    void Build(const char* skinName) {
        SetDefaultManager(nullptr);
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        for (const TStoredSkinPackage& package : StoredSkinPackages())
            manager_->InternalSkins().AddPackage(
                std::string(package.Name),
                std::vector<std::uint8_t>(package.Data.begin(), package.Data.end()));
        form_ = MakeForm(388, 120);
        form_->LoadDesign(TFormDesign{}); // a form that has finished its creation
        box_ = new TsGroupBox(form_);
        box_->SetBounds(8, 24, 369, 57);
        box_->SetParent(form_);
        box_->SetCaption("Стиль кнопок 1");
        edit_ = new TsSpinEdit(form_);
        edit_->SetBounds(160, 24, 65, 21);
        edit_->SetParent(box_);
        edit_->SetMaxValue(1000);
        edit_->SetIncrement(10);
        edit_->SetValue(50);
        form_->Show();
        manager_->SetSkinName(skinName);
        manager_->SetActive(true);
        Pump();
    }
    ~StoredSkinLookTest() override {
        delete form_;
        manager_.reset();
    }
    TBitmap Picture() {
        TBitmap picture(form_->ClientWidth(), form_->ClientHeight());
        form_->PaintTo(picture, 0, 0);
        if (const char* dir = std::getenv("QUIBBLETON_LOOK_DIR"); dir && Backend().Screen().Find(form_->NativeWindow()))
            WritePng(Backend().Screen().Find(form_->NativeWindow())->Picture(),
                     std::string(dir) + "/screen-" +
                         ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
        if (const char* dir = std::getenv("QUIBBLETON_LOOK_DIR"))
            WritePng(picture, std::string(dir) + "/" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".png");
        return picture;
    }

    std::unique_ptr<TsSkinManager> manager_;
    TForm* form_ = nullptr;
    TsGroupBox* box_ = nullptr;
    TsSpinEdit* edit_ = nullptr;
};

TEST_F(StoredSkinLookTest, EveryPartIsSkinned) {
    if (StoredSkinPackages().empty()) GTEST_SKIP() << "no stored skins in this build";
    Build(std::string(StoredSkinPackages().front().Name).c_str());
    EXPECT_TRUE(box_->SkinData().Skinned(true));
    EXPECT_TRUE(edit_->SkinData().Skinned(true));
    EXPECT_TRUE(edit_->Button().UpButton().SkinData().Skinned(true));
    EXPECT_EQ(edit_->Button().UpButton().SkinData().SkinSection(), "SPEEDBUTTON_SMALL");
    const TBitmap picture = Picture();
    // The edit's frame on screen is its face's frame.
    const TBitmap& face = *edit_->SkinData().FaceBitmap();
    ASSERT_EQ(face.Size(), (TSize{65, 21}));
    const TPoint at{box_->Left() + edit_->Left(), box_->Top() + edit_->Top()};
    EXPECT_EQ(picture.GetPixel(at.X + 30, at.Y), face.GetPixel(30, 0));
    EXPECT_EQ(picture.GetPixel(at.X + 30, at.Y + 20), face.GetPixel(30, 20));
    // The edit takes the section's colours.
    const TsGeneralData& section =
        manager_->Model().GeneralData[std::size_t(edit_->SkinData().SectionIndex())];
    EXPECT_EQ(edit_->Color(), section.Color);
}

TEST_F(StoredSkinLookTest, ArrowShowsItsGlyphInTheFontColour) {
    if (StoredSkinPackages().empty()) GTEST_SKIP() << "no stored skins in this build";
    Build(std::string(StoredSkinPackages().back().Name).c_str());
    Picture();
    TsTimerSpeedButton& up = edit_->Button().UpButton();
    ASSERT_TRUE(up.SkinData().Skinned(true));
    up.RebuildFace();
    const TBitmap& face = *up.SkinData().FaceBitmap();
    const TColor glyph = ColorToRGB(edit_->Button().Font().Color());
    const TPoint tip{(face.Width() - 9) / 2 + 4, (face.Height() - 5) / 2 + 1};
    EXPECT_EQ(face.GetPixel(tip.X, tip.Y), glyph);
}

} // namespace
