#include "platform/os/TRegistryFile.h"

#include "platform/core/CodePage.h"
#include "platform/core/StrToInt.h"
#include "platform/core/Utf8.h"

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

constexpr std::string_view kRegedit4 = "REGEDIT4";
constexpr std::string_view kVersion5 = "Windows Registry Editor Version 5.00";
constexpr std::array<std::string_view, 6> kRoots = {"HKEY_CLASSES_ROOT",   "HKEY_CURRENT_USER",
                                                    "HKEY_LOCAL_MACHINE",  "HKEY_USERS",
                                                    "HKEY_CURRENT_CONFIG", "HKEY_PERFORMANCE_DATA"};

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimRight(std::string_view s) {
    while (!s.empty() && (IsBlank(s.back()) || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

std::string_view TrimLeft(std::string_view s) {
    while (!s.empty() && IsBlank(s.front()))
        s.remove_prefix(1);
    return s;
}

bool IsTextType(std::uint32_t type) {
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// Reads a quoted text starting after its opening quote; \\ and \" are the only escapes.
// On success, pos is just past the closing quote.
bool ReadQuoted(std::string_view line, std::size_t& pos, std::string& text) {
    text.clear();
    while (pos < line.size()) {
        const char c = line[pos++];
        if (c == '"') return true;
        if (c == '\\') {
            if (pos >= line.size() || (line[pos] != '\\' && line[pos] != '"')) return false;
            text.push_back(line[pos++]);
        } else {
            text.push_back(c);
        }
    }
    return false;
}

// One to eight hexadecimal digits and nothing else.
std::optional<std::uint32_t> ParseHexNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 8) return std::nullopt;
    std::uint32_t number = 0;
    for (char c : digits) {
        const int digit = HexDigitValue(c);
        if (digit < 0) return std::nullopt;
        number = number * 16 + static_cast<std::uint32_t>(digit);
    }
    return number;
}

bool ParseHexBytes(std::string_view list, std::vector<std::uint8_t>& bytes) {
    bytes.clear();
    list = TrimRight(TrimLeft(list));
    if (list.empty()) return true;
    std::size_t pos = 0;
    while (pos <= list.size()) {
        std::size_t comma = list.find(',', pos);
        const bool last = comma == std::string_view::npos;
        if (last) comma = list.size();
        const std::string_view token = TrimRight(TrimLeft(list.substr(pos, comma - pos)));
        if (token.empty()) {
            // Only a trailing comma may leave an empty token.
            return last && pos > 0;
        }
        if (token.size() > 2) return false;
        int value = 0;
        for (char c : token) {
            const int digit = HexDigitValue(c);
            if (digit < 0) return false;
            value = value * 16 + digit;
        }
        bytes.push_back(static_cast<std::uint8_t>(value));
        if (last) return true;
        pos = comma + 1;
    }
    return true;
}

// UTF-16LE to 8-bit UTF-8; an odd last byte is dropped, a lone surrogate becomes U+FFFD.
std::vector<std::uint8_t> Utf16ToBytes(const std::vector<std::uint8_t>& data) {
    std::string out;
    const std::size_t units = data.size() / 2;
    for (std::size_t i = 0; i < units; ++i) {
        const std::uint32_t unit = data[2 * i] | (data[2 * i + 1] << 8);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units) {
            const std::uint32_t low = data[2 * i + 2] | (data[2 * i + 3] << 8);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                Utf8::AppendOne(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                ++i;
                continue;
            }
        }
        // A lone surrogate is appended as U+FFFD.
        Utf8::AppendOne(out, unit);
    }
    return {out.begin(), out.end()};
}

// 8-bit text to UTF-16LE: UTF-8 sequences become their characters, other bytes are widened.
std::vector<std::uint8_t> BytesToUtf16(const std::vector<std::uint8_t>& data) {
    std::vector<std::uint8_t> out;
    auto put = [&](std::uint32_t unit) {
        out.push_back(static_cast<std::uint8_t>(unit & 0xFF));
        out.push_back(static_cast<std::uint8_t>(unit >> 8));
    };
    const std::string_view text(reinterpret_cast<const char*>(data.data()), data.size());
    std::size_t i = 0;
    while (i < data.size()) {
        char32_t code = 0;
        const std::size_t length = Utf8::DecodeOne(text, i, code);
        if (length > 0) {
            if (code >= 0x10000) {
                put(0xD800 + ((code - 0x10000) >> 10));
                put(0xDC00 + ((code - 0x10000) & 0x3FF));
            } else {
                put(code);
            }
            i += length;
        } else {
            put(data[i]);
            ++i;
        }
    }
    return out;
}

std::string EscapeQuoted(std::string_view text) {
    std::string out = "\"";
    for (char c : text) {
        if (c == '\\' || c == '"') out.push_back('\\');
        out.push_back(c);
    }
    out.push_back('"');
    return out;
}

bool HasControlCharacter(std::string_view text) {
    return std::any_of(text.begin(), text.end(),
                       [](char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; });
}

// Text that a quoted value can hold: ends with its NUL and has no other control characters.
bool FitsQuoted(const std::vector<std::uint8_t>& data) {
    if (data.empty() || data.back() != 0) return false;
    return !HasControlCharacter(
        std::string_view(reinterpret_cast<const char*>(data.data()), data.size() - 1));
}

struct TPhysicalLine {
    std::string_view Text; // without the line break
    std::string_view Raw;  // with it
};

} // namespace

