// Composition of a full-screen form: every windowed control repainted into the form's
// off-screen surface and the surface presented once.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TForm.h"

namespace {

// A backend that keeps nothing and never waits: the benchmark drives composition directly.
class TNullBackend : public TBackend {
public:
    std::string Name() const override { return "null"; }
    TSize ScreenSize() const override { return {1920, 1080}; }
    TNativeWindowId CreateWindow(const TRect&, const std::string&, TNativeWindowStyle) override { return 1; }
    void DestroyWindow(TNativeWindowId) override {}
    void SetWindowBounds(TNativeWindowId, const TRect&) override {}
    void SetWindowTitle(TNativeWindowId, const std::string&) override {}
    void ShowWindow(TNativeWindowId, bool) override {}
    void RaiseWindow(TNativeWindowId) override {}
    void Present(TNativeWindowId, const TBitmap& picture) override {
        benchmark::DoNotOptimize(picture.Width());
    }
    void CaptureMouse(TNativeWindowId) override {}
    std::uint64_t NowMs() const override { return 0; }
    std::vector<TBackendEvent> WaitEvents(std::optional<std::uint64_t>) override { return {}; }
    void Wake() override {}
};

struct TFixture {
    TFixture() : App(std::make_unique<TNullBackend>()) {
        Form = new TForm(&App);
        Form->SetBorderStyle(TFormBorderStyle::bsNone);
        Form->SetBounds(0, 0, 1920, 1080);
        for (int i = 0; i < 50; ++i) {
            auto* b = new TButton(Form);
            b->SetParent(Form);
            b->SetCaption("Button " + std::to_string(i + 1));
            b->SetBounds(20 + (i % 10) * 185, 40 + (i / 10) * 200, 170, 60);
        }
        Form->Show();
        Form->ComposeAndPresent();
    }
    TApplication App;
    TForm* Form;
};

void BM_ComposeFullScreenFormWith50Buttons(benchmark::State& state) {
    TFixture f;
    for (auto _ : state) {
        f.Form->InvalidateTree();
        bool presented = f.Form->ComposeAndPresent();
        benchmark::DoNotOptimize(presented);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ComposeFullScreenFormWith50Buttons)->Unit(benchmark::kMillisecond);

void BM_RepaintOneButtonOfFullScreenForm(benchmark::State& state) {
    TFixture f;
    auto* button = static_cast<TButton*>(f.Form->Controls(25));
    for (auto _ : state) {
        button->Invalidate();
        bool presented = f.Form->ComposeAndPresent();
        benchmark::DoNotOptimize(presented);
    }
}
BENCHMARK(BM_RepaintOneButtonOfFullScreenForm)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
