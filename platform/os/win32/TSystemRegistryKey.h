#pragma once

#include "platform/os/TRegistryFile.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One open key of the system's registry. Key and value names and text data are UTF-8 here and
// UTF-16 in the registry; text data keeps its NUL characters and ends with one.
class TSystemRegistryKey {
public:
    enum class TAccess { Read, Write };

    TSystemRegistryKey() = default;
    ~TSystemRegistryKey() { Close(); }
    TSystemRegistryKey(const TSystemRegistryKey&) = delete;
    TSystemRegistryKey& operator=(const TSystemRegistryKey&) = delete;

    // Opens the key below the root (by the registry's number), creating it when create is set;
    // false when the system refuses, the former key then being closed.
    bool Open(std::uint32_t root, std::string_view path, TAccess access, bool create);
    void Close();
    bool IsOpen() const { return Handle_ != nullptr; }

    std::optional<TRegValue> Value(std::string_view name) const;
    bool SetValue(std::string_view name, const TRegValue& value) const;
    // False when the value did not exist or could not be deleted.
    bool DeleteValue(std::string_view name) const;

    static bool Exists(std::uint32_t root, std::string_view path);

private:
    void* Handle_ = nullptr;
};

// Where HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER lead while the object lives: to the given
// open keys (handles of the system) instead of the system's roots. Tests give keys of their
// own, one of them read-only, to see the accessor at a machine key it may not write.
class TScopedRegistryRoots {
public:
    TScopedRegistryRoots(void* machine, void* user);
    ~TScopedRegistryRoots();
    TScopedRegistryRoots(const TScopedRegistryRoots&) = delete;
    TScopedRegistryRoots& operator=(const TScopedRegistryRoots&) = delete;

private:
    void* FormerMachine_;
    void* FormerUser_;
};
