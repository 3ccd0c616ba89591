#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <utility>

#include "platform/text/TFontFace.h"

// A face's rendered glyphs by index. Past a few megabytes it starts again empty, so a text of
// many different characters costs bounded memory.
class TGlyphCache {
public:
    static constexpr std::size_t MaxBytes = 8u << 20;

    const TGlyphImage* Find(std::uint32_t index) const {
        auto found = m_glyphs.find(index);
        return found == m_glyphs.end() ? nullptr : &found->second;
    }
    // Keeps image for index (not cached yet); an earlier Find's answer may no longer be valid.
    const TGlyphImage& Add(std::uint32_t index, TGlyphImage image) {
        if (m_bytes > MaxBytes) {
            m_glyphs.clear();
            m_bytes = 0;
        }
        m_bytes += image.Coverage.size() + sizeof(TGlyphImage);
        return m_glyphs.emplace(index, std::move(image)).first->second;
    }

private:
    std::unordered_map<std::uint32_t, TGlyphImage> m_glyphs;
    std::size_t m_bytes = 0;
};
