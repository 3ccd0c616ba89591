#include "skin/TacSkinOptions.h"

#include <algorithm>

#include "skin/SkinStrings.h"

namespace {

// Orders a name of any letter case against an upper-cased one, as the upper-cased names
// order byte by byte.
int CompareUpper(std::string_view name, std::string_view upper) {
    const std::size_t common = std::min(name.size(), upper.size());
    for (std::size_t i = 0; i < common; ++i) {
        const unsigned char a = static_cast<unsigned char>(FoldUpper(name[i]));
        const unsigned char b = static_cast<unsigned char>(upper[i]);
        if (a != b) return a < b ? -1 : 1;
    }
    return name.size() == upper.size() ? 0 : (name.size() < upper.size() ? -1 : 1);
}

// FNV-1a over the upper-cased name.
std::uint32_t UpperHash(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(FoldUpper(c))) * 16777619u;
    return hash;
}

// Section positions by name while reading, letter case not counting: open addressing over
// the names' hashes, so that reading copies no name.
class TSectionTable {
public:
    explicit TSectionTable(const std::vector<TacSkinOptions::Section>& sections) : m_sections(sections) {}

    // The position of the section with the name, or nothing; `Add` must follow a miss.
    std::optional<std::size_t> Find(std::string_view name) {
        m_slot = Slot(UpperHash(name));
        for (; m_table[m_slot] >= 0; m_slot = (m_slot + 1) & (m_table.size() - 1))
            if (EqualIgnoringCase(m_sections[std::size_t(m_table[m_slot])].Name, name))
                return std::size_t(m_table[m_slot]);
        return std::nullopt;
    }
    // Notes the section last added to the sections, at the slot where Find missed its name.
    void Add() {
        m_table[m_slot] = std::int64_t(m_sections.size() - 1);
        if (2 * m_sections.size() < m_table.size()) return;
        m_table.assign(m_table.size() * 2, -1);
        for (std::size_t s = 0; s < m_sections.size(); ++s) {
            std::size_t slot = Slot(UpperHash(m_sections[s].Name));
            while (m_table[slot] >= 0)
                slot = (slot + 1) & (m_table.size() - 1);
            m_table[slot] = std::int64_t(s);
        }
    }

private:
    std::size_t Slot(std::uint32_t hash) const { return hash & (m_table.size() - 1); }

    const std::vector<TacSkinOptions::Section>& m_sections;
    std::vector<std::int64_t> m_table = std::vector<std::int64_t>(32, -1);
    std::size_t m_slot = 0;
};

} // namespace

