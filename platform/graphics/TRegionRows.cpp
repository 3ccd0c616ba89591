#include "platform/graphics/TRegionRows.h"

#include <algorithm>
#include <climits>

#include "platform/graphics/TRegionBandWriter.h"

void TRegionRows::Add(int y, int from, int to) {
    // The run covers rows [y, y + 1), so the last row of the plane has none.
    if (to > from && y < INT_MAX) m_runs.push_back({y, from, to});
}

TRegion TRegionRows::ToRegion() const {
    std::vector<TRun> runs = m_runs;
    std::sort(runs.begin(), runs.end(),
              [](const TRun& a, const TRun& b) { return a.Y != b.Y ? a.Y < b.Y : a.Left < b.Left; });
    TRegion region;
    TRegionBandWriter writer(region.m_rects);
    std::vector<TRegionSpan> spans;
    for (std::size_t i = 0; i < runs.size();) {
        const int y = runs[i].Y;
        spans.clear();
        for (; i < runs.size() && runs[i].Y == y; ++i)
            AddSpan(spans, {runs[i].Left, runs[i].Right});
        writer.Append(y, y + 1, spans);
    }
    return region;
}
