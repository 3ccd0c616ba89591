#pragma once

#include <memory>
#include <vector>

#include "platform/graphics/TBitmap.h"

struct SDL_Window;
struct _XDisplay;
struct _XGC;

// Puts rectangles of a 32-bit picture straight from its own rows into an X window. SDL's
// window image would be a second full-screen copy of a form's surface, made only to be
// copied on to the X server; this way the window needs no picture of its own in the program.
class TX11Presenter {
public:
    // Null when the window is no X window or its visual does not take the picture's pixels as
    // they are (24-bit true colour, 32 bits a pixel, red in bits 16 to 23).
    static std::unique_ptr<TX11Presenter> Create(SDL_Window* window);
    ~TX11Presenter();
    TX11Presenter(const TX11Presenter&) = delete;
    TX11Presenter& operator=(const TX11Presenter&) = delete;

    // True when the picture can be put as it lies in memory (32-bit, rows top to bottom).
    static bool Takes(const TBitmap& picture);
    // Callers clip the rectangles to the picture, which Takes.
    void Put(const TBitmap& picture, const std::vector<TRect>& rects);

private:
    TX11Presenter(_XDisplay* display, unsigned long window, _XGC* gc);

    _XDisplay* m_display;
    unsigned long m_window;
    _XGC* m_gc;
};
