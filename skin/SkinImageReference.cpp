#include "skin/SkinImageReference.h"

#include <algorithm>
#include <vector>

#include "skin/SkinStrings.h"

namespace {

// A fixed-position field: Copy(value, position, count) read strictly.
int Field(std::string_view value, std::size_t position, std::size_t count) {
    return StrToInt(CopyText(value, position, count));
}

TRect FixedRectangle(std::string_view value) {
    return {Field(value, 2, 4), Field(value, 7, 4), Field(value, 12, 4), Field(value, 17, 4)};
}

int WordNumber(const std::vector<std::string_view>& words, std::size_t index) {
    return StrToInt(index < words.size() ? words[index] : std::string_view());
}

TsImageReference ParseOwnBitmap(std::string_view value) {
    TsImageReference ref;
    ref.Form = TsImageForm::OwnBitmap;
    const std::vector<std::string_view> words = SplitWords(value, "!");
    ref.FileName = words.empty() ? std::string() : std::string(words[0]);
    ref.ImageCount = WordNumber(words, 1);
    ref.MaskType = WordNumber(words, 2);
    ref.ImageType = WordNumber(words, 3);
    ref.ImgType = TacImgType(std::clamp(ref.ImageType, 0, 2));
    ref.DrawMode = 4;
    if (words.size() > 4) {
        ref.ExplicitWidths = true;
        ref.WL = WordNumber(words, 4);
        ref.WT = WordNumber(words, 5);
        ref.WR = WordNumber(words, 6);
        ref.WB = WordNumber(words, 7);
    }
    return ref;
}

TsImageReference ParseHash(std::string_view value, std::string_view key) {
    TsImageReference ref;
    ref.Form = TsImageForm::Hash;
    std::vector<std::string_view> words;
    for (std::string_view word : SplitWords(value, "()"))
        if (!Trim(word).empty()) words.push_back(Trim(word));
    const std::vector<std::string_view> bounds =
        SplitWords(words.size() > 1 ? words[1] : std::string_view(), " ,");
    const std::vector<std::string_view> counts =
        SplitWords(words.size() > 2 ? words[2] : std::string_view(), " ,");
    ref.R = {WordNumber(bounds, 0), WordNumber(bounds, 1), WordNumber(bounds, 2), WordNumber(bounds, 3)};
    ref.ImageCount = std::max(WordNumber(counts, 0), 1);
    ref.MaskType = std::max(WordNumber(counts, 1), 0);
    ref.BorderWidth = counts.size() > 2 ? std::max(WordNumber(counts, 2), 0) : 0;
    const bool texture = SameText(key, "PATTERN") || SameText(key, "HOTPATTERN");
    ref.ImgType = texture ? TacImgType::itisaTexture : TacImgType::itisaBorder;
    ref.DrawMode = texture ? 0 : (counts.size() > 3 ? WordNumber(counts, 3) : 1);
    return ref;
}

} // namespace

TsImageReference ParseImageReference(std::string_view value, std::string_view key) {
    TsImageReference ref;
    if (value.empty()) return ref;
    switch (value.front()) {
    case '!':
        return ParseOwnBitmap(value);
    case '@':
        ref.Form = TsImageForm::Glyph;
        ref.R = FixedRectangle(value);
        ref.ImageCount = Field(value, 22, 1);
        ref.MaskType = Field(value, 24, 1);
        ref.ImgType = TacImgType::itisaGlyph;
        return ref;
    case '^':
        ref.Form = TsImageForm::Border;
        ref.R = FixedRectangle(value);
        ref.WL = Field(value, 22, 4);
        ref.WT = Field(value, 27, 4);
        ref.WR = Field(value, 32, 4);
        ref.WB = Field(value, 37, 4);
        ref.ImageCount = Field(value, 42, 1);
        ref.MaskType = Field(value, 44, 1);
        ref.DrawMode = Field(value, 46, 1);
        ref.BorderWidth = Field(value, 48, 1);
        ref.ExplicitWidths = ref.WL + ref.WT + ref.WR + ref.WB != 0;
        ref.ImgType = TacImgType::itisaBorder;
        return ref;
    case '~':
        ref.Form = TsImageForm::Texture;
        ref.R = FixedRectangle(value);
        ref.DrawMode = Field(value, 22, 2);
        ref.MaskType = value.size() >= 25 ? Field(value, 25, 1) : 0;
        ref.ImgType = TacImgType::itisaTexture;
        return ref;
    default:
        break;
    }
    if (value.find('#') == std::string_view::npos) {
        std::string upper = AnsiUpperCase(value);
        if (upper.find(".BMP") != std::string::npos) {
            ref.Form = TsImageForm::BitmapFile;
            ref.FileName = std::move(upper);
            ref.ImageCount = 3;
            ref.MaskType = 1;
        }
        return ref;
    }
    if (value == "#") return ref;
    return ParseHash(value, key);
}

bool HasInvalidImageType(const TsImageReference& reference) {
    return reference.Form == TsImageForm::OwnBitmap && (reference.ImageType < 0 || reference.ImageType > 2);
}

void ApplyDefaultWidths(TsMaskData& mask) {
    if (mask.BorderWidth != 0) {
        mask.WL = mask.WT = mask.WR = mask.WB = mask.BorderWidth;
        return;
    }
    // In 64 bits: a region read from a file may span the whole int range.
    const std::int64_t width = std::int64_t(mask.R.Right) - mask.R.Left;
    const std::int64_t height = std::int64_t(mask.R.Bottom) - mask.R.Top;
    mask.WL = mask.WR = ClampToInt16(SaturateToInt(width / (std::int64_t(mask.ImageCount) * 3)));
    mask.WT = mask.WB = ClampToInt16(SaturateToInt(height / ((std::int64_t(mask.MaskType) + 1) * 3)));
}

TsMaskData MakeMaskEntry(const TsImageReference& reference, const TRect& imageBounds) {
    TsMaskData mask;
    const bool wholeImage =
        reference.Form == TsImageForm::OwnBitmap || reference.Form == TsImageForm::BitmapFile;
    mask.R = ClampSkinRect(wholeImage ? imageBounds : reference.R);
    mask.ImageCount = ClampToInt16(std::max(reference.ImageCount, 1));
    mask.MaskType = ClampToInt16(std::max(reference.MaskType, 0));
    mask.BorderWidth = ClampToInt16(reference.BorderWidth);
    mask.DrawMode = ClampToInt16(reference.DrawMode);
    mask.ImgType = reference.ImgType;
    mask.WL = ClampToInt16(reference.WL);
    mask.WT = ClampToInt16(reference.WT);
    mask.WR = ClampToInt16(reference.WR);
    mask.WB = ClampToInt16(reference.WB);
    switch (reference.Form) {
    case TsImageForm::Border:
    case TsImageForm::OwnBitmap:
        if (!reference.ExplicitWidths) ApplyDefaultWidths(mask);
        break;
    case TsImageForm::BitmapFile:
    case TsImageForm::Hash:
        ApplyDefaultWidths(mask);
        break;
    default:
        break;
    }
    return mask;
}
