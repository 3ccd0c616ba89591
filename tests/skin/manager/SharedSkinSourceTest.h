#pragma once

// The fixture of the tests of skin sources shared by managers: a form on the headless backend
// and a skin folder of the test's own.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "skin/TsSkinManager.h"
#include "skin/support/SkinTestSupport.h"

namespace sharedsourcetest {

using namespace skintest;

inline constexpr std::int64_t MB = 1024 * 1024;
inline constexpr TColor MasterColor = 0x2040C0;

// A skin with a small master bitmap, which each manager recolours, and an external image
// of the given size, which is never recoloured.
inline std::string OptionsWithWood() {
    return "[GLOBALINFO]\nVERSION=1\nMASTERBITMAP=MASTER.BMP\n[FORM]\nCOLOR=255\nPATTERN=WOOD.JPG\n";
}

inline void WriteFolderSkin(const TTempFolder& dir, const std::string& name, int woodWidth, int woodHeight) {
    dir.Write(name + "/Options.dat", OptionsWithWood());
    dir.Write(name + "/Master.bmp", BmpFile(SolidBitmap(8, 8, MasterColor)));
    dir.Write(name + "/Wood.jpg", WriteJpeg(SolidBitmap(woodWidth, woodHeight, 0x336699)));
}

inline const TsPatternData& Wood(const TsSkinManager& manager) {
    return manager.Model().PatternData.at(0);
}

class SharedSkinSourceTest : public ::testing::Test {
protected:
    SharedSkinSourceTest() : m_app(std::make_unique<THeadlessBackend>()) {
        m_form = new TForm(&m_app);
        m_form->DoCreate();
    }

    TsSkinManager* NewManager(const std::string& skin, int hue = 0) {
        auto* manager = new TsSkinManager(m_form);
        manager->SetActive(false);
        manager->SetSkinDirectory(m_dir.Path().string());
        manager->InternalSkins().AddPackage(
            "First (internal)", BuildPackage({Entry("Options.dat", "[GLOBALINFO]\nVERSION=7\n")}));
        manager->SetHueOffset(hue);
        manager->SetSkinName(skin);
        manager->SetActive(true);
        return manager;
    }

    TApplication m_app;
    TForm* m_form;
    TTempFolder m_dir;
};

} // namespace sharedsourcetest
