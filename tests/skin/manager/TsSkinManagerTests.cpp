#include <gtest/gtest.h>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/core/Exceptions.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomControl.h"
#include "platform/toolkit/TForm.h"
#include "platform/toolkit/TGraphicControl.h"
#include "skin/SkinCommands.h"
#include "skin/SkinDirectory.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;

namespace {

std::vector<std::uint8_t> SkinPackage(const std::string& version, const std::string& extra = "") {
    return BuildPackage({Entry("Options.dat", "[GLOBALINFO]\nVERSION=" + version +
                                                  "\nMASTERBITMAP=MASTER.BMP\n"
                                                  "[BUTTON]\nCOLOR=255\n" +
                                                  extra),
                         Entry("Master.bmp", BmpFile(SolidBitmap(4, 4, 0x0000FF)))});
}

// Records the skin commands that reach it.
template <typename Base> class TRecorder : public Base {
public:
    explicit TRecorder(TComponent* owner, bool skinAware = false) : Base(owner), m_skinAware(skinAware) {}
    std::vector<int> Codes;

protected:
    void WndProc(TMessage& message) override {
        if (message.Msg == WM_SKINCOMMAND) {
            const int code = HiWord(message.WParam);
            if (code == cmdIsSkinAware) {
                if (m_skinAware) message.LParam = message.Result = 1;
                return;
            }
            Codes.push_back(code);
            return;
        }
        Base::WndProc(message);
    }

private:
    bool m_skinAware;
};

using TRecordingGraphic = TRecorder<TGraphicControl>;
using TRecordingWindowed = TRecorder<TCustomControl>;

bool Received(const std::vector<int>& codes, int code) {
    return std::find(codes.begin(), codes.end(), code) != codes.end();
}

class SkinManagerTest : public ::testing::Test {
protected:
    SkinManagerTest() : m_app(std::make_unique<THeadlessBackend>()) {
        m_form = new TForm(&m_app);
        m_label = new TRecordingGraphic(m_form);
        m_label->SetParent(m_form);
        m_form->DoCreate();
    }

    // A manager pointed at the temporary skin directory, inactive until the test starts it.
    TsSkinManager* NewManager() {
        auto* manager = new TsSkinManager(m_form);
        manager->SetActive(false);
        manager->SetSkinDirectory(m_dir.Path().string());
        ClearReceived();
        return manager;
    }

    void ClearReceived() {
        for (TComponent* c : m_form->ComponentList()) {
            if (auto* graphic = dynamic_cast<TRecordingGraphic*>(c)) graphic->Codes.clear();
            if (auto* windowed = dynamic_cast<TRecordingWindowed*>(c)) windowed->Codes.clear();
        }
    }

    TApplication m_app;
    TForm* m_form;
    TRecordingGraphic* m_label;
    TTempFolder m_dir;
};

} // namespace

TEST_F(SkinManagerTest, StoredSkinFoundByName) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("Desert (internal)", SkinPackage("1.5"));
    manager->InternalSkins().AddPackage("Golden (internal)", SkinPackage("5.41"));
    manager->SetSkinName("Golden (internal)");
    manager->SetActive(true);
    EXPECT_TRUE(manager->SkinData().Ready);
    EXPECT_EQ(manager->SkinInfo(), "5.41");
    EXPECT_TRUE(manager->IsPackage());
    EXPECT_GE(manager->GetSkinIndex("BUTTON"), 0);
    EXPECT_TRUE(Received(m_label->Codes, cmdSkinLoaded));
    EXPECT_TRUE(Received(m_label->Codes, cmdSkinApplied));
    EXPECT_FALSE(LoadingSkin());
}

TEST_F(SkinManagerTest, UnknownNameFallsBackToFirstStoredSkin) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("Desert (internal)", SkinPackage("1.5"));
    manager->InternalSkins().AddPackage("Golden (internal)", SkinPackage("5.41"));
    manager->SetActive(true);
    manager->SetSkinName("Nowhere");
    EXPECT_EQ(manager->SkinName(), "Desert (internal)");
    EXPECT_EQ(manager->SkinInfo(), "1.5");
}

TEST_F(SkinManagerTest, NoStoredSkinsTurnsInactive) {
    TsSkinManager* manager = NewManager();
    manager->SetSkinName("Nowhere");
    manager->SetActive(true);
    EXPECT_FALSE(manager->Active());
    EXPECT_EQ(manager->SkinInfo(), "N/A");
    EXPECT_TRUE(Received(m_label->Codes, cmdSkinRemoved));
}

TEST_F(SkinManagerTest, PackageComesBeforeFolderOfSameName) {
    m_dir.Write("Blue.mvz", SkinPackage("2"));
    m_dir.Write("Blue/Options.dat", "[GLOBALINFO]\nVERSION=3\n");
    TsSkinManager* manager = NewManager();
    TStringList names;
    manager->GetSkinNames(names, 2);
    ASSERT_EQ(names.Count(), 2);
    EXPECT_EQ(names[0], "Blue");
    EXPECT_EQ(names[1], "Blue");
    manager->SetSkinName("Blue");
    manager->SetActive(true);
    EXPECT_TRUE(manager->IsPackage());
    EXPECT_EQ(manager->SkinInfo(), "2");
}

