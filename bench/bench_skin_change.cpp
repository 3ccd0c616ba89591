// Rebuilding every face of the main screen after a skin change of all six managers, headless
// at 1920 x 1080 (target: at most 20 ms). The form's redraw is switched off while each manager
// announces its skin as applied (every bound face and the window face go stale, nothing is
// painted), then switched on and the form redrawn once: one composition rebuilds and paints
// every face and presents once. The whole change is timed; it measures whatever the program
// skins at the time.
#include <benchmark/benchmark.h>

#include <memory>

#include "app/TForm1.h"
#include "controls/TacFrameSkinning.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/Messages.h"
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
    const std::uint64_t presentsBefore = Form1->PresentCount();
    for (auto _ : state) {
        Form1->Perform(WM_SETREDRAW, 0);
        for (int number = 0; number < TForm1::ManagerCount; ++number)
            Form1->sSkinManager(number)->Broadcast(cmdSkinApplied);
        Form1->Perform(WM_SETREDRAW, 1);
        Form1->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    }
    // One present per skin change: the faces were rebuilt in one composition.
    state.counters["presents_per_change"] =
        double(Form1->PresentCount() - presentsBefore) / double(state.iterations());
    delete Form1;
}

} // namespace

BENCHMARK(SkinChangeOfSixManagers)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
