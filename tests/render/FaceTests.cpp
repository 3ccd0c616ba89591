#include <gtest/gtest.h>

#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "render/Blend.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/ParentColors.h"
#include "render/Text.h"
#include "render/binding/BindingTestSupport.h"
#include "render/support/RenderTestSupport.h"

using namespace rendertest;

namespace {

// A face test: a BUTTON section with a 6 x 12 border mask whose top-left image pixel is the
// key colour, bound to a control at (10, 20) of the form.
class Faces : public BindingTest {
protected:
    Faces() { ResetParentColors(); }
    ~Faces() override { ResetParentColors(); }

    TsSkinModel& Model() { return manager_->Model(); }

    TTestSkinned* ButtonWithMask(TColor colour, TColor image) {
        AddSection("BUTTON").Color = colour;
        Model().MasterBitmap = Solid(6, 12, image);
        FillArea(Model().MasterBitmap, {0, 6, 6, 12}, clBlack);
        Model().MasterBitmap.SetPixel(0, 0, clFuchsia);
        TsMaskData e = MaskEntry("BUTTON", "BORDERSMASK", {0, 0, 6, 12}, 1, 1, 0, 2, 2, 2, 2);
        e.Manager = manager_.get();
        Model().MaskData.push_back(std::move(e));
        return Add<TTestSkinned>(KindCode::PushButton, form_, {10, 20, 18, 26}, "BUTTON");
    }
};

} // namespace

TEST_F(Faces, KeyCornersOverAParentWithoutAFaceTakeItsColour) {
    form_->SetColor(0x0000AA);
    TTestSkinned* button = ButtonWithMask(0x336699, clWhite);
    TBitmap face = Solid(8, 6, clBlack);
    PaintFace(button->Binding(), {}, FillCentre::Yes, CornerFlag::Yes, 0, face, {10, 20}, face.BoundsRect());
    EXPECT_EQ(face.GetPixel(0, 0), 0x0000AAu);
    EXPECT_EQ(face.GetPixel(1, 0), clWhite);
    EXPECT_EQ(face.GetPixel(4, 3), 0x336699u); // the layers show through the undrawn centre
    EXPECT_EQ(ParentFillColor(), clFuchsia);
    EXPECT_EQ(ParentKeyColor(), clFuchsia);
}

TEST_F(Faces, KeyCornersOverAThirtyTwoBitParentFaceTakeThePixelBehind) {
    TTestSkinned* button = ButtonWithMask(0x336699, clWhite);
    TBitmap parent(60, 60, TPixelFormat::pf32bit);
    parent.Fill(clBlack);
    parent.SetPixel(3 + 10, 4 + 20, 0x456789);
    TBitmap face = Solid(8, 6, clBlack);
    PaintFace(button->Binding(), {&parent, 3, 4, true}, FillCentre::Yes, CornerFlag::Yes, 0, face, {10, 20},
              face.BoundsRect());
    EXPECT_EQ(face.GetPixel(0, 0), 0x456789u);
}

TEST_F(Faces, RectanglesReachingOutOfTheBitmapPaintNothing) {
    TTestSkinned* button = ButtonWithMask(0x336699, clWhite);
    TBitmap face = Solid(8, 6, clBlack);
    PaintFace(button->Binding(), {}, FillCentre::Yes, CornerFlag::Yes, 0, face, {0, 0}, {0, 0, 9, 6});
    PaintFace(button->Binding(), {}, FillCentre::Yes, CornerFlag::Yes, 0, face, {0, 0}, {-1, 0, 8, 6});
    EXPECT_EQ(face, Solid(8, 6, clBlack));
}

TEST_F(Faces, CornerImagesSitAtTheirCornersAndTheBottomLeftOneAtXZero) {
    AddSection("PANEL").Color = clWhite;
    Model().MasterBitmap = Solid(2, 2, 0x0000FF);
    const char* keys[] = {"IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT"};
    for (const char* key : keys) {
        TsMaskData e = MaskEntry("PANEL", key, {0, 0, 2, 2}, 1, 0, 0, 0, 0, 0, 0);
        e.Manager = manager_.get();
        Model().MaskData.push_back(std::move(e));
    }
    TTestSkinned* panel = Add<TTestSkinned>(51, form_, {0, 0, 12, 10}, "PANEL");
    TBitmap face = Solid(12, 10, clBlack);
    const TRect rect{3, 1, 11, 9};
    PaintFace(panel->Binding(), {}, FillCentre::Yes, CornerFlag::Yes, 0, face, {0, 0}, rect);
    EXPECT_EQ(face.GetPixel(3, 1), 0x0000FFu);  // top-left at the rectangle's corner
    EXPECT_EQ(face.GetPixel(10, 1), 0x0000FFu); // top-right ends at the right edge
    EXPECT_EQ(face.GetPixel(0, 7), 0x0000FFu);  // bottom-left at x 0
    EXPECT_EQ(face.GetPixel(3, 7), clWhite);
    EXPECT_EQ(face.GetPixel(10, 8), 0x0000FFu);
    EXPECT_EQ(face.GetPixel(5, 4), clWhite);
}

TEST_F(Faces, SectionFacesNeedNoBinding) {
    AddSection("FORMTITLE").Color = 0x00AA00;
    TBitmap face = Solid(8, 6, clBlack);
    PaintSectionFace(0, "FORMTITLE", {}, 0, FillCentre::Yes, manager_.get(), face, {0, 0}, face.BoundsRect());
    EXPECT_EQ(face, Solid(8, 6, 0x00AA00));
}

