#include <gtest/gtest.h>

#include "controls/TsGroupBox.h"
#include "platform/canvas/TCanvas.h"
#include "render/binding/BindingTestSupport.h"

namespace {

constexpr TColor ParentColour = 0x204060;
constexpr TColor FrameColour = 0x30A030;
constexpr TColor PlateColour = 0xC0C0F0;
using Layout = TsGroupBox::TsCaptionLayout;

// A group box on a panel whose face is one colour; the skin's "GROUPBOX" and "CHECKBOX"
// sections are plain colours, so every pixel of the face tells which part painted it.
class GroupBoxTest : public BindingTest {
protected:
    void SetUp() override {
        AddSection("PANEL");
        AddSection("GROUPBOX").Color = FrameColour;
        AddSection("CHECKBOX").Color = PlateColour;
        panel_ = Add<TTestSkinned>(51, form_, {0, 0, 380, 200}, "PANEL");
        panel_->Binding().PrepareFace();
        panel_->Binding().FaceBitmap()->Fill(ParentColour);
        box_ = new TsGroupBox(form_);
        box_->SetBounds(8, 24, 169, 57);
        box_->SetParent(panel_);
        box_->SetCaption("Style");
    }

    int CountPixels(const TBitmap& bitmap, const TRect& r, TColor colour) const {
        int n = 0;
        for (int y = r.Top; y < r.Bottom; ++y)
            for (int x = r.Left; x < r.Right; ++x)
                n += bitmap.GetPixel(x, y) == colour ? 1 : 0;
        return n;
    }
    int BandHeight() const {
        TBitmap scratch(1, 1);
        TCanvas canvas(scratch);
        canvas.SetFont(box_->Font());
        return std::max(4, canvas.TextHeight("W")) + 2;
    }
    int TextWidth(const std::string& text) const {
        TBitmap scratch(1, 1);
        TCanvas canvas(scratch);
        canvas.SetFont(box_->Font());
        return canvas.TextWidth(text);
    }

