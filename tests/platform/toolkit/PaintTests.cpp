#include "ToolkitTestSupport.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TCustomControl.h"
#include "platform/toolkit/TGraphicControl.h"
#include "platform/toolkit/TScreen.h"

namespace {

constexpr TColor Red = MakeColor(255, 0, 0);
constexpr TColor Blue = MakeColor(0, 0, 255);
constexpr TColor Green = MakeColor(0, 255, 0);

// A windowed control that fills its client area with one colour and counts its paints.
class TSolid : public TCustomControl {
public:
    TSolid(TComponent* owner, TColor fill) : TCustomControl(owner), Fill(fill) {}
    TColor Fill;
    int Paints = 0;

protected:
    void Paint(TCanvas& canvas) override {
        ++Paints;
        canvas.FillRect(ClientRect(), Fill);
    }
};

// A windowless control that fills its rectangle.
class TSpot : public TGraphicControl {
public:
    TSpot(TComponent* owner, TColor fill) : TGraphicControl(owner), Fill(fill) {}
    TColor Fill;

protected:
    void Paint(TCanvas& canvas) override { canvas.FillRect(ClientRect(), Fill); }
};

class PaintTest : public ToolkitTest {
protected:
    PaintTest() {
        form = MakeForm(100, 80);
        form->SetColor(Blue);
        child = new TSolid(form, Red);
        child->SetParent(form);
        child->SetBounds(10, 10, 40, 30);
    }
    const TBitmap& Picture() { return Backend().Screen().Find(form->NativeWindow())->Picture(); }
    int Presents() { return Backend().Screen().Find(form->NativeWindow())->Presents; }
    TForm* form;
    TSolid* child;
};

TEST_F(PaintTest, ChildWindowsAreClippedOutOfTheParentsPaint) {
    int formPaints = 0;
    form->OnPaint = [&](TObject*) {
        ++formPaints;
        form->Canvas()->FillRect({0, 0, 100, 80}, Green);
    };
    form->Show();
    Pump();
    EXPECT_EQ(formPaints, 1);
    EXPECT_EQ(Picture().GetPixel(5, 5), Green);
    EXPECT_EQ(Picture().GetPixel(10, 10), Red);
    EXPECT_EQ(Picture().GetPixel(49, 39), Red);
    EXPECT_EQ(Picture().GetPixel(50, 40), Green);
}

TEST_F(PaintTest, BackgroundEraseFillsWithTheControlsColour) {
    form->Show();
    Pump();
    EXPECT_EQ(Picture().GetPixel(70, 70), Blue);
}

TEST_F(PaintTest, OnePresentPerUpdateAndNoneWithoutChanges) {
    for (int i = 0; i < 50; ++i) {
        auto* b = new TButton(form);
        b->SetParent(form);
        b->SetBounds(i % 10 * 9, 45 + i / 10 * 7, 9, 7);
    }
    form->Show();
    Pump();
    EXPECT_EQ(Presents(), 1);
    Pump();
    EXPECT_EQ(Presents(), 1);
    child->Invalidate();
    form->Invalidate();
    Pump();
    EXPECT_EQ(Presents(), 2);
    EXPECT_EQ(child->Paints, 2);
}

TEST_F(PaintTest, OnlyTheInvalidatedControlIsPainted) {
    auto* other = new TSolid(form, Green);
    other->SetParent(form);
    other->SetBounds(60, 10, 20, 20);
    form->Show();
    Pump();
    other->Invalidate();
    Pump();
    EXPECT_EQ(child->Paints, 1);
    EXPECT_EQ(other->Paints, 2);
}

TEST_F(PaintTest, NothingIsPaintedWhileRedrawIsOff) {
    form->Show();
    Pump();
    form->Perform(WM_SETREDRAW, 0);
    child->Fill = Green;
    child->Invalidate();
    Pump();
    EXPECT_EQ(Presents(), 1);
    EXPECT_EQ(Picture().GetPixel(20, 20), Red);
    form->Perform(WM_SETREDRAW, 1);
    form->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME);
    EXPECT_EQ(Presents(), 2);
    EXPECT_EQ(Picture().GetPixel(20, 20), Green);
}

