#include "skin/TacSkinOptions.h"

#include "skin/SkinStrings.h"

TacSkinOptions TacSkinOptions::Parse(std::span<const std::uint8_t> bytes) {
    return Parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

TacSkinOptions TacSkinOptions::Parse(std::string_view text) {
    TacSkinOptions options;
    const std::size_t nul = text.find('\0');
    if (nul != std::string_view::npos) text = text.substr(0, nul);
    Section* current = nullptr;
    TIndex* currentKeys = nullptr;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(start, end - start));
        start = end + 1;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ++start;

        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[' && line.back() == ']' && line.size() >= 2) {
            const std::string_view name = Trim(line.substr(1, line.size() - 2));
            const auto [found, added] =
                options.m_sectionIndex.try_emplace(AnsiUpperCase(name), options.m_sections.size());
            if (added) {
                options.m_sections.push_back(Section{std::string(name), {}});
                options.m_keyIndex.emplace_back();
            }
            current = &options.m_sections[found->second];
            currentKeys = &options.m_keyIndex[found->second];
            continue;
        }
        if (!current) continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            current->Entries.push_back({std::string(line), {}});
        else
            current->Entries.push_back(
                {std::string(Trim(line.substr(0, equals))), std::string(Trim(line.substr(equals + 1)))});
        currentKeys->try_emplace(AnsiUpperCase(current->Entries.back().Key), current->Entries.size() - 1);
    }
    return options;
}

const TacSkinOptions::Section* TacSkinOptions::FindSection(std::string_view name) const {
    const auto found = m_sectionIndex.find(AnsiUpperCase(name));
    return found == m_sectionIndex.end() ? nullptr : &m_sections[found->second];
}

std::optional<std::string_view> TacSkinOptions::Value(std::string_view section, std::string_view key) const {
    const auto foundSection = m_sectionIndex.find(AnsiUpperCase(section));
    if (foundSection == m_sectionIndex.end()) return std::nullopt;
    const TIndex& keys = m_keyIndex[foundSection->second];
    const auto foundKey = keys.find(AnsiUpperCase(key));
    if (foundKey == keys.end()) return std::nullopt;
    return std::string_view(m_sections[foundSection->second].Entries[foundKey->second].Value);
}

std::optional<std::string_view> TacSkinOptions::ValueIn(std::size_t section,
                                                        const std::string& upperKey) const {
    if (section >= m_sections.size()) return std::nullopt;
    const TIndex& keys = m_keyIndex[section];
    const auto foundKey = keys.find(upperKey);
    if (foundKey == keys.end()) return std::nullopt;
    return std::string_view(m_sections[section].Entries[foundKey->second].Value);
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