    TTestSkinned* panel_ = nullptr;
    TsGroupBox* box_ = nullptr;
};

TEST_F(GroupBoxTest, BindsToTheGroupBoxSection) {
    EXPECT_EQ(box_->SkinData().KindCode(), 74);
    EXPECT_EQ(box_->SkinData().SkinSection(), "GROUPBOX");
    EXPECT_TRUE(box_->SkinData().Skinned(true));
}

TEST_F(GroupBoxTest, CaptionPlateAtTheLeftByDefault) {
    const int h = BandHeight();
    EXPECT_EQ(box_->CaptionPlateRect(), (TRect{6, 0, 6 + TextWidth("Style") + 8, h}));
}

TEST_F(GroupBoxTest, CaptionPlateCentredOrAtTheRight) {
    const int tw = TextWidth("Style");
    box_->SetCaptionLayout(Layout::clTopCenter);
    EXPECT_EQ(box_->CaptionPlateRect().Left, (169 - tw - 10) / 2);
    box_->SetCaptionLayout(Layout::clTopRight);
    EXPECT_EQ(box_->CaptionPlateRect().Left, 169 - tw - 14);
    EXPECT_EQ(box_->CaptionPlateRect().Right, 169 - tw - 14 + tw + 8);
}

TEST_F(GroupBoxTest, CentredCaptionWiderThanTheBoxIsClampedToIt) {
    box_->SetCaptionLayout(Layout::clTopCenter);
    box_->SetCaption("A caption much wider than this small group box can ever hold");
    const TRect r = box_->CaptionPlateRect();
    EXPECT_EQ(r.Left, 0);
    EXPECT_EQ(r.Right, box_->Width());
}

TEST_F(GroupBoxTest, FaceHasBandFramePlateAndText) {
    box_->RebuildFace();
    const TBitmap& face = *box_->SkinData().FaceBitmap();
    const TRect plate = box_->CaptionPlateRect();
    const int frameTop = plate.Height() / 2;
    // The band beside the plate shows the parent; the frame below it is the section's colour.
    EXPECT_EQ(face.GetPixel(plate.Right + 5, 0), ParentColour);
    EXPECT_EQ(face.GetPixel(plate.Right + 5, frameTop - 1), ParentColour);
    EXPECT_EQ(face.GetPixel(plate.Right + 5, frameTop), FrameColour);
    EXPECT_EQ(face.GetPixel(3, 56), FrameColour);
    // The plate carries the caption in the section's text colour (black).
    EXPECT_EQ(face.GetPixel(plate.Left, plate.Top), PlateColour);
    EXPECT_GT(CountPixels(face, plate, 0), 0);
    EXPECT_FALSE(box_->SkinData().FaceStale());
}

TEST_F(GroupBoxTest, EmptyCaptionHasNoPlateButTheBandStillShowsTheParent) {
    box_->SetCaption("");
    box_->RebuildFace();
    const TBitmap& face = *box_->SkinData().FaceBitmap();
    const int frameTop = box_->CaptionPlateRect().Height() / 2;
    EXPECT_EQ(CountPixels(face, face.BoundsRect(), PlateColour), 0);
    EXPECT_EQ(CountPixels(face, {0, 0, face.Width(), frameTop}, ParentColour), face.Width() * frameTop);
    EXPECT_EQ(CountPixels(face, face.BoundsRect(), 0), 0);
}

TEST_F(GroupBoxTest, SkinWithoutCheckboxSectionWritesOnlyTheText) {
    Section("CHECKBOX").ClassName = "NOTACHECKBOX";
    box_->RebuildFace();
    const TBitmap& face = *box_->SkinData().FaceBitmap();
    const TRect plate = box_->CaptionPlateRect();
    EXPECT_EQ(CountPixels(face, face.BoundsRect(), PlateColour), 0);
    EXPECT_EQ(face.GetPixel(plate.Left, 0), ParentColour);
    EXPECT_GT(CountPixels(face, plate, 0), 0);
}

TEST_F(GroupBoxTest, CaptionSkinChoosesThePlateSection) {
    AddSection("PANEL_LOW").Color = 0x0000F0;
    box_->SetCaptionSkin("PANEL_LOW");
    box_->RebuildFace();
    const TRect plate = box_->CaptionPlateRect();
    EXPECT_EQ(box_->SkinData().FaceBitmap()->GetPixel(plate.Left, plate.Top), TColor(0x0000F0));
}

TEST_F(GroupBoxTest, PositiveCaptionOffsetMovesTheClientAreaOnly) {
    const TRect before = box_->DisplayRect();
    box_->SetCaptionYOffset(10);
    EXPECT_EQ(box_->DisplayRect().Top, before.Top + 10);
    box_->RebuildFace();
    const TBitmap& face = *box_->SkinData().FaceBitmap();
    const TRect plate = box_->CaptionPlateRect();
    EXPECT_EQ(plate.Bottom, BandHeight() + 10);
    EXPECT_EQ(face.GetPixel(plate.Right + 5, plate.Height() / 2), FrameColour);
    EXPECT_EQ(face.GetPixel(plate.Right + 5, plate.Height() / 2 - 1), ParentColour);
}

TEST_F(GroupBoxTest, NegativeCaptionOffsetStartsTheFrameAtTheTop) {
    box_->SetCaptionYOffset(-5);
    const TRect plate = box_->CaptionPlateRect();
    EXPECT_EQ(plate.Top, -5);
    EXPECT_EQ(plate.Bottom, BandHeight() - 5);
    box_->RebuildFace();
    EXPECT_EQ(box_->SkinData().FaceBitmap()->GetPixel(plate.Right + 5, 0), FrameColour);
}

TEST_F(GroupBoxTest, AnswersItsCaptionBandHeight) {
    EXPECT_EQ(SendSkinCommand(box_, cmdGetCaptionHeight), BandHeight());
}

TEST_F(GroupBoxTest, IsSkinAwareAndReportsAStaleFaceAsUpdating) {
    EXPECT_TRUE(AskControl(box_, cmdIsSkinAware));
    box_->SkinData().SetFaceStale(true);
    EXPECT_TRUE(AskControl(box_, cmdIsInUpdate));
}

TEST_F(GroupBoxTest, SkinLoadedReachesTheChildren) {
    auto* child = Add<TTestSkinned>(51, box_, {8, 24, 40, 20}, "PANEL");
    child->Commands.clear();
    SendSkinCommand(box_, cmdSkinLoaded, LParamFromPointer(manager_.get()));
    ASSERT_FALSE(child->Commands.empty());
    EXPECT_EQ(child->Commands.back(), cmdSkinLoaded);
    EXPECT_TRUE(box_->SkinData().InUpdate());
}

TEST_F(GroupBoxTest, PaintCopiesTheFaceToTheWindow) {
    form_->Show();
    box_->SkinData().SetInUpdate(false);
    panel_->Binding().SetFaceStale(false);
    box_->Invalidate();
    box_->Update();
    const TBitmap& picture = Backend().Screen().Find(form_->NativeWindow())->Picture();
    if (picture.IsEmpty()) GTEST_SKIP() << "the form presented nothing";
    const TPoint origin = box_->ClientOrigin();
    const TPoint formOrigin = form_->ScreenRect().TopLeft();
    EXPECT_EQ(picture.GetPixel(origin.X - formOrigin.X + 3, origin.Y - formOrigin.Y + 56), FrameColour);
}

} // namespace
