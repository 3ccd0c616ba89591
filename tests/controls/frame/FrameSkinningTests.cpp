// Frame skinning: the hook that attaches frame providers, frame metrics, title buttons and
// their hit codes, the window face, the close button, message boxes, unskinned forms, the
// hover notice, and a skin change that redraws each framed form once.

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/FrameGeometry.h"
#include "controls/TacFrameSkinning.h"
#include "controls/TsButton.h"
#include "controls/TsSkinProvider.h"
#include "platform/graphics/SystemMetrics.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TMessageForm.h"
#include "render/Face.h"
#include "render/Layers.h"
#include "render/binding/BindingTestSupport.h"
#include "skin/TsFrameSkinning.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

constexpr const char* SkinName = "Office2007 Black (internal)";

class FrameSkinningTest : public ToolkitTest {
protected:
    void SetUp() override {
        TacFrameSkinning::Register();
        const TStoredSkinPackage* package = FindStoredSkinPackage(SkinName);
        ASSERT_NE(package, nullptr);
        m_manager = new TsSkinManager(Application);
        m_manager->SetName("sSkinManager0");
        m_manager->InternalSkins().AddPackage(SkinName, {package->Data.begin(), package->Data.end()});
        m_manager->SetSkinName(SkinName);
        ASSERT_TRUE(m_manager->SkinData().Ready);
    }
    void TearDown() override {
        delete m_manager;
        SetFrameSkinning(nullptr);
        SetFormDumpExtension(nullptr);
    }

    // A shown, activated form of the border style with the given client size.
    TForm* ShowForm(TFormBorderStyle style, int cw = 363, int ch = 162, int tag = 0) {
        TForm* form = MakeForm(cw, ch, style);
        form->SetTag(tag);
        form->SetCaption("Случайная фраза");
        // As a form with a stored design does, it leaves its creation before it is shown.
        form->DoCreate();
        form->Show();
        Pump();
        return form;
    }

    const TsMaskData& GlobalImage(const char* key) const {
        return m_manager->Model().MaskData[std::size_t(m_manager->FindMaskEntry("GLOBALINFO", key))];
    }

    static std::string DumpOf(const TCustomForm& form) {
        TJsonWriter json;
        json.BeginObject();
        form.WriteDumpFields(json);
        json.EndObject();
        return json.Text();
    }

    // The surface pixel of a form (window coordinates) without its unused fourth byte.
    static TColor SurfacePixel(const TCustomForm& form, int x, int y) {
        return form.Surface().GetPixel(x, y) & 0xFFFFFF;
    }

    TsSkinManager* m_manager = nullptr;
};

} // namespace

// ---------------------------------------------------------------- attaching

TEST_F(FrameSkinningTest, TheDefaultManagersSkinHooksAndActivationAttachesAProvider) {
    EXPECT_TRUE(TacFrameSkinning::Instance().Installed());
    TForm* form = ShowForm(TFormBorderStyle::bsDialog);
    TsSkinProvider* provider = TacFrameSkinning::ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    EXPECT_EQ(provider->SkinData().SkinSection(), "FORM");
    EXPECT_EQ(provider->SkinData().KindCode(), 224);
    EXPECT_EQ(TLParam(form->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdGetProvider))),
              LParamFromPointer(provider));
    EXPECT_NE(DumpOf(*form).find("\"skinProvider\":\"sSkinManager0\""), std::string::npos);
    EXPECT_EQ(TacFrameSkinning::Instance().Forms(), std::vector<TCustomForm*>{form});
}

TEST_F(FrameSkinningTest, AFormTaggedMinus98StaysUnskinned) {
    TForm* form = ShowForm(TFormBorderStyle::bsDialog, 200, 100, TacFrameSkinning::UnskinnedTag);
    EXPECT_EQ(TacFrameSkinning::ProviderOf(*form), nullptr);
    EXPECT_NE(DumpOf(*form).find("\"skinProvider\":null"), std::string::npos);
}

