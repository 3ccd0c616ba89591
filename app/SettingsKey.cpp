#include "app/SettingsKey.h"

#include "platform/os/TRegistry.h"

bool OpenSettingsKey(TRegistry& registry) {
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    return registry.OpenKey(SettingsKeyPath, true);
}
