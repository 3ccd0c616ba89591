// One paint of the phrase dialog's effect label (321 x 105, two lines of text): the text's
// shape, the glow passes, the composition over the surface below and the text itself.
// Target on this machine: at most 1 ms of processor time per paint with the four passes of a
// label without a skin.

#include <benchmark/benchmark.h>

#include "controls/TsLabelFX.h"
#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/Messages.h"

namespace {

void BM_PhraseLabelPaint(benchmark::State& state) {
    TsLabelFX label(nullptr);
    label.SetAutoSize(false);
    label.SetWordWrap(true);
    label.SetBounds(0, 0, 321, 105);
    label.ChangeFont([](TFont& f) { f.SetHeight(-16); });
    label.SetCaption("Кто рано встаёт, тот весь день зевает.");
    label.Shadow().SetMode(TsShadowMode::smCustom);
    label.Shadow().SetBlurCount(int(state.range(0)));
    TBitmap surface(321, 105);
    surface.Fill(0xC8D0D4);
    TCanvas canvas(surface);
    for (auto _ : state) {
        label.Perform(WM_PAINT, WParamFromCanvas(&canvas));
        benchmark::DoNotOptimize(surface.ScanLine(50)[0]);
    }
}
BENCHMARK(BM_PhraseLabelPaint)->Arg(1)->Arg(3)->Arg(4)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
