#include <iostream>

#include "SkinPreview.h"
#include "SkinRender.h"
#include "SkinTool.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && args[0] == "render")
        return RenderSkinFace(args, std::cout, std::cerr, StoredSkinPackages());
    if (!args.empty() && args[0] == "preview")
        return PreviewSkinSheet(args, std::cout, std::cerr, StoredSkinPackages());
    return RunSkinTool(args, std::cout, std::cerr, StoredSkinPackages());
}