TEST_F(SkinManagerTest, FolderSkinReadsImagesIgnoringCase) {
    m_dir.Write("Stone/Options.dat", "[GLOBALINFO]\nVERSION=3\nMASTERBITMAP=MASTER.BMP\n");
    m_dir.Write("Stone/Master.bmp", BmpFile(SolidBitmap(5, 3, clWhite)));
    TsSkinManager* manager = NewManager();
    manager->SetSkinName("Stone");
    manager->SetActive(true);
    EXPECT_FALSE(manager->IsPackage());
    EXPECT_EQ(manager->Model().MasterBitmap.Size(), (TSize{5, 3}));
    // The program writes paths with "/" on every system.
    EXPECT_EQ(manager->SkinData().SkinPath, (m_dir.Path() / "Stone").generic_string() + "/");
}

TEST_F(SkinManagerTest, SkinNamesSortedWithStoredSkinsAndKinds) {
    m_dir.Write("b.mvz", SkinPackage("1"));
    m_dir.Write("Blue.Sky.mvz", SkinPackage("1"));
    m_dir.Write("UPPER.MVZ", SkinPackage("1"));
    m_dir.Write(".hidden.mvz", SkinPackage("1"));
    m_dir.Write("a/Options.dat", "[X]\n");
    m_dir.Write("NoSkin/readme.txt", "x");
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("Zed (internal)", SkinPackage("1"));
    TStringList names;
    EXPECT_EQ(manager->GetSkinNames(names, 2), "Zed (internal)");
    EXPECT_EQ(std::vector<std::string>(names.begin(), names.end()),
              (std::vector<std::string>{"a", "b", "Blue", "Zed (internal)"}));
    manager->GetSkinNames(names, 0);
    EXPECT_EQ(names.Count(), 2);
    manager->GetSkinNames(names, 7);
    EXPECT_EQ(names.Count(), 1);
}

TEST_F(SkinManagerTest, HueOffsetWhileInactiveIsAppliedByNextLoad) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("S", SkinPackage("1"));
    manager->SetHueOffset(120);
    EXPECT_EQ(manager->HueOffset(), 120);
    manager->SetSkinName("S");
    manager->SetActive(true);
    const int button = manager->GetSkinIndex("BUTTON");
    EXPECT_EQ(manager->Model().GeneralData[std::size_t(button)].Color, 0x00FF00u);
}

TEST_F(SkinManagerTest, HueOffsetReloadsFromSourceWithoutAccumulating) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("S", SkinPackage("1"));
    manager->SetSkinName("S");
    manager->SetActive(true);
    manager->SetHueOffset(120);
    manager->SetHueOffset(240);
    EXPECT_EQ(manager->Model().MasterBitmap.GetPixel(0, 0), 0xFF0000u);
    EXPECT_TRUE(manager->SkinData().Ready);
}

TEST_F(SkinManagerTest, ActivatingTwiceDoesNotReload) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("S", SkinPackage("1"));
    int loads = 0;
    manager->OnBeforeChange = [&](TObject*) { ++loads; };
    manager->SetSkinName("S");
    manager->SetActive(true);
    manager->SetActive(true);
    EXPECT_EQ(loads, 1);
}

TEST_F(SkinManagerTest, OnlyManagerStaysDefault) {
    TsSkinManager* manager = NewManager();
    ASSERT_EQ(DefaultManager(), manager);
    manager->SetIsDefault(false);
    EXPECT_TRUE(manager->IsDefault());
    TsSkinManager* second = NewManager();
    EXPECT_FALSE(second->IsDefault());
    second->SetIsDefault(true);
    EXPECT_TRUE(second->IsDefault());
}

TEST_F(SkinManagerTest, ConversionErrorReachesWriterAndLowersLoading) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("Bad", SkinPackage("1", "[EDIT]\nBORDERSMASK=@00x9\n"));
    manager->SetSkinName("Bad");
    EXPECT_THROW(manager->SetActive(true), EConvertError);
    EXPECT_FALSE(manager->SkinData().Ready);
    EXPECT_FALSE(LoadingSkin());
}

TEST_F(SkinManagerTest, PackageWithWrongMagicWarnsAndFallsBack) {
    TMessageCapture capture;
    auto bytes = SkinPackage("9");
    bytes[0] = 'X';
    m_dir.Write("Odd.mvz", bytes);
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("S", SkinPackage("1"));
    manager->SetSkinName("Odd");
    manager->SetActive(true);
    EXPECT_EQ(capture.Messages().size(), 1u);
    EXPECT_EQ(manager->SkinName(), "S");
}

