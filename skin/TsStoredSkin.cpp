#include "skin/TsStoredSkin.h"

#include <algorithm>

#include "skin/SkinStrings.h"
#include "skin/TsSkinLoader.h"
#include "skin/TsSkinModel.h"

namespace {

// "text left top right bottom"; any other word count gives text colour 0 and no outlines.
TsFontColors ParseFontColors(const std::string& text) {
    const auto words = SplitWords(text, " ");
    TsFontColors colors = DefaultFontColors;
    if (words.size() != 5) return colors;
    for (std::size_t i = 0; i < 5; ++i)
        colors[i] = StrToIntDef(words[i], i == 0 ? 0 : -1);
    return colors;
}

TsGeneralData ToRecord(const TsSkinGeneral& g) {
    TsGeneralData r;
    r.ClassName = AnsiUpperCase(g.SectionName);
    r.ParentClass = AnsiUpperCase(g.ParentClass);
    r.Color = g.Color;
    r.Bevel = ToBevel(g.Bevel);
    r.FontColor = ParseFontColors(g.FontColor);
    r.HotFontColor = ParseFontColors(g.HotFontColor);
    r.ReservedBoolean = g.ReservedBoolean;
    r.ShadowBlur = g.ShadowBlur;
    r.ShadowColor = g.ShadowColor;
    r.ShadowEnabled = g.ShadowEnabled;
    r.ShadowOffset = g.ShadowOffset;
    r.ShadowTransparency = g.ShadowTransparency;
    r.Transparency = g.Transparency;
    r.GradientPercent = g.GradientPercent;
    r.GradientData = g.GradientData;
    r.ImagePercent = g.ImagePercent;
    r.ShowFocus = g.ShowFocus;
    r.FadingEnabled = g.FadingEnabled;
    r.FadingIntervalIn = g.FadingIntervalIn;
    r.FadingIntervalOut = g.FadingIntervalOut;
    r.FadingIterations = g.FadingIterations;
    r.HotColor = g.HotColor;
    r.HotTransparency = g.HotTransparency;
    r.HotBevel = ToBevel(g.HotBevel);
    r.HotGradientPercent = g.HotGradientPercent;
    r.HotGradientData = g.HotGradientData;
    r.HotImagePercent = g.HotImagePercent;
    r.BorderColor1 = g.BorderColor1;
    r.BorderColor2 = g.BorderColor2;
    if (r.GradientData != " ") r.GradientArray = ParseGradientData(r.GradientData);
    if (r.HotGradientData != " ") r.HotGradientArray = ParseGradientData(r.HotGradientData);
    return r;
}

TsMaskData ToMask(const TsSkinImage& image, TsSkinManager* manager) {
    TsMaskData m;
    m.ClassName = AnsiUpperCase(image.SectionName);
    m.PropertyName = AnsiUpperCase(image.PropertyName);
    if (!image.Name.empty() && !image.Image.IsEmpty()) {
        m.Bmp = std::make_unique<TBitmap>(image.Image);
        m.Bmp->SetPixelFormat(TPixelFormat::pf24bit);
        m.R = m.Bmp->BoundsRect();
    } else {
        m.R = ClampSkinRect({image.Left, image.Top, image.Right, image.Bottom});
    }
    m.ImageCount = ClampToInt16(image.ImageCount == 0 ? 3 : std::max(image.ImageCount, 1));
    m.MaskType = ClampToInt16(image.ImageCount == 0 ? 1 : std::max(image.MaskType, 0));
    m.BorderWidth = ClampToInt16(image.BorderWidth);
    const bool pattern = m.PropertyName == "PATTERN" || m.PropertyName == "HOTPATTERN";
    if (pattern) {
        m.ImgType = TacImgType::itisaTexture;
        m.DrawMode = image.ImgType == TacImgType::itisaTexture ? ClampToInt16(image.StretchMode) : 0;
    } else {
        m.ImgType = image.ImgType;
        m.DrawMode = ClampToInt16(image.StretchMode);
    }
    m.WL = ClampToInt16(image.WL);
    m.WT = ClampToInt16(image.WT);
    m.WR = ClampToInt16(image.WR);
    m.WB = ClampToInt16(image.WB);
    m.Manager = manager;
    return m;
}

} // namespace

void LoadCollectionForm(TsSkinModel& model, const TsStoredSkin& skin, TsSkinManager* manager) {
    model.ClearImagesAndSections();
    model.MasterBitmap = skin.MasterBitmap;
    if (!model.MasterBitmap.IsEmpty()) model.MasterBitmap.SetPixelFormat(TPixelFormat::pf24bit);
    for (const TsSkinImage& image : skin.Images)
        model.MaskData.push_back(ToMask(image, manager));
    for (const TsSkinPattern& pattern : skin.Patterns)
        model.PatternData.push_back({std::make_shared<const TBitmap>(pattern.Image),
                                     AnsiUpperCase(pattern.SectionName),
                                     AnsiUpperCase(pattern.PropertyName)});
    for (const TsSkinGeneral& general : skin.GeneralData)
        model.GeneralData.push_back(ToRecord(general));
    TsSkinData& d = model.SkinData;
    d.Version = skin.Version;
    d.Author = skin.Author;
    d.Description = skin.Description;
    d.Shadow1Color = skin.Shadow1Color;
    d.Shadow1Offset = skin.Shadow1Offset;
    d.Shadow1Blur = skin.Shadow1Blur;
    d.Shadow1Transparency = skin.Shadow1Transparency;
    d.BorderColor = skin.BorderColor;
}
