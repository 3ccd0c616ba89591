#include "TextContrast.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <string_view>

#include "platform/graphics/SystemColors.h"
#include "skin/SkinStrings.h"

namespace {

// The sections the program's controls draw captions and texts on.
constexpr std::array<std::string_view, 13> TextSections = {
    "BUTTON",   "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "WEBBUTTON", "EDIT",  "COMBOBOX",
    "GROUPBOX", "CHECKBOX",    "RADIOBUTTON",       "FORMTITLE",  "PANEL",     "DIALOG"};

double Linear(std::uint8_t channel) {
    const double c = channel / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

std::uint8_t MixChannel(std::uint8_t face, double gradient, int percent) {
    return std::uint8_t(std::lround((face * (100 - percent) + gradient * percent) / 100.0));
}

bool SetsTextColour(const TacSkinOptions& options, const std::string& section) {
    // Indexed lookups: a skin of many sections is checked in time that grows with its size.
    return options.Value(section, "FONTCOLOR").has_value() ||
           options.Value(section, "HOTFONTCOLOR").has_value();
}

bool DrawsText(const TacSkinOptions& options, const std::string& section) {
    if (SameText(section, "GLOBALINFO")) return false;
    return std::any_of(TextSections.begin(), TextSections.end(),
                       [&](std::string_view name) { return SameText(section, std::string(name)); }) ||
           SetsTextColour(options, section);
}

} // namespace

double RelativeLuminance(TColor color) {
    const TColor rgb = ColorToRGB(color);
    return 0.2126 * Linear(GetRValue(rgb)) + 0.7152 * Linear(GetGValue(rgb)) +
           0.0722 * Linear(GetBValue(rgb));
}

double ContrastRatio(TColor a, TColor b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

TColor TextBackground(const TsGeneralData& section, bool hot) {
    const TColor face = ColorToRGB(hot ? section.HotColor : section.Color);
    const TsGradArray& gradient = hot ? section.HotGradientArray : section.GradientArray;
    const int percent = std::clamp(hot ? section.HotGradientPercent : section.GradientPercent, 0, 100);
    if (gradient.empty() || percent == 0) return face;
    double r = 0, g = 0, b = 0;
    for (const TsGradItem& item : gradient) {
        for (const TColor c : {ColorToRGB(item.Color1), ColorToRGB(item.Color2)}) {
            r += GetRValue(c);
            g += GetGValue(c);
            b += GetBValue(c);
        }
    }
    const double count = 2.0 * double(gradient.size());
    return MakeColor(MixChannel(GetRValue(face), r / count, percent),
                     MixChannel(GetGValue(face), g / count, percent),
                     MixChannel(GetBValue(face), b / count, percent));
}

std::vector<TTextContrastWarning> CheckTextContrast(const TsSkinModel& model, const TacSkinOptions& options) {
    std::vector<TTextContrastWarning> warnings;
    for (const TsGeneralData& section : model.GeneralData) {
        if (!DrawsText(options, section.ClassName)) continue;
        for (const bool hot : {false, true}) {
            const TColor text = TColor(hot ? section.HotFontColor[0] : section.FontColor[0]);
            const double ratio = ContrastRatio(text, TextBackground(section, hot));
            if (ratio < MinimumTextContrast)
                warnings.push_back({section.ClassName, hot ? "hot" : "normal", ratio});
        }
    }
    return warnings;
}
