#include "platform/graphics/PixelMemory.h"

#include <windows.h>

#include <new>

// Large pages need a privilege that programs rarely hold, so a large block is a mapping of its
// own, committed at once and zero like every fresh mapping.
void* AllocatePixels(std::size_t bytes) {
    if (bytes < LargePixelBlock) return ::operator new(bytes);
    void* block = ::VirtualAlloc(nullptr, bytes, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
    if (block == nullptr) throw std::bad_alloc();
    return block;
}

void FreePixels(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < LargePixelBlock) {
        ::operator delete(block);
        return;
    }
    ::VirtualFree(block, 0, MEM_RELEASE);
}
