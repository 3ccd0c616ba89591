#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/core/Geometry.h"

// A small streaming JSON writer for the automation dump. Commas are placed automatically;
// strings are UTF-8 and escaped (invalid UTF-8 bytes become U+FFFD, so the output is always
// valid JSON).
class TJsonWriter {
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next value inside an object.
    void Key(std::string_view key);
    void String(std::string_view value);
    void Int(long long value);
    void Bool(bool value);
    void Null();
    // [a, b, c, d] of a rectangle as left, top, width, height.
    void Bounds(const TRect& r);

    // Key and value in one call.
    void Field(std::string_view key, std::string_view value) {
        Key(key);
        String(value);
    }
    void Field(std::string_view key, const char* value) {
        Key(key);
        String(value);
    }
    void Field(std::string_view key, const std::string& value) {
        Key(key);
        String(value);
    }
    void Field(std::string_view key, int value) {
        Key(key);
        Int(value);
    }
    void Field(std::string_view key, long long value) {
        Key(key);
        Int(value);
    }
    void Field(std::string_view key, bool value) {
        Key(key);
        Bool(value);
    }

    const std::string& Text() const { return m_out; }
    std::string Take() { return std::move(m_out); }

private:
    void BeforeValue();
    void WriteEscaped(std::string_view s);

    std::string m_out;
    std::vector<bool> m_first; // per open container: nothing written yet
    bool m_afterKey = false;
};
