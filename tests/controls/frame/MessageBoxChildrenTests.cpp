// The standard children of a skinned message box: its label draws the text over the form's
// face in the section's text colour, its buttons wear the skin's "BUTTON" section in every
// state, and both go back to their own look when the skin goes or the rules leave them out.

#include <gtest/gtest.h>

#include "controls/ButtonTestSupport.h"
#include "controls/TacChildAdapters.h"
#include "controls/TacFrameSkinning.h"
#include "controls/TacProvider.h"
#include "controls/TacThirdPartyButton.h"
#include "controls/TacThirdPartyLabel.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TLabel.h"
#include "platform/toolkit/TMessageForm.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/TsFrameSkinning.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

using buttontest::StateColours;
constexpr TColor FormTextColour = 0x10E0F0;

// A default manager whose hand-made skin has a plain "FORM" section with a text colour and the
// "BUTTON" section of the push-button tests; frame skinning is registered and hooked.
class MessageBoxChildrenTest : public ToolkitTest {
protected:
    MessageBoxChildrenTest() {
        SetDefaultManager(nullptr);
        TacFrameSkinning::Register();
        manager_ = std::make_unique<TsSkinManager>(nullptr);
        buttontest::AddButtonSection(*manager_);
        TsGeneralData form;
        form.ClassName = "FORM";
        form.Color = 0x243040;
        form.HotColor = 0x283444;
        form.FontColor = {std::int32_t(FormTextColour), -1, -1, -1, -1};
        manager_->Model().GeneralData.push_back(form);
        manager_->Model().SkinData.Ready = true;
        TacFrameSkinning::Instance().Install();
    }
    ~MessageBoxChildrenTest() override {
        delete box_;
        TacFrameSkinning::Instance().Remove();
        manager_.reset();
        SetFrameSkinning(nullptr);
        SetFormDumpExtension(nullptr);
    }

    void ShowBox(unsigned flags = MB_OK | MB_ICONEXCLAMATION) {
        box_ = new TMessageForm(Application, "Loaded data is not packed", "Warning", flags);
        box_->Show();
        Pump();
    }
    TButton& BoxButton(const std::string& name) const {
        return *dynamic_cast<TButton*>(box_->FindComponent(name));
    }
    const TacChildAdapters* Children() const {
        const auto& adapters = TacFrameSkinning::Instance().Adapters();
        return adapters.empty() ? nullptr : adapters.back()->ChildAdapters();
    }
    template <class T> T* ChildAdapter() const {
        const TacChildAdapters* children = Children();
        if (!children) return nullptr;
        for (const auto& adapter : children->Adapters())
            if (auto* found = dynamic_cast<T*>(adapter.get())) return found;
        return nullptr;
    }

    // The pixel the form shows at a point of one of its children.
    TColor Shown(const TControl& c, int x, int y) const {
        const TPoint at = c.ClientToScreen({x, y});
        return box_->Surface().GetPixel(at.X - box_->Left(), at.Y - box_->Top()) & 0xFFFFFF;
    }
    // The form's face behind a point of one of its children.
    TColor FaceBehind(const TControl& c, int x, int y) const {
        FaceAnswer().Ready = false;
        QuerySkinCommand(box_, cmdGetFace);
        const ParentBackground face = FaceAnswer();
        return face.Ready
                   ? face.Bitmap->GetPixel(c.Left() + x + face.OffsetX, c.Top() + y + face.OffsetY) & 0xFFFFFF
                   : clFuchsia;
    }
    // A point on the top edge of a button, in the mask's border: the state cell's colour.
    TColor ShownEdge(const TButton& b) const { return Shown(b, b.Width() / 2, 1); }
    // What a button paints by itself at a point of its own.
    static TColor PlainPixel(TButton& b, int x, int y) {
        TBitmap picture(b.Width(), b.Height());
        b.PaintTo(picture, 0, 0);
        return picture.GetPixel(x, y) & 0xFFFFFF;
    }

