#pragma once

#include <string_view>

class TRegistry;

// The settings live under HKEY_LOCAL_MACHINE in this key, every value a string.
inline constexpr std::string_view SettingsKeyPath = "Software\\Quibbleton";
inline constexpr std::string_view LastPhraseValueName = "LastFrase";

// Points the accessor at HKEY_LOCAL_MACHINE and opens the settings key with full access,
// creating it when it is missing. False when that fails: the caller then reads and writes
// nothing and reports nothing.
bool OpenSettingsKey(TRegistry& registry);
