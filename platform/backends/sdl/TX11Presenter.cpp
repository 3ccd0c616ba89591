#include "platform/backends/sdl/TX11Presenter.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_syswm.h>
#include <X11/Xlib.h>

#include "platform/backends/sdl/SdlLibrary.h"
#include "platform/backends/sdl/X11Library.h"

namespace {

const TX11Library* Xlib() {
    return OpenX11Library();
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
    if (!Sdl().GetWindowWMInfo(window, &info) || info.subsystem != SDL_SYSWM_X11) return nullptr;
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
