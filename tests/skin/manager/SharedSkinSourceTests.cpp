// Managers that load the same skin file or folder share what does not depend on their hue:
// the unpacked package, the options text and the decoded images. Each keeps its own
// recoloured copies, and a file changed on disk is read again.
#include <gtest/gtest.h>

#include <filesystem>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "skin/HueSaturation.h"
#include "skin/SkinDirectory.h"
#include "skin/TsSkinManager.h"
#include "skin/TsSkinSourceCache.h"
#include "skin/manager/SharedSkinSourceTest.h"
#include "skin/support/SkinTestSupport.h"

using namespace skintest;
using namespace sharedsourcetest;

// ---- sharing

TEST_F(SharedSkinSourceTest, ManagersOfOneFolderSkinShareItsExternalImage) {
    WriteFolderSkin(m_dir, "Wood", 300, 300);
    TsSkinManager* first = NewManager("Wood");
    TsSkinManager* second = NewManager("Wood", 120);
    ASSERT_EQ(first->Model().PatternData.size(), 1u);
    ASSERT_EQ(second->Model().PatternData.size(), 1u);
    EXPECT_EQ(Wood(*first).Img.get(), Wood(*second).Img.get());
    EXPECT_EQ(TsSkinSourceCache::HeldCount(), 1u);
}

TEST_F(SharedSkinSourceTest, ManagersOfOnePackageShareItsExternalImage) {
    m_dir.Write("Wood.mvz", BuildPackage({Entry("Options.dat", OptionsWithWood()),
                                          Entry("Master.bmp", BmpFile(SolidBitmap(8, 8, MasterColor))),
                                          Entry("Wood.jpg", WriteJpeg(SolidBitmap(300, 300, 0x336699)))}));
    TsSkinManager* first = NewManager("Wood");
    TsSkinManager* second = NewManager("Wood", 200);
    EXPECT_TRUE(second->IsPackage());
    EXPECT_EQ(Wood(*first).Img.get(), Wood(*second).Img.get());
}

TEST_F(SharedSkinSourceTest, EachManagerKeepsItsOwnRecolouredMaster) {
    WriteFolderSkin(m_dir, "Wood", 300, 300);
    TsSkinManager* plain = NewManager("Wood");
    TsSkinManager* hued = NewManager("Wood", 120);
    EXPECT_EQ(plain->Model().MasterBitmap.GetPixel(3, 3), MasterColor);
    EXPECT_EQ(hued->Model().MasterBitmap.GetPixel(3, 3), ChangeHue(120, MasterColor));
    hued->SetHueOffset(240);
    EXPECT_EQ(plain->Model().MasterBitmap.GetPixel(3, 3), MasterColor);
    EXPECT_EQ(hued->Model().MasterBitmap.GetPixel(3, 3), ChangeHue(240, MasterColor));
}

TEST_F(SharedSkinSourceTest, HueStepDecodesNothingAgain) {
    WriteFolderSkin(m_dir, "Wood", 300, 300);
    TsSkinManager* manager = NewManager("Wood");
    const TBitmap* decoded = Wood(*manager).Img.get();
    manager->SetHueOffset(30);
    manager->SetHueOffset(60);
    EXPECT_EQ(Wood(*manager).Img.get(), decoded);
    EXPECT_EQ(manager->Model().MasterBitmap.GetPixel(0, 0), ChangeHue(60, MasterColor));
}

TEST_F(SharedSkinSourceTest, SourceIsReleasedWithTheLastManagerWearingIt) {
    WriteFolderSkin(m_dir, "Wood", 300, 300);
    TsSkinManager* first = NewManager("Wood");
    TsSkinManager* second = NewManager("Wood");
    const std::weak_ptr<const TBitmap> image = Wood(*first).Img;
    delete first;
    EXPECT_FALSE(image.expired());
    second->SetSkinName("First (internal)");
    EXPECT_TRUE(image.expired());
    EXPECT_EQ(TsSkinSourceCache::HeldCount(), 0u);
}

// ---- changed files

TEST_F(SharedSkinSourceTest, ChangedImageFileIsReadAgain) {
    WriteFolderSkin(m_dir, "Wood", 300, 300);
    TsSkinManager* manager = NewManager("Wood");
    m_dir.Write("Wood/Wood.jpg", WriteJpeg(SolidBitmap(320, 300, 0x336699)));
    manager->SetHueOffset(10);
    EXPECT_EQ(Wood(*manager).Img->Size(), (TSize{320, 300}));
}

TEST_F(SharedSkinSourceTest, ChangedOptionsTextIsReadAgain) {
    WriteFolderSkin(m_dir, "Wood", 300, 300);
    TsSkinManager* manager = NewManager("Wood");
    m_dir.Write("Wood/Options.dat", OptionsWithWood() + "[EDIT]\nCOLOR=1234567\n");
    manager->SetHueOffset(10);
    EXPECT_GE(manager->GetSkinIndex("EDIT"), 0);
}

TEST_F(SharedSkinSourceTest, ImageThatAppearsLaterIsFound) {
    m_dir.Write("Wood/Options.dat", OptionsWithWood());
    TsSkinManager* manager = NewManager("Wood");
    EXPECT_TRUE(manager->Model().MasterBitmap.IsEmpty());
    m_dir.Write("Wood/Master.bmp", BmpFile(SolidBitmap(8, 8, MasterColor)));
    manager->SetHueOffset(10);
    EXPECT_EQ(manager->Model().MasterBitmap.Size(), (TSize{8, 8}));
}

TEST_F(SharedSkinSourceTest, ReplacedPackageIsUnpackedAgain) {
    const auto package = [](const std::string& version) {
        return BuildPackage({Entry("Options.dat", "[GLOBALINFO]\nVERSION=" + version + "\n")});
    };
    m_dir.Write("Blue.mvz", package("2"));
    TsSkinManager* manager = NewManager("Blue");
    EXPECT_EQ(manager->SkinInfo(), "2");
    m_dir.Write("Blue.mvz", package("3.5"));
    manager->SetHueOffset(10);
    EXPECT_EQ(manager->SkinInfo(), "3.5");
}
