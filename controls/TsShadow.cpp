#include "controls/TsShadow.h"

#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TControl.h"

TsShadow::TsShadow(TControl& owner) : m_owner(owner) {}

void TsShadow::SetMode(TsShadowMode mode) {
    if (mode == m_mode) return;
    m_mode = mode;
    m_owner.Invalidate();
}

void TsShadow::SetColor(TColor colour) {
    if (colour == m_color) return;
    m_color = colour;
    StoreResolved(colour);
    m_owner.Invalidate();
}

void TsShadow::SetBlurCount(std::int32_t count) {
    if (count == m_blurCount) return;
    m_blurCount = count;
    m_owner.Invalidate();
}

void TsShadow::SetDistance(std::int32_t distance) {
    if (distance == m_distance) return;
    m_distance = distance;
    m_owner.Invalidate();
}

void TsShadow::StoreResolved(TColor colour) {
    const TColor rgb = ColorToRGB(colour);
    m_red = GetRValue(rgb);
    m_green = GetGValue(rgb);
    m_blue = GetBValue(rgb);
}
