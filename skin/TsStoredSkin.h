#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/graphics/TBitmap.h"
#include "skin/SkinRecords.h"

class TsSkinModel;
class TsSkinManager;

// A section record in collection form.
struct TsSkinGeneral {
    std::string SectionName;
    std::string ParentClass;
    TColor Color = 0xFFFFFF;
    std::int32_t Bevel = 0;
    std::int32_t ShadowBlur = 6;
    TColor ShadowColor = 0;
    bool ShadowDontUse = false;
    bool ShadowEnabled = false;
    bool ReservedBoolean = false;
    std::int32_t ShadowOffset = 3;
    std::int32_t ShadowTransparency = 50;
    std::string FontColor;    // five numbers separated by blanks
    std::string HotFontColor; // five numbers separated by blanks
    std::int32_t Transparency = 0;
    std::int32_t GradientPercent = 0;
    std::string GradientData = " ";
    std::int32_t ImagePercent = 0;
    bool ShowFocus = false;
    bool FadingEnabled = false;
    std::int32_t FadingIntervalIn = 5;
    std::int32_t FadingIntervalOut = 5;
    std::int32_t FadingIterations = 5;
    TColor HotColor = 0xFFFFFF;
    std::int32_t HotTransparency = 0;
    std::int32_t HotBevel = 0;
    std::int32_t HotGradientPercent = 0;
    std::string HotGradientData;
    std::int32_t HotImagePercent = 0;
    TColor BorderColor1 = 0;
    TColor BorderColor2 = 0;
    std::string Name;
};

// A mask entry in collection form.
struct TsSkinImage {
    std::string SectionName;
    TBitmap Image; // used when Name is set and the image is not empty
    std::string Name;
    std::string PropertyName;
    std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
    std::int32_t ImageCount = 0;
    std::int32_t MaskType = 0;
    std::int32_t BorderWidth = 0;
    std::int32_t StretchMode = 0;
    TacImgType ImgType = TacImgType::itisaBorder;
    std::int32_t WL = 0, WR = 0, WT = 0, WB = 0;
};

// An external image in collection form.
struct TsSkinPattern {
    std::string SectionName;
    TBitmap Image;
    std::string Name;
    std::string PropertyName;
};

// A skin carried in form data: either a complete skin package in Data, or, when Data is
// empty, the model itself as collections.
class TsStoredSkin {
public:
    std::string Name;
    std::vector<TsSkinGeneral> GeneralData;
    std::vector<TsSkinImage> Images;
    std::vector<TsSkinPattern> Patterns;
    TBitmap MasterBitmap;
    TColor Shadow1Color = 0;
    std::int32_t Shadow1Offset = 0;
    std::int32_t Shadow1Blur = -1;
    std::int32_t Shadow1Transparency = 0;
    TColor BorderColor = 0xFF00FF;
    double Version = 0;
    std::string Author;
    std::string Description;
    // The binary "Data" property: a skin package, written back byte for byte.
    std::vector<std::uint8_t> Data;

    bool IsPackage() const { return !Data.empty(); }
};

// Fills the model from a collection-form stored skin: names upper-cased, ImageCount 0 read
// as 3 with MaskType 1, own images copied at 24 bits, other regions cut from the master
// bitmap, and the skin's global values from the item. Gradient descriptions that are not
// decimal numbers raise EConvertError.
void LoadCollectionForm(TsSkinModel& model, const TsStoredSkin& skin, TsSkinManager* manager);
