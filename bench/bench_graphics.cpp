// Canvas and bitmap-file throughput on full-screen 24-bit bitmaps.

#include <benchmark/benchmark.h>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/BmpCodec.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

TBitmap Picture(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, MakeColor(std::uint8_t(x), std::uint8_t(y), std::uint8_t(x ^ y)));
    return b;
}

void BM_Fill24(benchmark::State& state) {
    TBitmap target(kWidth, kHeight);
    TCanvas canvas(target);
    TColor c = 0;
    for (auto _ : state) {
        canvas.FillRect(target.BoundsRect(), c);
        c = (c + 0x010203) & 0xFFFFFF;
        benchmark::DoNotOptimize(target.ScanLine(kHeight - 1)[0]);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 3);
}
BENCHMARK(BM_Fill24);

void BM_BlockCopy24(benchmark::State& state) {
    const TBitmap source = Picture(kWidth, kHeight);
    TBitmap target(kWidth, kHeight);
    TCanvas canvas(target);
    for (auto _ : state) {
        canvas.Draw(0, 0, source);
        benchmark::DoNotOptimize(target.ScanLine(kHeight / 2)[0]);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(kWidth) * kHeight * 3);
}
BENCHMARK(BM_BlockCopy24);

void BM_BlockCopyClipped24(benchmark::State& state) {
    // A clip with a hole, as a control under an overlapping sibling sees it.
    const TBitmap source = Picture(kWidth, kHeight);
    TBitmap target(kWidth, kHeight);
    TCanvas canvas(target);
    canvas.ExcludeClipRect({600, 300, 1300, 800});
    for (auto _ : state) {
        canvas.Draw(-7, 5, source);
        benchmark::DoNotOptimize(target.ScanLine(kHeight / 2)[0]);
    }
}
BENCHMARK(BM_BlockCopyClipped24);

void BM_StretchHalve24(benchmark::State& state) {
    const TBitmap source = Picture(kWidth, kHeight);
    TBitmap target(kWidth / 2, kHeight / 2);
    TCanvas canvas(target);
    for (auto _ : state) {
        canvas.StretchDraw(target.BoundsRect(), source, source.BoundsRect());
        benchmark::DoNotOptimize(target.ScanLine(0)[0]);
    }
}
BENCHMARK(BM_StretchHalve24)->Unit(benchmark::kMillisecond);

void BM_ReadBmp24(benchmark::State& state) {
    const std::vector<std::uint8_t> file = WriteBmp(Picture(kWidth, kHeight));
    for (auto _ : state) {
        TBitmap b = ReadBmp(file);
        benchmark::DoNotOptimize(b.ScanLine(0)[0]);
    }
    state.SetBytesProcessed(state.iterations() * std::int64_t(file.size()));
}
BENCHMARK(BM_ReadBmp24)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