TEST_F(PaintTest, WindowRegionClipsWhatTheControlShows) {
    TRegion rgn(TRect{0, 0, 40, 30});
    rgn.Subtract(TRect{0, 0, 5, 5});
    child->SetWindowRgn(rgn, true);
    form->Show();
    Pump();
    EXPECT_EQ(Picture().GetPixel(12, 12), Blue);
    EXPECT_EQ(Picture().GetPixel(15, 15), Red);
    EXPECT_EQ(Picture().GetPixel(10, 16), Red);
}

TEST_F(PaintTest, HigherSiblingsCoverLowerOnes) {
    auto* top = new TSolid(form, Green);
    top->SetParent(form);
    top->SetBounds(30, 20, 40, 30);
    form->Show();
    Pump();
    child->Invalidate();
    Pump();
    EXPECT_EQ(Picture().GetPixel(35, 25), Green);
    child->BringToFront();
    Pump();
    EXPECT_EQ(Picture().GetPixel(35, 25), Red);
}

TEST_F(PaintTest, WindowlessChildrenPaintOverTheirParent) {
    auto* spot = new TSpot(form, Green);
    spot->SetParent(child);
    spot->SetBounds(5, 5, 10, 10);
    form->Show();
    Pump();
    EXPECT_EQ(Picture().GetPixel(15, 15), Green);
    EXPECT_EQ(Picture().GetPixel(26, 26), Red);
    spot->Hide();
    Pump();
    EXPECT_EQ(Picture().GetPixel(15, 15), Red);
}

TEST_F(PaintTest, PrintIntoBitmapPaintsTheControlWithItsChildren) {
    auto* spot = new TSpot(form, Green);
    spot->SetParent(child);
    spot->SetBounds(5, 5, 10, 10);
    TBitmap bmp(60, 50);
    bmp.Fill(clWhite);
    child->PaintTo(bmp, 3, 4);
    EXPECT_EQ(bmp.GetPixel(2, 4), clWhite);
    EXPECT_EQ(bmp.GetPixel(3, 4), Red);
    EXPECT_EQ(bmp.GetPixel(8, 9), Green);
    EXPECT_EQ(bmp.GetPixel(42, 33), Red);
    EXPECT_EQ(bmp.GetPixel(43, 34), clWhite);
}

TEST_F(PaintTest, PrintOfAFormIncludesItsWindowedChildren) {
    TBitmap bmp(100, 80);
    form->PaintTo(bmp, 0, 0);
    EXPECT_EQ(bmp.GetPixel(0, 0), Blue);
    EXPECT_EQ(bmp.GetPixel(11, 11), Red);
}

TEST_F(PaintTest, PrintHonoursTheWindowRegion) {
    TRegion rgn(TRect{0, 0, 40, 30});
    rgn.Subtract(TRect{0, 0, 5, 5});
    child->SetWindowRgn(rgn, false);
    TBitmap bmp(40, 30);
    bmp.Fill(clWhite);
    child->PaintTo(bmp, 0, 0);
    EXPECT_EQ(bmp.GetPixel(1, 1), clWhite);
    EXPECT_EQ(bmp.GetPixel(6, 1), Red);
}

TEST_F(PaintTest, ClassicFrameDrawsTheCaptionBar) {
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetCaption("Demo");
    form->Show();
    Pump();
    int f = form->FrameWidth();
    // The raised outer edge: light at the top-left, darkest at the bottom-right.
    EXPECT_EQ(Picture().GetPixel(0, 0), ColorToRGB(cl3DLight));
    EXPECT_EQ(Picture().GetPixel(form->Width() - 1, form->Height() - 1), ColorToRGB(cl3DDkShadow));
    // The caption bar starts with the active caption colour.
    EXPECT_EQ(Picture().GetPixel(f, f + form->CaptionHeight() - 2), ColorToRGB(clActiveCaption));
    // The client area is where the insets put it.
    EXPECT_EQ(Picture().GetPixel(f + 11, f + form->CaptionHeight() + 11), Red);
}

