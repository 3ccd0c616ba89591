#include "platform/os/TNamedMutex.h"

#include <cstdint>
#include <cstdio>

std::string TNamedMutex::EncodedName(std::string_view name) {
    std::string encoded;
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        const bool safe = (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') ||
                          (byte >= '0' && byte <= '9') || byte == '-' || byte == '_' || byte == '.';
        if (safe) {
            encoded.push_back(c);
        } else {
            char escape[4];
            std::snprintf(escape, sizeof escape, "%%%02X", byte);
            encoded += escape;
        }
    }
    constexpr std::size_t kMaxLength = 160;
    if (encoded.size() > kMaxLength) {
        std::uint64_t hash = 1469598103934665603ull; // FNV-1a over the whole name
        for (char c : name)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, "-%016llx", static_cast<unsigned long long>(hash));
        encoded = encoded.substr(0, kMaxLength) + suffix;
    }
    return encoded;
}
