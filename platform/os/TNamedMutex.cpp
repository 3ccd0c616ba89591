#include "platform/os/TNamedMutex.h"

#include "platform/os/FileSystem.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string EncodeName(std::string_view name) {
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

} // namespace

std::string TNamedMutex::LockFileFor(std::string_view name) {
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (runtime != nullptr && runtime[0] == '/' && DirectoryExists(runtime))
        return IncludeTrailingPathDelimiter(runtime) + "quibbleton-mutex-" + EncodeName(name) + ".lock";
    // The temporary folder is shared by every user; the user id keeps the names apart.
    const char* temporary = std::getenv("TMPDIR");
    std::string folder = temporary != nullptr && temporary[0] == '/' ? temporary : "/tmp";
    return IncludeTrailingPathDelimiter(folder) + "quibbleton-mutex-" + std::to_string(::getuid()) + "-" +
           EncodeName(name) + ".lock";
}

TNamedMutex::TNamedMutex(std::string_view name) : Path_(LockFileFor(name)) {
    switch (Lock_.Lock(Path_)) {
    case TLockResult::Acquired:
        Creation_ = TMutexCreation::Created;
        break;
    case TLockResult::Busy:
        Creation_ = TMutexCreation::AlreadyExists;
        break;
    case TLockResult::Failed:
        Creation_ = TMutexCreation::Failed;
        break;
    }
}
