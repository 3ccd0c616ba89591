#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// An ordered list of 8-bit texts, duplicates allowed.
class TStringList {
public:
    int Add(std::string text); // returns the new item's index
    void Clear() { Items_.clear(); }
    int Count() const { return static_cast<int>(Items_.size()); }
    bool IsEmpty() const { return Items_.empty(); }
    const std::string& operator[](int index) const { return Items_.at(static_cast<std::size_t>(index)); }
    std::string& operator[](int index) { return Items_.at(static_cast<std::size_t>(index)); }
    // Stable, with ASCII letter case not counting.
    void Sort();
    // The first item equal to the text with ASCII letter case not counting, or -1.
    int IndexOf(std::string_view text) const;

    // Splits the bytes into lines: a line ends at CR LF, at a lone CR or at a lone LF; a NUL
    // byte ends the text; a line break at the very end adds no empty line, empty lines in
    // between are kept; blanks and bytes are kept as they are. Replaces the contents.
    void LoadFromBytes(std::string_view bytes);
    void LoadFromBytes(std::span<const std::uint8_t> bytes);
    // Throws EFOpenError when the file cannot be opened or read; the list is then unchanged.
    void LoadFromFile(const std::string& path);
    // The items, each followed by CR LF.
    std::string Text() const;
    void SetText(std::string_view text) { LoadFromBytes(text); }

    std::vector<std::string>::const_iterator begin() const { return Items_.begin(); }
    std::vector<std::string>::const_iterator end() const { return Items_.end(); }

private:
    std::vector<std::string> Items_;
};
