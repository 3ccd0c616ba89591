#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

// The X library functions the window backend calls itself, looked up when the first window
// backend starts (SDL2 opens the same library for its display), so that a headless run
// never loads it.
#define QUIBBLETON_X11_FUNCTIONS(F)                                                                          \
    F(Bell, XBell)                                                                                           \
    F(ChangeProperty, XChangeProperty)                                                                       \
    F(CreateGC, XCreateGC)                                                                                   \
    F(DeleteProperty, XDeleteProperty)                                                                       \
    F(Flush, XFlush)                                                                                         \
    F(Free, XFree)                                                                                           \
    F(FreeGC, XFreeGC)                                                                                       \
    F(GetGeometry, XGetGeometry)                                                                             \
    F(GetWindowAttributes, XGetWindowAttributes)                                                             \
    F(GetWindowProperty, XGetWindowProperty)                                                                 \
    F(InitImage, XInitImage)                                                                                 \
    F(InternAtom, XInternAtom)                                                                               \
    F(ListPixmapFormats, XListPixmapFormats)                                                                 \
    F(PutImage, XPutImage)                                                                                   \
    F(QueryPointer, XQueryPointer)                                                                           \
    F(SelectInput, XSelectInput)                                                                             \
    F(SendEvent, XSendEvent)                                                                                 \
    F(SetClassHint, XSetClassHint)                                                                           \
    F(SetErrorHandler, XSetErrorHandler)                                                                     \
    F(SetTextProperty, XSetTextProperty)                                                                     \
    F(Utf8TextListToTextProperty, Xutf8TextListToTextProperty)

struct TX11Library {
#define QUIBBLETON_X11_POINTER(member, function) decltype(&::function) member = nullptr;
    QUIBBLETON_X11_FUNCTIONS(QUIBBLETON_X11_POINTER)
#undef QUIBBLETON_X11_POINTER
};

// Opens the X library once; null when it or one of its functions is missing.
const TX11Library* OpenX11Library();
