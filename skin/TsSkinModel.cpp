#include "skin/TsSkinModel.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "platform/graphics/SystemColors.h"

namespace {

// Walks a section and its PARENTCLASS chain, stopping when the chain returns to a section
// it has passed; `find` answers the index searched for in one section, or -1.
template <typename Find>
int SearchChain(const TsGeneralDataArray& sections, int sectionIndex, std::string_view sectionName,
                Find find) {
    // Controls and painters search on every paint, mostly chains of a step or two: those
    // remember the sections passed in place and search the array. A long chain builds a name
    // index once, so that even a chain through every section costs time in proportion to the
    // array.
    constexpr int ShortChain = 16;
    std::array<int, ShortChain> passed{};
    std::vector<bool> visited;
    std::unordered_map<std::string_view, int> byName;
    std::string_view name = sectionName;
    for (int step = 0;; ++step) {
        if (sectionIndex < 0 || name.empty()) return -1;
        const int found = find(name);
        if (found >= 0) return found;
        if (sectionIndex >= int(sections.size())) return -1;
        if (step < ShortChain) {
            passed[std::size_t(step)] = sectionIndex;
        } else {
            if (step == ShortChain) {
                visited.assign(sections.size(), false);
                for (const int s : passed)
                    visited[std::size_t(s)] = true;
                for (std::size_t i = sections.size(); i-- > 0;)
                    byName[sections[i].ClassName] = int(i);
            }
            visited[std::size_t(sectionIndex)] = true;
        }
        const std::string& parent = sections[std::size_t(sectionIndex)].ParentClass;
        if (parent.empty() || parent == name) return -1;
        int parentIndex = -1;
        if (step >= ShortChain) {
            if (const auto it = byName.find(parent); it != byName.end()) parentIndex = it->second;
        } else {
            for (std::size_t i = 0; i < sections.size(); ++i)
                if (sections[i].ClassName == parent) {
                    parentIndex = int(i);
                    break;
                }
        }
        if (parentIndex < 0) return -1;
        if (step >= ShortChain ? bool(visited[std::size_t(parentIndex)])
                               : std::find(passed.begin(), passed.begin() + step + 1, parentIndex) !=
                                     passed.begin() + step + 1)
            return -1;
        sectionIndex = parentIndex;
        name = parent;
    }
}

} // namespace

void TsSkinModel::ClearImagesAndSections() {
    PatternData.clear();
    MaskData.clear();
    MasterBitmap = TBitmap();
    GeneralData.clear();
}

int TsSkinModel::GetSkinIndex(std::string_view sectionName) const {
    for (std::size_t i = 0; i < GeneralData.size(); ++i)
        if (GeneralData[i].ClassName == sectionName) return int(i);
    return -1;
}

int TsSkinModel::FindMask(int sectionIndex, std::string_view sectionName, std::string_view key,
                          MaskFilter filter) const {
    return SearchChain(GeneralData, sectionIndex, sectionName, [&](std::string_view name) {
        for (std::size_t i = 0; i < MaskData.size(); ++i) {
            const TsMaskData& mask = MaskData[i];
            if (mask.ClassName == name && mask.PropertyName == key &&
                (filter == MaskFilter::Any || mask.ImgType == TacImgType::itisaTexture))
                return int(i);
        }
        return -1;
    });
}

int TsSkinModel::GetMaskIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
    return FindMask(sectionIndex, sectionName, key, MaskFilter::Any);
}

int TsSkinModel::GetTextureIndex(int sectionIndex, std::string_view sectionName, std::string_view key) const {
    return FindMask(sectionIndex, sectionName, key, MaskFilter::Texture);
}

int TsSkinModel::GetExternalImageIndex(int sectionIndex, std::string_view sectionName,
                                       std::string_view key) const {
    return SearchChain(GeneralData, sectionIndex, sectionName, [&](std::string_view name) {
        for (std::size_t i = 0; i < PatternData.size(); ++i)
            if (PatternData[i].ClassName == name && PatternData[i].PropertyName == key) return int(i);
        return -1;
    });
}

int TsSkinModel::FindMaskEntry(std::string_view sectionName, std::string_view key) const {
    for (std::size_t i = 0; i < MaskData.size(); ++i)
        if (MaskData[i].ClassName == sectionName && MaskData[i].PropertyName == key) return int(i);
    return -1;
}

namespace {

int ImagesDivisor(const TsMaskData& mask) {
    return std::max<int>(mask.ImageCount, 1) * 3;
}
int RowsDivisor(const TsMaskData& mask) {
    return (std::max<int>(mask.MaskType, 0) + 1) * 3;
}

int MaskWidth(const TsMaskArray& masks, int index, std::int16_t TsMaskData::*own, bool horizontal) {
    if (index < 0 || index >= int(masks.size())) return 0;
    const TsMaskData& mask = masks[std::size_t(index)];
    if (mask.*own > 0) return mask.*own;
    if (mask.BorderWidth > 0) return mask.BorderWidth;
    return horizontal ? mask.R.Width() / ImagesDivisor(mask) : mask.R.Height() / RowsDivisor(mask);
}

} // namespace

