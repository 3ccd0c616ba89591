#pragma once

#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

#include "platform/text/TFont.h"

// The x positions of a single-line edit's text. The text is measured in chunks (a word with
// the blanks after it; a long word in pieces) and each chunk's measure is kept by its
// content, so that typing re-measures only the chunks the change touches, not the text.
class TEditTextMeasure {
public:
    struct TChunk {
        std::size_t Start = 0;
        std::size_t End = 0;
    };

    // The x of every code point boundary of text in font (text.size() + 1 values).
    const std::vector<int>& Positions(const TFont& font, const std::u32string& text);
    // The chunks of the text last measured, in order; drawing them one by one at their
    // positions gives the same picture as the measure.
    const std::vector<TChunk>& Chunks() const { return m_chunks; }

private:
    void Measure(const TFont& font, const std::u32string& text);

    TFont m_font;
    std::u32string m_text;
    bool m_valid = false;
    std::vector<int> m_positions;
    std::vector<TChunk> m_chunks;
    // Chunk text -> the positions inside it (size + 1 values, from 0).
    std::unordered_map<std::u32string, std::vector<int>> m_known;
};
