// Paints a section of a fuzzed skin: the input is the options text of a skin whose package
// also holds a small master bitmap ("MASTER.BMP"), a small own bitmap ("BUTTONHUGE.BMP") and
// one JPEG ("EXTERN.JPG", larger than any face painted, yet small enough that decoding it for
// every input that names it stays cheap). Each input paints one section it chooses, in one state, at
// one size from 1 x 1 to 33 x 21, over a ready 32-bit parent face or over none, through the
// binding and through the section painters, enabled and disabled. Painting every section at
// every size per input made each input cost milliseconds; over a run the inputs' choices
// reach them all.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/TRegion.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/BorderMask.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/Gradient.h"
#include "render/Layers.h"
#include "render/ParentColors.h"
#include "render/TsBoundControl.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TacSkinConvertor.h"
#include "skin/TacSkinOptions.h"
#include "skin/TsSkinLoader.h"
#include "skin/TsSkinManager.h"

namespace {

// Stripes of colours with key pixels scattered in them and a grey lower half, so that mask
// halves, key colours and state cells all occur wherever a rectangle lands.
TBitmap MasterPicture(int width, int height) {
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const bool key = (x * 7 + y * 3) % 11 == 0;
            const std::uint8_t v = std::uint8_t(x * 37 + y * 11);
            b.SetPixel(x, y,
                       key ? clFuchsia
                           : (y < height / 2 ? MakeColor(v, std::uint8_t(255 - v), 90) : MakeColor(v, v, v)));
        }
    return b;
}

// The package's images are packed and unpacked once for the whole run; each input brings
// only the options text.
void ReadImages(TacSkinConvertor& reader) {
    std::vector<TacPackageEntry> entries;
    entries.push_back({"MASTER.BMP", true, WriteBmp(MasterPicture(48, 40))});
    entries.push_back({"BUTTONHUGE.BMP", true, WriteBmp(MasterPicture(36, 24))});
    entries.push_back({"EXTERN.JPG", false, WriteJpeg(MasterPicture(72, 72), 50)});
    reader.SetSource(BuildPackage(entries));
    reader.LoadPackage();
    reader.ReleaseSource();
}

struct TWorld {
    TsSkinManager Manager{nullptr};
    TWinControl Parent{nullptr};
    TsBoundControl Control;
    TBitmap ParentFace{64, 48, TPixelFormat::pf32bit};
    TacSkinConvertor Images;

    TWorld() {
        ReadImages(Images);
        Manager.SetActive(false);
        Parent.SetBounds(0, 0, 64, 48);
        Parent.SetColor(0x336699);
        Control.SetParent(&Parent);
        Control.Binding().SetSkinManager(&Manager);
        ParentFace.Fill(0x406080);
        for (int y = 0; y < 48; ++y)
            ParentFace.SetPixel(y, y, 0x102030);
    }
};

TWorld& World() {
    static TWorld* world = new TWorld; // lives for the whole run
    return *world;
}

const TsMaskData* MaskAt(const TsSkinModel& model, int index) {
    return index >= 0 && index < int(model.MaskData.size()) ? &model.MaskData[std::size_t(index)] : nullptr;
}

// What one input paints, chosen from its bytes: one section, one small size, one state, with
// or without a parent face, and a salt for positions and offsets. Every input chooses
// differently, so a run reaches every section, size and state while each input stays cheap.
struct TPaintChoice {
    std::size_t Section = 0;
    TSize Size;
    int State = 0;
    bool WithParent = false;
    std::uint8_t Salt = 0;
};