TEST_F(Faces, RepaintCornersPutsTheParentColourUnderKeyPixelsOnly) {
    form_->SetColor(0x0000AA);
    TTestSkinned* button = ButtonWithMask(0x336699, clWhite);
    button->Binding().PrepareFace();
    TBitmap& face = *button->Binding().FaceBitmap();
    face.Fill(0x111111);
    RepaintCorners(button->Binding(), 0, cnAllCorners);
    EXPECT_EQ(face.GetPixel(0, 0), 0x0000AAu);
    EXPECT_EQ(face.GetPixel(1, 0), 0x111111u);
    EXPECT_EQ(face.GetPixel(7, 5), 0x111111u);
    EXPECT_EQ(ParentFillColor(), clFuchsia);
}

TEST_F(Faces, RepaintCornersVisitsOnlyTheCornersOfTheSet) {
    form_->SetColor(0x0000AA);
    TTestSkinned* button = ButtonWithMask(0x336699, clWhite);
    button->Binding().PrepareFace();
    TBitmap& face = *button->Binding().FaceBitmap();
    face.Fill(0x111111);
    RepaintCorners(button->Binding(), 0, cnBottomRight);
    EXPECT_EQ(face.GetPixel(0, 0), 0x111111u);
}

// --- text ---

namespace {

constexpr unsigned Centred = TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE;

// The caption drawn as the rule says: outline copies moved by one pixel, then the text in place.
TBitmap OutlinedByRule(const TFont& font, const TRect& rect, TColor left, TColor text) {
    TBitmap b = Solid(60, 24, clWhite);
    TCanvas canvas(b);
    canvas.SetFont(font);
    canvas.IntersectClipRect(rect);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.Font().SetColor(left);
    TRect moved = rect.Offset(-1, 0);
    canvas.DrawText("Wq", moved, Centred);
    canvas.Font().SetColor(text);
    TRect in = rect;
    canvas.DrawText("Wq", in, Centred | TextFlags::DT_NOCLIP);
    return b;
}

} // namespace

TEST_F(Faces, SectionTextDrawsTheOutlineCopiesThenTheText) {
    TsGeneralData& section = AddSection("BUTTON");
    section.FontColor = {0x000000, 0x0000FF, -1, -1, -1};
    TBitmap b = Solid(60, 24, clWhite);
    TCanvas canvas(b);
    const TRect rect{5, 2, 50, 22};
    DrawSectionText(canvas, "Wq", {true, false}, manager_.get(), 0, Centred, rect);
    EXPECT_EQ(b, OutlinedByRule(canvas.Font(), rect, 0x0000FF, 0x000000));
    TBitmap plain = Solid(60, 24, clWhite);
    TCanvas plainCanvas(plain);
    TRect r = rect;
    plainCanvas.Font().SetColor(0);
    plainCanvas.DrawText("Wq", r, Centred);
    EXPECT_NE(b, plain);
}

TEST_F(Faces, DisabledSectionTextIsDrawnOnceInTheMixedColour) {
    TsGeneralData& section = AddSection("BUTTON");
    section.FontColor = {0x0000FF, 0x00FF00, 0x00FF00, 0x00FF00, 0x00FF00};
    section.Color = 0xFFFFFF;
    TBitmap b = Solid(60, 24, clWhite);
    TCanvas canvas(b);
    const TRect rect{5, 2, 50, 22};
    DrawSectionText(canvas, "Wq", {false, false}, manager_.get(), 0, Centred, rect);
    TBitmap expected = Solid(60, 24, clWhite);
    TCanvas reference(expected);
    reference.Font().SetColor(MixColors(0x0000FF, 0xFFFFFF, 0.4));
    reference.SetBrushStyle(TBrushStyle::bsClear);
    TRect r = rect;
    reference.DrawText("Wq", r, Centred);
    EXPECT_EQ(b, expected);
}

TEST_F(Faces, WebButtonTextIsUnderlinedOnlyWhenHot) {
    TsGeneralData& section = AddSection("WEBBUTTON");
    section.FontColor = {0x000000, -1, -1, -1, -1};
    section.HotFontColor = {0x000000, -1, -1, -1, -1};
    TTestSkinned* button = Add<TTestSkinned>(KindCode::PushButton, form_, {0, 0, 60, 24}, "WEBBUTTON");
    const TRect rect{5, 2, 50, 22};
    auto draw = [&](bool hot) {
        TBitmap b = Solid(60, 24, clWhite);
        TCanvas canvas(b);
        DrawSkinText(canvas, "Wq", {true, hot}, button->Binding(), Centred, rect);
        return b;
    };
    auto reference = [&](bool underline) {
        TBitmap b = Solid(60, 24, clWhite);
        TCanvas canvas(b);
        canvas.SetFont(button->Font());
        if (underline) canvas.Font().SetStyle(canvas.Font().Style().With(TFontStyle::fsUnderline));
        canvas.Font().SetColor(0);
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        TRect r = rect;
        canvas.DrawText("Wq", r, Centred);
        return b;
    };
    EXPECT_EQ(draw(true), reference(true));
    EXPECT_EQ(draw(false), reference(false));
    EXPECT_NE(draw(true), draw(false));
}
