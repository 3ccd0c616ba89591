// Skin loading: each stored skin with hue 240 and saturation 100 (target under 2 ms each),
// and the six managers of the main screen loading their design skins.
#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TForm.h"
#include "skin/HueSaturation.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"
#include "skin/TsSkinManager.h"

namespace {

const std::map<std::string, std::string> StoredSkinFiles = {
    {"Desert (internal)", "Desert"},
    {"Golden (internal)", "Golden"},
    {"Office2003 (internal)", "Office2003"},
    {"Office2007 Black (internal)", "Office2007Black"},
    {"Office2007 Blue (internal)", "Office2007Blue"},
};

// The packages the build packed for embedding.
std::vector<std::uint8_t> StoredPackage(const std::string& name) {
    std::ifstream file(std::string(QUIBBLETON_BINARY_DIR) + "/storedskins/" + StoredSkinFiles.at(name) +
                           ".mvz",
                       std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

void LoadStoredSkin(benchmark::State& state, const std::string& name) {
    const std::vector<std::uint8_t> package = StoredPackage(name);
    if (package.empty()) {
        state.SkipWithError("stored skin package not built");
        return;
    }
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

struct TManagerDesign {
    std::string SkinName;
    int HueOffset;
    int Saturation;
    std::vector<std::string> StoredSkins;
};

// The main screen's six managers as designed.
const std::vector<TManagerDesign> MainScreenManagers = {
    {"Office2007 Black (internal)",
     0,
     0,
     {"Desert (internal)", "Golden (internal)", "Office2003 (internal)", "Office2007 Black (internal)",
      "Office2007 Blue (internal)"}},
    {"Office2007 Black (internal)", 50, 0, {"Golden (internal)", "Office2007 Black (internal)"}},
    {"Golden (internal)", 60, 100, {"Golden (internal)"}},
    {"Golden (internal)", 240, 100, {"Golden (internal)"}},
    {"Golden (internal)", 340, 100, {"Golden (internal)"}},
    {"Golden (internal)", 170, 100, {"Golden (internal)"}},
};

void SixManagers(benchmark::State& state) {
    std::map<std::string, std::vector<std::uint8_t>> packages;
    for (const auto& [name, file] : StoredSkinFiles)
        packages[name] = StoredPackage(name);
    TApplication app(std::make_unique<THeadlessBackend>());
    for (auto _ : state) {
        auto* form = new TForm(&app);
        form->DoCreate();
        for (const TManagerDesign& design : MainScreenManagers) {
            auto* manager = new TsSkinManager(form);
            manager->SetActive(false);
            manager->SetSkinDirectory("/nonexistent/QuibbletonSkins");
            for (const std::string& stored : design.StoredSkins)
                manager->InternalSkins().AddPackage(stored, packages[stored]);
            manager->SetHueOffset(design.HueOffset);
            manager->SetSaturation(design.Saturation);
            manager->SetSkinName(design.SkinName);
            manager->SetActive(true);
        }
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
BENCHMARK(SixManagers)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
