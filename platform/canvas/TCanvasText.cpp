// The text methods of TCanvas, kept apart so that drawing pictures does not pull in the
// text renderer.

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextRenderer.h"

int TCanvas::DrawText(std::string_view text, TRect& rect, unsigned flags) {
    TRect device = ToDevice(rect);
    const bool opaque = m_state.BrushStyle == TBrushStyle::bsSolid;
    const int height = TextRenderer::DrawText(m_target, m_state.Clip, m_state.Font, text, device, flags,
                                              opaque, ColorToRGB(m_state.BrushColor));
    rect = device.Offset(-m_state.Origin.X, -m_state.Origin.Y);
    return height;
}

void TCanvas::TextOut(int x, int y, std::string_view text) {
    TextRenderer::TextOut(m_target, m_state.Clip, m_state.Font, x + m_state.Origin.X, y + m_state.Origin.Y,
                          text, m_state.BrushStyle == TBrushStyle::bsSolid, ColorToRGB(m_state.BrushColor));
}

TSize TCanvas::TextExtent(std::string_view text) const {
    return TextRenderer::TextExtent(m_state.Font, text);
}

int TCanvas::TextHeight(std::string_view) const {
    return TextRenderer::CellHeight(m_state.Font);
}
