// Painting throughput: gradients, bitmap blends and whole faces of a stored skin.
// Targets on the reference two-core machine: each gradient kind over 1920 x 1080 at most
// 0.5 ms, BlendBitmaps over 1920 x 1080 at most 1.2 ms, a 170 x 40 "BUTTON" face with its
// caption at most 40 us, a 1920 x 1080 "FORM" face at most 4 ms.

#include <benchmark/benchmark.h>

#include <memory>

#include "platform/canvas/TCanvas.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/Face.h"
#include "render/Gradient.h"
#include "render/Text.h"
#include "render/TsBoundControl.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

TsGradArray Stops(int mode) {
    return {TsGradItem{0x1020F0, 0xF0E0D0, 42, mode, 0}, TsGradItem{0x203040, 0x102030, 34, mode, 0},
            TsGradItem{0x102030, 0x808080, 24, mode, 0}};
}

void BM_PaintGradientVertical(benchmark::State& state) {
    TBitmap target(kWidth, kHeight);
    const TsGradArray stops = Stops(0);
    for (auto _ : state) {
        PaintGradient(target, target.BoundsRect(), stops);
        benchmark::DoNotOptimize(target.ScanLine(kHeight - 1)[0]);
    }
}
BENCHMARK(BM_PaintGradientVertical)->Unit(benchmark::kMicrosecond);

void BM_PaintGradientHorizontal(benchmark::State& state) {
    TBitmap target(kWidth, kHeight);
    const TsGradArray stops = Stops(1);
    for (auto _ : state) {
        PaintGradient(target, target.BoundsRect(), stops);
        benchmark::DoNotOptimize(target.ScanLine(kHeight - 1)[0]);
    }
}
BENCHMARK(BM_PaintGradientHorizontal)->Unit(benchmark::kMicrosecond);

void BM_BlendBitmaps(benchmark::State& state) {
    TBitmap target(kWidth, kHeight), source(kWidth, kHeight);
    PaintGradient(source, source.BoundsRect(), Stops(1));
    PaintGradient(target, target.BoundsRect(), Stops(0));
    for (auto _ : state) {
        BlendBitmaps(target, source, TBlendAlpha::All(127), {0, 0}, source.BoundsRect());
        benchmark::DoNotOptimize(target.ScanLine(kHeight - 1)[0]);
    }
}
BENCHMARK(BM_BlendBitmaps)->Unit(benchmark::kMicrosecond);

struct TFaceSetup {
    std::unique_ptr<TsSkinManager> Manager;
    std::unique_ptr<TWinControl> Parent;
    std::unique_ptr<TsBoundControl> Control;

    TFaceSetup(const char* section, int width, int height) {
        Manager = std::make_unique<TsSkinManager>(nullptr);
        Manager->SetActive(false);
        const TStoredSkinPackage& package = StoredSkinPackages().front();
        Manager->InternalSkins().AddPackage(std::string(package.Name),
                                            {package.Data.begin(), package.Data.end()});
        Manager->SetSkinName(std::string(package.Name));
        Manager->SetActive(true);
        Parent = std::make_unique<TWinControl>(nullptr);
        Parent->SetBounds(0, 0, width + 20, height + 20);
        Control = std::make_unique<TsBoundControl>();
        Control->SetBounds(10, 10, width, height);
        Control->SetParent(Parent.get());
        Control->Binding().SetSkinManager(Manager.get());
        Control->Binding().SetSkinSection(section);
        Control->Binding().PrepareFace();
    }
    ~TFaceSetup() {
        Control->SetParent(nullptr);
        Control.reset();
        Parent.reset();
        Manager.reset();
    }
};

void BM_PaintFaceButtonWithCaption(benchmark::State& state) {
    TFaceSetup setup("BUTTON", 170, 40);
    TsCommonData& binding = setup.Control->Binding();
    TBitmap& face = *binding.FaceBitmap();
    const TRect whole = face.BoundsRect();
    const unsigned centred = TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE;
    for (auto _ : state) {
        PaintFace(binding, {}, FillCentre::Yes, CornerFlag::Yes, 1, face, {10, 10}, whole);
        TCanvas canvas(face);
        DrawSkinText(canvas, "Кнопка", {true, true}, binding, centred, whole);
        benchmark::DoNotOptimize(face.ScanLine(20)[0]);
    }
}
BENCHMARK(BM_PaintFaceButtonWithCaption)->Unit(benchmark::kMicrosecond);

void BM_PaintFaceForm(benchmark::State& state) {
    TFaceSetup setup("FORM", kWidth, kHeight);
    TsCommonData& binding = setup.Control->Binding();
    TBitmap& face = *binding.FaceBitmap();
    for (auto _ : state) {
        PaintFace(binding, {}, FillCentre::Yes, CornerFlag::Yes, 0, face, {10, 10}, face.BoundsRect());
        benchmark::DoNotOptimize(face.ScanLine(kHeight / 2)[0]);
    }
}
BENCHMARK(BM_PaintFaceForm)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
