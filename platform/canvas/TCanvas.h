#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegion.h"
#include "platform/text/TFont.h"

// One corner of a smooth-shaded triangle: position and 16-bit colour channels
// (the 8-bit value shifted left by 8), as the platform's gradient fill takes them.
struct TTriVertex {
    int X = 0;
    int Y = 0;
    std::uint16_t Red = 0;
    std::uint16_t Green = 0;
    std::uint16_t Blue = 0;
    std::uint16_t Alpha = 0;
};

enum class TBrushStyle { bsSolid, bsClear };

// Which pixels a polygon covers where its outline crosses itself: with frEvenOdd a pixel is
// inside when a ray from it crosses the outline an odd number of times; with frNonZero when
// the outline winds around it at all.
enum class TFillRule { frEvenOdd, frNonZero };

// Drawing onto a 24- or 32-bit bitmap (an 8-bit target is left as it is). The canvas keeps a stack of clip
// region, origin and font with Save/Restore (and the scoped TCanvasSaver); every drawing call adds the
// origin, intersects with the clip region and returns early when nothing is left.
// Coordinates given to drawing calls are logical (before the origin is added); the clip
// region is kept in bitmap coordinates.
class TCanvas {
public:
    explicit TCanvas(TBitmap& target);

    TBitmap& Target() { return *m_target; }
    const TBitmap& Target() const { return *m_target; }

    // --- state ---
    TFont& Font() { return m_state.Font; }
    const TFont& Font() const { return m_state.Font; }
    void SetFont(const TFont& font) { m_state.Font = font; }
    TColor BrushColor() const { return m_state.BrushColor; }
    void SetBrushColor(TColor c) { m_state.BrushColor = c; }
    TBrushStyle BrushStyle() const { return m_state.BrushStyle; }
    void SetBrushStyle(TBrushStyle s) { m_state.BrushStyle = s; }
    TPoint Origin() const { return m_state.Origin; }
    // Moves the logical origin by (dx, dy) bitmap pixels.
    void OffsetOrigin(int dx, int dy);
    void SetOrigin(TPoint origin) { m_state.Origin = origin; }

    // The clip region in bitmap coordinates; starts as the whole bitmap.
    const TRegion& ClipRegion() const { return m_state.Clip; }
    // The bounding box of the clip region, in logical coordinates.
    TRect ClipBox() const;
    void IntersectClipRect(const TRect& r);
    void ExcludeClipRect(const TRect& r);
    void IntersectClipRegion(const TRegion& region); // region in logical coordinates
    void Save();
    void Restore();

    // --- drawing ---
    void FillRect(const TRect& r, TColor c);
    // Fills with the brush colour (nothing for a clear brush).
    void FillRect(const TRect& r) {
        if (m_state.BrushStyle == TBrushStyle::bsSolid) FillRect(r, m_state.BrushColor);
    }
    void FrameRect(const TRect& r, TColor c);
    // A one-pixel line from (x1, y1) to (x2, y2), the last point excluded, as the platform draws.
    void Line(int x1, int y1, int x2, int y2, TColor c);
    void SetPixel(int x, int y, TColor c);
    TColor GetPixel(int x, int y) const;
    // The dotted focus rectangle: every other pixel of the outline is inverted.
    void DrawFocusRect(const TRect& r);
    // A filled and outlined polygon in one colour, as the platform draws one with pen and
    // brush alike: the even-odd interior plus the one-pixel outline through every vertex.
    void Polygon(std::span<const TPoint> points, TColor c);
    // The interior only: the pixels inside the outline by the rule, with the left and top
    // edges counted in and the right and bottom ones out (a rectangle's Right and Bottom).
    void FillPolygon(std::span<const TPoint> points, TColor c, TFillRule rule = TFillRule::frEvenOdd);
    // Smooth-shaded triangle: colours interpolated linearly over the triangle.
    void GradientFillTriangle(const TTriVertex& a, const TTriVertex& b, const TTriVertex& c);

    // Exact block copy of source rectangle to the logical point, clipped on both sides.
    void CopyRect(TPoint dest, const TBitmap& source, const TRect& sourceRect);
    // The same, limited further to a region given in logical coordinates.
    void CopyRect(TPoint dest, const TBitmap& source, const TRect& sourceRect, const TRegion& clip);
    void Draw(int x, int y, const TBitmap& source) { CopyRect({x, y}, source, source.BoundsRect()); }
    // Halftone stretch (area averaging) of the source rectangle onto the destination rectangle.
    // Every destination pixel is the area-weighted mean of the source pixels under it, rounded
    // to nearest; source pixels outside the source bitmap do not count.
    void StretchDraw(const TRect& dest, const TBitmap& source, const TRect& sourceRect);

    // --- text (UTF-8) ---
    // Draws or measures text with TextFlags; returns the height of the text drawn. With
    // DT_CALCRECT the rectangle is adjusted to the text's extent and nothing is drawn.
    // The text uses Font().Color(); with a solid brush the text cells are filled first.
    int DrawText(std::string_view text, TRect& rect, unsigned flags);
    void TextOut(int x, int y, std::string_view text);
    TSize TextExtent(std::string_view text) const;
    int TextWidth(std::string_view text) const { return TextExtent(text).Width; }
    // The font's cell height: one line is that high whatever its text.
    int TextHeight(std::string_view text) const;

private:
    TRect ToDevice(const TRect& r) const;
    bool IsVisible(int deviceX, int deviceY) const;
    // The bounding box of what drawing can reach: the clip cut to the bitmap, in bitmap coordinates.
    TRect VisibleBounds() const;
    // Calls fn with each part of the device rectangle that lies inside the clip and the bitmap.
    template <typename Fn> void ForEachClipped(const TRect& deviceRect, Fn&& fn);

    struct State {
        TRegion Clip;
        TPoint Origin;
        TFont Font;
        TColor BrushColor = clWhite;
        TBrushStyle BrushStyle = TBrushStyle::bsSolid;
    };

    TBitmap* m_target;
    State m_state;
    std::vector<State> m_saved;
};

// Saves the canvas state on construction and restores it on destruction.
class TCanvasSaver {
public:
    explicit TCanvasSaver(TCanvas& canvas) : m_canvas(canvas) { m_canvas.Save(); }
    ~TCanvasSaver() { m_canvas.Restore(); }
    TCanvasSaver(const TCanvasSaver&) = delete;
    TCanvasSaver& operator=(const TCanvasSaver&) = delete;

private:
    TCanvas& m_canvas;
};
