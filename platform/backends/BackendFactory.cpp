#include "platform/backends/BackendFactory.h"

#include <cstdlib>
#include <iostream>

#include "platform/backends/WindowBackend.h"

std::unique_ptr<TBackend> CreateBackendFromEnvironment(const THeadlessBackendMaker& makeHeadless) {
    const char* variable = std::getenv("QUIBBLETON_BACKEND");
    const std::string windows = WindowBackendName;
    const std::string choice = variable && *variable ? variable : windows;
    if (choice == "headless") return makeHeadless();
    if (choice == windows) {
        std::string error;
        std::unique_ptr<TBackend> backend = CreateWindowBackend(error);
        if (!backend) std::cerr << "quibbleton: " << error << "\n";
        return backend;
    }
    std::cerr << "quibbleton: QUIBBLETON_BACKEND must be \"" << windows << "\" or \"headless\", not \""
              << choice << "\".\n";
    return nullptr;
}
