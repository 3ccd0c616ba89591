#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/graphics/TBitmap.h"

// The records of a loaded skin: one section record per section of the options text, one
// mask entry per image region, one external image per large JPEG texture, and the skin's
// global values.

class TsSkinManager;

enum class TacImgType : std::uint8_t { itisaBorder = 0, itisaTexture = 1, itisaGlyph = 2 };

enum class TsControlBevel : std::uint8_t { cbNone, cbRaisedSoft, cbLoweredSoft, cbRaisedHard, cbLoweredHard };

// A bevel number as skins store it; anything outside 0..4 draws no bevel.
inline TsControlBevel ToBevel(std::int32_t value) {
    return value >= 0 && value <= 4 ? TsControlBevel(value) : TsControlBevel::cbNone;
}

// Mask fields are 16 bits wide; larger values are held at the nearest end of the range.
inline std::int16_t ClampToInt16(std::int32_t value) {
    return std::int16_t(std::clamp<std::int32_t>(value, std::numeric_limits<std::int16_t>::min(),
                                                 std::numeric_limits<std::int16_t>::max()));
}

// Image regions read from a skin lie within this distance of the origin: no image is that
// large, and rectangles so limited leave room for any later offset or size sum.
inline constexpr std::int32_t MaxSkinCoordinate = 1 << 20;

inline TRect ClampSkinRect(const TRect& r) {
    auto clamp = [](int v) { return std::clamp(v, -MaxSkinCoordinate, MaxSkinCoordinate); };
    return {clamp(r.Left), clamp(r.Top), clamp(r.Right), clamp(r.Bottom)};
}

// One segment of a gradient description.
struct TsGradItem {
    TColor Color1 = 0;
    TColor Color2 = 0;
    std::uint8_t Percent = 0; // share of the whole length, 0..100
    std::int32_t Mode = 0;
    std::int32_t Reserved = 0;
    friend bool operator==(const TsGradItem&, const TsGradItem&) = default;
};
using TsGradArray = std::vector<TsGradItem>;

// Text colour, then the outline colours left, top, right, bottom; -1 means no outline copy.
using TsFontColors = std::array<std::int32_t, 5>;
inline constexpr TsFontColors DefaultFontColors = {0, -1, -1, -1, -1};

// The values of one section.
struct TsGeneralData {
    std::string ParentClass;
    std::string ClassName;
    TColor Color = 0xFFFFFF;
    TsControlBevel Bevel = TsControlBevel::cbNone;
    TsFontColors FontColor = DefaultFontColors;
    TsFontColors HotFontColor = DefaultFontColors;
    bool ReservedBoolean = false;
    std::int32_t ShadowBlur = 6;
    TColor ShadowColor = 0;
    bool ShadowEnabled = false;
    std::int32_t ShadowOffset = 3;
    std::int32_t ShadowTransparency = 50;
    std::int32_t Transparency = 0;
    std::int32_t GradientPercent = 0;
    std::string GradientData = " ";
    TsGradArray GradientArray;
    std::int32_t ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    std::int32_t FadingIntervalIn = 5;
    std::int32_t FadingIntervalOut = 5;
    std::int32_t FadingIterations = 5;
    TColor HotColor = 0xFFFFFF;
    std::int32_t HotTransparency = 0;
    TsControlBevel HotBevel = TsControlBevel::cbNone;
    std::int32_t HotGradientPercent = 0;
    std::string HotGradientData;
    TsGradArray HotGradientArray;
    std::int32_t HotImagePercent = 0;
    TColor BorderColor1 = 0;
    TColor BorderColor2 = 0;
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// One image region of the skin.
//
// Invariants the loader keeps: ImageCount is at least 1 and MaskType at least 0, so the state
// and row divisions never divide by zero. R is taken from the skin as written and may reach
// outside its source image (the entry's own Bmp, or the master bitmap when Bmp is null):
// whoever draws an entry must clip R to the source image first.
struct TsMaskData {
    std::unique_ptr<TBitmap> Bmp; // the entry's own image; null: R is cut from the master bitmap
    std::string ClassName;
    std::string PropertyName;
    TRect R;
    std::int16_t ImageCount = 1;
    std::int16_t MaskType = 0;
    std::int16_t BorderWidth = 0;
    std::int16_t DrawMode = 0;
    TacImgType ImgType = TacImgType::itisaBorder;
    TsSkinManager* Manager = nullptr;
    std::int16_t WL = 0;
    std::int16_t WT = 0;
    std::int16_t WR = 0;
    std::int16_t WB = 0;
};
using TsMaskArray = std::vector<TsMaskData>;

// A JPEG texture of at least 90000 pixels, kept whole.
struct TsPatternData {
    std::shared_ptr<const TBitmap> Img; // never null; shared by the loads of one skin source
    std::string ClassName;
    std::string PropertyName;
};
using TsPatternArray = std::vector<TsPatternData>;

// The skin's global values and the manager's state about it.
struct TsSkinData {
    bool Ready = false;   // a skin is loaded and the arrays may be read
    std::string SkinPath; // the folder a folder skin's images come from, with a final "/"
    double Version = 0;
    std::string Author;
    std::string Description;
    TColor Shadow1Color = 0;
    std::int32_t Shadow1Offset = 0;
    std::int32_t Shadow1Blur = -1;
    std::int32_t Shadow1Transparency = 0;
    TColor BorderColor = 0;
    std::int32_t BISpace = 0;
};

// Indexes that frequently used controls read without searching; -1 when absent.
struct TsSectionMasks {
    int Section = -1;
    int BorderMask = -1;
    int Glyph = -1;
    int Pattern = -1;
    int HotPattern = -1;
};

struct TsCommonIndexes {
    enum CheckMask {
        BoxChecked,
        BoxUnchecked,
        BoxGrayed,
        RadioChecked,
        RadioUnchecked,
        RadioGrayed,
        SmallChecked,
        SmallUnchecked,
        SmallGrayed,
        CheckMaskCount
    };
    enum Tab { TabTop, TabBottom, TabLeft, TabRight, TabCount };
    enum ScrollButton { BtnTop, BtnBottom, BtnLeft, BtnRight, SliderV, SliderH, ScrollButtonCount };
    enum ScrollBar { Bar1H, Bar1V, Bar2H, Bar2V, ScrollBarCount };

    int GlobalInfo = -1;
    std::array<int, CheckMaskCount> CheckMasks = MinusOnes<CheckMaskCount>();
    TsSectionMasks ComboBtn; // Section, BorderMask, Pattern (texture), HotPattern (hot texture)
    int ComboBoxGlyph = -1;
    std::array<TsSectionMasks, TabCount> Tabs{};                   // Section, BorderMask
    std::array<TsSectionMasks, ScrollButtonCount> ScrollButtons{}; // all five
    std::array<TsSectionMasks, ScrollBarCount> ScrollBars{};       // Section, BorderMask, Pattern, HotPattern

    template <std::size_t N> static constexpr std::array<int, N> MinusOnes() {
        std::array<int, N> values{};
        values.fill(-1);
        return values;
    }
};
