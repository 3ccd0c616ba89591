// The standard children of a skinned message box: its label draws the text over the form's
// face in the section's text colour, its buttons wear the skin's "BUTTON" section in every
// state, and both go back to their own look when the skin goes or the rules leave them out.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "controls/TacChildAdapters.h"
#include "controls/TacFrameSkinning.h"
#include "controls/TacProvider.h"
#include "controls/TacThirdPartyButton.h"
#include "controls/TacThirdPartyLabel.h"
#include "controls/TsSkinProvider.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TLabel.h"
#include "platform/toolkit/TMessageForm.h"
#include "platform/toolkit/ToolkitTestSupport.h"
#include "render/Blend.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsFrameSkinning.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

// The colours of the three state cells of the skin's button mask.
constexpr TColor StateColours[3] = {0x302010, 0x40A060, 0xC05020};
constexpr TColor FormColour = 0x243040;
constexpr TColor FormHotColour = 0x283444;
constexpr TColor FormTextColour = 0x10E0F0;
constexpr int Cell = 12;
constexpr int Border = 3;

// A default manager whose hand-made skin has a "FORM" section (plain colours and a text
// colour) and a "BUTTON" section with a border mask of three states, each cell one colour with
// key-coloured corner pixels; frame skinning is registered and its hook installed.
class MessageBoxChildrenTest : public ToolkitTest {
protected:
    MessageBoxChildrenTest() {
        SetDefaultManager(nullptr);
        TacFrameSkinning::Register();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        TsSkinModel& model = manager_->Model();
        TsGeneralData form;
        form.ClassName = "FORM";
        form.Color = FormColour;
        form.HotColor = FormHotColour;
        form.FontColor = {std::int32_t(FormTextColour), -1, -1, -1, -1};
        model.GeneralData.push_back(form);
        TsGeneralData button;
        button.ClassName = "BUTTON";
        button.Color = 0x808080;
        button.HotColor = 0x909090;
        button.FontColor = {0x000000, -1, -1, -1, -1};
        button.HotFontColor = {0x000000, -1, -1, -1, -1};
        model.GeneralData.push_back(button);
        model.MasterBitmap.SetPixelFormat(TPixelFormat::pf24bit);
        model.MasterBitmap.SetSize(3 * Cell, Cell);
        for (int s = 0; s < 3; ++s) {
            TCanvas canvas(model.MasterBitmap);
            canvas.FillRect({s * Cell, 0, (s + 1) * Cell, Cell}, StateColours[s]);
            for (const auto& [x, y] : {std::pair{0, 0}, {Cell - 1, 0}, {0, Cell - 1}, {Cell - 1, Cell - 1}}) {
                const int dx = x == 0 ? 1 : -1, dy = y == 0 ? 1 : -1;
                for (const auto& [px, py] : {std::pair{x, y}, {x + dx, y}, {x, y + dy}})
                    model.MasterBitmap.SetPixel(s * Cell + px, py, clFuchsia);
            }
        }
        TsMaskData mask;
        mask.ClassName = "BUTTON";
        mask.PropertyName = "BORDERSMASK";
        mask.R = {0, 0, 3 * Cell, Cell};
        mask.ImageCount = 3;
        mask.MaskType = 0;
        mask.DrawMode = 4; // draw the centre
        mask.Manager = manager_.get();
        mask.WL = mask.WT = mask.WR = mask.WB = Border;
        model.MaskData.push_back(std::move(mask));
        model.SkinData.Ready = true;
        TacFrameSkinning::Instance().Install();
    }
    ~MessageBoxChildrenTest() override {
        delete box_;
        TacFrameSkinning::Instance().Remove();
        manager_.reset();
        SetFrameSkinning(nullptr);
        SetFormDumpExtension(nullptr);
    }

    TMessageForm* ShowBox(unsigned flags = MB_OK | MB_ICONEXCLAMATION) {
        box_ = new TMessageForm(Application, "Loaded data is not packed", "Warning", flags);
        box_->Show();
        Pump();
        return box_;
    }
    TButton* BoxButton(const std::string& name) const {
        return dynamic_cast<TButton*>(box_->FindComponent(name));
    }

