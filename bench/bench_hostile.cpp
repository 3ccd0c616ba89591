// Inputs far beyond any real skin or phrase, which must still cost time in proportion to
// their size: an options text of 50,000 sections chained by PARENTCLASS, 300 sections that
// inherit two gradients of 200,000 segments (refused within the load's budget), a phrase of one
// megabyte laid out in the phrase dialog's label, a phrase of ten megabytes shown by that label
// with its glow (which must cost no more than a short one, and memory only for its own bytes),
// 4,000 characters typed into an edit, a progressive JPEG texture of about 1,000 scans, and a
// button whose border corners are a key-coloured checkerboard.

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include <sys/resource.h>

#include "controls/TsLabelFX.h"
#include "platform/canvas/TCanvas.h"
#include "platform/core/Exceptions.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/TRegion.h"
#include "platform/text/TextFlags.h"
#include "platform/text/TextRenderer.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TEdit.h"
#include "platform/toolkit/TForm.h"
#include "render/BorderMask.h"
#include "skin/SkinProcessState.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"
#include "skin/TsSkinManager.h"
#include "tests/skin/support/ProgressiveJpeg.h"

using namespace TextFlags;

namespace {

std::string ChainedOptions(int sections) {
    std::string text = "[GLOBALINFO]\r\nVERSION=5.41\r\n[S0]\r\nCOLOR=8239058\r\nBEVEL=2\r\n";
    for (int i = 1; i < sections; ++i)
        text += "[S" + std::to_string(i) + "]\r\nPARENTCLASS=S" + std::to_string(i - 1) + "\r\n";
    return text;
}

void BM_LoadChainedOptions(benchmark::State& state) {
    const std::string text = ChainedOptions(int(state.range(0)));
    for (auto _ : state) {
        const TacSkinOptions options = TacSkinOptions::Parse(std::string_view(text));
        TsSkinModel model;
        TsSkinLoader loader(model);
        loader.Load({&options, nullptr, ""});
        benchmark::DoNotOptimize(model.GeneralData.back().Color);
    }
    state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_LoadChainedOptions)->Arg(5000)->Arg(50000)->Unit(benchmark::kMillisecond)->Complexity();

// A [BUTTON] whose GRADIENTDATA and HOTGRADIENTDATA hold 200,000 segments each (2 MB of text
// each) and 300 sections holding only PARENTCLASS=BUTTON: refused once the heirs' copies pass
// the load's budget.
std::string InheritedGradientOptions() {
    std::string gradient;
    for (int i = 0; i < 200000; ++i)
        gradient += std::to_string(i % 10) + ";1;1;0;0;";
    std::string text =
        "[GLOBALINFO]\r\n[BUTTON]\r\nGRADIENTDATA=" + gradient + "\r\nHOTGRADIENTDATA=" + gradient + "\r\n";
    for (int i = 0; i < 300; ++i)
        text += "[HEIR" + std::to_string(i) + "]\r\nPARENTCLASS=BUTTON\r\n";
    return text;
}

void BM_LoadInheritedGradients(benchmark::State& state) {
    const std::string text = InheritedGradientOptions();
    for (auto _ : state) {
        const TacSkinOptions options = TacSkinOptions::Parse(std::string_view(text));
        TsSkinModel model;
        TsSkinLoader loader(model);
        bool refused = false;
        try {
            loader.Load({&options, nullptr, ""});
        } catch (const ESkinTooLarge&) {
            refused = true;
        }
        if (!refused) state.SkipWithError("the inherited gradients were not refused");
        benchmark::DoNotOptimize(model.GeneralData.size());
    }
}
BENCHMARK(BM_LoadInheritedGradients)->Unit(benchmark::kMillisecond);

std::string Repeated(std::string_view piece, std::size_t bytes) {
    std::string text;
    text.reserve(bytes + piece.size());
    while (text.size() < bytes)
        text += piece;
    return text;
}

// The phrase dialog's label: 321 x 105 pixels, 12 points, wrapped at words.
void LayoutMegabytePhrase(benchmark::State& state, std::string_view piece) {
    const std::string phrase = Repeated(piece, 1 << 20);
    TBitmap page(321, 105);
    const TRegion clip(page.BoundsRect());
    TFont font;
    font.SetSize(12);
    for (auto _ : state) {
        page.Fill(clWhite);
        TRect rect{0, 0, 321, 105};
        benchmark::DoNotOptimize(TextRenderer::DrawText(&page, clip, font, phrase, rect,
                                                        DT_WORDBREAK | DT_NOPREFIX, false, clNone));
    }
}
BENCHMARK_CAPTURE(LayoutMegabytePhrase, Latin, std::string_view("a "))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LayoutMegabytePhrase, Cyrillic, std::string_view("слово "))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(LayoutMegabytePhrase, CombiningAccents, std::string_view("e\xCC\x81"))
    ->Unit(benchmark::kMillisecond);

