// A hover on a skinned push button: the pointer enters (or leaves) a 170 x 40 button, which
// rebuilds its face for the new state and starts its fade, and the fade draws one frame into
// the window. Target on the reference two-core machine: at most 50 µs per hover.

#include <benchmark/benchmark.h>

#include <memory>

#include "app/TMainScreenDesign.h"
#include "controls/TsButton.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "render/TsFade.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

struct TFixture {
    TFixture() : App(std::make_unique<THeadlessBackend>()) {
        SetDefaultManager(nullptr);
        Manager = std::make_unique<TsSkinManager>(nullptr);
        // The main screen's third button group: "Golden (internal)" at hue 240.
        TMainScreenDesign::ApplyManagerDesign(*Manager, 3);
        Form = new TForm(&App);
        Form->SetBorderStyle(TFormBorderStyle::bsNone);
        Form->SetBounds(0, 0, 400, 200);
        Button = new TsButton(Form);
        Button->SetBounds(100, 80, 170, 40);
        Button->SetCaption("Кнопище");
        Button->ChangeFont([](TFont& f) { f.SetSize(14); });
        Button->SetParent(Form);
        Form->Show();
        Form->ComposeAndPresent();
    }
    ~TFixture() {
        delete Form;
        Manager.reset();
    }
    TApplication App;
    std::unique_ptr<TsSkinManager> Manager;
    TForm* Form = nullptr;
    TsButton* Button = nullptr;
};

void BM_HoverRebuildAndOneFadeFrame170x40(benchmark::State& state) {
    TFixture f;
    if (!f.Button->SkinData().Skinned(true)) {
        state.SkipWithError("the button is not skinned");
        return;
    }
    bool over = false;
    for (auto _ : state) {
        over = !over;
        f.Button->Perform(over ? CM_MOUSEENTER : CM_MOUSELEAVE);
        TsFade* timer = f.Button->FadeTimer();
        if (!timer) {
            state.SkipWithError("the hover did not fade");
            return;
        }
        timer->DrawFrame();
        benchmark::DoNotOptimize(f.Button->SkinData().FaceBitmap()->ScanLine(39)[0]);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_HoverRebuildAndOneFadeFrame170x40)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
