#include <gtest/gtest.h>

#include <cstdint>

#include "platform/graphics/PixelMemory.h"
#include "platform/graphics/TBitmap.h"

// Large blocks are advised for the kernel's large pages, which need them aligned.
TEST(TBitmapLarge, LargeBlocksStartOnALargePageBoundary) {
    TBitmap b(1920, 1080);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(b.ScanLine(0)) % LargePixelBlock, 0u);
}
