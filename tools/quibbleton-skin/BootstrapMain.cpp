#include <iostream>

#include "SkinTool.h"

// The packer the build runs before the stored skins exist: the same tool without them.
int main(int argc, char** argv) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunSkinTool(args, std::cout, std::cerr, {});
}
