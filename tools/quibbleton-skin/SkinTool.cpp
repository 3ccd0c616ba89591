#include "SkinTool.h"

#include <algorithm>
#include <ostream>

#include "SkinCheck.h"
#include "SkinJson.h"
#include "platform/core/Exceptions.h"
#include "platform/os/FileSystem.h"
#include "skin/HueSaturation.h"
#include "skin/SkinDirectory.h"
#include "skin/SkinMessages.h"
#include "skin/SkinStrings.h"
#include "skin/TsSkinImageFinder.h"
#include "skin/TsSkinLoader.h"

namespace {

constexpr const char* Usage =
    "Usage: quibbleton-skin COMMAND ...\n"
    "\n"
    "Commands:\n"
    "  pack DIR OUT.mvz        pack a skin folder (Options.dat first, then the images by name)\n"
    "  unpack PKG DIR          unpack a skin package into DIR\n"
    "  list PKG                list a package's entries: name, unpacked size, kind\n"
    "  names DIR               the skin names a skin directory offers, in list order\n"
    "  dump SKIN [--hue N] [--saturation N]\n"
    "                          load SKIN and print the loaded model as JSON\n"
    "  check SKIN [--hue N] [--saturation N]\n"
    "                          load SKIN and report every problem found, text that is hard\n"
    "                          to read (contrast below 4.5 : 1) included\n"
    "  render SKIN SECTION WxH -o OUT.png [--state 0|1|2] [--hue N] [--saturation N]\n"
    "         [--parent RRGGBB|FILE.png] [--caption TEXT] [--font-size PT] [--disabled KINDS]\n"
    "         [--button [--focused]]\n"
    "                          paint the face of a control bound to SECTION at that size\n"
    "                          into a 24-bit PNG (KINDS: grayed, blended or grayed,blended);\n"
    "                          --button paints it as the program's push button does\n"
    "  preview SKIN -o OUT.png [--hue N] [--saturation N]\n"
    "                          paint the preview sheet: the program's controls in every\n"
    "                          state wearing SKIN, one fixed layout for every skin\n"
    "\n"
    "SKIN is a package file (.mvz), a skin folder, or stored:NAME for a stored skin.\n"
    "Every error is reported on one line and ends the tool with exit status 1.\n";

bool IsImageFile(const std::string& name) {
    const std::string extension = AnsiUpperCase(ExtractFileExt(name));
    return extension == ".BMP" || extension == ".JPG" || extension == ".JPEG";
}

void RequireArguments(const std::vector<std::string>& args, std::size_t count) {
    if (args.size() != count)
        throw TToolError("'" + args[0] + "' takes " + std::to_string(count - 1) + " argument(s); see --help");
}

std::string WithoutTrailingSlash(std::string path) {
    while (path.size() > 1 && (path.back() == '/' || path.back() == '\\'))
        path.pop_back();
    return path;
}

int Pack(const std::vector<std::string>& args, std::ostream& err) {
    RequireArguments(args, 3);
    const std::string folder = WithoutTrailingSlash(args[1]);
    if (!DirectoryExists(folder)) throw TToolError("no skin folder '" + folder + "'");
    const std::string optionsPath = FindFileIgnoringCase(folder, "Options.dat");
    if (optionsPath.empty()) throw TToolError("'" + folder + "' holds no Options.dat");
    std::vector<TacPackageEntry> entries;
    entries.push_back({"Options.dat", false, ReadFileBytes(optionsPath)});
    for (const TDirEntry& file : ListDirectory(folder)) {
        if (file.IsDirectory || SameText(file.Name, "Options.dat")) continue;
        if (!IsImageFile(file.Name)) {
            err << "note: '" << file.Name << "' is not an image and is left out\n";
            continue;
        }
        entries.push_back({file.Name, SameText(ExtractFileExt(file.Name), ".BMP"),
                           ReadFileBytes(folder + "/" + file.Name)});
    }
    WriteFileAtomically(args[2], BuildPackage(entries));
    return 0;
}

// The package read whole; a wrong magic is an error here rather than a warning box.
std::unique_ptr<TacSkinConvertor> ReadPackage(const std::string& path) {
    if (!FileExists(path)) throw TToolError("no package file '" + path + "'");
    bool wrongMagic = false;
    TSkinMessageHook previous = SetSkinMessageHook([&](const TSkinMessage&) { wrongMagic = true; });
    std::unique_ptr<TacSkinConvertor> reader;
    try {
        LoadPackageFile(path, reader, true);
    } catch (...) {
        SetSkinMessageHook(std::move(previous));
        throw;
    }
    SetSkinMessageHook(std::move(previous));
    if (wrongMagic) throw TToolError("'" + path + "': Loaded data is not packed Murvane file");
    return reader;
}

// Entry names become file names inside the target folder and nowhere else.
void RequireSafeName(const std::string& name) {
    const bool control = std::any_of(name.begin(), name.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || static_cast<unsigned char>(c) == 0x7F;
    });
    if (name.empty() || name == "." || name == ".." || name.find('/') != std::string::npos ||
        name.find('\\') != std::string::npos || name.find("..") != std::string::npos ||
        name.find(':') != std::string::npos || control)
        throw TToolError("refusing entry name '" + std::string(control ? "(control characters)" : name) +
                         "': it must be a plain file name");
}

