#pragma once

#include <cstddef>
#include <cstdint>

// Memory for bitmap pixels. A full-screen surface or face holds several megabytes, and the
// first touch of fresh memory costs one page fault per 4 KB page; where page faults are slow
// (a virtual machine) that is most of the time a program needs to show its first frame.
// Blocks of LargePixelBlock bytes or more therefore get a mapping of their own, aligned to and
// advised for 2 MB pages, so the system may back them with a few large pages; smaller blocks
// come from the ordinary heap.
inline constexpr std::size_t LargePixelBlock = std::size_t(2) * 1024 * 1024;

// Throws std::bad_alloc when no memory is left.
void* AllocatePixels(std::size_t bytes);
// True when a block of this size comes from AllocatePixels reading as zero (a fresh mapping).
inline bool PixelsAreZeroWhenAllocated(std::size_t bytes) {
    return bytes >= LargePixelBlock;
}
// bytes is the size the block was allocated with.
void FreePixels(void* block, std::size_t bytes) noexcept;
