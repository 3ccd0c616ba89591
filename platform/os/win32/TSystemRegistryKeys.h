#pragma once

#include "platform/os/win32/TSystemRegistryKey.h"

#include <memory>
#include <string>

// The keys behind one open key of the accessor. A key of HKEY_LOCAL_MACHINE that may not be
// opened for writing is kept under HKEY_CURRENT_USER at the same path: changes go there, and
// its values are read before those of the machine's key, which is opened for reading when it
// exists. Where the machine's key may be written, the user's key (when there is one) still
// comes first when reading, and a value written to the machine's key is removed from it.
class TSystemRegistryKeys {
public:
    // Nothing when no key can be opened for writing (and, with canCreate, created).
    static std::shared_ptr<TSystemRegistryKeys> Open(std::uint32_t root, const std::string& path,
                                                     bool canCreate);
    static bool Exists(std::uint32_t root, const std::string& path);

    std::optional<TRegValue> Value(std::string_view name) const;
    bool SetValue(std::string_view name, const TRegValue& value) const;
    // False when the value did not exist or could not be deleted.
    bool DeleteValue(std::string_view name) const;
    // Whether changes go to the user's key in place of the machine's.
    bool WritesToUserKey() const { return !WritesToKey_; }

private:
    TSystemRegistryKey Key_;     // the key at the root asked for
    TSystemRegistryKey UserKey_; // HKEY_CURRENT_USER's key for a machine key; read first
    bool WritesToKey_ = true;
};
