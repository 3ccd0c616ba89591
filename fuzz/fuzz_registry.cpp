// Feeds arbitrary text to the settings-file parser. Whatever it accepts must format back
// to text that parses to the same values, and a value written into it must read back.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "platform/os/TRegistryFile.h"

namespace {
constexpr std::string_view Key = "HKEY_LOCAL_MACHINE\\Software\\Quibbleton";
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<TRegistryFile> file = TRegistryFile::Parse(text);
    if (!file) return 0;

    const std::optional<TRegistryFile> again = TRegistryFile::Parse(file->Format());
    if (!again) std::abort();
    for (const std::string& name : file->ValueNames(Key))
        if (file->FindValue(Key, name) != again->FindValue(Key, name)) std::abort();

    const TRegValue phrase{REG_SZ, {'4', '2', 0}};
    if (!file->SetValue(Key, "LastFrase", phrase)) std::abort();
    const std::optional<TRegistryFile> written = TRegistryFile::Parse(file->Format());
    if (!written || written->FindValue(Key, "LastFrase") != phrase) std::abort();
    return 0;
}