bool TRegistryFile::IsRootName(std::string_view name) {
    for (auto root : kRoots)
        if (SameText(root, name)) return true;
    return false;
}

std::vector<std::string> TRegistryFile::SplitKey(std::string_view key) {
    std::vector<std::string> parts;
    std::size_t pos = 0;
    while (pos <= key.size()) {
        std::size_t slash = key.find('\\', pos);
        if (slash == std::string_view::npos) slash = key.size();
        if (slash > pos) parts.emplace_back(key.substr(pos, slash - pos));
        pos = slash + 1;
    }
    return parts;
}

bool TRegistryFile::SamePath(const std::vector<std::string>& a, const std::vector<std::string>& b) const {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (!SameText(a[i], b[i])) return false;
    return true;
}

TRegistryFile TRegistryFile::Empty() {
    TRegistryFile file;
    file.Preamble_ = std::string(kRegedit4) + file.NewLine_;
    return file;
}

std::optional<TRegistryFile> TRegistryFile::Parse(std::string_view text) {
    TRegistryFile file;
    if (text.starts_with("\xEF\xBB\xBF")) {
        file.Preamble_ = "\xEF\xBB\xBF";
        text.remove_prefix(3);
    }
    if (text.find('\0') != std::string_view::npos) return std::nullopt;

    std::vector<TPhysicalLine> lines;
    for (std::size_t pos = 0; pos < text.size();) {
        std::size_t end = text.find('\n', pos);
        const std::size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        lines.push_back({TrimRight(text.substr(pos, end - pos)), text.substr(pos, next - pos)});
        pos = next;
    }
    if (lines.empty()) return std::nullopt;
    if (lines[0].Raw.ends_with("\r\n")) file.NewLine_ = "\r\n";
    if (lines[0].Text == kRegedit4)
        file.Format_ = TRegFileFormat::Regedit4;
    else if (lines[0].Text == kVersion5)
        file.Format_ = TRegFileFormat::Version5;
    else
        return std::nullopt;
    file.Preamble_ += lines[0].Raw;

    for (std::size_t i = 1; i < lines.size(); ++i) {
        const std::string_view line = TrimLeft(lines[i].Text);
        if (line.empty() || line.front() == ';') {
            if (file.Sections_.empty())
                file.Preamble_ += lines[i].Raw;
            else
                file.Sections_.back().Entries.push_back({std::string(lines[i].Raw), false, {}, {}});
            continue;
        }
        if (line.front() == '[') {
            if (line.back() != ']' || line.size() < 3 || line[1] == '-') return std::nullopt;
            TSection section;
            section.Path = SplitKey(line.substr(1, line.size() - 2));
            if (section.Path.empty() || !IsRootName(section.Path.front())) return std::nullopt;
            section.Raw = lines[i].Raw;
            file.Sections_.push_back(std::move(section));
            continue;
        }
        if ((line.front() != '"' && line.front() != '@') || file.Sections_.empty()) return std::nullopt;

        TEntry entry;
        entry.IsValue = true;
        entry.Raw = lines[i].Raw;
        std::size_t pos = 1;
        if (line.front() == '"' && !ReadQuoted(line, pos, entry.Name)) return std::nullopt;
        std::string_view rest = TrimLeft(line.substr(pos));
        if (rest.empty() || rest.front() != '=') return std::nullopt;
        rest = TrimLeft(rest.substr(1));

        if (rest.starts_with("\"")) {
            std::size_t quotePos = 1;
            std::string value;
            if (!ReadQuoted(rest, quotePos, value) || !TrimLeft(rest.substr(quotePos)).empty())
                return std::nullopt;
            entry.Value.Type = REG_SZ;
            entry.Value.Data.assign(value.begin(), value.end());
            entry.Value.Data.push_back(0);
        } else if (rest.starts_with("dword:")) {
            const std::optional<std::uint32_t> number = ParseHexNumber(rest.substr(6));
            if (!number) return std::nullopt;
            entry.Value = TRegValue::Dword(*number);
        } else if (rest.starts_with("hex")) {
            rest.remove_prefix(3);
            std::uint32_t type = REG_BINARY;
            if (rest.starts_with("(")) {
                const std::size_t close = rest.find(')');
                if (close == std::string_view::npos) return std::nullopt;
                const std::optional<std::uint32_t> number = ParseHexNumber(rest.substr(1, close - 1));
                if (!number) return std::nullopt;
                type = *number;
                rest.remove_prefix(close + 1);
            }
            if (!rest.starts_with(":")) return std::nullopt;
            std::string list(rest.substr(1));
            // A trailing backslash continues the data on the next line.
            while (!list.empty() && list.back() == '\\') {
                list.pop_back();
                if (++i >= lines.size()) return std::nullopt;
                entry.Raw += lines[i].Raw;
                list += TrimLeft(lines[i].Text);
            }
            if (!ParseHexBytes(list, entry.Value.Data)) return std::nullopt;
            entry.Value.Type = type;
            if (file.Format_ == TRegFileFormat::Version5 && IsTextType(type))
                entry.Value.Data = Utf16ToBytes(entry.Value.Data);
        } else {
            return std::nullopt;
        }
        file.Sections_.back().Entries.push_back(std::move(entry));
    }
    return file;
}

