#include "BindingTestSupport.h"

#include "platform/canvas/TCanvas.h"
#include "render/FaceToScreen.h"
#include "render/KindCodes.h"

namespace {

class FaceToScreenTest : public BindingTest {
protected:
    void SetUp() override {
        AddSection("PANEL");
        panel_ = Add<TTestSkinned>(51, form_, {0, 0, 100, 60}, "PANEL");
        panel_->Binding().PrepareFace();
        panel_->Binding().FaceBitmap()->Fill(kFace);
    }
    static constexpr TColor kFace = MakeColor(10, 20, 30);
    static constexpr TColor kScreen = MakeColor(1, 1, 1);
    TTestSkinned* panel_ = nullptr;
};

TEST_F(FaceToScreenTest, CopyLeavesOutWindowedChildren) {
    Add<TTestSkinned>(KindCode::PushButton, panel_, {10, 10, 30, 30}, "");
    TBitmap screen(100, 60);
    screen.Fill(kScreen);
    TCanvas canvas(screen);
    CopyFaceToScreen(*panel_, panel_->Binding(), {0, 0, 100, 60}, {0, 0}, false, canvas, {0, 0, 100, 60});
    EXPECT_EQ(screen.GetPixel(5, 5), kFace);
    EXPECT_EQ(screen.GetPixel(15, 15), kScreen);
    EXPECT_EQ(screen.GetPixel(99, 59), kFace);
}

TEST_F(FaceToScreenTest, CopyFillsWhatAShapedChildCutsAway) {
    auto* button = Add<TTestSkinned>(KindCode::PushButton, panel_, {10, 10, 30, 30}, "");
    TRegion shape(TRect{0, 0, 20, 20});
    shape.Subtract(TRect{0, 0, 3, 3});
    button->SetWindowRgn(shape, false);
    TBitmap screen(100, 60);
    screen.Fill(kScreen);
    TCanvas canvas(screen);
    CopyFaceToScreen(*panel_, panel_->Binding(), {0, 0, 100, 60}, {0, 0}, false, canvas, {0, 0, 100, 60});
    EXPECT_EQ(screen.GetPixel(10, 10), kFace) << "the cut corner shows the face";
    EXPECT_EQ(screen.GetPixel(12, 12), kFace);
    EXPECT_EQ(screen.GetPixel(13, 10), kScreen) << "the rest of the child is its own";
    EXPECT_EQ(screen.GetPixel(29, 29), kScreen);
}

TEST_F(FaceToScreenTest, CopyStartsAtTheUpdateRectanglesOrigin) {
    panel_->Binding().FaceBitmap()->SetPixel(40, 30, MakeColor(200, 0, 0));
    TBitmap screen(100, 60);
    TCanvas canvas(screen);
    CopyFaceToScreen(*panel_, panel_->Binding(), {40, 30, 60, 50}, {0, 0}, false, canvas, {0, 0, 20, 20});
    EXPECT_EQ(screen.GetPixel(0, 0), MakeColor(200, 0, 0));
    EXPECT_EQ(screen.GetPixel(19, 19), kFace);
    EXPECT_EQ(screen.GetPixel(20, 20), clBlack);
}

TEST_F(FaceToScreenTest, GraphicChildPaintsOverTheFaceBehindIt) {
    auto* child = Add<TTestSkinnedGraphic>(KindCode::SpeedButton, panel_, {20, 10, 40, 30}, "");
    child->OnPaint = [](TCanvas& canvas) { canvas.FillRect({0, 0, 5, 5}, MakeColor(0, 255, 0)); };
    TBitmap screen(100, 60);
    screen.Fill(kScreen);
    TCanvas canvas(screen);
    PaintGraphicChildren(canvas, *panel_, {0, 0});
    EXPECT_EQ(screen.GetPixel(20, 10), MakeColor(0, 255, 0));
    EXPECT_EQ(screen.GetPixel(30, 20), kFace); // the face behind the child's unpainted part
    EXPECT_EQ(screen.GetPixel(5, 5), kScreen); // outside every child: untouched
}

TEST_F(FaceToScreenTest, NothingVisibleMarksTheContainerPartlyHidden) {
    panel_->Binding().SetPartlyHidden(false);
    Add<TTestSkinnedGraphic>(KindCode::SpeedButton, panel_, {20, 10, 40, 30}, "");
    TBitmap screen(100, 60);
    TCanvas canvas(screen);
    canvas.IntersectClipRect({0, 0, 0, 0});
    PaintGraphicChildren(canvas, *panel_, {0, 0});
    EXPECT_TRUE(panel_->Binding().PartlyHidden());
}

} // namespace
