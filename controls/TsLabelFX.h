#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "controls/TsCustomLabel.h"
#include "controls/TsKind.h"
#include "controls/TsShadow.h"
#include "platform/graphics/TBitmap.h"

// The effect label: its text over a soft glow made by blurring the text's own shape, in the
// skin's text and shadow colours (or its own Kind and Shadow settings). The glow is rebuilt on
// every paint; only its mask buffer is kept, and it only grows. A label that measures its text
// with a glow keeps margins that make room for the glow around the text.
class TsLabelFX : public TsCustomLabel {
public:
    explicit TsLabelFX(TComponent* owner);
    std::string ClassName() const override { return "TsLabelFX"; }

    TsShadow& Shadow() { return m_shadow; }
    const TsShadow& Shadow() const { return m_shadow; }
    TsKind& Kind() { return m_kind; }
    const TsKind& Kind() const { return m_kind; }

    // The room kept for the glow: at the top-left (0 or less) and the bottom-right (0 or more).
    int MarginTopLeft() const { return m_marginTopLeft; }
    int MarginBottomRight() const { return m_marginBottomRight; }
    // The glow mask buffer's size in bytes.
    std::size_t GlowMaskCapacity() const { return m_glowMask.size(); }

protected:
    void DoDrawText(TCanvas& canvas, TRect& rect, unsigned flags) override;

private:
    struct TResolvedShadow {
        TColor Color = 0;
        std::int32_t Blur = 0;
        std::int32_t Distance = 0;
    };
    TResolvedShadow ResolveShadow();
    TColor TextColour() const;
    void DrawGlow(TCanvas& canvas, const TRect& rect, std::string_view text, unsigned flags,
                  const TResolvedShadow& shadow, TColor textColour);
    // The rectangle moved by the margins: its top-left by -MarginTopLeft, its bottom-right by
    // -MarginBottomRight.
    TRect InsideMargins(const TRect& rect) const;

    TsShadow m_shadow;
    TsKind m_kind;
    TBitmap m_glow{0, 0, TPixelFormat::pf32bit};
    std::vector<std::uint8_t> m_glowMask;
    int m_marginTopLeft = 0;
    int m_marginBottomRight = 0;
};
