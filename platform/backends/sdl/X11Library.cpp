#include "platform/backends/sdl/X11Library.h"

#include <dlfcn.h>

const TX11Library* OpenX11Library() {
    static TX11Library library;
    static const bool opened = [] {
        void* handle = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return false;
            // The library stays loaded for the life of the process, as a linked one would.
#define QUIBBLETON_X11_LOOKUP(member, function)                                                              \
    library.member = reinterpret_cast<decltype(library.member)>(::dlsym(handle, #function));                 \
    if (!library.member) return false;
        QUIBBLETON_X11_FUNCTIONS(QUIBBLETON_X11_LOOKUP)
#undef QUIBBLETON_X11_LOOKUP
        return true;
    }();
    return opened ? &library : nullptr;
}
