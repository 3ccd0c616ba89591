#pragma once

#include <cstdint>

class TBitmap;

// Where a parent's finished face lies, so that a child can paint its transparent parts: the
// parent pixel behind the child's pixel (x, y) is at (OffsetX + Left + x, OffsetY + Top + y)
// of Bitmap, (Left, Top) being the child's position in the parent. Ready tells whether the
// other fields are valid; a parent without a face answers a descriptor that is not ready.
struct ParentBackground {
    const TBitmap* Bitmap = nullptr;
    std::int32_t OffsetX = 0;
    std::int32_t OffsetY = 0;
    bool Ready = false;
};
