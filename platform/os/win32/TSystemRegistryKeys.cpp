#include "platform/os/win32/TSystemRegistryKeys.h"

#include "platform/os/TRegistry.h"

namespace {

constexpr std::uint32_t kMachineRoot = HKEY_LOCAL_MACHINE;
constexpr std::uint32_t kUserRoot = HKEY_CURRENT_USER;
using TAccess = TSystemRegistryKey::TAccess;

} // namespace

std::shared_ptr<TSystemRegistryKeys> TSystemRegistryKeys::Open(std::uint32_t root, const std::string& path,
                                                               bool canCreate) {
    auto keys = std::make_shared<TSystemRegistryKeys>();
    if (keys->Key_.Open(root, path, TAccess::Write, canCreate)) {
        if (root == kMachineRoot) keys->UserKey_.Open(kUserRoot, path, TAccess::Write, false);
        return keys;
    }
    if (root != kMachineRoot) return nullptr;
    // A standard user may not write below HKEY_LOCAL_MACHINE.
    if (!keys->UserKey_.Open(kUserRoot, path, TAccess::Write, canCreate)) return nullptr;
    keys->WritesToKey_ = false;
    keys->Key_.Open(root, path, TAccess::Read, false);
    return keys;
}

bool TSystemRegistryKeys::Exists(std::uint32_t root, const std::string& path) {
    return TSystemRegistryKey::Exists(root, path) ||
           (root == kMachineRoot && TSystemRegistryKey::Exists(kUserRoot, path));
}

std::optional<TRegValue> TSystemRegistryKeys::Value(std::string_view name) const {
    if (auto value = UserKey_.Value(name)) return value;
    return Key_.Value(name);
}

bool TSystemRegistryKeys::SetValue(std::string_view name, const TRegValue& value) const {
    if (!WritesToKey_) return UserKey_.SetValue(name, value);
    if (!Key_.SetValue(name, value)) return false;
    UserKey_.DeleteValue(name);
    return true;
}

bool TSystemRegistryKeys::DeleteValue(std::string_view name) const {
    const bool fromUserKey = UserKey_.DeleteValue(name);
    const bool fromKey = WritesToKey_ && Key_.DeleteValue(name);
    return fromUserKey || fromKey;
}
