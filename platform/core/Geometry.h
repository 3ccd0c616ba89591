#pragma once

#include <algorithm>
#include <cstdint>

// Integer geometry in the platform's conventions: a rectangle holds Left and Top and
// excludes Right and Bottom, so its width is Right - Left.

struct TPoint {
    int X = 0;
    int Y = 0;
    friend bool operator==(const TPoint&, const TPoint&) = default;
};

struct TSize {
    int Width = 0;
    int Height = 0;
    friend bool operator==(const TSize&, const TSize&) = default;
};

struct TRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    static TRect FromBounds(int left, int top, int width, int height) {
        return {left, top, left + width, top + height};
    }
    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool Contains(TPoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    bool Contains(const TRect& r) const {
        return r.Left >= Left && r.Top >= Top && r.Right <= Right && r.Bottom <= Bottom;
    }
    TRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    TRect Inflate(int dx, int dy) const { return {Left - dx, Top - dy, Right + dx, Bottom + dy}; }
    // The common part; empty rectangles come back with Right <= Left or Bottom <= Top.
    TRect Intersect(const TRect& r) const {
        return {std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right),
                std::min(Bottom, r.Bottom)};
    }
    bool Intersects(const TRect& r) const { return !Intersect(r).IsEmpty(); }
    // The smallest rectangle holding both; an empty operand does not count.
    TRect Union(const TRect& r) const {
        if (IsEmpty()) return r;
        if (r.IsEmpty()) return *this;
        return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right),
                std::max(Bottom, r.Bottom)};
    }
    TPoint TopLeft() const { return {Left, Top}; }
    friend bool operator==(const TRect&, const TRect&) = default;
};
