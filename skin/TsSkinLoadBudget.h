#pragma once

#include <cstdint>
#include <string_view>

#include "platform/core/Exceptions.h"
#include "platform/graphics/TBitmap.h"

// The memory one skin load may hold: the unpacked package entries and every decoded image
// together. Far above any real skin (the stored skins need well under a megabyte) and far
// below the machine, so that a tiny hostile file cannot drive the program out of memory.
inline constexpr std::int64_t SkinLoadBudgetBytes = 256LL * 1024 * 1024;

// A skin refused because loading it would hold more than its budget.
class ESkinTooLarge : public EReadError {
public:
    using EReadError::EReadError;
};

// Counts what a skin load holds and refuses it, before the memory is taken, once the
// total would pass the limit.
// What one section of the options text costs while a skin loads: its record in the model,
// its place in the options index and its inherited answers. A real skin has a few hundred
// sections; a text of millions of tiny ones would otherwise take gigabytes.
inline constexpr std::int64_t SectionLoadBytes = 1024;

class TsSkinLoadBudget {
public:
    explicit TsSkinLoadBudget(std::int64_t limit = SkinLoadBudgetBytes) : m_limit(limit) {}

    // Raises ESkinTooLarge naming `what` when the bytes do not fit any more.
    void Charge(std::int64_t bytes, std::string_view what);
    // As Charge, for charges made per record: `what` is made only for a refusal.
    template <typename What> void ChargeEach(std::int64_t bytes, What what) {
        if (bytes >= 0 && bytes <= Remaining())
            m_used += bytes;
        else
            Charge(bytes, what());
    }
    std::int64_t Used() const { return m_used; }
    std::int64_t Remaining() const { return m_limit - m_used; }
    std::int64_t Limit() const { return m_limit; }

private:
    std::int64_t m_limit;
    std::int64_t m_used = 0;
};

// The bytes a bitmap of that size and format holds.
std::int64_t BitmapBytes(std::int64_t width, std::int64_t height, TPixelFormat format);