TEST_F(SkinManagerTest, BroadcastWalksFormsAndControls) {
    auto* aware = new TRecordingWindowed(m_form, true);
    aware->SetParent(m_form);
    auto* insideAware = new TRecordingGraphic(m_form);
    insideAware->SetParent(aware);
    auto* plain = new TRecordingWindowed(m_form, false);
    plain->SetParent(m_form);
    auto* insidePlain = new TRecordingGraphic(m_form);
    insidePlain->SetParent(plain);
    aware->HandleNeeded();
    plain->HandleNeeded();

    TsSkinManager* manager = NewManager();
    manager->Broadcast(cmdSkinApplied);
    EXPECT_EQ(m_label->Codes, std::vector<int>{cmdSkinApplied});
    EXPECT_EQ(aware->Codes, std::vector<int>{cmdSkinApplied});
    EXPECT_TRUE(insideAware->Codes.empty());
    EXPECT_TRUE(plain->Codes.empty());
    EXPECT_EQ(insidePlain->Codes, std::vector<int>{cmdSkinApplied});
}

TEST_F(SkinManagerTest, HoverNoticeTellsOldAndNewControl) {
    auto* other = new TRecordingGraphic(m_form);
    other->SetParent(m_form);
    TsSkinManager* manager = NewManager();
    manager->HoverNotice(m_label);
    manager->HoverNotice(other);
    manager->HoverNotice(other);
    EXPECT_EQ(m_label->Codes, (std::vector<int>{cmdMouseEnter, cmdMouseLeave}));
    EXPECT_EQ(other->Codes, std::vector<int>{cmdMouseEnter});
    delete other;
    EXPECT_EQ(manager->HoverControl(), nullptr);
}

TEST(SkinDirectoryPaths, ResolveRelativeAndAbsoluteSettings) {
    EXPECT_EQ(ResolveSkinDirectory("QuibbletonSkins", "/opt/q/"), "/opt/q/QuibbletonSkins");
    EXPECT_EQ(ResolveSkinDirectory(".\\Skins", "/opt/q/"), "/opt/q/Skins");
    EXPECT_EQ(ResolveSkinDirectory("..\\Skins", "/opt/q/"), "/opt/Skins");
    EXPECT_EQ(ResolveSkinDirectory("c:\\Skins", "/opt/q/"), "c:/Skins");
    EXPECT_EQ(ResolveSkinDirectory("/srv/skins", "/opt/q/"), "/srv/skins");
    EXPECT_EQ(PackageFilePath("/srv/skins/", "Blue"), "/srv/skins/Blue.mvz");
    EXPECT_EQ(PackageFilePath("c:\\Skins", "Blue"), "c:/Skins/Blue.mvz");
}

// A skin chosen by a form's creation handler (its settings) reaches the form's controls; a
// form whose design is still being read is left out.
TEST_F(SkinManagerTest, SkinLoadedInACreationHandlerReachesTheFormsControls) {
    TsSkinManager* manager = NewManager();
    manager->InternalSkins().AddPackage("A", SkinPackage("1"));
    manager->InternalSkins().AddPackage("B", SkinPackage("2"));
    manager->SetSkinName("A");
    manager->SetActive(true);
    auto* form = new TForm(&m_app);
    auto* control = new TRecordingGraphic(form);
    control->SetParent(form);
    manager->SetSkinName("B");
    EXPECT_TRUE(control->Codes.empty()) << "reached before the form's creation handler";
    form->OnCreate = [manager](TObject*) { manager->SetSkinName("A"); };
    form->DoCreate();
    EXPECT_TRUE(Received(control->Codes, cmdSkinLoaded));
    EXPECT_TRUE(Received(control->Codes, cmdSkinApplied));
}

// A hue step reloads the skin from its files; when they changed since the last load so that
// sections or masks stand elsewhere, the controls resolve their indexes again.
TEST_F(SkinManagerTest, HueChangeAfterTheFilesMovedTheSectionsAnnouncesTheSkinAgain) {
    m_dir.Write("Blue/Options.dat", "[GLOBALINFO]\nVERSION=3\n[BUTTON]\nCOLOR=255\n[EDIT]\nCOLOR=0\n");
    TsSkinManager* manager = NewManager();
    manager->SetSkinName("Blue");
    manager->SetActive(true);
    ASSERT_EQ(manager->GetSkinIndex("BUTTON"), 1);
    ClearReceived();
    manager->SetHueOffset(10);
    EXPECT_FALSE(Received(m_label->Codes, cmdSkinLoaded)) << "the same layout needs no new indexes";
    EXPECT_TRUE(Received(m_label->Codes, cmdSkinApplied));

    m_dir.Write("Blue/Options.dat", "[EDIT]\nCOLOR=0\n[GLOBALINFO]\nVERSION=3\n[BUTTON]\nCOLOR=255\n");
    ClearReceived();
    manager->SetHueOffset(20);
    EXPECT_EQ(manager->GetSkinIndex("BUTTON"), 2);
    EXPECT_TRUE(Received(m_label->Codes, cmdSkinLoaded));
    EXPECT_TRUE(Received(m_label->Codes, cmdSkinApplied));
}
