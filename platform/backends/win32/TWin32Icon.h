#pragma once

#include "platform/graphics/TBitmap.h"

struct HICON__;

// A system icon made from a 32-bit bitmap whose fourth byte is each pixel's opacity; the
// icon is destroyed with the object.
class TWin32Icon {
public:
    TWin32Icon() = default;
    explicit TWin32Icon(const TBitmap& picture);
    ~TWin32Icon();
    TWin32Icon(TWin32Icon&& other) noexcept;
    TWin32Icon& operator=(TWin32Icon&& other) noexcept;
    TWin32Icon(const TWin32Icon&) = delete;
    TWin32Icon& operator=(const TWin32Icon&) = delete;

    // Null when the bitmap was empty, not 32-bit, or the system made no icon of it.
    HICON__* Handle() const { return m_icon; }

private:
    HICON__* m_icon = nullptr;
};
