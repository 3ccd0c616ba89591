#include "controls/TsLabelFX.h"

#include <algorithm>
#include <cstring>

#include "controls/LabelGlow.h"
#include "controls/LabelSkin.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"

using namespace TextFlags;

namespace {

// Blur passes beyond this many are not run; a mask that stops changing stops the passes
// earlier with the same result.
constexpr std::int32_t MaxGlowPasses = 4096;

void DrawTextIn(TCanvas& canvas, std::string_view text, TRect& rect, unsigned flags, TColor colour) {
    TFont font = canvas.Font();
    font.SetColor(colour);
    canvas.SetFont(font);
    canvas.DrawText(text, rect, flags);
}

TGlowColour Channels(TColor colour) {
    const TColor rgb = ColorToRGB(colour);
    return {GetRValue(rgb), GetGValue(rgb), GetBValue(rgb)};
}

int ClampToInt(std::int64_t value) {
    return int(std::clamp<std::int64_t>(value, INT32_MIN / 4, INT32_MAX / 4));
}

} // namespace

TsLabelFX::TsLabelFX(TComponent* owner) : TsCustomLabel(owner), m_shadow(*this), m_kind(*this) {}

TsLabelFX::TResolvedShadow TsLabelFX::ResolveShadow() {
    TResolvedShadow shadow{m_shadow.Color(), m_shadow.BlurCount(), m_shadow.Distance()};
    if (m_shadow.Mode() == TsShadowMode::smSkin1)
        if (const auto skin = SkinGlobalShadow()) shadow = {skin->Color, skin->Blur, skin->Offset};
    m_shadow.StoreResolved(shadow.Color);
    return shadow;
}

TColor TsLabelFX::TextColour() const {
    switch (m_kind.KindType()) {
    case TsKindType::ktStandard:
        return ColorToRGB(Color());
    case TsKindType::ktCustom:
        return ColorToRGB(m_kind.Color());
    case TsKindType::ktSkin:
        break;
    }
    return ColorToRGB(SkinGlobalTextColor().value_or(m_kind.Color()));
}

TRect TsLabelFX::InsideMargins(const TRect& rect) const {
    return {rect.Left - m_marginTopLeft, rect.Top - m_marginTopLeft, rect.Right - m_marginBottomRight,
            rect.Bottom - m_marginBottomRight};
}

void TsLabelFX::DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) {
    if (m_shadow.Mode() == TsShadowMode::smNone) {
        TsCustomLabel::DoDrawText(canvas, rect, flags);
        return;
    }
    const TResolvedShadow shadow = ResolveShadow();
    const bool measuring = (flags & DT_CALCRECT) != 0;
    // The caption is drawn where it is held: a phrase may be many megabytes long.
    std::string padded;
    std::string_view text = Caption();
    if (measuring && (text.empty() || (ShowAccelChar() && text == "&"))) {
        padded = std::string(text) + ' ';
        text = padded;
    }
    if (!ShowAccelChar()) flags |= DT_NOPREFIX;

    TCanvasSaver saver(canvas);
    canvas.SetFont(Font());
    canvas.SetBrushStyle(TBrushStyle::bsClear);

    if (!Enabled()) {
        rect = rect.Offset(1, 1);
        DrawTextIn(canvas, text, rect, flags, clBtnHighlight);
        rect = rect.Offset(-1, -1);
        DrawTextIn(canvas, text, rect, flags, clBtnShadow);
        return;
    }

    const TColor textColour = TextColour();
    const bool withShadow = shadow.Color != clNone && shadow.Blur != 0;
    if (measuring || !withShadow)
        DrawTextIn(canvas, text, rect, flags, textColour);
    else
        DrawGlow(canvas, rect, text, flags, shadow, textColour);

    if (measuring && withShadow) {
        const std::int64_t distance = shadow.Distance;
        const std::int64_t blur = shadow.Blur;
        m_marginTopLeft = ClampToInt(std::min<std::int64_t>(0, distance - blur));
        m_marginBottomRight = ClampToInt(std::max<std::int64_t>(0, distance + blur));
        const int grow = m_marginBottomRight - m_marginTopLeft;
        rect.Right += grow;
        rect.Bottom += grow;
    }
}

void TsLabelFX::DrawGlow(TCanvas& canvas, const TRect& rect, std::string_view text, unsigned flags,
                         const TResolvedShadow& shadow, TColor textColour) {
    TRect textRect = InsideMargins(rect);
    const int width = rect.Width();
    const int height = rect.Height();
    if (width <= 0 || height <= 0 || std::int64_t(width) * height > MaxGlowPixels) {
        DrawTextIn(canvas, text, textRect, flags, textColour);
        return;
    }

    // The text's shape, white on black, where the glow falls.
    m_glow.SetSize(width, height);
    m_glow.Fill(clBlack);
    {
        TCanvas shape(m_glow);
        TFont font = Font();
        font.SetColor(clWhite);
        shape.SetFont(font);
        shape.SetBrushStyle(TBrushStyle::bsClear);
        const int distance = ClampToInt(shadow.Distance);
        TRect shifted = textRect.Offset(distance, distance);
        shape.DrawText(text, shifted, flags);
    }

    std::uint8_t* cells = PrepareGlowMask(m_glowMask, width, height);
    const std::size_t cellCount = std::size_t(width + 2) * std::size_t(height + 2);
    std::uint8_t* previous = cells + cellCount;
    const std::int32_t passes = std::min(shadow.Blur, MaxGlowPasses);
    for (std::int32_t pass = 0; pass < passes; ++pass) {
        std::memcpy(previous, cells, cellCount);
        StampGlowMask(cells, m_glow);
        BlurGlowMask(cells, width, height);
        // A pass that changed nothing is a fixed point: the remaining passes would repeat it.
        if (std::memcmp(previous, cells, cellCount) == 0) break;
    }

    const TGlowColour shadowColour{m_shadow.Red(), m_shadow.Green(), m_shadow.Blue()};
    if (Transparent()) {
        CopyCanvasUnder(m_glow, canvas);
        ComposeGlowOverPixels(m_glow, cells, shadowColour);
    } else {
        ComposeGlowOverColour(m_glow, cells, shadowColour, Channels(Color()));
    }
    canvas.CopyRect({0, 0}, m_glow, {0, 0, width, height});
    DrawTextIn(canvas, text, textRect, flags, textColour);
}
