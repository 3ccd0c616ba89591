#include "platform/graphics/TRegionBandWriter.h"

void TRegionBandWriter::Append(int top, int bottom, const std::vector<TRegionSpan>& spans) {
    if (spans.empty() || bottom <= top) return;
    if (m_hasBand && m_out[m_lastBand].Bottom == top && m_out.size() - m_lastBand == spans.size()) {
        bool same = true;
        for (std::size_t i = 0; i < spans.size() && same; ++i)
            same =
                m_out[m_lastBand + i].Left == spans[i].Left && m_out[m_lastBand + i].Right == spans[i].Right;
        if (same) {
            for (std::size_t i = m_lastBand; i < m_out.size(); ++i)
                m_out[i].Bottom = bottom;
            return;
        }
    }
    m_lastBand = m_out.size();
    m_hasBand = true;
    for (const TRegionSpan& s : spans)
        m_out.push_back({s.Left, top, s.Right, bottom});
}
