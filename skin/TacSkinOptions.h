#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The largest options text a skin folder may hold (the stored skins' are about 12 KB).
inline constexpr std::int64_t MaxOptionsTextSize = 64LL * 1024 * 1024;

// The parsed skin options text ("Options.dat"): INI sections of keys and values in file
// order. Section and key lookups ignore letter case; names keep the case of the file.
class TacSkinOptions {
public:
    struct Entry {
        std::string Key;
        std::string Value;
    };
    struct Section {
        std::string Name;
        std::vector<Entry> Entries;
    };

    TacSkinOptions() = default;
    // Lines end with CR LF, LF or CR and a NUL ends the text. Lines are trimmed; empty lines,
    // lines starting with ";" and lines before the first section are ignored. A section named
    // twice keeps its first place and gathers the keys of both.
    static TacSkinOptions Parse(std::string_view text);
    static TacSkinOptions Parse(std::span<const std::uint8_t> bytes);

    const std::vector<Section>& Sections() const { return m_sections; }
    bool IsEmpty() const { return m_sections.empty(); }
    const Section* FindSection(std::string_view name) const;
    // The position of the section in Sections(); nothing when it is absent.
    std::optional<std::size_t> SectionPosition(std::string_view name) const;
    bool SectionExists(std::string_view name) const { return FindSection(name) != nullptr; }

    // The value of the first entry with the key, or nothing when the section or key is absent.
    std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
    // The same for the section at a position of Sections(), for callers that read many keys
    // of many sections: no section lookup, no copy of the key.
    std::optional<std::string_view> ValueIn(std::size_t section, std::string_view key) const;
    // What a lookup of the key of an entry answers: the value of the section's first entry with
    // that key. For callers that visit every entry; no search.
    std::string_view FirstValue(std::size_t section, std::size_t entry) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // The runtime's integer read: "0x" prefixes count as hexadecimal, anything that is not a
    // number gives the fallback.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;

private:
    // A name upper-cased in m_upperNames and the position it stands for.
    struct TSlot {
        std::uint32_t Hash; // of the upper-cased name
        std::uint32_t Offset;
        std::uint32_t Length;
        std::size_t Position;
    };
    struct TRun {
        std::size_t Begin;
        std::size_t End;
        std::size_t Entries = 0; // where the section's entries start in m_firstEntry
    };
    std::string_view UpperName(const TSlot& slot) const {
        return {m_upperNames.data() + slot.Offset, slot.Length};
    }
    const TSlot* Find(const TRun& run, const std::vector<TSlot>& slots, std::string_view name) const;
    void BuildIndex();

    std::vector<Section> m_sections;
    // The lookups ignore letter case: every section name and key is upper-cased once, end to
    // end in one text, and found by binary search over the names' hashes in sorted slots,
    // without a copy per lookup.
    std::string m_upperNames;
    std::vector<TSlot> m_sectionIndex;     // sorted by hash and name
    std::vector<TSlot> m_keyIndex;         // per section a run sorted so, the first entry of each key
    std::vector<TRun> m_keyRuns;           // per section: its run in m_keyIndex
    std::vector<std::size_t> m_firstEntry; // per entry: the first entry of its section with its key
};
