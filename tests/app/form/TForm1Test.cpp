#include "app/TForm1.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "controls/TsButton.h"
#include "controls/TsComboBox.h"
#include "controls/TsEdit.h"
#include "controls/TsLabelFX.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TTimer.h"
#include "skin/TsSkinManager.h"

namespace {

// The main screen in this process, on a headless screen of the design size, with its own
// program folder and settings store.
class MainScreen : public ::testing::Test {
protected:
    void SetUp() override {
        m_root = std::filesystem::temp_directory_path() /
                 ("quibbleton-form-" +
                  std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(m_root);
        std::filesystem::create_directories(m_root);
        std::ofstream(m_root / "Texts.txt") << "one\ntwo\n";
        ::setenv("QUIBBLETON_HOME", m_root.c_str(), 1);
        ::setenv("QUIBBLETON_REGISTRY", (m_root / "registry.reg").c_str(), 1);
        m_application = std::make_unique<TApplication>(std::make_unique<THeadlessBackend>(TSize{1032, 748}));
        m_form = m_application->CreateForm<TForm1>(&Form1);
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
};

} // namespace

TEST_F(MainScreen, ChoosingASkinInTheChooserDressesManagerOne) {
    ASSERT_EQ(m_form->sComboBox1->Items()[0], "Golden (internal)");
    m_form->sComboBox1->SelectByUser(0);
    EXPECT_EQ(m_form->sSkinManager(1)->SkinName(), "Golden (internal)");
    EXPECT_EQ(m_form->sSkinManager(0)->SkinName(), "Office2007 Black (internal)");
}

TEST_F(MainScreen, HueEditSetsManagerOnesHueWhenItHoldsAnInteger) {
    m_form->sEdit1->SetText("120");
    EXPECT_EQ(m_form->sSkinManager(1)->HueOffset(), 120);
    m_form->sEdit1->SetText("12a");
    EXPECT_EQ(m_form->sSkinManager(1)->HueOffset(), 120);
}

TEST_F(MainScreen, MarqueeMovesLeftByFivePixels) {
    const int left = m_form->sLabel1->Left();
    m_form->Timer1Timer(m_form->Timer1);
    EXPECT_EQ(m_form->sLabel1->Left(), left - 5);
}

TEST_F(MainScreen, MarqueeReentersAtTheRightEdgeOnceFullyOut) {
    m_form->sLabel1->SetLeft(-m_form->sLabel1->Width());
    m_form->Timer1Timer(m_form->Timer1);
    EXPECT_EQ(m_form->sLabel1->Left(), -m_form->sLabel1->Width() - 5);
    m_form->Timer1Timer(m_form->Timer1);
    EXPECT_EQ(m_form->sLabel1->Left(), m_form->Width());
}

TEST_F(MainScreen, MarqueeStaysStillAndLabelClickTogglesItsTimer) {
    EXPECT_FALSE(m_form->Timer1->Enabled());
    EXPECT_EQ(m_form->Timer1->Interval(), 20u);
    m_form->sLabel1Click(m_form->sLabel1);
    EXPECT_TRUE(m_form->Timer1->Enabled());
    m_form->sLabel1Click(m_form->sLabel1);
    EXPECT_FALSE(m_form->Timer1->Enabled());
}

TEST_F(MainScreen, ButtonFontsFollowTheirSizeClass) {
    EXPECT_EQ(m_form->sButton(1)->Font().Size(), 8);
    EXPECT_EQ(m_form->sButton(12)->Font().Size(), 8);
    EXPECT_EQ(m_form->sButton(22)->Font().Size(), 10);
    EXPECT_EQ(m_form->sButton(32)->Font().Size(), 12);
    EXPECT_EQ(m_form->sButton(42)->Font().Size(), 14);
    EXPECT_EQ(m_form->sButton(5)->Font().Height(), -24);
}

TEST_F(MainScreen, LayoutRecordsHoldEveryChildsDesignBoundsInChildOrder) {
    const auto& records = m_form->LayoutRecords();
    ASSERT_EQ(int(records.size()), m_form->ControlCount());
    for (int i = 0; i < m_form->ControlCount(); ++i) {
        const TControl* child = m_form->Controls(i);
        EXPECT_EQ(records[std::size_t(i)],
                  (TLayoutRecord{child->Width(), child->Height(), child->Left(), child->Top()}))
            << child->Name();
    }
}
