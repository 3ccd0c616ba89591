#pragma once

#include <string>
#include <string_view>

class TRegistry;

// The settings live under HKEY_LOCAL_MACHINE in this key, every value a string.
inline constexpr std::string_view SettingsKeyPath = "Software\\Quibbleton";
inline constexpr std::string_view LastPhraseValueName = "LastFrase";
// The skin folder beside the program, the skin directory of every manager.
inline constexpr std::string_view SkinFolderName = "QuibbletonSkins";

// The skin settings of manager N (0 the window's, 1 to 5 the button groups'): "FormStyle" and
// "FormHue", then "Buttons1Style" and "Buttons1Hue" up to "Buttons5Hue".
std::string StyleValueName(int manager);
std::string HueValueName(int manager);

// Points the accessor at HKEY_LOCAL_MACHINE and opens the settings key with full access,
// creating it when it is missing (where the user may not write there, the accessor keeps the
// settings in the user's own key, TRegistry.h). Its changes wait for the store's lock on the application's
// clock. False when that fails: the caller then reads and writes
// nothing and reports nothing.
bool OpenSettingsKey(TRegistry& registry);