TEST_F(FrameSkinningTest, WithoutStdFormsOnlyMessageBoxesAreSkinned) {
    m_manager->SetSkinningRules({TacSkinningRule::srStdDialogs});
    TForm* form = ShowForm(TFormBorderStyle::bsDialog, 200, 100);
    EXPECT_EQ(TacFrameSkinning::ProviderOf(*form), nullptr);
    auto* box = new TMessageForm(Application, "Текст", "Заголовок", MB_OK | MB_ICONEXCLAMATION);
    box->Show();
    Pump();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*box), nullptr);
    // The message box's title band wears the title section.
    const int titleIndex = m_manager->GetSkinIndex("FORMTITLE");
    TBitmap expected(box->Width(), box->Height());
    const TFrameMetrics metrics = FrameMetricsOf(*box);
    PaintSectionFace(titleIndex, "FORMTITLE", {}, 1, FillCentre::Yes, m_manager, expected, {0, 0},
                     {0, 0, box->Width(), metrics.TitleBand()});
    EXPECT_EQ(SurfacePixel(*box, metrics.FrameWidth + 1, metrics.TitleBand() / 2),
              expected.GetPixel(metrics.FrameWidth + 1, metrics.TitleBand() / 2) & 0xFFFFFF);
    delete box;
}

TEST_F(FrameSkinningTest, RemovingTheSkinReleasesEveryProvider) {
    TForm* form = ShowForm(TFormBorderStyle::bsDialog);
    ASSERT_NE(TacFrameSkinning::ProviderOf(*form), nullptr);
    m_manager->SetActive(false);
    EXPECT_FALSE(TacFrameSkinning::Instance().Installed());
    EXPECT_EQ(TacFrameSkinning::ProviderOf(*form), nullptr);
    EXPECT_TRUE(TacFrameSkinning::Instance().Adapters().empty());
    // The form draws its own frame again: its close button works the platform's way.
    Pump();
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0,
                            MakeLParam(form->Left() + form->CloseButtonRect().Left + 1,
                                       form->Top() + form->CloseButtonRect().Top + 1)),
              HTCLOSE);
}

// ---------------------------------------------------------------- geometry

TEST_F(FrameSkinningTest, FrameMetricsFollowThePlatformSizes) {
    TForm* dialog = ShowForm(TFormBorderStyle::bsDialog);
    const TFrameMetrics d = FrameMetricsOf(*dialog);
    EXPECT_TRUE(d.HasFrame);
    EXPECT_EQ(d.CaptionHeight, GetSystemMetrics(SM_CYCAPTION));
    EXPECT_EQ(d.FrameWidth, GetSystemMetrics(SM_CXDLGFRAME));
    EXPECT_EQ(d.FrameHeight, GetSystemMetrics(SM_CYDLGFRAME));
    EXPECT_EQ(dialog->ClientOrigin(),
              (TPoint{dialog->Left() + d.ClientOrigin().X, dialog->Top() + d.ClientOrigin().Y}));

    TForm* sizeable = ShowForm(TFormBorderStyle::bsSizeable);
    EXPECT_EQ(FrameMetricsOf(*sizeable).FrameWidth, GetSystemMetrics(SM_CXFRAME));
    EXPECT_EQ(FrameMetricsOf(*sizeable).FrameHeight, GetSystemMetrics(SM_CYFRAME));

    TForm* bare = ShowForm(TFormBorderStyle::bsNone);
    const TFrameMetrics n = FrameMetricsOf(*bare);
    EXPECT_FALSE(n.HasFrame);
    EXPECT_EQ(n.CaptionHeight, 0);
    EXPECT_EQ(n.FrameWidth, 0);
    EXPECT_TRUE(LayoutTitleButtons(*bare, n, m_manager, 0).empty());
}

