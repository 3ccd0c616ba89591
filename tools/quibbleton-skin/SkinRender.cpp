#include "SkinRender.h"

#include <memory>
#include <optional>
#include <ostream>

#include "platform/graphics/PngReader.h"
#include "SkinIntoManager.h"
#include "SkinTool.h"
#include "controls/TsButton.h"
#include "platform/canvas/TCanvas.h"
#include "platform/core/StrToInt.h"
#include "platform/graphics/PngWriter.h"
#include "platform/graphics/SystemColors.h"
#include "platform/os/FileSystem.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/Face.h"
#include "render/SkinCommandQueries.h"
#include "render/Text.h"
#include "render/TsBoundControl.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

constexpr int MaxSide = 8192;

struct TRenderOptions {
    std::string Skin;
    std::string Section;
    int Width = 0;
    int Height = 0;
    std::string Output;
    int State = 0;
    std::int32_t Hue = 0;
    std::optional<std::int32_t> Saturation;
    std::optional<TColor> ParentColour;
    std::string ParentImage;
    std::optional<std::string> Caption;
    int FontSize = 8;
    TDisabledKinds Disabled;
    // Paint a push button's face through the button's own face rebuild.
    bool Button = false;
    bool Focused = false;
};

std::int32_t Number(const std::string& text, const std::string& option) {
    std::int32_t value = 0;
    if (!TryStrToInt(text, value)) throw TToolError("'" + option + "' needs a number, not '" + text + "'");
    return value;
}

void ParseSize(const std::string& text, TRenderOptions& o) {
    const auto x = text.find_first_of("xX");
    const auto digitsOnly = [](const std::string& s) {
        return !s.empty() && s.size() <= 9 && s.find_first_not_of("0123456789") == std::string::npos;
    };
    if (x == std::string::npos || !digitsOnly(text.substr(0, x)) || !digitsOnly(text.substr(x + 1)))
        throw TToolError("'" + text + "' is not a size WxH");
    const int w = std::stoi(text.substr(0, x)), h = std::stoi(text.substr(x + 1));
    if (w < 1 || h < 1 || w > MaxSide || h > MaxSide)
        throw TToolError("size '" + text + "' is outside 1..8192 on a side");
    o.Width = w;
    o.Height = h;
}

// "RRGGBB" in hexadecimal, or nothing when the text is not one.
std::optional<TColor> HexColour(const std::string& text) {
    if (text.size() != 6 || text.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
        return std::nullopt;
    const unsigned long rgb = std::stoul(text, nullptr, 16);
    return MakeColor(std::uint8_t(rgb >> 16), std::uint8_t(rgb >> 8), std::uint8_t(rgb));
}

TDisabledKinds DisabledKinds(const std::string& text) {
    TDisabledKinds kinds;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t comma = text.find(',', start);
        const std::string word =
            text.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        if (word == "grayed")
            kinds.Include(TDisabledKind::dkGrayed);
        else if (word == "blended")
            kinds.Include(TDisabledKind::dkBlended);
        else
            throw TToolError("'--disabled' takes grayed, blended or grayed,blended, not '" + text + "'");
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return kinds;
}

TRenderOptions ParseOptions(const std::vector<std::string>& args) {
    if (args.size() < 4) throw TToolError("'render' needs SKIN SECTION WxH -o OUT.png; see --help");
    TRenderOptions o;
    o.Skin = args[1];
    o.Section = args[2];
    ParseSize(args[3], o);
    for (std::size_t i = 4; i < args.size(); ++i) {
        const std::string& option = args[i];
        if (option == "--button") {
            o.Button = true;
            continue;
        }
        if (option == "--focused") {
            o.Focused = true;
            continue;
        }
        if (i + 1 >= args.size()) throw TToolError("'" + option + "' needs a value");
        const std::string& value = args[++i];
        if (option == "-o") {
            o.Output = value;
        } else if (option == "--state") {
            if (value != "0" && value != "1" && value != "2")
                throw TToolError("'--state' takes 0, 1 or 2, not '" + value + "'");
            o.State = value[0] - '0';
        } else if (option == "--hue") {
            o.Hue = Number(value, option);
        } else if (option == "--saturation") {
            o.Saturation = Number(value, option);
        } else if (option == "--parent") {
            if (const auto colour = HexColour(value))
                o.ParentColour = colour;
            else if (value.size() > 4 && (value.ends_with(".png") || value.ends_with(".PNG")))
                o.ParentImage = value;
            else
                throw TToolError("'--parent' takes a colour RRGGBB or a .png file, not '" + value + "'");
        } else if (option == "--caption") {
            o.Caption = value;
        } else if (option == "--font-size") {
            o.FontSize = Number(value, option);
            if (o.FontSize < 1 || o.FontSize > 500) throw TToolError("'--font-size' takes 1..500 points");
        } else if (option == "--disabled") {
            o.Disabled = DisabledKinds(value);
        } else {
            throw TToolError("unknown option '" + option + "'");
        }
    }
    if (o.Output.empty()) throw TToolError("'render' needs -o OUT.png");
    if (o.Focused && !o.Button) throw TToolError("'--focused' needs '--button'");
    return o;
}

// The parent of the rendered control: a plain colour, or a ready face that reports a patterned
// background.
class TRenderParent : public TWinControl {
public:
    explicit TRenderParent(std::optional<TBitmap> face) : TWinControl(nullptr), m_face(std::move(face)) {}

protected:
    void WMSkinCommand(TWMSkinCommand& record) override {
        if (!m_face) return TWinControl::WMSkinCommand(record);
        TMessage& m = record;
        switch (record.Code) {
        case cmdGetFace:
            FaceAnswer() = ParentBackground{&*m_face, 0, 0, true};
            break;
        case cmdBgIsPatterned:
            SkinCommandMessage::AnswerLParam(m, 1);
            SkinCommandMessage::AnswerResult(m, 1);
            break;
        default:
            break;
        }
    }

private:
    std::optional<TBitmap> m_face;
};

// A push button shown in the state and focus the options ask for; its face is made by the
// button's own face rebuild, exactly as the program makes it.
class TRenderedButton : public TsButton {
public:
    TRenderedButton(int state, bool focused) : TsButton(nullptr), m_state(state), m_focused(focused) {}
    int FaceState() const override { return m_state; }

protected:
    bool ShowsFocus() const override { return m_focused; }

private:
    int m_state;
    bool m_focused;
};

// Paints the button's face as the window would show it.
const TBitmap& PaintButtonFace(TRenderedButton& button, TWinControl& parent, TsSkinManager& manager,
                               const TRenderOptions& o) {
    button.SetBounds(0, 0, o.Width, o.Height);
    button.SetParent(&parent);
    TFont font = button.Font();
    font.SetSize(o.FontSize);
    button.SetFont(font);
    button.SetCaption(o.Caption.value_or(""));
    TsCommonData& binding = button.SkinData();
    binding.SetSkinManager(&manager);
    binding.SetSkinSection(o.Section);
    if (!o.Disabled.IsEmpty()) {
        button.SetDisabledKind(o.Disabled);
        button.SetEnabled(false);
    }
    button.PrepareShownFace();
    return *binding.FaceBitmap();
}

} // namespace