// A link standing at a file's place would carry the write to its target, outside the folder;
// anything else that is no regular file, or a file that may not be written, is refused as
// every write refuses it.
void RequireReplaceable(const std::string& path) {
    if (IsSymbolicLink(path)) throw TToolError("refusing to write '" + path + "': a link stands there");
    ReplaceableFile(path);
}

int Unpack(const std::vector<std::string>& args, std::ostream& out) {
    RequireArguments(args, 3);
    const auto reader = ReadPackage(args[1]);
    for (const TacPackageEntry& entry : reader->Files())
        RequireSafeName(entry.FileName);
    const std::string folder = WithoutTrailingSlash(args[2]);
    if (!ForceDirectories(folder)) throw TToolError("cannot create folder '" + folder + "'");
    // Every target is checked before anything is written, so a refusal writes nothing.
    if (reader->Options()) RequireReplaceable(folder + "/Options.dat");
    for (const TacPackageEntry& entry : reader->Files())
        RequireReplaceable(folder + "/" + entry.FileName);
    if (const auto* options = reader->Options()) {
        WriteFileAtomically(folder + "/Options.dat", std::span<const std::uint8_t>(*options));
        out << folder << "/Options.dat\n";
    }
    for (const TacPackageEntry& entry : reader->Files()) {
        WriteFileAtomically(folder + "/" + entry.FileName, std::span<const std::uint8_t>(entry.Data));
        out << folder << "/" << entry.FileName << "\n";
    }
    return 0;
}

int List(const std::vector<std::string>& args, std::ostream& out) {
    RequireArguments(args, 2);
    const auto reader = ReadPackage(args[1]);
    if (const auto* options = reader->Options()) out << "Options.dat\t" << options->size() << "\toptions\n";
    for (const TacPackageEntry& entry : reader->Files())
        out << entry.FileName << "\t" << entry.Data.size() << "\t" << (entry.IsBitmap ? "bitmap" : "image")
            << "\n";
    return 0;
}

int Names(const std::vector<std::string>& args, std::ostream& out) {
    RequireArguments(args, 2);
    const std::string folder = WithoutTrailingSlash(args[1]);
    if (!DirectoryExists(folder)) throw TToolError("no skin directory '" + folder + "'");
    for (const std::string& name : ListSkinNames(folder, TSkinListKind::Both, {}).Names)
        out << name << "\n";
    return 0;
}

std::int32_t NumberOption(const std::vector<std::string>& args, std::size_t& i) {
    if (i + 1 >= args.size()) throw TToolError("'" + args[i] + "' needs a number");
    std::int32_t value = 0;
    if (!TryStrToInt(args[i + 1], value)) throw TToolError("'" + args[i + 1] + "' is not a number");
    ++i;
    return value;
}

