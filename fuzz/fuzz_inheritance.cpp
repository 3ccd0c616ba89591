// The options text with PARENTCLASS inheritance. Input starting with "G" describes a graph
// of sections compactly (one byte per section: its parent and whether it holds a value), so
// that long and looping chains of dozens of sections are cheap to reach; any other input
// is the options text itself. The memoised inherited reads must finish on every section
// graph and, for small graphs, answer what walking the chain answers; the section pass must
// finish on texts of a few sections (the options target runs it on any text).
//
// Walking every chain costs time in proportion to its length for every read, so it runs
// only on small graphs: the unit tests compare both reads over many graphs, and the harness
// stays fast enough to search widely (run with -max_len=1024).
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

// Graphs of at most this many sections; the memoised reads of larger ones are read at this
// many sections spread over the text; every section of graphs of at most MaxWalkedSections
// is compared with the chain walk; the section pass runs on texts of at most MaxPassSections.
constexpr std::size_t MaxGraphSections = 32;
constexpr std::size_t ReadSections = 4;
constexpr std::size_t MaxWalkedSections = 8;
constexpr std::size_t MaxPassSections = 8;
const char* const Keys[] = {"COLOR", "GRADIENTDATA"};

std::string GraphText(const std::uint8_t* data, std::size_t size) {
    std::string text;
    const std::size_t count = std::min(size, MaxGraphSections);
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
    const bool walk = count <= MaxWalkedSections;
    const std::size_t step = walk ? 1 : count / ReadSections + 1;
    for (std::size_t s = 0; s < count; s += step) {
        for (const char* key : Keys) {
            const std::int32_t number = reader.ReadInteger(s, key, 77);
            const std::string text = reader.ReadString(s, key, "x");
            if (!walk) continue;
            const std::string& name = options.Sections()[s].Name;
            if (number != ReadInheritedInteger(options, name, key, 77)) std::abort();
            if (text != ReadInheritedString(options, name, key, "x")) std::abort();
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
