#pragma once

#include <vector>

#include "platform/graphics/TRegion.h"

// Horizontal runs of pixels gathered row by row, in any order and overlapping at will, and
// turned into a region in one pass. Cutting thousands of one-row runs out of a region one by
// one costs time that grows with the runs squared; gathering them first and subtracting
// their region once does not.
class TRegionRows {
public:
    // Adds the pixels [from, to) of row y; an empty run adds nothing.
    void Add(int y, int from, int to);
    bool IsEmpty() const { return m_runs.empty(); }
    TRegion ToRegion() const;

private:
    struct TRun {
        int Y = 0;
        int Left = 0;
        int Right = 0;
    };
    std::vector<TRun> m_runs;
};