// The options --hue N and --saturation N that follow a skin; anything else is an error.
TSkinRecolouring RecolouringOptions(const std::vector<std::string>& args, std::size_t first) {
    TSkinRecolouring recolouring;
    for (std::size_t i = first; i < args.size(); ++i)
        if (!TakeRecolouringOption(args, i, recolouring))
            throw TToolError("unknown option '" + args[i] + "'");
    return recolouring;
}

int Dump(const std::vector<std::string>& args, std::ostream& out,
         std::span<const TStoredSkinPackage> stored) {
    if (args.size() < 2) throw TToolError("'dump' needs a skin; see --help");
    const TSkinRecolouring recolouring = RecolouringOptions(args, 2);
    const TOpenedSkin skin = OpenSkin(args[1], stored);
    TsSkinModel model;
    TsSkinLoader loader(model);
    loader.Load({&skin.Options, skin.Package.get(), skin.SkinPath});
    recolouring.ApplyTo(model);
    out << ModelToJson(model) << "\n";
    return 0;
}

int Check(const std::vector<std::string>& args, std::ostream& out,
          std::span<const TStoredSkinPackage> stored) {
    if (args.size() < 2 || args[1].starts_with("--")) throw TToolError("'check' needs a skin; see --help");
    return CheckSkin(args[1], RecolouringOptions(args, 2), out, stored);
}

} // namespace

bool TakeRecolouringOption(const std::vector<std::string>& args, std::size_t& i,
                           TSkinRecolouring& recolouring) {
    if (args[i] == "--hue")
        recolouring.HueOffset = NumberOption(args, i);
    else if (args[i] == "--saturation")
        recolouring.Saturation = NumberOption(args, i);
    else
        return false;
    return true;
}

void TSkinRecolouring::ApplyTo(TsSkinModel& model) const {
    ApplyHueOffset(model, HueOffset);
    ApplySaturation(model, Saturation);
}

TOpenedSkin OpenSkin(const std::string& spec, std::span<const TStoredSkinPackage> stored) {
    TOpenedSkin skin;
    const std::vector<std::uint8_t>* options = nullptr;
    if (spec.starts_with("stored:")) {
        const std::string name = spec.substr(7);
        const auto found = std::find_if(stored.begin(), stored.end(),
                                        [&](const TStoredSkinPackage& p) { return p.Name == name; });
        if (found == stored.end()) throw TToolError("no stored skin '" + name + "'");
        skin.Package = std::make_unique<TacSkinConvertor>();
        skin.Package->SetSource(std::vector<std::uint8_t>(found->Data.begin(), found->Data.end()));
        skin.Package->LoadPackage();
        options = skin.Package->Options();
    } else if (DirectoryExists(spec)) {
        const std::string folder = WithoutTrailingSlash(spec);
        const std::string optionsPath = FindFileIgnoringCase(folder, "Options.dat");
        if (optionsPath.empty()) throw TToolError("'" + folder + "' holds no Options.dat");
        skin.Options = TacSkinOptions::Parse(ReadFileBytes(optionsPath));
        skin.SkinPath = folder + "/";
        return skin;
    } else {
        skin.Package = ReadPackage(spec);
        options = skin.Package->Options();
        skin.SkinPath = ExtractFilePath(spec);
    }
    if (!options) throw TToolError("'" + spec + "' has no Options.dat entry");
    skin.Options = TacSkinOptions::Parse(*options);
    return skin;
}

int RunSkinTool(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                std::span<const TStoredSkinPackage> stored) {
    if (args.empty()) {
        err << Usage;
        return 1;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h" || command == "help") {
        out << Usage;
        return 0;
    }
    try {
        if (command == "pack") return Pack(args, err);
        if (command == "unpack") return Unpack(args, out);
        if (command == "list") return List(args, out);
        if (command == "names") return Names(args, out);
        if (command == "dump") return Dump(args, out, stored);
        if (command == "check") return Check(args, out, stored);
        throw TToolError("unknown command '" + command + "'; see --help");
    } catch (const std::exception& error) {
        err << "quibbleton-skin: " << error.what() << "\n";
        return 1;
    }
}