TEST_F(PaintTest, PushButtonLooksPushedWhileHeld) {
    auto* b = new TButton(form);
    b->SetParent(form);
    b->SetBounds(55, 45, 40, 30);
    form->Show();
    Pump();
    // The only focusable control is focused and so the active default button: a dark outline
    // around a raised edge.
    EXPECT_EQ(Picture().GetPixel(55, 45), ColorToRGB(cl3DDkShadow));
    EXPECT_EQ(Picture().GetPixel(55 + 2, 45 + 2), ColorToRGB(clBtnHighlight));
    EXPECT_NE(Picture().GetPixel(55 + 1, 45 + 1), ColorToRGB(clBtnShadow));
    Press(100 + 60, 100 + 50);
    EXPECT_EQ(Picture().GetPixel(55 + 1, 45 + 1), ColorToRGB(clBtnShadow));
    Release(100 + 60, 100 + 50);
}

} // namespace

TEST_F(PaintTest, SurfaceIsMadeAtTheFirstCompositionAtTheSizeTheFormHasThen) {
    form->SetWindowState(TWindowState::wsMaximized);
    form->HandleNeeded();
    EXPECT_TRUE(form->Surface().IsEmpty()) << "nothing is painted before the first composition";
    form->Show();
    Pump();
    EXPECT_EQ(form->Surface().Size(), (TSize{Screen->Width(), Screen->Height()}));
    EXPECT_EQ(Picture().GetPixel(20, 20), Red);
}

TEST_F(PaintTest, TheScreenShowsTheSurfaceItselfWithoutACopy) {
    form->Show();
    Pump();
    EXPECT_EQ(&Picture(), &form->Surface());
    child->Fill = Green;
    child->Invalidate();
    Pump();
    EXPECT_EQ(&Picture(), &form->Surface());
    EXPECT_EQ(Picture().GetPixel(20, 20), Green);
}

TEST_F(PaintTest, AResizedFormKeepsShowingItsLastPictureUntilItIsComposedAgain) {
    form->Show();
    Pump();
    const TBitmap* before = &form->Surface();
    form->SetBounds(form->Left(), form->Top(), 150, 120);
    EXPECT_EQ(&Picture(), before);
    EXPECT_EQ(Picture().Size(), (TSize{100, 80}));
    Pump();
    EXPECT_EQ(Picture().Size(), (TSize{150, 120}));
    EXPECT_EQ(Picture().GetPixel(20, 20), Red);
    EXPECT_EQ(Picture().GetPixel(120, 100), Blue);
}

TEST_F(PaintTest, TheFirstPresentOfASurfaceIsWhole) {
    form->Show();
    Pump();
    EXPECT_TRUE(Backend().LastDamage().SameArea(TRegion(form->Surface().BoundsRect())));
}

TEST_F(PaintTest, ARepaintedChildPresentsOnlyWhatItCovers) {
    form->Show();
    Pump();
    child->Fill = Green;
    child->Invalidate();
    Pump();
    EXPECT_TRUE(Backend().LastDamage().SameArea(child->VisibleWindowRegion()));
    EXPECT_EQ(Picture().GetPixel(20, 20), Green);
}

TEST_F(PaintTest, ChangesOfOneBatchArePresentedOnceTogether) {
    auto* other = new TSolid(form, Green);
    other->SetParent(form);
    other->SetBounds(60, 10, 20, 20);
    form->Show();
    Pump();
    const int before = Presents();
    child->Invalidate();
    other->Invalidate();
    Pump();
    EXPECT_EQ(Presents(), before + 1);
    TRegion both = child->VisibleWindowRegion();
    both.Union(other->VisibleWindowRegion());
    EXPECT_TRUE(Backend().LastDamage().SameArea(both));
}

TEST_F(PaintTest, DamageDrawnOutsideCompositionIsPresentedAtTheNext) {
    form->Show();
    Pump();
    const int before = Presents();
    const TRect spot = TRect::FromBounds(70, 50, 5, 4);
    form->AddDamage(TRegion(spot));
    Pump();
    EXPECT_EQ(Presents(), before + 1);
    EXPECT_TRUE(Backend().LastDamage().SameArea(TRegion(spot)));
}

TEST_F(PaintTest, ARequestedPresentIsWholeAndDamageIsCutToTheSurface) {
    form->Show();
    Pump();
    form->AddDamage(TRegion(TRect::FromBounds(90, 70, 50, 50)));
    Pump();
    EXPECT_TRUE(Backend().LastDamage().SameArea(TRegion(TRect{90, 70, 100, 80})));
    form->RequestPresent();
    Pump();
    EXPECT_TRUE(Backend().LastDamage().SameArea(TRegion(form->Surface().BoundsRect())));
}
