#pragma once

#include <iosfwd>
#include <span>
#include <string>
#include <vector>

#include "SkinTool.h"
#include "platform/graphics/TBitmap.h"
#include "skin/storedskins/StoredSkinPackages.h"

// The preview sheet of a skin: the program's own controls wearing it, in every state, laid
// out by TPreviewSheetLayout, with a title line naming the skin and its recolouring and a
// caption under each sample. Raises TToolError when the skin cannot be loaded.
TBitmap PaintPreviewSheet(const std::string& skin, const TSkinRecolouring& recolouring,
                          std::span<const TStoredSkinPackage> stored);

// The command "preview SKIN -o OUT.png [--hue N] [--saturation N]": writes the sheet as a
// 24-bit PNG. Errors go to err on one line and give exit status 1; nothing is written then.
int PreviewSkinSheet(const std::vector<std::string>& args, std::ostream& out, std::ostream& err,
                     std::span<const TStoredSkinPackage> stored);
