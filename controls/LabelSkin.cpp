#include "controls/LabelSkin.h"

#include <string_view>

#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

TsSkinManager* LoadedDefaultManager() {
    TsSkinManager* manager = DefaultManager();
    return manager && manager->SkinData().Ready ? manager : nullptr;
}

std::optional<TColor> SkinGlobalFontColor() {
    const TsSkinManager* manager = LoadedDefaultManager();
    if (!manager) return std::nullopt;
    const TColor colour = manager->GlobalFontColor();
    if (colour == clFuchsia) return std::nullopt;
    return colour;
}

int ActiveSkinSectionIndex(std::string_view section) {
    const TsSkinManager* manager = DefaultManager();
    if (section.empty() || !manager || !manager->Active()) return -1;
    const int index = manager->GetSkinIndex(section);
    if (index <= 0 || std::size_t(index) >= manager->Model().GeneralData.size()) return -1;
    return index;
}

std::optional<TColor> SkinSectionFontColor(std::string_view section) {
    const int index = ActiveSkinSectionIndex(section);
    if (index < 0) return std::nullopt;
    return TColor(DefaultManager()->Model().GeneralData[std::size_t(index)].FontColor[0]);
}

std::optional<TColor> SkinGlobalTextColor() {
    const TsSkinManager* manager = LoadedDefaultManager();
    if (!manager) return std::nullopt;
    const int global = manager->GetSkinIndex("GLOBALINFO");
    const auto& sections = manager->Model().GeneralData;
    if (global < 0 || std::size_t(global) >= sections.size()) return std::nullopt;
    const std::int32_t left = sections[std::size_t(global)].FontColor[1];
    if (left == -1) return std::nullopt;
    return TColor(left);
}

std::optional<TSkinShadow> SkinGlobalShadow() {
    const TsSkinManager* manager = LoadedDefaultManager();
    if (!manager || manager->SkinData().Shadow1Blur == -1) return std::nullopt;
    const TsSkinData& data = manager->SkinData();
    return TSkinShadow{data.Shadow1Color, data.Shadow1Blur, data.Shadow1Offset};
}
