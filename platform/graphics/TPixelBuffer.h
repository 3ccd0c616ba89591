#pragma once

#include <cstddef>
#include <cstdint>

// The bytes of a bitmap's pixels, in memory from AllocatePixels. Copies, fills and clears are
// single memcpy/memset calls; a fresh block that the system hands out zeroed is not cleared
// again, so a full-screen bitmap's pages are first touched when it is painted.
class TPixelBuffer {
public:
    TPixelBuffer() = default;
    TPixelBuffer(const TPixelBuffer& other);
    TPixelBuffer(TPixelBuffer&& other) noexcept;
    TPixelBuffer& operator=(const TPixelBuffer& other);
    TPixelBuffer& operator=(TPixelBuffer&& other) noexcept;
    ~TPixelBuffer();

    std::uint8_t* Data() { return m_data; }
    const std::uint8_t* Data() const { return m_data; }
    std::size_t Size() const { return m_size; }

    // Makes the buffer hold bytes zero bytes, keeping the block when it is large enough.
    void AssignZeros(std::size_t bytes);
    void Fill(std::uint8_t value);

    friend bool operator==(const TPixelBuffer& a, const TPixelBuffer& b);

private:
    void Release() noexcept;
    // Replaces the block by a new one of bytes bytes whose content is undefined; true when
    // the new block reads as zero.
    bool Reallocate(std::size_t bytes);

    std::uint8_t* m_data = nullptr;
    std::size_t m_size = 0;
    std::size_t m_capacity = 0;
};
