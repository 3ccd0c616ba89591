#include "SkinIntoManager.h"

#include <filesystem>

#include "SkinTool.h"
#include "platform/os/FileSystem.h"
#include "skin/TsSkinManager.h"

std::string LoadSkinIntoManager(TsSkinManager& manager, const std::string& skin, std::int32_t hueOffset,
                                std::optional<std::int32_t> saturation,
                                std::span<const TStoredSkinPackage> stored) {
    (void)OpenSkin(skin, stored); // reports a skin that cannot be opened
    manager.SetActive(false);
    manager.SetHueOffset(hueOffset);
    if (saturation) manager.SetSaturation(*saturation);
    std::string name = "render";
    if (skin.starts_with("stored:")) {
        name = skin.substr(7);
        for (const TStoredSkinPackage& package : stored)
            if (package.Name == name)
                manager.InternalSkins().AddPackage(name, {package.Data.begin(), package.Data.end()});
    } else if (DirectoryExists(skin)) {
        const std::filesystem::path folder = std::filesystem::absolute(skin).lexically_normal();
        const std::filesystem::path path = folder.filename().empty() ? folder.parent_path() : folder;
        manager.SetSkinDirectory(path.parent_path().string());
        name = path.filename().string();
    } else {
        name = std::filesystem::path(skin).stem().string();
        if (name.empty()) name = "render";
        manager.InternalSkins().AddPackage(name, ReadFileBytes(skin));
    }
    manager.SetSkinName(name);
    manager.SetActive(true);
    if (!manager.SkinData().Ready) throw TToolError("'" + skin + "' could not be loaded");
    return name;
}
