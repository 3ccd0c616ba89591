#pragma once

#include <iosfwd>
#include <span>
#include <string>

#include "SkinTool.h"
#include "skin/storedskins/StoredSkinPackages.h"

// Loads the skin and prints every problem a skin author must know about, one line each
// ("[SECTION] KEY: ..."): images missing or unreadable, regions outside their image, parent
// chains naming missing sections or looping, numbers that end a load, bevels and image types
// out of range; and, with the skin recoloured as given, every text-drawing section whose text
// is hard to read ("[SECTION] hot: text contrast 3.1 : 1 is below 4.5 : 1"). Returns 1 when
// the skin cannot be loaded, else 0.
int CheckSkin(const std::string& spec, const TSkinRecolouring& recolouring, std::ostream& out,
              std::span<const TStoredSkinPackage> stored);