int RenderSkinFace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::span<const TStoredSkinPackage> stored) {
    (void)out;
    try {
        const TRenderOptions o = ParseOptions(args);
        std::optional<TBitmap> parentFace;
        if (!o.ParentImage.empty()) {
            parentFace = ReadPngFile(o.ParentImage);
            if (!parentFace) throw TToolError("cannot read the parent image '" + o.ParentImage + "'");
            if (parentFace->Width() < o.Width || parentFace->Height() < o.Height)
                throw TToolError("the parent image '" + o.ParentImage + "' is smaller than " +
                                 std::to_string(o.Width) + "x" + std::to_string(o.Height));
        }

        TsSkinManager* previousDefault = DefaultManager();
        TsSkinManager manager(nullptr);
        LoadSkinIntoManager(manager, o.Skin, o.Hue, o.Saturation, stored);
        if (manager.GetSkinIndex(o.Section) < 0)
            throw TToolError("the skin has no section '" + o.Section + "'");

        TRenderParent parent(std::move(parentFace));
        parent.SetColor(o.ParentColour ? *o.ParentColour : clBtnFace);
        parent.SetBounds(0, 0, o.Width, o.Height);
        if (o.Button) {
            TRenderedButton button(o.State, o.Focused);
            const TBitmap& face = PaintButtonFace(button, parent, manager, o);
            WriteFileAtomically(o.Output, std::span<const std::uint8_t>(WritePngToMemory(face)));
            button.SetParent(nullptr);
            if (DefaultManager() == &manager) SetDefaultManager(previousDefault);
            return 0;
        }
        TsBoundControl control;
        control.SetBounds(0, 0, o.Width, o.Height);
        control.SetParent(&parent);
        TFont font = control.Font();
        font.SetSize(o.FontSize);
        control.SetFont(font);
        TsCommonData& binding = control.Binding();
        binding.SetSkinManager(&manager);
        binding.SetSkinSection(o.Section);
        binding.PrepareFace();
        TBitmap& face = *binding.FaceBitmap();

        const ParentBackground background = binding.GetParentFace();
        const TRect whole{0, 0, o.Width, o.Height};
        PaintFace(binding, background, FillCentre::Yes, CornerFlag::Yes, o.State, face, {0, 0}, whole);
        if (o.Caption) {
            TCanvas canvas(face);
            DrawSkinText(canvas, *o.Caption, {true, o.State != 0}, binding,
                         TextFlags::DT_CENTER | TextFlags::DT_VCENTER | TextFlags::DT_SINGLELINE, whole);
        }
        if (!o.Disabled.IsEmpty()) ApplyDisabledLook(face, o.Disabled, &parent, {0, 0}, background);

        WriteFileAtomically(o.Output, std::span<const std::uint8_t>(WritePngToMemory(face)));
        control.SetParent(nullptr);
        if (DefaultManager() == &manager) SetDefaultManager(previousDefault);
        return 0;
    } catch (const std::exception& error) {
        err << "quibbleton-skin: " << error.what() << "\n";
        return 1;
    }
}
