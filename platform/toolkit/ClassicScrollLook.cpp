#include "platform/toolkit/ClassicScrollLook.h"

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/ClassicLook.h"

namespace ClassicLook {

void DrawArrowGlyph(TCanvas& canvas, const TRect& r, TArrowDirection direction, TColor color) {
    if (r.IsEmpty()) return;
    TColor c = ColorToRGB(color);
    int half = std::max(1, (std::min(r.Width(), r.Height()) - 2) / 4);
    int depth = half + 1;    // rows from the tip to the base
    int base = 2 * half + 1; // pixels across the base
    bool vertical = direction == TArrowDirection::Up || direction == TArrowDirection::Down;
    int boxW = vertical ? base : depth;
    int boxH = vertical ? depth : base;
    int x0 = r.Left + (r.Width() - boxW) / 2;
    int y0 = r.Top + (r.Height() - boxH) / 2;
    for (int i = 0; i < depth; ++i) {
        // Row i counted from the tip is 2 * i + 1 pixels long.
        int len = 2 * i + 1;
        int off = half - i;
        switch (direction) {
        case TArrowDirection::Up:
            canvas.FillRect({x0 + off, y0 + i, x0 + off + len, y0 + i + 1}, c);
            break;
        case TArrowDirection::Down:
            canvas.FillRect({x0 + off, y0 + depth - 1 - i, x0 + off + len, y0 + depth - i}, c);
            break;
        case TArrowDirection::Left:
            canvas.FillRect({x0 + i, y0 + off, x0 + i + 1, y0 + off + len}, c);
            break;
        case TArrowDirection::Right:
            canvas.FillRect({x0 + depth - 1 - i, y0 + off, x0 + depth - i, y0 + off + len}, c);
            break;
        }
    }
}

void DrawArrowButton(TCanvas& canvas, const TRect& r, TArrowDirection direction, bool pushed, bool enabled) {
    if (r.IsEmpty()) return;
    TRect inner;
    if (pushed) {
        canvas.FrameRect(r, ColorToRGB(clBtnShadow));
        inner = TRect{r.Left + 1, r.Top + 1, r.Right - 1, r.Bottom - 1};
        canvas.FillRect(inner, ColorToRGB(clBtnFace));
        inner = TRect{inner.Left + 1, inner.Top + 1, inner.Right + 1, inner.Bottom + 1};
    } else {
        inner = DrawEdge(canvas, r, TEdge::Raised);
        canvas.FillRect(inner, ColorToRGB(clBtnFace));
    }
    if (enabled) {
        DrawArrowGlyph(canvas, inner, direction, clBtnText);
    } else {
        TRect shifted{inner.Left + 1, inner.Top + 1, inner.Right + 1, inner.Bottom + 1};
        DrawArrowGlyph(canvas, shifted, direction, clBtnHighlight);
        DrawArrowGlyph(canvas, inner, direction, clBtnShadow);
    }
}

TScrollBarLayout LayoutVerticalScrollBar(const TRect& r, int top, int visible, int count) {
    TScrollBarLayout l;
    int arrow = std::min(r.Width(), r.Height() / 2);
    l.UpButton = {r.Left, r.Top, r.Right, r.Top + arrow};
    l.DownButton = {r.Left, r.Bottom - arrow, r.Right, r.Bottom};
    l.Track = {r.Left, l.UpButton.Bottom, r.Right, l.DownButton.Top};
    int trackLen = l.Track.Height();
    if (count <= 0 || visible <= 0 || visible >= count || trackLen < 8) return l;
    int thumbLen = std::max(8, int(std::int64_t(trackLen) * visible / count));
    thumbLen = std::min(thumbLen, trackLen);
    int maxTop = count - visible;
    int t = std::clamp(top, 0, maxTop);
    int thumbTop = l.Track.Top + int(std::int64_t(trackLen - thumbLen) * t / maxTop);
    l.Thumb = {r.Left, thumbTop, r.Right, thumbTop + thumbLen};
    return l;
}

TScrollBarPart ScrollBarPartAt(const TScrollBarLayout& layout, TPoint p) {
    if (layout.UpButton.Contains(p)) return TScrollBarPart::UpButton;
    if (layout.DownButton.Contains(p)) return TScrollBarPart::DownButton;
    if (!layout.Track.Contains(p)) return TScrollBarPart::None;
    if (layout.Thumb.IsEmpty()) return TScrollBarPart::None;
    if (layout.Thumb.Contains(p)) return TScrollBarPart::Thumb;
    return p.Y < layout.Thumb.Top ? TScrollBarPart::PageUp : TScrollBarPart::PageDown;
}

void DrawVerticalScrollBar(TCanvas& canvas, const TScrollBarLayout& layout, TScrollBarPart pushed,
                           bool enabled) {
    bool active = enabled && !layout.Thumb.IsEmpty();
    DrawArrowButton(canvas, layout.UpButton, TArrowDirection::Up, pushed == TScrollBarPart::UpButton, active);
    DrawArrowButton(canvas, layout.DownButton, TArrowDirection::Down, pushed == TScrollBarPart::DownButton,
                    active);
    // The track is a checkerboard of the face and highlight colours.
    const TRect& t = layout.Track;
    TColor face = ColorToRGB(clBtnFace);
    TColor light = ColorToRGB(clBtnHighlight);
    canvas.FillRect(t, face);
    for (int y = t.Top; y < t.Bottom; ++y)
        for (int x = t.Left + ((y + t.Left) & 1); x < t.Right; x += 2)
            canvas.SetPixel(x, y, light);
    if (!layout.Thumb.IsEmpty()) {
        TRect inner = DrawEdge(canvas, layout.Thumb, TEdge::Raised);
        canvas.FillRect(inner, face);
    }
}

} // namespace ClassicLook
