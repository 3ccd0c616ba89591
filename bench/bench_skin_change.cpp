// Rebuilding every face of the main screen after a skin change of all six managers, headless
// at 1920 x 1080 (target: at most 20 ms). Each manager announces its skin as applied (every
// bound face and the window face go stale), then one composition rebuilds and paints them
// all; only the rebuild is timed. It measures whatever the program skins at the time.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/TForm1.h"
#include "controls/TacFrameSkinning.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "skin/SkinCommands.h"
#include "skin/TsSkinManager.h"

namespace {

void SkinChangeOfSixManagers(benchmark::State& state) {
    TApplication app(std::make_unique<THeadlessBackend>(TSize{1920, 1080}));
    app.Initialize();
    TacFrameSkinning::Register();
    app.CreateForm<TForm1>(&Form1);
    Form1->Show();
    app.ProcessMessages();
    for (auto _ : state) {
        state.PauseTiming();
        for (int number = 0; number < TForm1::ManagerCount; ++number)
            Form1->sSkinManager(number)->Broadcast(cmdSkinApplied);
        state.ResumeTiming();
        Form1->Update();
    }
    benchmark::DoNotOptimize(Form1->PresentCount());
    delete Form1;
}

} // namespace

BENCHMARK(SkinChangeOfSixManagers)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
