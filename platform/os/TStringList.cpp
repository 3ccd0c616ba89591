#include "platform/os/TStringList.h"

#include "platform/core/CodePage.h"
#include "platform/os/FileSystem.h"

#include <algorithm>
#include <cstring>

int TStringList::Add(std::string text) {
    Items_.push_back(std::move(text));
    return Count() - 1;
}

void TStringList::Sort() {
    std::stable_sort(Items_.begin(), Items_.end(),
                     [](const std::string& a, const std::string& b) { return CompareText(a, b) < 0; });
}

int TStringList::IndexOf(std::string_view text) const {
    for (std::size_t i = 0; i < Items_.size(); ++i)
        if (SameText(Items_[i], text)) return static_cast<int>(i);
    return -1;
}

void TStringList::LoadFromBytes(std::string_view bytes) {
    std::vector<std::string> lines;
    // Everything after the first NUL is not part of the text.
    const void* nul = bytes.empty() ? nullptr : std::memchr(bytes.data(), 0, bytes.size());
    if (nul) bytes = bytes.substr(0, static_cast<std::size_t>(static_cast<const char*>(nul) - bytes.data()));
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        std::size_t end = bytes.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = bytes.size();
        lines.emplace_back(bytes.substr(pos, end - pos));
        pos = end;
        if (pos < bytes.size()) {
            const bool carriageReturn = bytes[pos] == '\r';
            ++pos;
            if (carriageReturn && pos < bytes.size() && bytes[pos] == '\n') ++pos;
        }
    }
    Items_ = std::move(lines);
}

void TStringList::LoadFromBytes(std::span<const std::uint8_t> bytes) {
    LoadFromBytes(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

void TStringList::LoadFromFile(const std::string& path) {
    LoadFromBytes(ReadFileBytes(path));
}

std::string TStringList::Text() const {
    std::string text;
    std::size_t size = 0;
    for (const auto& item : Items_)
        size += item.size() + 2;
    text.reserve(size);
    for (const auto& item : Items_) {
        text += item;
        text += "\r\n";
    }
    return text;
}
