#include "SkinPreview.h"

#include <ostream>

#include "TPreviewSheetLayout.h"
#include "TPreviewStage.h"
#include "app/DesignFont.h"
#include "platform/canvas/TCanvas.h"
#include "platform/graphics/PngWriter.h"
#include "platform/os/FileSystem.h"
#include "platform/text/TextFlags.h"

namespace {

struct TPreviewOptions {
    std::string Skin;
    std::string Output;
    TSkinRecolouring Recolouring;
};

TPreviewOptions ParseOptions(const std::vector<std::string>& args) {
    if (args.size() < 2 || args[1].starts_with("-")) throw TToolError("'preview' needs a skin; see --help");
    TPreviewOptions o;
    o.Skin = args[1];
    for (std::size_t i = 2; i < args.size(); ++i) {
        if (TakeRecolouringOption(args, i, o.Recolouring)) continue;
        if (args[i] != "-o") throw TToolError("unknown option '" + args[i] + "'");
        if (i + 1 >= args.size()) throw TToolError("'-o' needs a file name");
        o.Output = args[++i];
    }
    if (o.Output.empty()) throw TToolError("'preview' needs -o OUT.png");
    return o;
}

TFont SheetFont(int height, bool bold = false) {
    return DesignFont(height, TPreviewSheetLayout::TextColour,
                      bold ? TFontStyles{}.With(TFontStyle::fsBold) : TFontStyles{});
}

void WriteText(TCanvas& canvas, const std::string& text, TRect rect, unsigned flags) {
    canvas.DrawText(text, rect,
                    flags | TextFlags::DT_SINGLELINE | TextFlags::DT_VCENTER | TextFlags::DT_NOPREFIX);
}

} // namespace

TBitmap PaintPreviewSheet(const std::string& skin, const TSkinRecolouring& recolouring,
                          std::span<const TStoredSkinPackage> stored) {
    const TPreviewSheetLayout& layout = TPreviewSheetLayout::Instance();
    TBitmap sheet(TPreviewSheetLayout::Width, TPreviewSheetLayout::Height);
    sheet.Fill(TPreviewSheetLayout::Background);

    TPreviewStage stage(skin, recolouring.HueOffset, recolouring.Saturation, stored);
    stage.PaintSamples(sheet);

    TCanvas canvas(sheet);
    canvas.SetBrushStyle(TBrushStyle::bsClear);
    canvas.SetFont(SheetFont(-16, true));
    WriteText(canvas,
              "Skin \"" + stage.SkinName() + "\", hue offset " + std::to_string(recolouring.HueOffset) +
                  ", saturation " + std::to_string(recolouring.Saturation),
              layout.Title(), TextFlags::DT_LEFT);
    canvas.SetFont(SheetFont(-12));
    for (const TPreviewCell& cell : layout.Cells())
        WriteText(canvas, cell.Caption, cell.Label, TextFlags::DT_CENTER);
    return sheet;
}

int PreviewSkinSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     std::span<const TStoredSkinPackage> stored) {
    (void)out;
    try {
        const TPreviewOptions o = ParseOptions(args);
        const TBitmap sheet = PaintPreviewSheet(o.Skin, o.Recolouring, stored);
        WriteFileAtomically(o.Output, std::span<const std::uint8_t>(WritePngToMemory(sheet)));
        return 0;
    } catch (const std::exception& error) {
        err << "quibbleton-skin: " << error.what() << "\n";
        return 1;
    }
}
