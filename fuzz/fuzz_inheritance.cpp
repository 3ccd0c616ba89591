// The options text with PARENTCLASS inheritance. Input starting with "G" describes a graph
// of sections compactly (one byte per section: its parent and whether it holds a value), so
// that long and looping chains of thousands of sections are cheap to reach; any other input
// is the options text itself. The section pass must finish, and the memoised inherited reads
// must answer what walking the chain answers.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <exception>
#include <string>
#include <string_view>

#include "skin/TacSkinOptions.h"
#include "skin/TsInheritedReader.h"
#include "skin/TsSkinLoader.h"

namespace {

// Chains are compared with the plain walk for this many sections, spread over the text.
constexpr std::size_t CheckedSections = 4;
// Graphs of at most this many sections (chains this long already took the old reads
// seconds), and the whole section pass only for texts of at most this many sections: the
// harness stays fast enough to matter.
constexpr std::size_t MaxGraphSections = 1024;
constexpr std::size_t MaxPassSections = 64;
const char* const Keys[] = {"COLOR", "GRADIENTDATA"};

std::string GraphText(const std::uint8_t* data, std::size_t size) {
    std::string text;
    const std::size_t count = size;
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t b = data[i];
        text += "[S" + std::to_string(i) + "]\n";
        // The low bits choose the parent: the previous section (a chain), a section far
        // back or ahead (loops), itself, a missing one, or none.
        std::size_t parent = i;
        switch (b & 7) {
        case 0:
            parent = i == 0 ? count - 1 : i - 1;
            break;
        case 1:
            parent = i == 0 ? count - 1 : i - 1;
            break;
        case 2:
            parent = (i + b) % count;
            break;
        case 3:
            parent = (i * 31 + b) % count;
            break;
        case 4:
            text += "PARENTCLASS=S" + std::to_string(i) + "\n";
            break;
        case 5:
            text += "PARENTCLASS=GONE\n";
            break;
        case 6:
            text += "PARENTCLASS=?\n";
            break;
        default:
            break;
        }
        if ((b & 7) < 4) text += "PARENTCLASS=s" + std::to_string(parent) + "\n";
        if (b & 0x08) text += "COLOR=" + std::to_string(b) + "\n";
        if (b & 0x10) text += "COLOR=-1\n";
        if (b & 0x20) text += "GRADIENTDATA=?\n";
        if (b & 0x40) text += "GRADIENTDATA=1;2;3;4;5\n";
        if (b & 0x80) text += "SHADOWBLUR=abc\n";
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const bool graph = size > 1 && data[0] == 'G';
    const std::string text =
        graph ? GraphText(data + 1, size - 1) : std::string(reinterpret_cast<const char*>(data), size);
    const TacSkinOptions options = TacSkinOptions::Parse(std::string_view(text));

    TsInheritedReader reader(options);
    const std::size_t count = options.Sections().size();
    const std::size_t step = count / CheckedSections + 1;
    for (std::size_t s = 0; s < count; s += step) {
        const std::string& name = options.Sections()[s].Name;
        for (const char* key : Keys) {
            if (reader.ReadInteger(s, key, 77) != ReadInheritedInteger(options, name, key, 77)) std::abort();
            if (reader.ReadString(s, key, "x") != ReadInheritedString(options, name, key, "x")) std::abort();
        }
    }

    if (count > MaxPassSections) return 0;
    TsSkinModel model;
    TsSkinLoader loader(model);
    TsLoadReport report;
    loader.SetReport(&report);
    try {
        loader.SectionPass({&options, nullptr, ""});
    } catch (const std::exception&) {
    }
    if (model.GeneralData.size() > count) std::abort();
    return 0;
}
