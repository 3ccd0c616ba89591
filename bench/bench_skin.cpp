// Skin loading: each stored skin with hue 240 and saturation 100 (target under 2 ms each),
// and the six managers of the main screen loading their design skins.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "app/TMainScreenDesign.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "skin/HueSaturation.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"
#include "skin/TsSkinManager.h"
#include "skin/storedskins/StoredSkinPackages.h"

namespace {

void LoadStoredSkin(benchmark::State& state, const std::string& name) {
    const TStoredSkinPackage* stored = FindStoredSkinPackage(name);
    if (!stored) {
        state.SkipWithError("no such stored skin");
        return;
    }
    const std::vector<std::uint8_t> package(stored->Data.begin(), stored->Data.end());
    for (auto _ : state) {
        TacSkinConvertor reader;
        reader.LendSource(package);
        reader.LoadPackage();
        const TacSkinOptions options = TacSkinOptions::Parse(*reader.Options());
        TsSkinModel model;
        TsSkinLoader loader(model);
        loader.Load({&options, &reader, ""});
        ApplyHueOffset(model, 240);
        ApplySaturation(model, 100);
        model.RebuildCommonIndexes();
        benchmark::DoNotOptimize(model.MaskData.data());
    }
}

// The options text alone: parsing it and reading every section record with inheritance, the
// part of a load that grows with the text rather than with the pictures.
void ReadStoredOptions(benchmark::State& state, const std::string& name) {
    const TStoredSkinPackage* stored = FindStoredSkinPackage(name);
    if (!stored) {
        state.SkipWithError("no such stored skin");
        return;
    }
    const std::vector<std::uint8_t> package(stored->Data.begin(), stored->Data.end());
    TacSkinConvertor reader;
    reader.LendSource(package);
    reader.LoadPackage();
    const std::vector<std::uint8_t>* text = reader.Options();
    if (!text) {
        state.SkipWithError("the stored skin has no options text");
        return;
    }
    for (auto _ : state) {
        const TacSkinOptions options = TacSkinOptions::Parse(*text);
        TsSkinModel model;
        TsSkinLoader loader(model);
        loader.SectionPass({&options, nullptr, ""});
        benchmark::DoNotOptimize(model.GeneralData.data());
    }
}

// The main screen's six managers loading their design skins as its design is read.
void SixManagers(benchmark::State& state) {
    TApplication app(std::make_unique<THeadlessBackend>());
    for (auto _ : state) {
        auto* form = new TForm(&app);
        form->DoCreate();
        for (int number = 0; number < int(TMainScreenDesign::Managers().size()); ++number)
            TMainScreenDesign::ApplyManagerDesign(*new TsSkinManager(form), number);
        delete form;
    }
}

} // namespace

BENCHMARK_CAPTURE(LoadStoredSkin, Desert, std::string("Desert (internal)"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadStoredSkin, Golden, std::string("Golden (internal)"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadStoredSkin, Office2003, std::string("Office2003 (internal)"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadStoredSkin, Office2007Black, std::string("Office2007 Black (internal)"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LoadStoredSkin, Office2007Blue, std::string("Office2007 Blue (internal)"))
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(ReadStoredOptions, Golden, std::string("Golden (internal)"))->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(ReadStoredOptions, Office2007Blue, std::string("Office2007 Blue (internal)"))
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(SixManagers)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
