#include "platform/graphics/PixelMemory.h"

#include <sys/mman.h>

#include <new>

namespace {

constexpr std::size_t HugePage = LargePixelBlock;

std::size_t RoundUpToHugePage(std::size_t bytes) {
    return (bytes + HugePage - 1) / HugePage * HugePage;
}

} // namespace

void* AllocatePixels(std::size_t bytes) {
    if (bytes < LargePixelBlock) return ::operator new(bytes);
    const std::size_t size = RoundUpToHugePage(bytes);
    if (size < bytes || size > SIZE_MAX - HugePage) throw std::bad_alloc();
    // One huge page more than needed, so an aligned start lies inside; the rest is unmapped.
    void* mapped =
        ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) throw std::bad_alloc();
    auto* const start = static_cast<std::uint8_t*>(mapped);
    auto* const aligned = reinterpret_cast<std::uint8_t*>(
        (reinterpret_cast<std::uintptr_t>(start) + HugePage - 1) / HugePage * HugePage);
    const std::size_t head = std::size_t(aligned - start);
    if (head > 0) ::munmap(start, head);
    if (HugePage - head > 0) ::munmap(aligned + size, HugePage - head);
    // Only advice: a system without large pages backs the block with small ones.
    ::madvise(aligned, size, MADV_HUGEPAGE);
    return aligned;
}

void FreePixels(void* block, std::size_t bytes) noexcept {
    if (!block) return;
    if (bytes < LargePixelBlock) {
        ::operator delete(block);
        return;
    }
    ::munmap(block, RoundUpToHugePage(bytes));
}
