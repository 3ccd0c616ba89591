#include "platform/backends/sdl/X11ErrorFilter.h"

#include <X11/Xlib.h>

namespace {

XErrorHandler PreviousHandler = nullptr;

int FilterError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow) return 0;
    return PreviousHandler ? PreviousHandler(display, error) : 0;
}

} // namespace

void InstallX11ErrorFilter() {
    static const bool installed = [] {
        PreviousHandler = XSetErrorHandler(FilterError);
        return true;
    }();
    (void)installed;
}