TEST_F(FrameSkinningTest, ADialogHasOnlyTheCloseButtonAtTheRightEdge) {
    TForm* dialog = ShowForm(TFormBorderStyle::bsDialog);
    const TFrameMetrics metrics = FrameMetricsOf(*dialog);
    const auto buttons = LayoutTitleButtons(*dialog, metrics, m_manager, 0);
    ASSERT_EQ(buttons.size(), 1u);
    const TsMaskData& close = GlobalImage("BICONCLOSE");
    const int width = close.R.Width() / close.ImageCount;
    const int height = close.R.Height() / (close.MaskType + 1);
    const int right = dialog->Width() - metrics.FrameWidth - m_manager->SkinData().BISpace;
    const int top = (metrics.FrameHeight + metrics.CaptionHeight - height) / 2;
    EXPECT_EQ(buttons[0].Kind, TTitleButtonKind::Close);
    EXPECT_EQ(buttons[0].Rect, (TRect{right - width, top, right, top + height}));
}

TEST_F(FrameSkinningTest, SizeableFormButtonsRunRightToLeftWithTheirHitCodes) {
    TForm* form = ShowForm(TFormBorderStyle::bsSizeable, 300, 200);
    form->SetBorderIcons(
        {TBorderIcon::biSystemMenu, TBorderIcon::biMinimize, TBorderIcon::biMaximize, TBorderIcon::biHelp});
    TsSkinProvider* provider = TacFrameSkinning::ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    provider->TitleButtons.resize(1);
    const auto buttons = provider->TitleButtonPlaces();
    ASSERT_EQ(buttons.size(), 5u);
    const int space = m_manager->SkinData().BISpace;
    const std::vector<int> codes{HTCLOSE, HTMAXBUTTON, HTMINBUTTON, HTHELP, 1000};
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        if (i > 0) {
            EXPECT_EQ(buttons[i].Rect.Right, buttons[i - 1].Rect.Left - space);
        }
        const TRect r = buttons[i].Rect;
        const TLParam at =
            MakeLParam(form->Left() + r.Left + r.Width() / 2, form->Top() + r.Top + r.Height() / 2);
        EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, at), codes[i]) << i;
    }
    // A disabled own button is caption; so is the rest of the title band; the client is client.
    provider->TitleButtons[0].Enabled = false;
    const TRect own = buttons[4].Rect;
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0,
                            MakeLParam(form->Left() + own.Left + own.Width() / 2,
                                       form->Top() + own.Top + own.Height() / 2)),
              HTCAPTION);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(form->Left() + 40, form->Top() + 5)), HTCAPTION);
    EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(form->Left() + 40, form->Top() + 100)), HTCLIENT);
    // Without the maximize icon the button is not laid out at all.
    form->SetBorderIcons({TBorderIcon::biSystemMenu});
    EXPECT_EQ(provider->TitleButtonPlaces().size(), 2u);
}

// ---------------------------------------------------------------- face and mouse

TEST_F(FrameSkinningTest, ABorderlessFormShowsTheFormSectionsLayers) {
    TForm* form = ShowForm(TFormBorderStyle::bsNone, 240, 160);
    const int index = m_manager->GetSkinIndex("FORM");
    TBitmap expected(form->Width(), form->Height());
    PaintLayers(index, "FORM", {}, clFuchsia, m_manager->GetTextureIndex(index, "FORM", "HOTPATTERN"),
                m_manager->GetTextureIndex(index, "FORM", "PATTERN"), m_manager, expected, {0, 0},
                {0, 0, form->Width(), form->Height()}, form->Active() ? 1 : 0);
    for (const TPoint p : {TPoint{0, 0}, TPoint{120, 80}, TPoint{239, 159}})
        EXPECT_EQ(SurfacePixel(*form, p.X, p.Y), expected.GetPixel(p.X, p.Y) & 0xFFFFFF) << p.X << "," << p.Y;
}