    // The pixel the form shows at a point of a control (control coordinates).
    TColor Shown(const TControl& c, int x, int y) const {
        const TPoint at = c.ClientToScreen({x, y});
        return box_->Surface().GetPixel(at.X - box_->Left(), at.Y - box_->Top()) & 0xFFFFFF;
    }
    // The form's face behind a point of one of its children.
    TColor FaceBehind(const TControl& c, int x, int y) const {
        FaceAnswer().Ready = false;
        QuerySkinCommand(box_, cmdGetFace);
        const ParentBackground face = FaceAnswer();
        EXPECT_TRUE(face.Ready);
        if (!face.Ready) return clFuchsia;
        return face.Bitmap->GetPixel(c.Left() + x + face.OffsetX, c.Top() + y + face.OffsetY) & 0xFFFFFF;
    }
    // A point on the top edge of a button's face, inside the mask's border, away from corners
    // and caption: the state cell's colour there.
    TColor ShownEdge(const TButton& b) const { return Shown(b, b.Width() / 2, 1); }
    void Hover(const TControl& c) {
        const TRect r = c.ScreenRect();
        Move(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    }

    // Which pixels of a label the text's glyphs touch: the text drawn as the label draws it, on
    // a key-coloured bitmap.
    static TBitmap GlyphMap(const TLabel& label) {
        TBitmap map(label.Width(), label.Height());
        TCanvas canvas(map);
        canvas.FillRect({0, 0, label.Width(), label.Height()}, clFuchsia);
        canvas.SetFont(label.Font());
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        TRect r{0, 0, label.Width(), label.Height()};
        canvas.DrawText(label.Caption(), r, label.DrawTextFlags());
        return map;
    }

    // What a button paints by itself, unskinned, at a point of its own.
    static TColor PlainPixel(TButton& b, int x, int y) {
        TBitmap picture(b.Width(), b.Height());
        b.PaintTo(picture, 0, 0);
        return picture.GetPixel(x, y) & 0xFFFFFF;
    }

    std::unique_ptr<TsSkinManager> manager_;
    TMessageForm* box_ = nullptr;
};

} // namespace

// ---------------------------------------------------------------- the label

TEST_F(MessageBoxChildrenTest, TheLabelDrawsOnlyItsTextOverTheFormsFace) {
    ShowBox();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*box_), nullptr);
    const TLabel& label = *box_->MessageLabel();
    const TBitmap glyphs = GlyphMap(label);
    int outside = 0, fullText = 0;
    for (int y = 0; y < label.Height(); ++y)
        for (int x = 0; x < label.Width(); ++x) {
            const TColor shown = Shown(label, x, y);
            if ((glyphs.GetPixel(x, y) & 0xFFFFFF) == clFuchsia) {
                ++outside;
                ASSERT_EQ(shown, FaceBehind(label, x, y)) << x << "," << y;
            } else if (shown == FormTextColour) {
                ++fullText;
            }
        }
    EXPECT_GT(outside, 0);
    // Fully covered glyph pixels wear the section's FONTCOLOR.
    EXPECT_GT(fullText, 0);
}

TEST_F(MessageBoxChildrenTest, WithoutASectionTextColourTheLabelTakesTheSkinsGlobalOne) {
    TsSkinModel& model = manager_->Model();
    model.GeneralData[0].FontColor = {-1, -1, -1, -1, -1};
    TsGeneralData global;
    global.ClassName = "GLOBALINFO";
    global.FontColor = {0x2080C0, -1, -1, -1, -1};
    model.GeneralData.push_back(global);
    ShowBox();
    const auto& adapters = TacFrameSkinning::Instance().Adapters().back()->ChildAdapters()->Adapters();
    const TacThirdPartyLabel* label = nullptr;
    for (const auto& adapter : adapters)
        if (auto* l = dynamic_cast<const TacThirdPartyLabel*>(adapter.get())) label = l;
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->TextColor(), TColor(0x2080C0));
    box_->MessageLabel()->SetEnabled(false);
    EXPECT_EQ(label->TextColor(), MixColors(0x2080C0, FormColour, 0.4));
}

// ---------------------------------------------------------------- the buttons

TEST_F(MessageBoxChildrenTest, TheDefaultButtonWearsTheButtonSectionsHotFace) {
    ShowBox();
    TButton* ok = BoxButton("OK");
    ASSERT_NE(ok, nullptr);
    // The focused default button shows hot, as the skinned push button does.
    EXPECT_EQ(ShownEdge(*ok), StateColours[1]);
    // The key-coloured corner shows the form's face behind the button.
    EXPECT_EQ(Shown(*ok, 0, 0), FaceBehind(*ok, 0, 0));
    ASSERT_TRUE(ok->WindowRgn().has_value());
    EXPECT_FALSE(ok->WindowRgn()->Contains({0, 0}));
    EXPECT_TRUE(ok->WindowRgn()->Contains({ok->Width() / 2, ok->Height() / 2}));
}

