#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Value types as the registry numbers them.
inline constexpr std::uint32_t REG_NONE = 0;
inline constexpr std::uint32_t REG_SZ = 1;
inline constexpr std::uint32_t REG_EXPAND_SZ = 2;
inline constexpr std::uint32_t REG_BINARY = 3;
inline constexpr std::uint32_t REG_DWORD = 4;
inline constexpr std::uint32_t REG_MULTI_SZ = 7;
inline constexpr std::uint32_t REG_QWORD = 11;

// A value's type and data. Text types (REG_SZ, REG_EXPAND_SZ, REG_MULTI_SZ) hold 8-bit bytes
// with their terminating NUL, whatever the file's encoding; a dword holds 4 bytes, low first.
struct TRegValue {
    std::uint32_t Type = REG_NONE;
    std::vector<std::uint8_t> Data;

    static TRegValue Dword(std::uint32_t number) {
        return {REG_DWORD,
                {std::uint8_t(number), std::uint8_t(number >> 8), std::uint8_t(number >> 16),
                 std::uint8_t(number >> 24)}};
    }
    // The number held by 4 bytes of data; the caller has checked the size.
    std::uint32_t DwordNumber() const {
        return Data[0] | (Data[1] << 8) | (Data[2] << 16) | (std::uint32_t(Data[3]) << 24);
    }

    friend bool operator==(const TRegValue&, const TRegValue&) = default;
};

enum class TRegFileFormat {
    Regedit4, // "REGEDIT4": hex(1), hex(2) and hex(7) data are 8-bit bytes
    Version5  // "Windows Registry Editor Version 5.00": those data are UTF-16LE
};

// A settings store in the registry-export text format: a header line, then key lines
// "[HKEY_LOCAL_MACHINE\Software\Quibbleton]" each followed by value lines ("Name"="text",
// "Name"=dword:00000032, "Name"=hex:01,02, "Name"=hex(2):.., @= for the default value; hex data
// may continue on following lines after a trailing backslash). Blank lines and ";" comments
// are allowed. Everything the program does not change is written back byte for byte.
//
// Key paths are full ("HKEY_LOCAL_MACHINE\Software\Quibbleton"), and letter case counts in
// neither key nor value names, as in the registry. A key exists when it or a key below it is
// listed. When a key or value is listed twice, the later definition wins, as on import.
class TRegistryFile {
public:
    // Nothing when the text is not in the format: an unknown header, a line of another kind,
    // a deletion entry ("[-key]", "Name"=-), an unknown root, a bad escape or bad hex data.
    static std::optional<TRegistryFile> Parse(std::string_view text);
    static TRegistryFile Empty(); // "REGEDIT4" and no keys
    std::string Format() const;

    bool KeyExists(std::string_view key) const;
    // False, and nothing changes, when the key path has no known root or holds control
    // characters, or the value name holds control characters.
    bool AddKey(std::string_view key); // does nothing more when the key exists
    std::optional<TRegValue> FindValue(std::string_view key, std::string_view name) const;
    bool SetValue(std::string_view key, std::string_view name, const TRegValue& value);
    std::vector<std::string> ValueNames(std::string_view key) const;

    // "HKEY_LOCAL_MACHINE" and the other root names.
    static bool IsRootName(std::string_view name);
    static bool IsValidKey(std::string_view key);
    static bool IsValidValueName(std::string_view name);
    // The path's non-empty parts between backslashes.
    static std::vector<std::string> SplitKey(std::string_view key);

private:
    struct TEntry {
        std::string Raw; // the entry's lines with their line breaks
        bool IsValue = false;
        std::string Name;
        TRegValue Value;
    };
    struct TSection {
        std::vector<std::string> Path;
        std::string Raw;
        std::vector<TEntry> Entries;
    };

    TSection& NewSection(const std::vector<std::string>& path);
    std::string FormatValue(std::string_view name, const TRegValue& value) const;
    bool SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b) const;

    TRegFileFormat Format_ = TRegFileFormat::Regedit4;
    std::string NewLine_ = "\n";
    std::string Preamble_; // the header line and whatever precedes the first key
    std::vector<TSection> Sections_;
};
