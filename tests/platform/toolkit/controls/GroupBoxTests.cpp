#include "ControlsTestSupport.h"
#include "platform/graphics/SystemColors.h"
#include "platform/graphics/TBitmap.h"
#include "platform/text/TextRenderer.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TGroupBox.h"

namespace {

class GroupBoxTest : public ControlsTest {
protected:
    GroupBoxTest() {
        box = new TGroupBox(form);
        box->SetParent(form);
        box->SetBounds(10, 10, 200, 120);
        box->SetCaption("Options");
        ShowForm();
    }
    TGroupBox* box;
};

TEST_F(GroupBoxTest, TheDisplayRectangleLiesBelowTheCaptionBand) {
    int h = TextRenderer::CellHeight(box->Font());
    EXPECT_EQ(box->CaptionBandHeight(), h);
    EXPECT_EQ(box->DisplayRect(), (TRect{2, h + 2, 198, 118}));
}

TEST_F(GroupBoxTest, PaintsAnEtchedFrameFromHalfTheCaptionBand) {
    TBitmap bmp(box->Width(), box->Height());
    box->PaintTo(bmp, 0, 0);
    int y = box->CaptionBandHeight() / 2;
    // Etched: a shadow line with a highlight line inside it.
    EXPECT_EQ(bmp.GetPixel(0, y + 5), ColorToRGB(clBtnShadow));
    EXPECT_EQ(bmp.GetPixel(1, y + 5), ColorToRGB(clBtnHighlight));
    EXPECT_EQ(bmp.GetPixel(150, y), ColorToRGB(clBtnShadow));
    // Above the frame, and under the caption, the box shows its own colour.
    EXPECT_EQ(bmp.GetPixel(150, y - 1), ColorToRGB(box->Color()));
    EXPECT_EQ(bmp.GetPixel(7, y), ColorToRGB(box->Color()));
}

TEST_F(GroupBoxTest, TheCaptionRectangleStartsInsideTheFrame) {
    TRect r = box->CaptionRect();
    EXPECT_EQ(r.Left, 6);
    EXPECT_EQ(r.Top, 0);
    EXPECT_GT(r.Width(), 4);
    box->SetCaption("");
    EXPECT_TRUE(box->CaptionRect().IsEmpty());
}

TEST_F(GroupBoxTest, ChildrenLiveInsideTheBox) {
    auto* b = new TButton(form);
    b->SetParent(box);
    b->SetBounds(10, 20, 60, 25);
    EXPECT_EQ(b->ScreenRect().Left, box->ScreenRect().Left + 10);
    EXPECT_TRUE(box->ControlStyle().Has(TControlStyleFlag::csAcceptsControls));
}

} // namespace
