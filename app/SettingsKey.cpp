#include "app/SettingsKey.h"

#include "app/TApplicationWaitClock.h"
#include "platform/os/TRegistry.h"

bool OpenSettingsKey(TRegistry& registry) {
    registry.SetLockWait(TRegistry::DefaultLockWaitMs, TApplicationWaitClock::Instance());
    registry.SetRootKey(HKEY_LOCAL_MACHINE);
    return registry.OpenKey(SettingsKeyPath, true);
}

std::string StyleValueName(int manager) {
    return manager == 0 ? "FormStyle" : "Buttons" + std::to_string(manager) + "Style";
}

std::string HueValueName(int manager) {
    return manager == 0 ? "FormHue" : "Buttons" + std::to_string(manager) + "Hue";
}
