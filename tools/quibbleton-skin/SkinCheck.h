#pragma once

#include <iosfwd>
#include <span>
#include <string>

#include "skin/storedskins/StoredSkinPackages.h"

// Loads the skin and prints every problem a skin author must know about, one line each
// ("[SECTION] KEY: ..."): images missing or unreadable, regions outside their image, parent
// chains naming missing sections or looping, numbers that end a load, bevels and image types
// out of range. Returns 1 when the skin cannot be loaded, else 0.
int CheckSkin(const std::string& spec, std::ostream& out, std::span<const TStoredSkinPackage> stored);
