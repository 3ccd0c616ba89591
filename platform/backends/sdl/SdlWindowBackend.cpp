#include "platform/backends/WindowBackend.h"
#include "platform/backends/sdl/TSdlBackend.h"

const char* const WindowBackendName = "sdl";

std::unique_ptr<TBackend> CreateWindowBackend(std::string& error) {
    std::string reason;
    std::unique_ptr<TSdlBackend> backend = TSdlBackend::Create(reason);
    if (!backend)
        error = "cannot open a window, no display is available (" + reason +
                "). Set DISPLAY, or run without windows with QUIBBLETON_BACKEND=headless.";
    return backend;
}
