#include "platform/backends/BackendFactory.h"

#include <cstdlib>
#include <iostream>

#include "platform/backends/sdl/TSdlBackend.h"

std::unique_ptr<TBackend> CreateBackendFromEnvironment(const THeadlessBackendMaker& makeHeadless) {
    const char* variable = std::getenv("QUIBBLETON_BACKEND");
    const std::string choice = variable && *variable ? variable : "sdl";
    if (choice == "headless") return makeHeadless();
    if (choice == "sdl") {
        std::string error;
        std::unique_ptr<TSdlBackend> backend = TSdlBackend::Create(error);
        if (!backend)
            std::cerr << "quibbleton: cannot open a window, no display is available (" << error
                      << "). Set DISPLAY, or run without windows with QUIBBLETON_BACKEND=headless.\n";
        return backend;
    }
    std::cerr << "quibbleton: QUIBBLETON_BACKEND must be \"sdl\" or \"headless\", not \"" << choice
              << "\".\n";
    return nullptr;
}