std::string TRegistryFile::Format() const {
    std::string out = Preamble_;
    auto append = [&](const std::string& piece) {
        if (!out.empty() && out.back() != '\n') out += NewLine_;
        out += piece;
    };
    for (const auto& section : Sections_) {
        append(section.Raw);
        for (const auto& entry : section.Entries)
            append(entry.Raw);
    }
    return out;
}

std::string TRegistryFile::FormatValue(std::string_view name, const TRegValue& value) const {
    std::string line = name.empty() ? std::string("@") : EscapeQuoted(name);
    line += '=';
    if (value.Type == REG_SZ && FitsQuoted(value.Data)) {
        line += EscapeQuoted(
            std::string_view(reinterpret_cast<const char*>(value.Data.data()), value.Data.size() - 1));
        return line + NewLine_;
    }
    if (value.Type == REG_DWORD && value.Data.size() == 4) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "dword:%08x", value.DwordNumber());
        return line + digits + NewLine_;
    }
    if (value.Type == REG_BINARY) {
        line += "hex:";
    } else {
        char prefix[24];
        std::snprintf(prefix, sizeof prefix, "hex(%x):", value.Type);
        line += prefix;
    }
    const std::vector<std::uint8_t> data =
        Format_ == TRegFileFormat::Version5 && IsTextType(value.Type) ? BytesToUtf16(value.Data) : value.Data;
    for (std::size_t k = 0; k < data.size(); ++k) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x", data[k]);
        line += byte;
        if (k + 1 < data.size()) {
            line += ',';
            if ((k + 1) % 24 == 0) line += "\\" + NewLine_ + "  ";
        }
    }
    return line + NewLine_;
}