    // Checks that the label shows the form's face wherever its glyphs (drawn as the label draws
    // them, on a key-coloured bitmap) leave a pixel untouched; counts the pixels in `ink`.
    void ExpectFaceAroundGlyphs(const TLabel& label, TColor ink, int& inked) const {
        TBitmap glyphs(label.Width(), label.Height());
        TCanvas canvas(glyphs);
        canvas.FillRect({0, 0, label.Width(), label.Height()}, clFuchsia);
        canvas.SetFont(label.Font());
        canvas.SetBrushStyle(TBrushStyle::bsClear);
        TRect r{0, 0, label.Width(), label.Height()};
        canvas.DrawText(label.Caption(), r, label.DrawTextFlags());
        inked = 0;
        for (int y = 0; y < label.Height(); ++y)
            for (int x = 0; x < label.Width(); ++x) {
                const TColor shown = Shown(label, x, y);
                if ((glyphs.GetPixel(x, y) & 0xFFFFFF) == clFuchsia) {
                    ASSERT_EQ(shown, FaceBehind(label, x, y)) << x << "," << y;
                } else if (shown == ink) {
                    ++inked;
                }
            }
    }

    std::unique_ptr<TsSkinManager> manager_;
    TMessageForm* box_ = nullptr;
};

} // namespace

TEST_F(MessageBoxChildrenTest, TheLabelDrawsOnlyItsTextInTheSectionsColourOverTheFormsFace) {
    ShowBox();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*box_), nullptr);
    int inked = 0;
    ExpectFaceAroundGlyphs(*box_->MessageLabel(), FormTextColour, inked);
    EXPECT_GT(inked, 0);
}

TEST_F(MessageBoxChildrenTest, WithoutASectionTextColourTheLabelTakesTheSkinsGlobalOne) {
    TsSkinModel& model = manager_->Model();
    model.GeneralData[1].FontColor = {-1, -1, -1, -1, -1};
    TsGeneralData global;
    global.ClassName = "GLOBALINFO";
    global.FontColor = {0x2080C0, -1, -1, -1, -1};
    model.GeneralData.push_back(global);
    ShowBox();
    const TacThirdPartyLabel* label = ChildAdapter<TacThirdPartyLabel>();
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->TextColor(), TColor(0x2080C0));
    box_->MessageLabel()->SetEnabled(false);
    EXPECT_EQ(label->TextColor(), MixColors(0x2080C0, model.GeneralData[1].Color, 0.4));
}

TEST_F(MessageBoxChildrenTest, TheDefaultButtonShowsTheHotFaceWithTheFormInItsCorners) {
    ShowBox();
    TButton& ok = BoxButton("OK");
    // Focused and the default, it is hot, as the skinned push button is.
    EXPECT_EQ(ShownEdge(ok), StateColours[1]);
    EXPECT_EQ(Shown(ok, 0, 0), FaceBehind(ok, 0, 0));
    ASSERT_TRUE(ok.WindowRgn().has_value());
    EXPECT_FALSE(ok.WindowRgn()->Contains({0, 0}));
}

TEST_F(MessageBoxChildrenTest, AButtonTurnsHotUnderThePointerAndPressedWhileHeldOverIt) {
    ShowBox(MB_OKCANCEL);
    TButton& cancel = BoxButton("Button2");
    EXPECT_EQ(ShownEdge(cancel), StateColours[0]);
    const TRect r = cancel.ScreenRect();
    Move(r.Left + 10, r.Top + 10);
    EXPECT_EQ(ShownEdge(cancel), StateColours[1]);
    Press(r.Left + 10, r.Top + 10);
    EXPECT_EQ(ShownEdge(cancel), StateColours[2]);
    Move(r.Left - 40, r.Top - 30);
    EXPECT_NE(ShownEdge(cancel), StateColours[2]);
    Release(r.Left - 40, r.Top - 30);
}

TEST_F(MessageBoxChildrenTest, ClickingOkStillClosesTheBoxWithOk) {
    box_ = new TMessageForm(Application, "Text", "Warning", MB_OK);
    TColor shown = clFuchsia;
    Steps.push_back([&] {
        shown = ShownEdge(BoxButton("OK"));
        const TRect r = BoxButton("OK").ScreenRect();
        Push(TBackendEventKind::MouseDown, {r.Left + 10, r.Top + 10});
        Push(TBackendEventKind::MouseUp, {r.Left + 10, r.Top + 10});
    });
    EXPECT_EQ(box_->ShowModal(), mrOk);
    EXPECT_EQ(shown, StateColours[1]);
    EXPECT_FALSE(Starved);
}

