// A skin name names a package or a folder inside the skin directory, or a stored skin; a
// name that could lead out of the directory names no skin at all.
#include <gtest/gtest.h>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "skin/SkinDirectory.h"
#include "skin/TsSkinManager.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;

namespace {

std::vector<std::uint8_t> VersionPackage(const std::string& version) {
    return BuildPackage({Entry("Options.dat", "[GLOBALINFO]\nVERSION=" + version + "\n")});
}

// A program folder holding "QuibbletonSkins" and, beside it, a folder "outside" whose skins
// no name may reach.
class SkinNameTest : public ::testing::Test {
protected:
    SkinNameTest() : m_app(std::make_unique<THeadlessBackend>()) {
        m_form = new TForm(&m_app);
        m_form->DoCreate();
        m_root.Write("QuibbletonSkins/Inside/Options.dat", "[GLOBALINFO]\nVERSION=2\n");
        m_root.Write("outside/Evil/Options.dat", "[GLOBALINFO]\nVERSION=666\n");
        m_root.Write("outside/Evil.mvz", VersionPackage("667"));
    }

    // The version of the skin the name loads.
    std::string Load(const std::string& name) {
        auto* manager = new TsSkinManager(m_form);
        manager->SetActive(false);
        manager->SetSkinDirectory((m_root.Path() / "QuibbletonSkins").string());
        manager->InternalSkins().AddPackage("First (internal)", VersionPackage("1"));
        manager->SetSkinName(name);
        manager->SetActive(true);
        return manager->SkinInfo();
    }

    TApplication m_app;
    TForm* m_form;
    TTempFolder m_root;
};

} // namespace

TEST_F(SkinNameTest, PlainNameFindsItsFolder) {
    EXPECT_EQ(Load("Inside"), "2");
}

TEST_F(SkinNameTest, StepUpWithSlashesFallsBackToFirstStoredSkin) {
    EXPECT_EQ(Load("../outside/Evil"), "1");
}

TEST_F(SkinNameTest, StepUpWithBackslashesFallsBackToFirstStoredSkin) {
    EXPECT_EQ(Load("..\\outside\\Evil"), "1");
}

TEST_F(SkinNameTest, DeeperStepUpFallsBackToFirstStoredSkin) {
    EXPECT_EQ(Load("../../" + m_root.Path().filename().string() + "/outside/Evil"), "1");
}

TEST_F(SkinNameTest, FullPathFallsBackToFirstStoredSkin) {
    EXPECT_EQ(Load((m_root.Path() / "outside" / "Evil").string()), "1");
}

TEST_F(SkinNameTest, SkinDirectoryItselfIsNoSkin) {
    m_root.Write("QuibbletonSkins/Options.dat", "[GLOBALINFO]\nVERSION=3\n");
    EXPECT_EQ(Load("."), "1");
}

TEST(SkinNames, PlainNamesHoldNoSeparatorOrStepUp) {
    EXPECT_TRUE(IsPlainSkinName("Golden"));
    EXPECT_TRUE(IsPlainSkinName("Golden (internal)"));
    EXPECT_TRUE(IsPlainSkinName("Blue.Sky"));
    EXPECT_FALSE(IsPlainSkinName(""));
    EXPECT_FALSE(IsPlainSkinName("."));
    EXPECT_FALSE(IsPlainSkinName(".."));
    EXPECT_FALSE(IsPlainSkinName("a/b"));
    EXPECT_FALSE(IsPlainSkinName("a\\b"));
    EXPECT_FALSE(IsPlainSkinName("a..b"));
}

TEST(SkinNames, ListingLeavesOutNamesThatCannotBeLoaded) {
    TTempFolder dir;
    dir.Write("Good/Options.dat", "[X]\n");
    dir.Write("Two..Dots/Options.dat", "[X]\n");
    const TSkinNameList list = ListSkinNames(dir.Path().string(), TSkinListKind::Both, {});
    EXPECT_EQ(list.Names, (std::vector<std::string>{"Good"}));
}
