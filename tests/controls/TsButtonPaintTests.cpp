#include "ButtonTestSupport.h"

#include "platform/toolkit/TCustomControl.h"
#include "platform/toolkit/TJsonWriter.h"
#include <cmath>

#include "platform/toolkit/SkinCommandMessage.h"
#include "render/Blend.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"

using namespace buttontest;

namespace {

TEST_F(ButtonTest, NormalFaceComesFromTheFirstStateCell) {
    EXPECT_FALSE(button_->Focused());
    EXPECT_EQ(button_->FaceState(), bfsNormal);
    EXPECT_EQ(ShownEdge(*button_), StateColours[0]);
    EXPECT_FALSE(button_->SkinData().FaceStale());
}

TEST_F(ButtonTest, WindowRegionCutsTheKeyColouredCorners) {
    ASSERT_TRUE(button_->WindowRgn().has_value());
    const TRegion& region = *button_->WindowRgn();
    const int w = button_->Width(), h = button_->Height();
    for (const TPoint p : {TPoint{0, 0}, {1, 0}, {0, 1}, {w - 1, 0}, {w - 2, 0}, {0, h - 1}, {w - 1, h - 1}})
        EXPECT_FALSE(region.Contains(p)) << p.X << "," << p.Y;
    EXPECT_TRUE(region.Contains({1, 1}));
    EXPECT_TRUE(region.Contains({2, 0}));
    EXPECT_TRUE(region.Contains({w / 2, h / 2}));
    // The form shows through the cut corners.
    EXPECT_EQ(Shown(*button_, 0, 0), FormColour);
    EXPECT_EQ(Shown(*button_, w - 1, h - 1), FormColour);
    // Pointer hits in a cut corner miss the button.
    EXPECT_NE(form_->ControlAtPos({button_->Left(), button_->Top()}, false), button_);
    EXPECT_EQ(form_->ControlAtPos({button_->Left() + 2, button_->Top()}, false), button_);
}

TEST_F(ButtonTest, CaptionRectOfKnopkaOn130x25AndItsPressedShift) {
    TsButton* b = AddButton(TRect::FromBounds(20, 100, 130, 25), "Кнопка");
    b->ChangeFont([](TFont& f) { f.SetSize(10); });
    Pump();
    const TSize text = Measure(b->Font(), "Кнопка", 130, true);
    ASSERT_GT(text.Width, 0);
    const int dx = (130 - text.Width) / 2, dy = (25 - text.Height) / 2;
    EXPECT_EQ(b->CaptionRect(), (TRect{dx - 1, dy, 130 - dx + 2, 25 - dy}));
    b->SetDown(true);
    Pump();
    EXPECT_EQ(b->FaceState(), bfsPressed);
    EXPECT_EQ(b->CaptionRect(), (TRect{dx, dy + 1, 130 - dx + 3, 25 - dy + 1}));
}

TEST_F(ButtonTest, WordWrapBreaksALongCaptionAndStaysCentredVertically) {
    const std::string caption = "Кнопка кнопка кнопка кнопка";
    TsButton* b = AddButton(TRect::FromBounds(20, 100, 80, 60), caption);
    Pump();
    EXPECT_TRUE(b->WordWrap());
    const TSize wrapped = Measure(b->Font(), caption, 80, true);
    const TSize single = Measure(b->Font(), caption, 80, false);
    ASSERT_GT(wrapped.Height, single.Height) << "the caption breaks into lines";
    EXPECT_EQ(b->CaptionRect().Top, (60 - wrapped.Height) / 2);
    EXPECT_EQ(b->CaptionRect().Bottom, 60 - (60 - wrapped.Height) / 2);
    b->SetWordWrap(false);
    b->Repaint();
    EXPECT_EQ(b->CaptionRect().Top, (60 - single.Height) / 2);
}

TEST_F(ButtonTest, FocusFrameOnlyWhenTheSectionShowsFocus) {
    button_->SetFocus();
    Pump();
    ASSERT_TRUE(button_->Focused());
    const TRect frame = button_->CaptionRect().Inflate(button_->FocusMargin(), button_->FocusMargin());
    EXPECT_NE(Shown(*button_, frame.Left, frame.Top), clBlack) << "SHOWFOCUS is FALSE";
    Section().ShowFocus = true;
    button_->SkinData().Invalidate();
    Pump();
    for (int i = 0; i <= frame.Width() / 3; ++i)
        EXPECT_EQ(Shown(*button_, frame.Left + 3 * i, frame.Top), clBlack) << i;
    EXPECT_EQ(Shown(*button_, frame.Left - 1, frame.Top - 1), clWhite);
}

TEST_F(ButtonTest, EmptyCaptionDrawsNoFocusFrame) {
    Section().ShowFocus = true;
    button_->SetCaption("");
    button_->SetFocus();
    Pump();
    const TRect frame = button_->CaptionRect().Inflate(1, 1);
    EXPECT_EQ(Shown(*button_, frame.Left, frame.Top), StateColours[1]);
}

TEST_F(ButtonTest, DisabledButtonIsBlendedHalfWithTheParentColour) {
    button_->SetEnabled(false);
    Pump();
    // The form has no face: the whole face is mixed half and half with its colour.
    TBitmap expected;
    expected.SetPixelFormat(TPixelFormat::pf24bit);
    expected.SetSize(2, 2);
    expected.Fill(StateColours[0]);
    BlendWithColor(expected, {0, 0, 1, 1}, 50, FormColour);
    EXPECT_EQ(ShownEdge(*button_), expected.GetPixel(0, 0));
    // A disabled button does not turn hot under the pointer.
    Hover(*button_);
    Wait(300);
    EXPECT_EQ(ShownEdge(*button_), expected.GetPixel(0, 0));
}

TEST_F(ButtonTest, FontChangeShowsAtOnce) {
    const TRect before = button_->CaptionRect();
    button_->ChangeFont([](TFont& f) { f.SetSize(f.Size() * 3); });
    EXPECT_TRUE(button_->SkinData().FaceStale());
    Pump();
    EXPECT_FALSE(button_->SkinData().FaceStale());
    const TSize text = Measure(button_->Font(), "Кнопка", button_->Width(), true);
    EXPECT_GT(text.Height, before.Height());
    // The caption is centred on the new text's size, the halves rounded down.
    const int w = button_->Width(), h = button_->Height();
    const int dx = (w - text.Width) / 2, dy = (h - text.Height) / 2;
    EXPECT_EQ(button_->CaptionRect(), (TRect{dx - 1, dy, w - dx + 2, h - dy}));
}

TEST_F(ButtonTest, SkinRemovedPaintsNativelyWithoutAShape) {
    // A section the skin lacks removes the skin from the button.
    button_->SkinData().SetSkinSection("NOSUCHSECTION");
    Pump();
    EXPECT_FALSE(button_->SkinData().Skinned(true));
    EXPECT_FALSE(button_->WindowRgn().has_value());
    EXPECT_NE(button_->ButtonType(), BS_OWNERDRAW);
    EXPECT_NE(ShownEdge(*button_), StateColours[0]);
}

TEST_F(ButtonTest, DumpCarriesTheSkinField) {
    manager_->SetName("sSkinManager0");
    TJsonWriter json;
    button_->WriteDump(json);
    const std::string text = json.Text();
    EXPECT_NE(text.find(R"("skin":{"manager":"sSkinManager0","section":"BUTTON","skinned":true,"state":0})"),
              std::string::npos)
        << text;
}

} // namespace

