#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Just enough JSON for the end-to-end tests to read the automation dump.
struct TJsonValue {
    enum class TKind { Null, Bool, Number, String, Array, Object } Kind = TKind::Null;
    bool Bool = false;
    double Number = 0;
    std::string String;
    std::vector<TJsonValue> Array;
    std::map<std::string, TJsonValue> Object;

    const TJsonValue& operator[](const std::string& key) const;
    const TJsonValue& operator[](std::size_t index) const;
    bool Has(const std::string& key) const { return Object.count(key) != 0; }
    int Int() const { return static_cast<int>(Number); }
};

// Nothing when the text is not one well-formed JSON value.
std::optional<TJsonValue> ParseJson(std::string_view text);
