#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "skin/storedskins/StoredSkinPackages.h"

// The command "render SKIN SECTION WxH -o OUT.png [options]": paints what a control bound to
// the section shows at that size and writes its face bitmap as a 24-bit PNG. Errors go to err
// on one line and give exit status 1; nothing is written then.
int RenderSkinFace(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                   std::span<const TStoredSkinPackage> stored);
