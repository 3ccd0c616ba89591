// Loads arbitrary bytes as a skin: a package whose options entry and images go through the
// loader passes and the colour passes, or, when the bytes are no package, the bytes as the
// options text of a skin without images.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

#include "fuzz/FuzzSkinPackage.h"
#include "skin/HueSaturation.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"

namespace {
// The harness gives each load a smaller budget than the program's, so that large pictures
// are refused before they are decoded and recoloured; the budget itself is what is tested.
constexpr std::int64_t HarnessBudget = 64 * 1024;
// Inheritance lookups for this many sections at most (each may walk a long chain).
constexpr int HarnessLookups = 64;
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TacSkinConvertor reader;
    ReadFuzzPackage(reader, data, size);
    const bool isPackage = reader.Options() != nullptr;
    const TacSkinOptions options =
        isPackage ? TacSkinOptions::Parse(*reader.Options())
                  : TacSkinOptions::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    TsSkinModel model;
    TsSkinLoader loader(model);
    TsLoadReport report;
    loader.SetReport(&report);
    loader.SetBudgetLimit(HarnessBudget + (isPackage ? reader.UnpackedSize() : 0));
    try {
        loader.Load({&options, isPackage ? &reader : nullptr, ""});
        const std::int32_t hue = size > 0 ? data[size - 1] * 4 : 0;
        ApplyHueOffset(model, hue);
        ApplySaturation(model, hue % 150 - 50);
    } catch (const std::exception&) {
    }
    model.RebuildCommonIndexes();
    for (int i = 0; i < int(model.MaskData.size()); ++i) {
        (void)model.GetMaskSize(i);
        (void)model.MaskWidthLeft(i);
        (void)model.MaskWidthBottom(i);
    }
    for (int i = 0; i < int(model.GeneralData.size()) && i < HarnessLookups; ++i)
        (void)model.GetMaskIndex(i, model.GeneralData[std::size_t(i)].ClassName, "BORDERSMASK");
    reader.ReleaseSource();
    return 0;
}