bool TRegistryFile::KeyExists(std::string_view key) const {
    const auto path = SplitKey(key);
    if (path.empty() || !IsRootName(path.front())) return false;
    if (path.size() == 1) return true;
    for (const auto& section : Sections_) {
        if (section.Path.size() < path.size()) continue;
        bool prefix = true;
        for (std::size_t k = 0; k < path.size() && prefix; ++k)
            prefix = SameText(section.Path[k], path[k]);
        if (prefix) return true;
    }
    return false;
}

TRegistryFile::TSection& TRegistryFile::NewSection(const std::vector<std::string>& path) {
    TSection section;
    section.Path = path;
    std::string joined;
    for (const auto& part : path)
        joined += (joined.empty() ? "" : "\\") + part;
    section.Raw = NewLine_ + "[" + joined + "]" + NewLine_;
    Sections_.push_back(std::move(section));
    return Sections_.back();
}

bool TRegistryFile::IsValidKey(std::string_view key) {
    const auto path = SplitKey(key);
    return !path.empty() && IsRootName(path.front()) && !HasControlCharacter(key);
}

bool TRegistryFile::IsValidValueName(std::string_view name) {
    return !HasControlCharacter(name);
}

bool TRegistryFile::AddKey(std::string_view key) {
    if (!IsValidKey(key)) return false;
    if (!KeyExists(key)) NewSection(SplitKey(key));
    return true;
}

std::optional<TRegValue> TRegistryFile::FindValue(std::string_view key, std::string_view name) const {
    const auto path = SplitKey(key);
    std::optional<TRegValue> found;
    for (const auto& section : Sections_) {
        if (!SamePath(section.Path, path)) continue;
        for (const auto& entry : section.Entries)
            if (entry.IsValue && SameText(entry.Name, name)) found = entry.Value;
    }
    return found;
}

bool TRegistryFile::SetValue(std::string_view key, std::string_view name, const TRegValue& value) {
    if (!IsValidKey(key) || !IsValidValueName(name)) return false;
    const auto path = SplitKey(key);
    TEntry* last = nullptr;
    TSection* lastSection = nullptr;
    for (auto& section : Sections_) {
        if (!SamePath(section.Path, path)) continue;
        lastSection = &section;
        for (auto& entry : section.Entries)
            if (entry.IsValue && SameText(entry.Name, name)) last = &entry;
    }
    if (last != nullptr) {
        if (last->Value == value) return true;
        last->Value = value;
        last->Raw = FormatValue(last->Name, value);
        return true;
    }
    if (lastSection == nullptr) lastSection = &NewSection(path);
    // After the section's last value, ahead of the blank lines that separate it from the next.
    auto& entries = lastSection->Entries;
    std::size_t at = 0;
    for (std::size_t k = 0; k < entries.size(); ++k)
        if (entries[k].IsValue) at = k + 1;
    TEntry entry;
    entry.IsValue = true;
    entry.Name = std::string(name);
    entry.Value = value;
    entry.Raw = FormatValue(name, value);
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    return true;
}

std::vector<std::string> TRegistryFile::ValueNames(std::string_view key) const {
    const auto path = SplitKey(key);
    std::vector<std::string> names;
    for (const auto& section : Sections_) {
        if (!SamePath(section.Path, path)) continue;
        for (const auto& entry : section.Entries) {
            if (!entry.IsValue) continue;
            bool seen = false;
            for (const auto& name : names)
                seen = seen || SameText(name, entry.Name);
            if (!seen) names.push_back(entry.Name);
        }
    }
    return names;
}