namespace {

// A container whose face is one colour and reports itself patterned, as a skinned panel does.
class TFacedPanel : public TCustomControl {
public:
    TFacedPanel(TComponent* owner, TColor colour) : TCustomControl(owner), m_face(400, 300) {
        m_face.Fill(colour);
    }

protected:
    void WndProc(TMessage& m) override {
        if (SkinCommandMessage::Is(m)) {
            if (SkinCommandMessage::Code(m) == cmdGetFace)
                FaceAnswer() = ParentBackground{&m_face, 0, 0, true};
            if (SkinCommandMessage::Code(m) == cmdBgIsPatterned) {
                SkinCommandMessage::AnswerLParam(m, 1);
                SkinCommandMessage::AnswerResult(m, 1);
            }
            return;
        }
        TCustomControl::WndProc(m);
    }
    void Paint(TCanvas& canvas) override { canvas.Draw(0, 0, m_face); }

private:
    TBitmap m_face;
};

int KeepFortyPercent(int parent, int own) {
    return int(std::nearbyint(parent - 0.4 * (parent - own)));
}

TEST_F(ButtonTest, DisabledButtonOverAFaceKeepsFortyPercent) {
    const TColor panelColour = MakeColor(200, 180, 20);
    auto* panel = new TFacedPanel(form_, panelColour);
    panel->SetBounds(0, 100, 300, 120);
    panel->SetParent(form_);
    auto* b = new TsButton(form_);
    b->SetBounds(10, 10, 120, 40);
    b->SetParent(panel);
    b->SetEnabled(false);
    Application->ComposeAll();
    const TColor own = StateColours[0];
    const TColor expected = MakeColor(std::uint8_t(KeepFortyPercent(GetRValue(panelColour), GetRValue(own))),
                                      std::uint8_t(KeepFortyPercent(GetGValue(panelColour), GetGValue(own))),
                                      std::uint8_t(KeepFortyPercent(GetBValue(panelColour), GetBValue(own))));
    EXPECT_EQ(ShownEdge(*b), expected);
    // The cut corners show the panel's face.
    EXPECT_EQ(Shown(*b, 0, 0), panelColour);
}

} // namespace
