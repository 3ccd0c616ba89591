#pragma once

#include <string>
#include <vector>

#include "platform/core/Color.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinModel.h"

// Readability of a skin's text: the contrast between a section's text colour and the face
// behind the text, by the relative-luminance formula of the web's accessibility guidelines
// (WCAG 2). Ratios run from 1 (equal colours) to 21 (black on white).

inline constexpr double MinimumTextContrast = 4.5;

// The relative luminance of an RGB colour, 0 for black to 1 for white.
double RelativeLuminance(TColor color);
// The contrast ratio of two colours, the lighter one's luminance over the darker one's
// (each plus 0.05).
double ContrastRatio(TColor a, TColor b);

// One section state whose text is hard to read.
struct TTextContrastWarning {
    std::string Section;
    std::string State; // "normal" or "hot"
    double Ratio = 0;
};

// The face colour behind a section's text in one state: COLOR (HOTCOLOR), mixed with the mean
// of the gradient's colours by GRADIENTPERCENT (HOTGRADIENTPERCENT) where a gradient covers
// the face.
TColor TextBackground(const TsGeneralData& section, bool hot);

// Checks every section of the model that draws text, in the normal and hot states. A section
// draws text when it is one that the program's controls write on (buttons, edits, combo boxes,
// group boxes, title bars ...) or when the skin gives it a text colour of its own.
std::vector<TTextContrastWarning> CheckTextContrast(const TsSkinModel& model, const TacSkinOptions& options);
