#pragma once

#include <memory>
#include <vector>

#include "platform/backends/sdl/TX11Presenter.h"
#include "platform/graphics/TBitmap.h"
#include "platform/graphics/TRegion.h"

struct SDL_Window;
struct SDL_Surface;

// Shows pictures in one SDL window, copying only what changed. Where the window takes the
// pictures' pixels as they are, the damaged rectangles go straight to the X server
// (TX11Presenter) and SDL never makes a window image; otherwise they are copied into SDL's
// window image and only they are updated, once that image holds a whole picture.
class TSdlPresenter {
public:
    explicit TSdlPresenter(SDL_Window* window);

    // damaged is in picture coordinates; what lies outside the picture is ignored.
    void Present(const TBitmap& picture, const TRegion& damaged);

private:
    void PresentThroughSdl(const TBitmap& picture, const TRegion& damaged);

    SDL_Window* m_window;
    bool m_triedX11 = false;
    std::unique_ptr<TX11Presenter> m_x11;
    // The window image that holds a whole picture, and its size: a new image (the window was
    // resized) gets the whole picture first.
    const SDL_Surface* m_filled = nullptr;
    int m_filledWidth = 0;
    int m_filledHeight = 0;
};