TEST_F(FrameSkinningTest, ChildrenFindTheirBackgroundInTheWindowFace) {
    TForm* form = ShowForm(TFormBorderStyle::bsDialog);
    FaceAnswer().Ready = false;
    form->Perform(WM_SKINCOMMAND, MakeWParam(0, cmdGetFace));
    const ParentBackground face = FaceAnswer();
    ASSERT_TRUE(face.Ready);
    const TFrameMetrics metrics = FrameMetricsOf(*form);
    EXPECT_EQ(face.OffsetX, metrics.ClientOrigin().X);
    EXPECT_EQ(face.OffsetY, metrics.ClientOrigin().Y);
    EXPECT_EQ(face.Bitmap->Width(), form->Width());
    // The client area on screen is the face's client part.
    EXPECT_EQ(SurfacePixel(*form, face.OffsetX + 50, face.OffsetY + 50),
              face.Bitmap->GetPixel(face.OffsetX + 50, face.OffsetY + 50) & 0xFFFFFF);
}

TEST_F(FrameSkinningTest, TheCloseButtonTurnsHotPressedAndClosesOnRelease) {
    TForm* form = ShowForm(TFormBorderStyle::bsDialog);
    bool closed = false;
    form->OnClose = [&closed](TObject*, TCloseAction&) { closed = true; };
    TsSkinProvider* provider = TacFrameSkinning::ProviderOf(*form);
    ASSERT_NE(provider, nullptr);
    const TRect r = provider->TitleButtonPlaces()[0].Rect;
    const int x = form->Left() + r.Left + r.Width() / 2, y = form->Top() + r.Top + r.Height() / 2;
    Move(x, y);
    EXPECT_EQ(provider->TitleButtonState(0), 1);
    Press(x, y);
    EXPECT_EQ(provider->TitleButtonState(0), 2);
    // Dragged off, the button shows normal and the release does not close.
    Release(form->Left() + 30, form->Top() + 5);
    EXPECT_FALSE(closed);
    EXPECT_TRUE(form->Visible());
    Click(x, y);
    EXPECT_TRUE(closed);
    EXPECT_FALSE(form->Visible());
}

TEST_F(FrameSkinningTest, ExtremeButtonSpacingKeepsTheCloseButtonOnTheTitleBar) {
    for (const std::int32_t space : {INT32_MAX, INT32_MIN}) {
        m_manager->Model().SkinData.BISpace = space;
        TForm* form = ShowForm(TFormBorderStyle::bsDialog);
        bool closed = false;
        form->OnClose = [&closed](TObject*, TCloseAction&) { closed = true; };
        TsSkinProvider* provider = TacFrameSkinning::ProviderOf(*form);
        ASSERT_NE(provider, nullptr);
        const TFrameMetrics metrics = FrameMetricsOf(*form);
        const auto buttons = provider->TitleButtonPlaces();
        ASSERT_EQ(buttons.size(), 1u);
        const TRect r = buttons[0].Rect;
        EXPECT_GE(r.Left, 0) << space;
        EXPECT_LE(r.Right, form->Width()) << space;
        EXPECT_GE(r.Top, 0) << space;
        EXPECT_LE(r.Bottom, metrics.TitleBand()) << space;
        // The caption keeps most of the title bar.
        EXPECT_GT(r.Left, form->Width() / 2) << space;
        const int x = form->Left() + r.Left + r.Width() / 2, y = form->Top() + r.Top + r.Height() / 2;
        EXPECT_EQ(form->Perform(WM_NCHITTEST, 0, MakeLParam(x, y)), HTCLOSE) << space;
        Click(x, y);
        EXPECT_TRUE(closed) << space;
        EXPECT_FALSE(form->Visible()) << space;
    }
}

TEST_F(FrameSkinningTest, TheHoverMovesToTheFormWhenThePointerLeavesAChild) {
    TForm* form = ShowForm(TFormBorderStyle::bsNone, 300, 200);
    auto* child = new TTestSkinned(form, KindCode::PushButton);
    child->SetParent(form);
    child->SetBounds(10, 10, 100, 40);
    Pump();
    Move(form->Left() + 20, form->Top() + 20);
    EXPECT_EQ(m_manager->HoverControl(), child);
    Move(form->Left() + 200, form->Top() + 150);
    EXPECT_EQ(m_manager->HoverControl(), form);
    const std::vector<std::uint16_t>& codes = child->Commands;
    EXPECT_NE(std::find(codes.begin(), codes.end(), cmdMouseLeave), codes.end());
}

