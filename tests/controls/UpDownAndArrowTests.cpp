#include <gtest/gtest.h>

#include "controls/TsSpinButton.h"
#include "controls/TsSpinEdit.h"
#include "controls/TsTimerSpeedButton.h"
#include "controls/TsUpDown.h"
#include "render/binding/BindingTestSupport.h"

namespace {

constexpr TColor TopColour = 0x2040A0;
constexpr TColor BottomColour = 0x40A020;

class UpDownTest : public BindingTest {
protected:
    void SetUp() override {
        AddSection("SCROLLBTNTOP").Color = TopColour;
        AddSection("SCROLLBTNBOTTOM").Color = BottomColour;
        upDown_ = new TsUpDown(form_);
        upDown_->SetBounds(50, 40, 17, 30);
        upDown_->SetParent(form_);
        upDown_->SetMax(1000);
        upDown_->SetIncrement(10);
        form_->Show();
        Pump();
    }
    TPoint Screen(TUDBtnType button) const {
        const TRect r = upDown_->ButtonRect(button);
        return upDown_->ClientToScreen({(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2});
    }
    TsUpDown* upDown_ = nullptr;
};

TEST_F(UpDownTest, HalvesTakeTheScrollButtonSections) {
    EXPECT_EQ(upDown_->SectionFor(TUDBtnType::btNext), "SCROLLBTNTOP");
    EXPECT_EQ(upDown_->SectionFor(TUDBtnType::btPrev), "SCROLLBTNBOTTOM");
    upDown_->SetOrientation(TUDOrientation::udHorizontal);
    EXPECT_EQ(upDown_->SectionFor(TUDBtnType::btNext), "SCROLLBTNRIGHT");
    EXPECT_EQ(upDown_->SectionFor(TUDBtnType::btPrev), "SCROLLBTNLEFT");
    upDown_->SetButtonSkin("BUTTON");
    EXPECT_EQ(upDown_->SectionFor(TUDBtnType::btPrev), "BUTTON");
}

TEST_F(UpDownTest, PaintsEachHalfFromItsSection) {
    ASSERT_TRUE(upDown_->PaintsSkinned());
    TBitmap picture(upDown_->Width(), upDown_->Height());
    upDown_->PaintTo(picture, 0, 0);
    const TRect top = upDown_->ButtonRect(TUDBtnType::btNext);
    const TRect bottom = upDown_->ButtonRect(TUDBtnType::btPrev);
    EXPECT_EQ(picture.GetPixel(top.Left + 1, top.Top + 1), TopColour);
    EXPECT_EQ(picture.GetPixel(bottom.Left + 1, bottom.Bottom - 2), BottomColour);
}

TEST_F(UpDownTest, PointerOverAHalfMakesItHotAndAPressPressed) {
    const TPoint up = Screen(TUDBtnType::btNext);
    Move(up.X, up.Y);
    EXPECT_EQ(upDown_->DrawingState(), 1);
    Press(up.X, up.Y);
    EXPECT_EQ(upDown_->DrawingState(), 3);
    Release(up.X, up.Y);
    EXPECT_EQ(upDown_->DrawingState(), 1);
    const TPoint down = Screen(TUDBtnType::btPrev);
    Move(down.X, down.Y);
    EXPECT_EQ(upDown_->DrawingState(), 2);
    Move(0, 0);
    EXPECT_EQ(upDown_->DrawingState(), 0);
}

TEST_F(UpDownTest, AHalfAtItsLimitShowsInaccessible) {
    upDown_->SetPosition(1000);
    const TPoint up = Screen(TUDBtnType::btNext);
    Move(up.X, up.Y);
    EXPECT_EQ(upDown_->DrawingState(), 0);
    upDown_->SetShowInaccessibility(false);
    EXPECT_EQ(upDown_->DrawingState(), 1);
}

TEST_F(UpDownTest, WithoutALoadedSkinPaintsNatively) {
    manager_->Model().SkinData.Ready = false;
    EXPECT_FALSE(upDown_->PaintsSkinned());
}

// The arrows of a spin edit fade like push buttons when their section fades.
class ArrowFadeTest : public BindingTest {
protected:
    void SetUp() override {
        AddSection("EDIT");
        AddSection("SPEEDBUTTON_SMALL");
        Section("SPEEDBUTTON_SMALL").FadingEnabled = true;
        Section("SPEEDBUTTON_SMALL").FadingIterations = 4;
        edit_ = new TsSpinEdit(form_);
        edit_->SetBounds(20, 20, 65, 21);
        edit_->SetParent(form_);
        form_->Show();
        Pump();
        Wait(100);
    }
    TsSpinEdit* edit_ = nullptr;
};

TEST_F(ArrowFadeTest, EnteringAnArrowFadesItAndTheFadeEnds) {
    TsTimerSpeedButton& up = edit_->Button().UpButton();
    ASSERT_TRUE(up.SkinData().Skinned(true));
    up.RebuildFace();
    const TRect r = up.ScreenRect();
    Move(r.Left + 2, r.Top + 2);
    ASSERT_NE(up.Animation(), nullptr);
    EXPECT_EQ(up.FaceState(), 1);
    Wait(60);
    EXPECT_EQ(up.Animation(), nullptr);
}

TEST_F(ArrowFadeTest, ArrowsPaintOverTheEditsFace) {
    TsSpinButton& button = edit_->Button();
    edit_->RebuildFace();
    FaceAnswer().Ready = false;
    QuerySkinCommand(&button, cmdGetFace);
    EXPECT_TRUE(FaceAnswer().Ready);
    EXPECT_EQ(FaceAnswer().Bitmap, edit_->SkinData().FaceBitmap());
    EXPECT_EQ(FaceAnswer().OffsetX, button.Left() + 2);
    EXPECT_EQ(FaceAnswer().OffsetY, button.Top() + 2);
}

} // namespace
