#include "ButtonTestSupport.h"

using namespace buttontest;

namespace {

class ButtonResizeTest : public ButtonTest {
protected:
    void ExpectFormAtCorners(const TsButton& b) {
        const int w = b.Width(), h = b.Height();
        for (const auto& [x, y] : {std::pair{0, 0},
                                   {1, 0},
                                   {0, 1},
                                   {w - 1, 0},
                                   {w - 2, 0},
                                   {w - 1, 1},
                                   {0, h - 1},
                                   {1, h - 1},
                                   {0, h - 2},
                                   {w - 1, h - 1},
                                   {w - 2, h - 1},
                                   {w - 1, h - 2}})
            EXPECT_EQ(Shown(b, x, y), FormColour) << "at " << x << "," << y << " of " << w << "x" << h;
    }
};

TEST_F(ButtonResizeTest, CornersShowTheFormAfterTheFormAndTheButtonShrink) {
    button_->SetBounds(200, 100, 167, 72);
    Pump();
    ExpectFormAtCorners(*button_);
    form_->SetBounds(0, 0, 380, 280);
    button_->SetLeft(100);
    button_->SetWidth(111);
    button_->SetTop(10);
    button_->SetHeight(68);
    Pump();
    ExpectFormAtCorners(*button_);
}

TEST_F(ButtonResizeTest, AButtonResizedMidFadeShowsItsNewFace) {
    Section().FadingEnabled = true;
    Section().FadingIterations = 20;
    Hover(*button_);
    Wait(30);
    ASSERT_NE(button_->FadeTimer(), nullptr);
    button_->SetWidth(button_->Width() - 50);
    Wait(300);
    EXPECT_EQ(ShownEdge(*button_), StateColours[1]) << "the hot face of the new size, not the old face";
    ExpectFormAtCorners(*button_);
}

} // namespace