TacSkinOptions TacSkinOptions::Parse(std::span<const std::uint8_t> bytes) {
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

TacSkinOptions TacSkinOptions::Parse(std::string_view text) {
    TacSkinOptions options;
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    // A repeated section reopens its own.
    TSectionTable sectionTable(options.m_sections);
    Section* current = nullptr;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n')
            ++end;
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++start;

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            if (const auto found = sectionTable.Find(name)) {
                current = &options.m_sections[*found];
            } else {
                options.m_sections.push_back(Section{std::string(name), {}});
                sectionTable.Add();
                current = &options.m_sections.back();
            }
            continue;
        }
        if (!current) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            current->Entries.push_back({std::string(line), {}});
        else
            current->Entries.push_back(
                {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
    }
    options.BuildIndex();
    return options;
}

void TacSkinOptions::BuildIndex() {
    auto addName = [this](std::string_view name, std::size_t position) {
        const TSlot slot{UpperHash(name), std::uint32_t(m_upperNames.size()), std::uint32_t(name.size()),
                         position};
        for (const char c : name)
            m_upperNames.push_back(FoldUpper(c));
        return slot;
    };
    // By hash, then name; equal names by position, so that the first entry of a key comes first.
    auto byName = [this](const TSlot& a, const TSlot& b) {
        if (a.Hash != b.Hash) return a.Hash < b.Hash;
        const int order = UpperName(a).compare(UpperName(b));
        return order != 0 ? order < 0 : a.Position < b.Position;
    };
    auto sameName = [this](const TSlot& a, const TSlot& b) {
        return a.Hash == b.Hash && UpperName(a) == UpperName(b);
    };

    std::size_t nameBytes = 0;
    std::size_t entryCount = 0;
    for (const Section& section : m_sections) {
        nameBytes += section.Name.size();
        entryCount += section.Entries.size();
        for (const Entry& entry : section.Entries)
            nameBytes += entry.Key.size();
    }
    m_upperNames.reserve(nameBytes);
    m_keyIndex.reserve(entryCount);
    m_firstEntry.reserve(entryCount);
    m_sectionIndex.reserve(m_sections.size());
    for (std::size_t s = 0; s < m_sections.size(); ++s)
        m_sectionIndex.push_back(addName(m_sections[s].Name, s));
    std::sort(m_sectionIndex.begin(), m_sectionIndex.end(), byName); // the names differ

    m_keyRuns.reserve(m_sections.size());
    for (const Section& section : m_sections) {
        const std::size_t begin = m_keyIndex.size();
        const std::size_t entries = m_firstEntry.size();
        for (std::size_t e = 0; e < section.Entries.size(); ++e)
            m_keyIndex.push_back(addName(section.Entries[e].Key, e));
        const auto first = m_keyIndex.begin() + std::ptrdiff_t(begin);
        std::sort(first, m_keyIndex.end(), byName);
        m_firstEntry.resize(entries + section.Entries.size());
        for (auto group = first; group != m_keyIndex.end();) {
            auto next = group;
            for (; next != m_keyIndex.end() && sameName(*group, *next); ++next)
                m_firstEntry[entries + next->Position] = group->Position;
            group = next;
        }
        m_keyIndex.erase(std::unique(first, m_keyIndex.end(), sameName), m_keyIndex.end());
        m_keyRuns.push_back({begin, m_keyIndex.size(), entries});
    }
}

const TacSkinOptions::TSlot* TacSkinOptions::Find(const TRun& run, const std::vector<TSlot>& slots,
                                                  std::string_view name) const {
    // The search compares hashes, and letters only where the hash matches.
    const std::uint32_t hash = UpperHash(name);
    const auto begin = slots.begin() + std::ptrdiff_t(run.Begin);
    const auto end = slots.begin() + std::ptrdiff_t(run.End);
    auto it =
        std::lower_bound(begin, end, hash, [](const TSlot& slot, std::uint32_t h) { return slot.Hash < h; });
    for (; it != end && it->Hash == hash; ++it)
        if (CompareUpper(name, UpperName(*it)) == 0) return &*it;
    return nullptr;
}

std::optional<std::size_t> TacSkinOptions::SectionPosition(std::string_view name) const {
    const TSlot* slot = Find({0, m_sectionIndex.size()}, m_sectionIndex, name);
    if (!slot) return std::nullopt;
    return slot->Position;
}

const TacSkinOptions::Section* TacSkinOptions::FindSection(std::string_view name) const {
    const auto position = SectionPosition(name);
    return position ? &m_sections[*position] : nullptr;
}

std::optional<std::string_view> TacSkinOptions::Value(std::string_view section, std::string_view key) const {
    const auto position = SectionPosition(section);
    if (!position) return std::nullopt;
    return ValueIn(*position, key);
}

std::optional<std::string_view> TacSkinOptions::ValueIn(std::size_t section, std::string_view key) const {
    if (section >= m_sections.size()) return std::nullopt;
    const TSlot* slot = Find(m_keyRuns[section], m_keyIndex, key);
    if (!slot) return std::nullopt;
    return std::string_view(m_sections[section].Entries[slot->Position].Value);
}

std::string_view TacSkinOptions::FirstValue(std::size_t section, std::size_t entry) const {
    const Section& own = m_sections.at(section);
    return own.Entries.at(m_firstEntry[m_keyRuns[section].Entries + entry]).Value;
}

std::string TacSkinOptions::ReadString(std::string_view section, std::string_view key,
                                       std::string_view fallback) const {
    return std::string(Value(section, key).value_or(fallback));
}

std::int32_t TacSkinOptions::ReadInteger(std::string_view section, std::string_view key,
                                         std::int32_t fallback) const {
    const auto value = Value(section, key);
    if (!value || value->empty()) return fallback;
    return StrToIntDef(*value, fallback);
}
