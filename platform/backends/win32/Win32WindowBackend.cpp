#include "platform/backends/WindowBackend.h"
#include "platform/backends/win32/TWin32Backend.h"

const char* const WindowBackendName = "win32";

std::unique_ptr<TBackend> CreateWindowBackend(std::string& error) {
    std::string reason;
    std::unique_ptr<TWin32Backend> backend = TWin32Backend::Create(reason);
    if (!backend)
        error =
            "cannot open a window (" + reason + "). Run without windows with QUIBBLETON_BACKEND=headless.";
    return backend;
}
