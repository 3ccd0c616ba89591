#include "platform/backends/sdl/TX11Presenter.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>
#include <dlfcn.h>

namespace {

// The X library's functions the presenter calls; the library is opened at run time, as SDL
// opens it for its display.
struct TXlib {
    decltype(&::XCreateGC) CreateGC = nullptr;
    decltype(&::XFreeGC) FreeGC = nullptr;
    decltype(&::XPutImage) PutImage = nullptr;
    decltype(&::XFlush) Flush = nullptr;
    decltype(&::XGetWindowAttributes) GetWindowAttributes = nullptr;
    decltype(&::XInitImage) InitImage = nullptr;
    decltype(&::XListPixmapFormats) ListPixmapFormats = nullptr;
    decltype(&::XFree) Free = nullptr;
    // SDL's, looked up here because only the presenter includes the window-system header.
    decltype(&::SDL_GetWindowWMInfo) GetWindowWMInfo = nullptr;
};

template <typename F> bool LookUp(void* library, const char* name, F& function) {
    function = reinterpret_cast<F>(::dlsym(library, name));
    return function != nullptr;
}

const TXlib* Xlib() {
    static const TXlib* const library = []() -> const TXlib* {
        static TXlib x;
        void* handle = ::dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (!handle) return nullptr;
        const bool found = LookUp(handle, "XCreateGC", x.CreateGC) && LookUp(handle, "XFreeGC", x.FreeGC) &&
                           LookUp(handle, "XPutImage", x.PutImage) && LookUp(handle, "XFlush", x.Flush) &&
                           LookUp(handle, "XGetWindowAttributes", x.GetWindowAttributes) &&
                           LookUp(handle, "XInitImage", x.InitImage) &&
                           LookUp(handle, "XListPixmapFormats", x.ListPixmapFormats) &&
                           LookUp(handle, "XFree", x.Free);
        void* sdl = ::dlopen("libSDL2-2.0.so.0", RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
        if (!found || !sdl || !LookUp(sdl, "SDL_GetWindowWMInfo", x.GetWindowWMInfo)) return nullptr;
        return &x;
    }();
    return library;
}

// True when the server stores depth-24 pixels in 32 bits, as the picture does.
bool Depth24Uses32Bits(Display* display) {
    int count = 0;
    XPixmapFormatValues* formats = Xlib()->ListPixmapFormats(display, &count);
    if (!formats) return false;
    bool found = false;
    for (int i = 0; i < count; ++i)
        if (formats[i].depth == 24) found = formats[i].bits_per_pixel == 32;
    Xlib()->Free(formats);
    return found;
}

} // namespace

std::unique_ptr<TX11Presenter> TX11Presenter::Create(SDL_Window* window) {
    if (!window || !Xlib()) return nullptr;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!Xlib()->GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
    Display* display = info.info.x11.display;
    const ::Window xwindow = info.info.x11.window;
    XWindowAttributes attributes{};
    if (!display || !Xlib()->GetWindowAttributes(display, xwindow, &attributes)) return nullptr;
    const Visual* visual = attributes.visual;
    if (attributes.depth != 24 || !visual || visual->red_mask != 0xFF0000 || visual->green_mask != 0xFF00 ||
        visual->blue_mask != 0xFF || !Depth24Uses32Bits(display))
        return nullptr;
    GC gc = Xlib()->CreateGC(display, xwindow, 0, nullptr);
    if (!gc) return nullptr;
    return std::unique_ptr<TX11Presenter>(new TX11Presenter(display, xwindow, gc));
}

TX11Presenter::TX11Presenter(_XDisplay* display, unsigned long window, _XGC* gc)
    : m_display(display), m_window(window), m_gc(gc) {}

TX11Presenter::~TX11Presenter() {
    Xlib()->FreeGC(m_display, m_gc);
}

bool TX11Presenter::Takes(const TBitmap& picture) {
    return picture.PixelFormat() == TPixelFormat::pf32bit && !picture.IsEmpty() &&
           picture.RowStep() >= std::ptrdiff_t(picture.Width()) * 4;
}

void TX11Presenter::Put(const TBitmap& picture, const std::vector<TRect>& rects) {
    if (rects.empty()) return;
    XImage image{};
    image.width = picture.Width();
    image.height = picture.Height();
    image.format = ZPixmap;
    // Xlib only reads the rows.
    image.data = reinterpret_cast<char*>(const_cast<std::uint8_t*>(picture.ScanLine(0)));
    image.byte_order = LSBFirst;
    image.bitmap_unit = 32;
    image.bitmap_bit_order = LSBFirst;
    image.bitmap_pad = 32;
    image.depth = 24;
    image.bytes_per_line = int(picture.RowStep());
    image.bits_per_pixel = 32;
    image.red_mask = 0xFF0000;
    image.green_mask = 0xFF00;
    image.blue_mask = 0xFF;
    if (!Xlib()->InitImage(&image)) return;
    for (const TRect& r : rects)
        Xlib()->PutImage(m_display, m_window, m_gc, &image, r.Left, r.Top, r.Left, r.Top, unsigned(r.Width()),
                         unsigned(r.Height()));
    Xlib()->Flush(m_display);
}
