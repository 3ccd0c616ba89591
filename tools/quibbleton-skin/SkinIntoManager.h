#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "skin/storedskins/StoredSkinPackages.h"

class TsSkinManager;

// Loads the skin a command names (a skin folder, a package file or stored:NAME, as OpenSkin
// takes them) into a manager the way the program's managers load skins: packages (stored or
// files) become the manager's one stored skin, folders are found in their parent directory.
// The manager recolours by the hue offset and, when given, the saturation. Returns the name
// the manager loaded it under; raises TToolError when the skin cannot be opened or loaded.
std::string LoadSkinIntoManager(TsSkinManager& manager, const std::string& skin, std::int32_t hueOffset,
                                std::optional<std::int32_t> saturation,
                                std::span<const TStoredSkinPackage> stored);