int TsSkinModel::MaskWidthLeft(int maskIndex) const {
    return MaskWidth(MaskData, maskIndex, &TsMaskData::WL, true);
}
int TsSkinModel::MaskWidthTop(int maskIndex) const {
    return MaskWidth(MaskData, maskIndex, &TsMaskData::WT, false);
}
int TsSkinModel::MaskWidthRight(int maskIndex) const {
    return MaskWidth(MaskData, maskIndex, &TsMaskData::WR, true);
}
int TsSkinModel::MaskWidthBottom(int maskIndex) const {
    return MaskWidth(MaskData, maskIndex, &TsMaskData::WB, false);
}

TPoint TsSkinModel::GetMaskSize(int maskIndex) const {
    if (maskIndex < 0 || maskIndex >= int(MaskData.size())) return {};
    const TsMaskData& mask = MaskData[std::size_t(maskIndex)];
    if (mask.Bmp) return {mask.Bmp->Width() / 3, mask.Bmp->Height() / 2};
    return {mask.R.Width() / std::max<int>(mask.ImageCount, 1),
            mask.R.Height() / (std::max<int>(mask.MaskType, 0) + 1)};
}

const TsGeneralData* TsSkinModel::GlobalInfo() const {
    const int index = GetSkinIndex("GLOBALINFO");
    return index < 0 ? nullptr : &GeneralData[std::size_t(index)];
}

TColor TsSkinModel::GlobalColor() const {
    const TsGeneralData* global = GlobalInfo();
    return ColorToRGB(global ? global->Color : clBtnFace);
}

TColor TsSkinModel::GlobalFontColor() const {
    const TsGeneralData* global = GlobalInfo();
    return global ? ColorToRGB(TColor(global->FontColor[0])) : clFuchsia;
}

TColor TsSkinModel::GlobalHotColor() const {
    const TsGeneralData* global = GlobalInfo();
    return ColorToRGB(global ? global->HotColor : clWindow);
}

void TsSkinModel::RebuildCommonIndexes() {
    TsCommonIndexes& c = CommonIndexes;
    c = TsCommonIndexes();
    c.GlobalInfo = GetSkinIndex("GLOBALINFO");
    static constexpr const char* CheckKeys[] = {"BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",
                                                "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                                                "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
    if (c.GlobalInfo >= 0)
        for (std::size_t i = 0; i < c.CheckMasks.size(); ++i)
            c.CheckMasks[i] = GetMaskIndex(c.GlobalInfo, "GLOBALINFO", CheckKeys[i]);

    c.ComboBtn.Section = GetSkinIndex("COMBOBTN");
    c.ComboBtn.BorderMask = FindMaskEntry("COMBOBTN", "BORDERSMASK");
    c.ComboBtn.Pattern = GetTextureIndex(c.ComboBtn.Section, "COMBOBTN", "PATTERN");
    c.ComboBtn.HotPattern = GetTextureIndex(c.ComboBtn.Section, "COMBOBTN", "HOTPATTERN");
    c.ComboBoxGlyph = FindMaskEntry("COMBOBOX", "GLYPHMASK");

    static constexpr const char* TabNames[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
    for (std::size_t i = 0; i < c.Tabs.size(); ++i) {
        c.Tabs[i].Section = GetSkinIndex(TabNames[i]);
        c.Tabs[i].BorderMask = GetMaskIndex(c.Tabs[i].Section, TabNames[i], "BORDERSMASK");
    }
    static constexpr const char* ButtonNames[] = {"SCROLLBTNTOP",   "SCROLLBTNBOTTOM", "SCROLLBTNLEFT",
                                                  "SCROLLBTNRIGHT", "SCROLLSLIDERV",   "SCROLLSLIDERH"};
    for (std::size_t i = 0; i < c.ScrollButtons.size(); ++i) {
        TsSectionMasks& b = c.ScrollButtons[i];
        b.Section = GetSkinIndex(ButtonNames[i]);
        b.BorderMask = GetMaskIndex(b.Section, ButtonNames[i], "BORDERSMASK");
        if (b.Section >= 0) b.Glyph = GetMaskIndex(b.Section, ButtonNames[i], "GLYPHMASK");
        b.Pattern = GetMaskIndex(b.Section, ButtonNames[i], "PATTERN");
        b.HotPattern = GetMaskIndex(b.Section, ButtonNames[i], "HOTPATTERN");
    }
    static constexpr const char* BarNames[] = {"SCROLLBAR1H", "SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"};
    for (std::size_t i = 0; i < c.ScrollBars.size(); ++i) {
        TsSectionMasks& b = c.ScrollBars[i];
        b.Section = GetSkinIndex(BarNames[i]);
        b.BorderMask = GetMaskIndex(b.Section, BarNames[i], "BORDERSMASK");
        b.Pattern = GetMaskIndex(b.Section, BarNames[i], "PATTERN");
        b.HotPattern = GetMaskIndex(b.Section, BarNames[i], "HOTPATTERN");
    }
}
