#include "platform/backends/sdl/X11ErrorFilter.h"

#include "platform/backends/sdl/X11Library.h"

namespace {

constexpr unsigned char SetInputFocusRequest = 42; // X_SetInputFocus

XErrorHandler PreviousHandler = nullptr;

int FilterError(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow) return 0;
    // A window may be unmapped between the backend's check and the server's handling of a
    // focus request; the focus then simply stays where it was.
    if (error->error_code == BadMatch && error->request_code == SetInputFocusRequest) return 0;
    return PreviousHandler ? PreviousHandler(display, error) : 0;
}

} // namespace

void InstallX11ErrorFilter() {
    static const bool installed = [] {
        const TX11Library* x = OpenX11Library();
        if (!x) return false;
        PreviousHandler = x->SetErrorHandler(FilterError);
        return true;
    }();
    (void)installed;
}
