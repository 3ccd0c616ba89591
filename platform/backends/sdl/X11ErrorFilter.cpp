#include "platform/backends/sdl/X11ErrorFilter.h"

#include <X11/Xlib.h>
#include <dlfcn.h>

namespace {

XErrorHandler PreviousHandler = nullptr;

int FilterError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow) return 0;
    return PreviousHandler ? PreviousHandler(display, error) : 0;
}

} // namespace

void InstallX11ErrorFilter() {
    static const bool installed = [] {
        // The X library is opened here, as SDL2 opens it for its display: it is not linked in.
        void* library = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!library) return false;
        auto setHandler = reinterpret_cast<decltype(&XSetErrorHandler)>(::dlsym(library, "XSetErrorHandler"));
        if (!setHandler) return false;
        PreviousHandler = setHandler(FilterError);
        return true;
    }();
    (void)installed;
}
