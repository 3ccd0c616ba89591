#include "platform/toolkit/TEditTextMeasure.h"

#include "platform/text/TextRenderer.h"

namespace {

// Long words are cut here; shaping never reaches across so many code points.
constexpr std::size_t MaxChunk = 64;
// Measures kept beyond this many are dropped and the text's own are measured afresh.
constexpr std::size_t MaxKnownChunks = 4096;

bool IsBlank(char32_t c) {
    return c == U' ' || c == U'\t';
}

} // namespace

const std::vector<int>& TEditTextMeasure::Positions(const TFont& font, const std::u32string& text) {
    if (!m_valid || !(font == m_font) || text != m_text) Measure(font, text);
    return m_positions;
}

void TEditTextMeasure::Measure(const TFont& font, const std::u32string& text) {
    if (!(font == m_font)) m_known.clear();
    if (m_known.size() > MaxKnownChunks) m_known.clear();
    m_font = font;
    m_text = text;
    m_valid = true;
    m_chunks.clear();
    m_positions.assign(text.size() + 1, 0);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = start;
        while (end < text.size() && !IsBlank(text[end]) && end - start < MaxChunk)
            ++end;
        while (end < text.size() && IsBlank(text[end]) && end - start < MaxChunk)
            ++end;
        if (end == start) ++end;
        m_chunks.push_back({start, end});
        const std::u32string piece = text.substr(start, end - start);
        auto known = m_known.find(piece);
        if (known == m_known.end())
            known = m_known.emplace(piece, TextRenderer::CharPositions(font, piece)).first;
        const int base = m_positions[start];
        for (std::size_t i = 1; i <= piece.size(); ++i)
            m_positions[start + i] = base + known->second[i];
        start = end;
    }
}
