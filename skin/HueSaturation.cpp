#include "skin/HueSaturation.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "platform/graphics/SystemColors.h"
#include "skin/SkinBitmaps.h"
#include "skin/TsSkinModel.h"

namespace {

using Real = double;

std::uint8_t RoundChannel(Real value) {
    return std::uint8_t(std::clamp<Real>(std::nearbyint(value), 0, 255));
}

// A direct-mapped cache of one colour function over 24-bit colours. The functions are pure,
// so a hit gives the same bits as a call.
template <typename F> class TColorCache {
public:
    explicit TColorCache(F function) : m_function(function) { m_keys.fill(EmptyKey); }

    TColor operator()(TColor color) {
        const std::size_t slot = ((color * 2654435761u) >> 20) & (Size - 1);
        if (m_keys[slot] != color) {
            m_keys[slot] = color;
            m_values[slot] = m_function(color);
        }
        return m_values[slot];
    }

private:
    static constexpr std::size_t Size = 4096;
    static constexpr TColor EmptyKey = 0xFFFFFFFFu;
    F m_function;
    std::array<TColor, Size> m_keys{};
    std::array<TColor, Size> m_values{};
};

template <typename F> void RecolourPixels(TBitmap& bitmap, F& function) {
    if (bitmap.IsEmpty()) return;
    ConvertTo24Bits(bitmap);
    for (int y = 0; y < bitmap.Height(); ++y) {
        std::uint8_t* p = bitmap.ScanLine(y);
        for (int x = 0; x < bitmap.Width(); ++x, p += 3) {
            const std::uint8_t b = p[0], g = p[1], r = p[2];
            if ((r == 255 && g == 0 && b == 255) || (r == g && g == b)) continue;
            const TColor c = function(MakeColor(r, g, b));
            p[0] = GetBValue(c);
            p[1] = GetGValue(c);
            p[2] = GetRValue(c);
        }
    }
}

template <typename F> void RecolourBitmaps(TsSkinModel& model, F function) {
    TColorCache<F> cached(function);
    RecolourPixels(model.MasterBitmap, cached);
    for (TsMaskData& mask : model.MaskData)
        if (mask.Bmp) RecolourPixels(*mask.Bmp, cached);
}

template <typename F> void RecolourModel(TsSkinModel& model, F function) {
    // The colour cache is only worth its setting up when there are pixels to recolour.
    const bool pixels = !model.MasterBitmap.IsEmpty() ||
                        std::any_of(model.MaskData.begin(), model.MaskData.end(),
                                    [](const TsMaskData& mask) { return mask.Bmp && !mask.Bmp->IsEmpty(); });
    if (pixels) RecolourBitmaps(model, function);
    auto fontColors = [&](TsFontColors& colors) {
        for (std::int32_t& c : colors)
            if (c != -1) c = std::int32_t(function(TColor(c)));
    };
    auto gradient = [&](TsGradArray& items) {
        for (TsGradItem& item : items) {
            item.Color1 = function(item.Color1);
            item.Color2 = function(item.Color2);
        }
    };
    for (TsGeneralData& record : model.GeneralData) {
        record.Color = function(record.Color);
        record.HotColor = function(record.HotColor);
        fontColors(record.FontColor);
        fontColors(record.HotFontColor);
        gradient(record.GradientArray);
        gradient(record.HotGradientArray);
    }
    model.SkinData.Shadow1Color = function(model.SkinData.Shadow1Color);
    model.SkinData.BorderColor = function(model.SkinData.BorderColor);
}

} // namespace

TColor ChangeHue(std::int32_t offset, TColor color) {
    const TColor rgb = IsSystemColor(color) ? ColorToRGB(color) : color;
    const int r = GetRValue(rgb), g = GetGValue(rgb), b = GetBValue(rgb);
    const int v = std::max({r, g, b});
    const int delta = v - std::min({r, g, b});
    const Real s = v == 0 ? 0 : Real(delta) / Real(v);
    if (s == 0) return rgb & 0xFFFFFF;

    const Real k = Real(60) / Real(delta);
    Real hue;
    if (v == r)
        hue = Real(g - b) * k;
    else if (v == g)
        hue = 120 + Real(b - r) * k;
    else
        hue = 240 + Real(r - g) * k;
    if (hue < 0) hue += 360;

    long long h = static_cast<long long>(std::nearbyint(Real(offset) + hue)) % 360;
    if (h < 0) h += 360;
    const Real x = Real(h) / 60;
    const long long i = static_cast<long long>(x);
    const Real f = x - Real(i);
    const Real value = v;
    const Real p = std::clamp<Real>(value * (1 - s), 0, 255);
    const Real q = std::clamp<Real>(value * (1 - s * f), 0, 255);
    const Real t = std::clamp<Real>(value * (1 - s * (1 - f)), 0, 255);

    Real outR, outG, outB;
    switch (i) {
    case 0:
        outR = value, outG = t, outB = p;
        break;
    case 1:
        outR = q, outG = value, outB = p;
        break;
    case 2:
        outR = p, outG = value, outB = t;
        break;
    case 3:
        outR = p, outG = q, outB = value;
        break;
    case 4:
        outR = t, outG = p, outB = value;
        break;
    default:
        outR = value, outG = p, outB = q;
        break;
    }
    return MakeColor(RoundChannel(outR), RoundChannel(outG), RoundChannel(outB));
}

TColor ChangeSaturation(TColor color, std::int32_t amount) {
    if (amount == 0) return color;
    const std::array<int, 3> channels = {GetRValue(color), GetGValue(color), GetBValue(color)};
    const Real grey = Real(channels[0] + channels[1] + channels[2]) / 3;
    std::array<std::uint8_t, 3> out{};
    for (std::size_t i = 0; i < 3; ++i) {
        const Real x = channels[i];
        out[i] = RoundChannel(x + Real(amount) * ((grey - x) / 100));
    }
    return MakeColor(out[0], out[1], out[2]);
}

std::int32_t SaturationAmount(std::int32_t saturation) {
    return std::int32_t(-std::int64_t(saturation) % 101);
}

void ApplyHueOffset(TsSkinModel& model, std::int32_t hueOffset) {
    if (hueOffset == 0) return;
    RecolourModel(model, [hueOffset](TColor c) { return ChangeHue(hueOffset, c); });
}

void ApplySaturation(TsSkinModel& model, std::int32_t saturation) {
    if (saturation == 0) return;
    const std::int32_t amount = SaturationAmount(saturation);
    RecolourModel(model, [amount](TColor c) { return ChangeSaturation(c, amount); });
}
