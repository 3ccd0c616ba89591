#include "platform/graphics/TPixelBuffer.h"

#include <cstring>
#include <utility>

#include "platform/graphics/PixelMemory.h"

TPixelBuffer::TPixelBuffer(const TPixelBuffer& other) {
    if (other.m_size == 0) return;
    Reallocate(other.m_size);
    std::memcpy(m_data, other.m_data, other.m_size);
    m_size = other.m_size;
}

TPixelBuffer::TPixelBuffer(TPixelBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)), m_size(std::exchange(other.m_size, 0)),
      m_capacity(std::exchange(other.m_capacity, 0)) {}

TPixelBuffer& TPixelBuffer::operator=(const TPixelBuffer& other) {
    if (this == &other) return *this;
    if (other.m_size > m_capacity) Reallocate(other.m_size);
    if (other.m_size > 0) std::memcpy(m_data, other.m_data, other.m_size);
    m_size = other.m_size;
    return *this;
}

TPixelBuffer& TPixelBuffer::operator=(TPixelBuffer&& other) noexcept {
    if (this == &other) return *this;
    Release();
    m_data = std::exchange(other.m_data, nullptr);
    m_size = std::exchange(other.m_size, 0);
    m_capacity = std::exchange(other.m_capacity, 0);
    return *this;
}

TPixelBuffer::~TPixelBuffer() {
    Release();
}

void TPixelBuffer::AssignZeros(std::size_t bytes) {
    const bool zeroed = bytes > m_capacity && Reallocate(bytes);
    if (!zeroed && bytes > 0) std::memset(m_data, 0, bytes);
    m_size = bytes;
}

void TPixelBuffer::Fill(std::uint8_t value) {
    if (m_size > 0) std::memset(m_data, value, m_size);
}

bool operator==(const TPixelBuffer& a, const TPixelBuffer& b) {
    return a.m_size == b.m_size && (a.m_size == 0 || std::memcmp(a.m_data, b.m_data, a.m_size) == 0);
}

void TPixelBuffer::Release() noexcept {
    FreePixels(m_data, m_capacity);
    m_data = nullptr;
    m_size = m_capacity = 0;
}

bool TPixelBuffer::Reallocate(std::size_t bytes) {
    // The new block is taken before the old one goes, so a failed allocation leaves the
    // buffer as it was.
    auto* const block = static_cast<std::uint8_t*>(AllocatePixels(bytes));
    Release();
    m_data = block;
    m_capacity = bytes;
    return PixelsAreZeroWhenAllocated(bytes);
}