TPaintChoice ChoosePainting(const std::uint8_t* data, std::size_t size, std::size_t sections) {
    // FNV-1a over the input: any change of the input may change the choice.
    std::uint32_t h = 2166136261u;
    for (std::size_t i = 0; i < size; ++i)
        h = (h ^ data[i]) * 16777619u;
    static constexpr TSize Sizes[] = {{1, 1}, {2, 2}, {3, 2}, {7, 5}, {2, 9}, {17, 6}, {33, 21}};
    constexpr std::uint32_t SizeCount = sizeof(Sizes) / sizeof(Sizes[0]);
    TPaintChoice choice;
    choice.Section = sections ? h % sections : 0;
    h /= std::uint32_t(std::max<std::size_t>(sections, 1));
    choice.Size = Sizes[h % SizeCount];
    h = h / SizeCount ^ (h << 13);
    choice.State = int(h % 3);
    choice.WithParent = (h >> 2) & 1;
    choice.Salt = std::uint8_t(h >> 3);
    return choice;
}

void PaintSection(TWorld& w, const TPaintChoice& choice) {
    TsSkinModel& model = w.Manager.Model();
    const int index = int(choice.Section);
    const std::string name = model.GeneralData[choice.Section].ClassName;
    const std::uint8_t salt = choice.Salt;
    const TSize size = choice.Size;
    const int state = choice.State;
    w.Control.Binding().SetSkinSection(name);
    const int border = model.GetMaskIndex(index, name, "BORDERSMASK");
    const ParentBackground background =
        choice.WithParent ? ParentBackground{&w.ParentFace, salt % 7 - 3, salt % 5 - 2, true}
                          : ParentBackground{};
    w.Control.SetBounds(salt % 9, salt % 4, size.Width, size.Height);
    w.Control.Binding().PrepareFace();
    TBitmap& face = *w.Control.Binding().FaceBitmap();
    const TPoint at{w.Control.Left(), w.Control.Top()};
    PaintFace(w.Control.Binding(), background, FillCentre::Yes, CornerFlag::Yes, state, face, at,
              face.BoundsRect());
    RepaintCorners(w.Control.Binding(), state, cnAllCorners);
    ApplyDisabledLook(face, {TDisabledKind::dkGrayed, TDisabledKind::dkBlended}, &w.Parent, at, background);

    TBitmap piece(size.Width + 3, size.Height + 1);
    const TRect inner{1, 0, size.Width + 1, size.Height};
    PaintSectionFace(index, name, background, state + salt % 3, FillCentre::Yes, &w.Manager, piece, at,
                     inner);
    PaintLayers(index, name, background, state == 2 ? 0x00FF00 : clFuchsia, salt % 5 - 1, salt % 7 - 1,
                &w.Manager, piece, at, inner, state);
    if (const TsMaskData* mask = MaskAt(model, border)) {
        TRegion region(piece.BoundsRect());
        DrawButtonMask(piece, &region, FillCentre::Yes, state * 3, *mask);
        DrawBorderMask(piece, {-1, -2, size.Width + 4, size.Height + 2}, FillCentre::Yes, CornerFlag::No,
                       state, *mask, background);
    }
    if (const TsMaskData* any =
            MaskAt(model, (index * 3 + state) % std::max<int>(1, int(model.MaskData.size()))))
        DrawCornerImage(piece, {size.Width - 3, -1}, state, *any, state ? CornerFlag::No : CornerFlag::Yes);
    PaintGradient(piece, {-2, 1, size.Width + 9, size.Height + 3},
                  model.GeneralData[choice.Section].HotGradientArray);
    ResetParentColors();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TWorld& w = World();
    const TacSkinOptions options =
        TacSkinOptions::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    TsSkinModel& model = w.Manager.Model();
    model.ClearImagesAndSections();
    model.PatternData.clear();
    TsSkinLoader loader(model, &w.Manager);
    try {
        loader.Load({&options, &w.Images, ""});
    } catch (const std::exception&) {
    }
    model.SkinData.Ready = true;
    if (!model.GeneralData.empty()) PaintSection(w, ChoosePainting(data, size, model.GeneralData.size()));
    w.Control.Binding().SetSkinSection("");
    model.ClearImagesAndSections();
    model.PatternData.clear();
    return 0;
}
