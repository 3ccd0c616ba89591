// One frame of a button fade: the copy of the old face and its blend with the new face.
// Target on this machine: at most 4 µs per frame of a 170 x 40 button.

#include <benchmark/benchmark.h>

#include "platform/graphics/TBitmap.h"
#include "render/Blend.h"
#include "render/FadeWeight.h"

namespace {

TBitmap Face(int width, int height, int seed) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakeColor(std::uint8_t(x + seed), std::uint8_t(y * 3 + seed), std::uint8_t(x ^ y)));
    return b;
}

void BM_FadeFrame170x40(benchmark::State& state) {
    const TBitmap oldFace = Face(170, 40, 0);
    const TBitmap newFace = Face(170, 40, 77);
    int level = 1;
    for (auto _ : state) {
        TBitmap frame = oldFace;
        BlendBitmaps(frame, newFace, FadeWeight(level, 20));
        benchmark::DoNotOptimize(frame.ScanLine(39)[0]);
        level = level % 20 + 1;
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(170) * 40 * 3);
}
BENCHMARK(BM_FadeFrame170x40);

} // namespace

BENCHMARK_MAIN();
