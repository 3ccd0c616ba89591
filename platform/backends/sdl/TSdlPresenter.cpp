#include "platform/backends/sdl/TSdlPresenter.h"

#include <SDL2/SDL.h>

#include "platform/backends/PresentRects.h"
#include "platform/backends/sdl/SdlLibrary.h"

static_assert(SDL_BYTEORDER == SDL_LIL_ENDIAN, "32-bit bitmaps are shown as XRGB8888 words");

TSdlPresenter::TSdlPresenter(SDL_Window* window) : m_window(window) {}

void TSdlPresenter::Present(const TBitmap& picture, const TRegion& damaged) {
    if (picture.IsEmpty()) return;
    if (!m_triedX11) {
        m_triedX11 = true;
        m_x11 = TX11Presenter::Create(m_window);
    }
    if (m_x11 && TX11Presenter::Takes(picture)) {
        m_x11->Put(picture, RectsToPresent(damaged, picture.BoundsRect()));
        return;
    }
    PresentThroughSdl(picture, damaged);
}

void TSdlPresenter::PresentThroughSdl(const TBitmap& picture, const TRegion& damaged) {
    SDL_Surface* target = Sdl().GetWindowSurface(m_window);
    if (!target) return;
    TBitmap converted;
    const TBitmap* source = &picture;
    if (picture.PixelFormat() == TPixelFormat::pf8bit || picture.RowStep() <= 0) {
        converted = picture;
        converted.SetPixelFormat(TPixelFormat::pf24bit);
        source = &converted;
    }
    const bool is32 = source->PixelFormat() == TPixelFormat::pf32bit;
    SDL_Surface* upload = Sdl().CreateRGBSurfaceWithFormatFrom(
        const_cast<std::uint8_t*>(source->ScanLine(0)), source->Width(), source->Height(), is32 ? 32 : 24,
        int(source->RowStep()), is32 ? SDL_PIXELFORMAT_XRGB8888 : SDL_PIXELFORMAT_BGR24);
    if (!upload) return;
    const bool whole = target != m_filled || target->w != m_filledWidth || target->h != m_filledHeight;
    const std::vector<TRect> rects =
        whole ? std::vector<TRect>{picture.BoundsRect()} : RectsToPresent(damaged, picture.BoundsRect());
    std::vector<SDL_Rect> updated;
    updated.reserve(rects.size());
    for (const TRect& r : rects) {
        SDL_Rect from{r.Left, r.Top, r.Width(), r.Height()};
        SDL_Rect to = from;
        Sdl().BlitSurface(upload, &from, target, &to);
        updated.push_back(to);
    }
    Sdl().FreeSurface(upload);
    if (!updated.empty()) Sdl().UpdateWindowSurfaceRects(m_window, updated.data(), int(updated.size()));
    m_filled = target;
    m_filledWidth = target->w;
    m_filledHeight = target->h;
}