// One click's worth of the phrase dialog's label: the phrase becomes its caption and the label
// paints with a one-pass glow. The counter is the process's peak memory.
void BM_ShowTenMegabytePhrase(benchmark::State& state) {
    const std::string phrase = Repeated("word ", std::size_t(state.range(0)) << 20);
    TsLabelFX label(nullptr);
    label.SetAutoSize(false);
    label.SetWordWrap(true);
    label.SetBounds(0, 0, 321, 105);
    label.ChangeFont([](TFont& f) { f.SetHeight(-16); });
    label.Shadow().SetMode(TsShadowMode::smCustom);
    label.Shadow().SetBlurCount(1);
    TBitmap surface(321, 105);
    surface.Fill(0xC8D0D4);
    TCanvas canvas(surface);
    for (auto _ : state) {
        label.SetCaption(phrase);
        label.Perform(WM_PAINT, WParamFromCanvas(&canvas));
        benchmark::DoNotOptimize(surface.ScanLine(50)[0]);
        label.SetCaption("");
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_ShowTenMegabytePhrase)->Arg(10)->Unit(benchmark::kMillisecond);

// A backend that keeps nothing and never waits.
class TNullBackend : public TBackend {
public:
    std::string Name() const override { return "null"; }
    TSize ScreenSize() const override { return {1024, 768}; }
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

// Every character is typed and the form repainted, as the message loop would.
void BM_Type4000Characters(benchmark::State& state) {
    TApplication app(std::make_unique<TNullBackend>());
    auto* form = new TForm(&app);
    form->SetBounds(0, 0, 400, 100);
    auto* edit = new TEdit(form);
    edit->SetParent(form);
    edit->SetBounds(10, 10, 300, 21);
    form->Show();
    edit->SetFocus();
    for (auto _ : state) {
        edit->SetText("");
        for (int i = 0; i < 4000; ++i) {
            edit->Perform(WM_CHAR, i % 6 == 5 ? ' ' : 'a' + i % 26, 0);
            form->ComposeAndPresent();
        }
        benchmark::DoNotOptimize(edit->Text().size());
    }
}
BENCHMARK(BM_Type4000Characters)->Unit(benchmark::kMillisecond)->Iterations(2);

// Reads a picture that the decoder must refuse, as often as the state asks.
void ReadRefusedJpeg(benchmark::State& state, const std::vector<std::uint8_t>& bytes) {
    for (auto _ : state) {
        try {
            benchmark::DoNotOptimize(ReadJpeg(bytes).Width());
            state.SkipWithError("the picture was read");
            return;
        } catch (const EInvalidGraphic&) {
        }
    }
    state.counters["scans"] = CountJpegScans(bytes);
    state.counters["bytes"] = double(bytes.size());
}

// A plain 4096 x 4096 progressive picture whose last refinement scan comes 990 times more:
// about 1,000 scans in some 130 KB, refused from its scan count.
void BM_ReadJpegRepeatingItsLastScan(benchmark::State& state) {
    ReadRefusedJpeg(state,
                    jpegtest::RepeatLastScan(
                        jpegtest::EncodeProgressive(4096, 4096, 3, {}, jpegtest::TPicture::Plain), 990));
}
BENCHMARK(BM_ReadJpegRepeatingItsLastScan)->Unit(benchmark::kMillisecond);

// A legal grey 4096 x 4096 picture of 64 scans, one per coefficient: its scans times its
// pixels pass the decoder's bound, so it is refused from its scan count too.
void BM_ReadJpegPastItsScanWork(benchmark::State& state) {
    ReadRefusedJpeg(state, jpegtest::EncodeProgressive(4096, 4096, 1, jpegtest::OneScanPerCoefficient()));
}
BENCHMARK(BM_ReadJpegPastItsScanWork)->Unit(benchmark::kMillisecond);

// A 1200 x 1200 fuchsia and black checkerboard as the master, and BUTTON's BORDERSMASK
// ^0000^0000^1200^1200^0600^0600^0600^0600^1^0^0^0 over it: the four corners cover the
// whole face, every other pixel a key run of its own. One face of the given side is carved
// as a push button carves it, and the region compared with the last one as a window does.
void BM_CarveCheckerboardButtonRegion(benchmark::State& state) {
    const int side = int(state.range(0));
    TsSkinManager* previousDefault = DefaultManager();
    TsSkinManager manager(nullptr);
    manager.SetActive(false);
    SetDefaultManager(previousDefault);
    TBitmap& master = manager.Model().MasterBitmap;
    master = TBitmap(1200, 1200, TPixelFormat::pf24bit);
    master.Fill(clBlack);
    for (int y = 0; y < 1200; ++y)
        for (int x = y % 2; x < 1200; x += 2)
            master.SetPixel(x, y, clFuchsia);
    TsMaskData entry;
    entry.ClassName = "BUTTON";
    entry.PropertyName = "BORDERSMASK";
    entry.R = {0, 0, 1200, 1200};
    entry.WL = entry.WT = entry.WR = entry.WB = 600;
    entry.ImageCount = 1;
    entry.Manager = &manager;
    TBitmap face(side, side, TPixelFormat::pf24bit);
    TRegion last;
    for (auto _ : state) {
        TRegion region(face.BoundsRect());
        DrawButtonMask(face, &region, FillCentre::Yes, 0, entry);
        benchmark::DoNotOptimize(region.SameArea(last));
        last = std::move(region);
    }
    state.counters["rects"] = double(last.Rects().size());
    state.SetComplexityN(std::int64_t(side) * side);
}
BENCHMARK(BM_CarveCheckerboardButtonRegion)->Arg(400)->Arg(800)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace

BENCHMARK_MAIN();
