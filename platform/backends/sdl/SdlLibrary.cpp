#include "platform/backends/sdl/SdlLibrary.h"

#include <dlfcn.h>

namespace {

TSdlLibrary Library;

// Looks every function up; the first one missing names the failure.
bool LookUp(void* handle, std::string& error) {
#define QUIBBLETON_SDL_LOOKUP(member, function)                                                              \
    Library.member = reinterpret_cast<decltype(Library.member)>(::dlsym(handle, #function));                 \
    if (!Library.member) {                                                                                   \
        error = "SDL2 has no " #function;                                                                    \
        return false;                                                                                        \
    }
    QUIBBLETON_SDL_FUNCTIONS(QUIBBLETON_SDL_LOOKUP)
#undef QUIBBLETON_SDL_LOOKUP
    return true;
}

} // namespace

bool OpenSdlLibrary(std::string& error) {
    static std::string failure;
    static const bool opened = [] {
        void* handle = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL);
        if (!handle) {
            const char* reason = ::dlerror();
            failure = std::string("cannot load SDL2: ") + (reason ? reason : "not found");
            return false;
        }
        // The library stays loaded for the life of the process, as a linked one would.
        return LookUp(handle, failure);
    }();
    if (!opened) error = failure;
    return opened;
}

const TSdlLibrary& Sdl() {
    return Library;
}
