#include <benchmark/benchmark.h>

#include <mutex>

#include "platform/text/TFontLibrary.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"

using namespace TextFlags;

namespace {

// Fifty characters, Cyrillic and Latin, as a phrase in the phrase dialog would have.
constexpr const char* Line = "Случайная фраза: Кнопулечка, Super button 12345678!";

// 10 point "MS Sans Serif" is drawn from a bitmap strike, 14 point from the scalable "Tahoma".
TFont PhraseFont(int points = 10) {
    TFont font;
    font.SetSize(points);
    font.SetColor(clBlack);
    return font;
}

void BM_DrawLine(benchmark::State& state) {
    TBitmap page(400, 30);
    page.Fill(clWhite);
    const TRegion clip(page.BoundsRect());
    const TFont font = PhraseFont();
    for (auto _ : state) {
        TRect rect{0, 0, 400, 30};
        benchmark::DoNotOptimize(TextRenderer::DrawText(
            &page, clip, font, Line, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER, false, clNone));
    }
}
BENCHMARK(BM_DrawLine);

void BM_DrawLineScalable(benchmark::State& state) {
    TBitmap page(600, 30);
    page.Fill(clWhite);
    const TRegion clip(page.BoundsRect());
    const TFont font = PhraseFont(14);
    for (auto _ : state) {
        TRect rect{0, 0, 600, 30};
        benchmark::DoNotOptimize(TextRenderer::DrawText(
            &page, clip, font, Line, rect, DT_SINGLELINE | DT_CENTER | DT_VCENTER, false, clNone));
    }
}
BENCHMARK(BM_DrawLineScalable);

// What the first text of a start costs: the process's font configuration with the program's
// font folder, and the system font's first face.
void BM_FontLibraryStart(benchmark::State& state) {
    const TFont font = PhraseFont(8);
    for (auto _ : state) {
        TFontLibrary library(TFontLibrary::DefaultFontFolder());
        std::lock_guard lock(library.Mutex());
        benchmark::DoNotOptimize(library.Face(font));
    }
}
BENCHMARK(BM_FontLibraryStart)->Unit(benchmark::kMillisecond);

void BM_MeasureLine(benchmark::State& state) {
    const TFont font = PhraseFont();
    for (auto _ : state) {
        TRect rect{0, 0, 400, 30};
        benchmark::DoNotOptimize(TextRenderer::DrawText(
            nullptr, TRegion(), font, Line, rect, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS, false, clNone));
    }
}
BENCHMARK(BM_MeasureLine);

void BM_DrawWrappedBold(benchmark::State& state) {
    TBitmap page(160, 120);
    page.Fill(clWhite);
    const TRegion clip(page.BoundsRect());
    TFont font = PhraseFont();
    font.SetStyle(font.Style().With(TFontStyle::fsBold));
    for (auto _ : state) {
        TRect rect{0, 0, 160, 120};
        benchmark::DoNotOptimize(
            TextRenderer::DrawText(&page, clip, font, Line, rect, DT_WORDBREAK | DT_CENTER, true, clBtnFace));
    }
}
BENCHMARK(BM_DrawWrappedBold);

} // namespace
BENCHMARK_MAIN();
