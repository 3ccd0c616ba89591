#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "app/TForm1.h"
#include "app/TfrmFrasa.h"
#include "controls/TsLabel.h"
#include "controls/TsLabelFX.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"
#include "tests/controls/LabelTestSupport.h"

using namespace labeltest;

namespace {

// The main screen in this process (its managers loaded with their stored skins), and a phrase
// dialog over it.
class PhraseLabel : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = std::filesystem::temp_directory_path() /
                 ("quibbleton-label-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
        ::setenv("QUIBBLETON_HOME", m_root.c_str(), 1);
        ::setenv("QUIBBLETON_REGISTRY", (m_root / "registry.reg").c_str(), 1);
        m_application = std::make_unique<TApplication>(std::make_unique<THeadlessBackend>(TSize{1032, 748}));
        m_form = m_application->CreateForm<TForm1>(&Form1);
        m_dialog = new TfrmFrasa(m_application.get());
        m_dialog->sLabel->SetCaption("Кто рано встаёт, тот весь день зевает.");
    }
    void TearDown() override {
        m_application.reset();
        ::unsetenv("QUIBBLETON_HOME");
        ::unsetenv("QUIBBLETON_REGISTRY");
        std::filesystem::remove_all(m_root);
    }

    std::filesystem::path m_root;
    std::unique_ptr<TApplication> m_application;
    TForm1* m_form = nullptr;
    TfrmFrasa* m_dialog = nullptr;
};

TEST_F(PhraseLabel, ShowsThePhraseInTheSkinsTextColourOverItsGlow) {
    const TsSkinManager* manager = DefaultManager();
    ASSERT_EQ(manager, m_form->sSkinManager(0));
    ASSERT_TRUE(manager->SkinData().Ready);
    const TsSkinData& skin = manager->SkinData();
    ASSERT_NE(skin.Shadow1Blur, -1) << "the default skin names a glow";
    const int global = manager->GetSkinIndex("GLOBALINFO");
    ASSERT_GE(global, 0);
    const TColor text = TColor(manager->Model().GeneralData[std::size_t(global)].FontColor[1]);

    TsLabelFX& label = *m_dialog->sLabel;
    const TColor behind = 0x808080;
    const TBitmap shown = PaintOver(label, behind);

    TBitmap expected(label.Width(), label.Height());
    expected.Fill(behind);
    const TRect r = label.ClientRect();
    const TBitmap shape =
        TextShape(r.Width(), r.Height(), label.Caption(), r.Offset(skin.Shadow1Offset, skin.Shadow1Offset),
                  label.DrawTextFlags(), label.Font());
    ApplyGlowByRule(expected, shape, skin.Shadow1Blur, skin.Shadow1Color);
    DrawTextOn(expected, label.Caption(), r, label.DrawTextFlags(), label.Font(), text);
    EXPECT_EQ(DifferentPixels(shown, expected), 0);
}

TEST_F(PhraseLabel, HiddenMainScreenLabelsAreSkinnedLabels) {
    EXPECT_EQ(m_form->sLabel1->ClassName(), "TsLabelFX");
    EXPECT_EQ(m_form->sLabel1->Kind().KindType(), TsKindType::ktSkin);
    EXPECT_EQ(m_form->sLabel1->Shadow().Mode(), TsShadowMode::smSkin1);
    EXPECT_TRUE(m_form->sLabel1_old->UseSkinColor());
    EXPECT_TRUE(m_form->sLabel1_old->Transparent());
}

} // namespace