TEST_F(MessageBoxChildrenTest, AButtonTurnsHotUnderThePointerAndPressedWhenHeld) {
    ShowBox(MB_OKCANCEL);
    TButton* cancel = BoxButton("Button2");
    ASSERT_NE(cancel, nullptr);
    EXPECT_EQ(ShownEdge(*cancel), StateColours[0]);
    Hover(*cancel);
    EXPECT_EQ(ShownEdge(*cancel), StateColours[1]);
    const TRect r = cancel->ScreenRect();
    Press(r.Left + r.Width() / 2, r.Top + r.Height() / 2);
    EXPECT_EQ(ShownEdge(*cancel), StateColours[2]);
    // Dragged off while held: no longer pressed.
    Move(r.Left - 40, r.Top - 30);
    EXPECT_NE(ShownEdge(*cancel), StateColours[2]);
    Release(r.Left - 40, r.Top - 30);
}

TEST_F(MessageBoxChildrenTest, ADisabledButtonGetsTheDisabledLook) {
    ShowBox(MB_OKCANCEL);
    TButton* cancel = BoxButton("Button2");
    ASSERT_NE(cancel, nullptr);
    cancel->SetEnabled(false);
    Pump();
    EXPECT_NE(ShownEdge(*cancel), StateColours[0]);
    // Blended with the form behind it: between the cell colour and the face.
    const TColor face = FaceBehind(*cancel, cancel->Width() / 2, 1);
    const TColor shown = ShownEdge(*cancel);
    for (int shift : {0, 8, 16}) {
        const int a = int((StateColours[0] >> shift) & 0xFF), b = int((face >> shift) & 0xFF);
        const int v = int((shown >> shift) & 0xFF);
        EXPECT_GE(v, std::min(a, b));
        EXPECT_LE(v, std::max(a, b));
    }
}

TEST_F(MessageBoxChildrenTest, ClickingOkStillClosesTheBoxWithOk) {
    box_ = new TMessageForm(Application, "Text", "Warning", MB_OK);
    TColor shownHot = clFuchsia;
    Steps.push_back([&] {
        TButton* ok = BoxButton("OK");
        ASSERT_NE(ok, nullptr);
        shownHot = ShownEdge(*ok);
        const TRect r = ok->ScreenRect();
        Push(TBackendEventKind::MouseDown, {r.Left + 10, r.Top + 10});
        Push(TBackendEventKind::MouseUp, {r.Left + 10, r.Top + 10});
    });
    EXPECT_EQ(box_->ShowModal(), mrOk);
    EXPECT_EQ(shownHot, StateColours[1]);
    EXPECT_FALSE(Starved);
}

// ---------------------------------------------------------------- giving the children back

TEST_F(MessageBoxChildrenTest, WithoutThirdPartyInTheRulesTheChildrenStayPlain) {
    manager_->SetSkinningRules({TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs});
    ShowBox();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*box_), nullptr);
    EXPECT_EQ(TacFrameSkinning::Instance().Adapters().back()->ChildAdapters(), nullptr);
    TButton* ok = BoxButton("OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_FALSE(ok->WindowRgn().has_value());
    EXPECT_EQ(ShownEdge(*ok), PlainPixel(*ok, ok->Width() / 2, 1));
    const TLabel& label = *box_->MessageLabel();
    EXPECT_EQ(Shown(label, 0, 0), ColorToRGB(label.Color()));
}

TEST_F(MessageBoxChildrenTest, OnlyButtonsNamedInTheThirdButtonsListAreTakenOver) {
    manager_->ThirdParty().SetText(ThirdPartyList::ThirdButtons, "TBitBtn");
    ShowBox();
    const auto& adapters = TacFrameSkinning::Instance().Adapters().back()->ChildAdapters()->Adapters();
    for (const auto& adapter : adapters)
        EXPECT_EQ(dynamic_cast<const TacThirdPartyButton*>(adapter.get()), nullptr);
    TButton* ok = BoxButton("OK");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ShownEdge(*ok), PlainPixel(*ok, ok->Width() / 2, 1));
}

