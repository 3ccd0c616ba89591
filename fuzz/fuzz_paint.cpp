// Paints every section of a fuzzed skin: the input is the options text of a skin whose
// package also holds a small master bitmap ("MASTER.BMP"), a small own bitmap
// ("BUTTONHUGE.BMP") and one large JPEG ("EXTERN.JPG"). Each section is painted in the three
// states, enabled and disabled, at sizes from 1 x 1 up, over a ready 32-bit parent face and
// over none, through the binding and through the section painters.
#include <cstddef>
#include <cstdint>
#include <exception>
#include <memory>
#include <string_view>
#include <vector>

#include "fuzz/FuzzSkinPackage.h"
#include "platform/graphics/BmpCodec.h"
#include "platform/graphics/JpegCodec.h"
#include "platform/graphics/TRegion.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/BorderMask.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/Gradient.h"
#include "render/Layers.h"
#include "render/ParentColors.h"
#include "render/SkinCommandMessage.h"
#include "render/TsCommonData.h"
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

std::vector<TacPackageEntry> Images() {
    std::vector<TacPackageEntry> entries;
    entries.push_back({"MASTER.BMP", true, WriteBmp(MasterPicture(48, 40))});
    entries.push_back({"BUTTONHUGE.BMP", true, WriteBmp(MasterPicture(36, 24))});
    entries.push_back({"EXTERN.JPG", false, WriteJpeg(MasterPicture(300, 300), 50)});
    return entries;
}

class TFuzzControl : public TWinControl {
public:
    TFuzzControl() : TWinControl(nullptr), m_binding(this, TsCreateFace::Yes) {}
    ~TFuzzControl() override { MarkDestroying(); }
    TsCommonData& Binding() { return m_binding; }

protected:
    void WndProc(TMessage& m) override {
        if (!m_binding.HandleMessage(m) && !SkinCommandMessage::Is(m)) TWinControl::WndProc(m);
    }

private:
    TsCommonData m_binding;
};

struct TWorld {
    TsSkinManager Manager{nullptr};
    TWinControl Parent{nullptr};
    TFuzzControl Control;
    TBitmap ParentFace{64, 48, TPixelFormat::pf32bit};
    std::vector<TacPackageEntry> ImageEntries = Images();

    TWorld() {
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

void PaintSection(TWorld& w, int index, std::uint8_t salt) {
    TsSkinModel& model = w.Manager.Model();
    const std::string name = model.GeneralData[std::size_t(index)].ClassName;
    w.Control.Binding().SetSkinSection(name);
    const int border = model.GetMaskIndex(index, name, "BORDERSMASK");
    const TSize sizes[] = {{1, 1}, {2, 2}, {3, 2}, {7, 5}, {2, 9}, {17, 6}, {33, 21}};
    for (int withParent = 0; withParent < 2; ++withParent) {
        const ParentBackground background =
            withParent ? ParentBackground{&w.ParentFace, salt % 7 - 3, salt % 5 - 2, true}
                       : ParentBackground{};
        for (const TSize size : sizes) {
            w.Control.SetBounds(salt % 9, salt % 4, size.Width, size.Height);
            w.Control.Binding().PrepareFace();
            TBitmap& face = *w.Control.Binding().FaceBitmap();
            for (int state = 0; state < 3; ++state) {
                const TPoint at{w.Control.Left(), w.Control.Top()};
                PaintFace(w.Control.Binding(), background, FillCentre::Yes, CornerFlag::Yes, state, face, at,
                          face.BoundsRect());
                RepaintCorners(w.Control.Binding(), state, cnAllCorners);
                ApplyDisabledLook(face, {TDisabledKind::dkGrayed, TDisabledKind::dkBlended}, &w.Parent, at,
                                  background);

                TBitmap piece(size.Width + 3, size.Height + 1);
                const TRect inner{1, 0, size.Width + 1, size.Height};
                PaintSectionFace(index, name, background, state + salt % 3, FillCentre::Yes, &w.Manager,
                                 piece, at, inner);
                PaintLayers(index, name, background, state == 2 ? 0x00FF00 : clFuchsia, salt % 5 - 1,
                            salt % 7 - 1, &w.Manager, piece, at, inner, state);
                if (const TsMaskData* mask = MaskAt(model, border)) {
                    TRegion region(piece.BoundsRect());
                    DrawButtonMask(piece, &region, FillCentre::Yes, state * 3, *mask);
                    DrawBorderMask(piece, {-1, -2, size.Width + 4, size.Height + 2}, FillCentre::Yes,
                                   CornerFlag::No, state, *mask, background);
                }
                if (const TsMaskData* any =
                        MaskAt(model, (index * 3 + state) % std::max<int>(1, int(model.MaskData.size()))))
                    DrawCornerImage(piece, {size.Width - 3, -1}, state, *any,
                                    state ? CornerFlag::No : CornerFlag::Yes);
                PaintGradient(piece, {-2, 1, size.Width + 9, size.Height + 3},
                              model.GeneralData[std::size_t(index)].HotGradientArray);
                ResetParentColors();
            }
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    TWorld& w = World();
    std::vector<TacPackageEntry> entries;
    entries.push_back({"Options.dat", false, std::vector<std::uint8_t>(data, data + size)});
    entries.insert(entries.end(), w.ImageEntries.begin(), w.ImageEntries.end());
    const std::vector<std::uint8_t> package = BuildPackage(entries);
    TacSkinConvertor reader;
    ReadFuzzPackage(reader, package.data(), package.size());
    if (!reader.Options()) return 0;
    const TacSkinOptions options = TacSkinOptions::Parse(*reader.Options());
    TsSkinModel& model = w.Manager.Model();
    model.ClearImagesAndSections();
    model.PatternData.clear();
    TsSkinLoader loader(model, &w.Manager);
    try {
        loader.Load({&options, &reader, ""});
    } catch (const std::exception&) {
    }
    model.SkinData.Ready = true;
    const int sections = std::min<int>(int(model.GeneralData.size()), 24);
    for (int i = 0; i < sections; ++i)
        PaintSection(w, i, size > 0 ? data[std::size_t(i) % size] : 0);
    w.Control.Binding().SetSkinSection("");
    model.ClearImagesAndSections();
    model.PatternData.clear();
    return 0;
}
