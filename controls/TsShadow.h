#pragma once

#include <cstdint>

#include "platform/core/Color.h"

class TControl;

enum class TsShadowMode { smNone, smCustom, smSkin1 };

// The glow or shadow behind an effect label's text: its colour, how many blur passes soften
// it and how far it lies right of and below the text. smSkin1 takes the three values from the
// skin when the skin has them. Every change repaints the owning label; the colour last
// resolved is kept as its three channels for the glow's composition.
class TsShadow {
public:
    explicit TsShadow(TControl& owner);

    TsShadowMode Mode() const { return m_mode; }
    void SetMode(TsShadowMode mode);
    TColor Color() const { return m_color; }
    void SetColor(TColor colour);
    std::int32_t BlurCount() const { return m_blurCount; }
    void SetBlurCount(std::int32_t count);
    std::int32_t Distance() const { return m_distance; }
    void SetDistance(std::int32_t distance);

    // The channels of the colour last resolved (a system colour resolved to its RGB value).
    std::uint8_t Red() const { return m_red; }
    std::uint8_t Green() const { return m_green; }
    std::uint8_t Blue() const { return m_blue; }
    // Resolves a colour into the kept channels.
    void StoreResolved(TColor colour);

private:
    TControl& m_owner;
    TsShadowMode m_mode = TsShadowMode::smSkin1;
    TColor m_color = 0;
    std::int32_t m_blurCount = 4;
    std::int32_t m_distance = 1;
    std::uint8_t m_red = 0;
    std::uint8_t m_green = 0;
    std::uint8_t m_blue = 0;
};