// ---------------------------------------------------------------- skin changes

TEST_F(FrameSkinningTest, ASkinChangeRedrawsEachFramedFormOnce) {
    TForm* screen = ShowForm(TFormBorderStyle::bsNone, 400, 300);
    TForm* dialog = ShowForm(TFormBorderStyle::bsDialog);
    Pump();
    const std::uint64_t screenBefore = screen->PresentCount();
    const std::uint64_t dialogBefore = dialog->PresentCount();
    const TFrameMetrics metrics = FrameMetricsOf(*dialog);
    const TPoint inTitle{dialog->Width() - 60, metrics.TitleBand() / 2};
    const TColor before = SurfacePixel(*dialog, inTitle.X, inTitle.Y);
    const TStoredSkinPackage* golden = FindStoredSkinPackage("Golden (internal)");
    ASSERT_NE(golden, nullptr);
    m_manager->InternalSkins().AddPackage("Golden (internal)", {golden->Data.begin(), golden->Data.end()});
    m_manager->SetSkinName("Golden (internal)");
    Pump();
    EXPECT_EQ(screen->PresentCount(), screenBefore + 1);
    EXPECT_EQ(dialog->PresentCount(), dialogBefore + 1);
    EXPECT_NE(SurfacePixel(*dialog, inTitle.X, inTitle.Y), before);
    EXPECT_TRUE(dialog->IsRedrawEnabled());
}

// A manager that skins only some buttons of a form (a button group's manager) changes its skin:
// the form is presented once, with every one of those buttons in the new look.
TEST_F(FrameSkinningTest, ASkinChangeOfAButtonGroupsManagerPresentsTheFormOnce) {
    TForm* screen = ShowForm(TFormBorderStyle::bsNone, 400, 300);
    auto* group = new TsSkinManager(Application);
    group->SetName("sSkinManager1");
    const TStoredSkinPackage* golden = FindStoredSkinPackage("Golden (internal)");
    ASSERT_NE(golden, nullptr);
    group->InternalSkins().AddPackage("Golden (internal)", {golden->Data.begin(), golden->Data.end()});
    group->SetSkinName("Golden (internal)");
    std::vector<TsButton*> buttons;
    for (int i = 0; i < 4; ++i) {
        auto* button = new TsButton(screen);
        button->SkinData().SetSkinManager(group);
        button->SetParent(screen);
        button->SetBounds(10 + 90 * i, 10, 80, 30);
        buttons.push_back(button);
    }
    Pump();
    std::vector<TColor> before;
    for (TsButton* button : buttons)
        before.push_back(SurfacePixel(*screen, button->Left() + 40, button->Top() + 3));
    const std::uint64_t presents = screen->PresentCount();
    group->SetHueOffset(120);
    Pump();
    EXPECT_EQ(screen->PresentCount(), presents + 1);
    for (std::size_t i = 0; i < buttons.size(); ++i)
        EXPECT_NE(SurfacePixel(*screen, buttons[i]->Left() + 40, buttons[i]->Top() + 3), before[i]) << i;
    EXPECT_TRUE(screen->IsRedrawEnabled());
    for (TsButton* button : buttons)
        delete button;
    delete group;
}

TEST_F(FrameSkinningTest, FramedFormsTheApplicationDoesNotOwnGetBroadcasts) {
    auto* form = new TForm(nullptr);
    form->SetBorderStyle(TFormBorderStyle::bsDialog);
    form->SetBounds(50, 50, 200, 120);
    form->Show();
    Pump();
    ASSERT_NE(TacFrameSkinning::ProviderOf(*form), nullptr);
    auto* child = new TTestSkinnedGraphic(form, KindCode::PushButton);
    child->SetParent(form);
    m_manager->SetHueOffset(10);
    EXPECT_NE(std::find(child->Commands.begin(), child->Commands.end(), cmdSkinApplied),
              child->Commands.end());
    delete form;
}