TEST_F(MessageBoxChildrenTest, WithoutThirdPartyInTheRulesTheChildrenStayPlain) {
    manager_->SetSkinningRules({TacSkinningRule::srStdForms, TacSkinningRule::srStdDialogs});
    ShowBox();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*box_), nullptr);
    EXPECT_EQ(Children(), nullptr);
    TButton& ok = BoxButton("OK");
    EXPECT_EQ(ShownEdge(ok), PlainPixel(ok, ok.Width() / 2, 1));
    EXPECT_EQ(Shown(*box_->MessageLabel(), 0, 0), ColorToRGB(box_->MessageLabel()->Color()));
}

TEST_F(MessageBoxChildrenTest, OnlyButtonsNamedInTheThirdButtonsListAreTakenOver) {
    manager_->ThirdParty().SetText(ThirdPartyList::ThirdButtons, "TBitBtn");
    ShowBox();
    EXPECT_EQ(ChildAdapter<TacThirdPartyButton>(), nullptr);
    TButton& ok = BoxButton("OK");
    EXPECT_EQ(ShownEdge(ok), PlainPixel(ok, ok.Width() / 2, 1));
}

// A message box under the program's stored skins, loaded through the manager as the program
// loads them, so a skin's arrival, change and removal run their whole course.
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

TEST_F(StoredSkinMessageBoxTest, TheChildrenWearTheSkinAndFollowItsChange) {
    if (!Loaded()) GTEST_SKIP() << "no stored skins in this build";
    ShowBox();
    const TsGeneralData& form = manager_->Model().GeneralData[std::size_t(manager_->GetSkinIndex("FORM"))];
    int inked = 0;
    ExpectFaceAroundGlyphs(*box_->MessageLabel(), ColorToRGB(TColor(form.FontColor[0])), inked);
    EXPECT_GT(inked, 0);

    TButton& ok = BoxButton("OK");
    TacThirdPartyButton* adapter = ChildAdapter<TacThirdPartyButton>();
    ASSERT_NE(adapter, nullptr);
    EXPECT_EQ(adapter->SkinData().SectionIndex(), manager_->GetSkinIndex("BUTTON"));
    const TColor before = ShownEdge(ok);
    EXPECT_EQ(before, adapter->SkinData().FaceBitmap()->GetPixel(ok.Width() / 2, 1) & 0xFFFFFF);

    manager_->SetSkinName(LightSkin);
    Pump();
    EXPECT_EQ(adapter->SkinData().SectionIndex(), manager_->GetSkinIndex("BUTTON"));
    EXPECT_EQ(ShownEdge(ok), adapter->SkinData().FaceBitmap()->GetPixel(ok.Width() / 2, 1) & 0xFFFFFF);
    EXPECT_NE(ShownEdge(ok), before);
}

TEST_F(StoredSkinMessageBoxTest, RemovingTheSkinGivesTheChildrenTheirPlainLook) {
    if (!Loaded()) GTEST_SKIP() << "no stored skins in this build";
    ShowBox();
    TButton& ok = BoxButton("OK");
    TLabel& label = *box_->MessageLabel();
    manager_->SetActive(false);
    Pump();
    EXPECT_EQ(TacFrameSkinning::ProviderOf(*box_), nullptr);
    EXPECT_FALSE(ok.WindowRgn().has_value());
    EXPECT_TRUE(label.ControlStyle().Has(TControlStyleFlag::csOpaque));
    for (const auto& [x, y] : {std::pair{0, 0}, {ok.Width() / 2, 1}, {3, ok.Height() - 2}})
        EXPECT_EQ(Shown(ok, x, y), PlainPixel(ok, x, y)) << x << "," << y;
    EXPECT_EQ(Shown(label, 0, 0), ColorToRGB(label.Color()));
}

TEST_F(StoredSkinMessageBoxTest, AClickThatRemovesTheSkinFinishesOnTheButtonsOwnProcedure) {
    if (!Loaded()) GTEST_SKIP() << "no stored skins in this build";
    ShowBox(MB_OKCANCEL);
    TButton& cancel = BoxButton("Button2");
    int clicks = 0;
    cancel.OnClick = [&](TObject*) {
        ++clicks;
        manager_->SetActive(false);
    };
    ClickControl(cancel);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(Children(), nullptr);
    EXPECT_FALSE(cancel.WindowRgn().has_value());
    ClickControl(cancel);
    EXPECT_EQ(clicks, 2);
}