// ---------------------------------------------------------------- under a stored skin

namespace {

// A message box under the program's own stored skins, loaded through the manager as the
// program loads them, so the skin's arrival and removal run their whole course.
class StoredSkinMessageBoxTest : public MessageBoxChildrenTest {
protected:
    StoredSkinMessageBoxTest() {
        TacFrameSkinning::Instance().Remove();
        manager_.reset();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        for (const char* name : {DarkSkin, LightSkin})
            if (const TStoredSkinPackage* package = FindStoredSkinPackage(name))
                manager_->InternalSkins().AddPackage(name, {package->Data.begin(), package->Data.end()});
        manager_->SetSkinName(DarkSkin);
    }
    bool Loaded() const { return manager_->SkinData().Ready && manager_->SkinName() == DarkSkin; }

    static constexpr const char* DarkSkin = "Office2007 Black (internal)";
    static constexpr const char* LightSkin = "Office2007 Blue (internal)";
};

} // namespace

TEST_F(StoredSkinMessageBoxTest, TheLabelShowsTheFormsFaceAroundItsGlyphs) {
    if (!Loaded()) GTEST_SKIP() << "no stored skins in this build";
    ShowBox();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*box_), nullptr);
    const TLabel& label = *box_->MessageLabel();
    const TBitmap glyphs = GlyphMap(label);
    for (int y = 0; y < label.Height(); ++y)
        for (int x = 0; x < label.Width(); ++x)
            if ((glyphs.GetPixel(x, y) & 0xFFFFFF) == clFuchsia) {
                ASSERT_EQ(Shown(label, x, y), FaceBehind(label, x, y)) << x << "," << y;
            }
}

TEST_F(StoredSkinMessageBoxTest, TheButtonShowsTheFaceItsBindingBuiltForTheSkin) {
    if (!Loaded()) GTEST_SKIP() << "no stored skins in this build";
    ShowBox();
    TButton* ok = BoxButton("OK");
    ASSERT_NE(ok, nullptr);
    const auto& adapters = TacFrameSkinning::Instance().Adapters().back()->ChildAdapters()->Adapters();
    TacThirdPartyButton* adapter = nullptr;
    for (const auto& a : adapters)
        if (auto* b = dynamic_cast<TacThirdPartyButton*>(a.get())) adapter = b;
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->SkinData().SectionIndex(), manager_->GetSkinIndex("BUTTON"));
    const TColor before = ShownEdge(*ok);
    EXPECT_EQ(before, adapter->SkinData().FaceBitmap()->GetPixel(ok->Width() / 2, 1) & 0xFFFFFF);

    // A skin change repaints the button with the new skin's face.
    manager_->SetSkinName(LightSkin);
    Pump();
    EXPECT_EQ(adapter->SkinData().SectionIndex(), manager_->GetSkinIndex("BUTTON"));
    EXPECT_EQ(ShownEdge(*ok), adapter->SkinData().FaceBitmap()->GetPixel(ok->Width() / 2, 1) & 0xFFFFFF);
    EXPECT_NE(ShownEdge(*ok), before);
}

TEST_F(StoredSkinMessageBoxTest, RemovingTheSkinGivesTheChildrenTheirPlainLook) {
    if (!Loaded()) GTEST_SKIP() << "no stored skins in this build";
    ShowBox();
    TButton* ok = BoxButton("OK");
    ASSERT_NE(ok, nullptr);
    TLabel& label = *box_->MessageLabel();
    manager_->SetActive(false);
    Pump();
    EXPECT_EQ(TacFrameSkinning::ProviderOf(*box_), nullptr);
    EXPECT_FALSE(ok->WindowRgn().has_value());
    EXPECT_TRUE(label.ControlStyle().Has(TControlStyleFlag::csOpaque));
    for (const auto& [x, y] : {std::pair{0, 0}, {ok->Width() / 2, 1}, {3, ok->Height() - 2}})
        EXPECT_EQ(Shown(*ok, x, y), PlainPixel(*ok, x, y)) << x << "," << y;
    const TBitmap glyphs = GlyphMap(label);
    for (int x = 0; x < label.Width(); ++x)
        if ((glyphs.GetPixel(x, 0) & 0xFFFFFF) == clFuchsia) {
            EXPECT_EQ(Shown(label, x, 0), ColorToRGB(label.Color())) << x;
        }
}
