#pragma once

#include <SDL2/SDL.h>

#include <string>

// The SDL2 functions the window backend calls, looked up when the first window backend starts
// instead of being linked into the program. Linked in, SDL2 and the fifty libraries it needs
// (sound, Wayland, D-Bus ...) are loaded and relocated before main on every start, which costs
// a headless run (a script, a test, the screen saver's start-up measure) about 15 ms of the
// processor for nothing.
#define QUIBBLETON_SDL_FUNCTIONS(F)                                                                          \
    F(BlitSurface, SDL_UpperBlit)                                                                            \
    F(CaptureMouse, SDL_CaptureMouse)                                                                        \
    F(CreateRGBSurfaceWithFormatFrom, SDL_CreateRGBSurfaceWithFormatFrom)                                    \
    F(CreateWindow, SDL_CreateWindow)                                                                        \
    F(DestroyWindow, SDL_DestroyWindow)                                                                      \
    F(FreeSurface, SDL_FreeSurface)                                                                          \
    F(GetCurrentVideoDriver, SDL_GetCurrentVideoDriver)                                                      \
    F(GetDisplayBounds, SDL_GetDisplayBounds)                                                                \
    F(GetError, SDL_GetError)                                                                                \
    F(GetGlobalMouseState, SDL_GetGlobalMouseState)                                                          \
    F(GetKeyboardFocus, SDL_GetKeyboardFocus)                                                                \
    F(GetModState, SDL_GetModState)                                                                          \
    F(GetMouseState, SDL_GetMouseState)                                                                      \
    F(GetTicks64, SDL_GetTicks64)                                                                            \
    F(GetWindowFromID, SDL_GetWindowFromID)                                                                  \
    F(GetWindowID, SDL_GetWindowID)                                                                          \
    F(GetWindowPosition, SDL_GetWindowPosition)                                                              \
    F(GetWindowSurface, SDL_GetWindowSurface)                                                                \
    F(HideWindow, SDL_HideWindow)                                                                            \
    F(Init, SDL_Init)                                                                                        \
    F(PollEvent, SDL_PollEvent)                                                                              \
    F(PushEvent, SDL_PushEvent)                                                                              \
    F(Quit, SDL_Quit)                                                                                        \
    F(RaiseWindow, SDL_RaiseWindow)                                                                          \
    F(RegisterEvents, SDL_RegisterEvents)                                                                    \
    F(SetHint, SDL_SetHint)                                                                                  \
    F(SetWindowPosition, SDL_SetWindowPosition)                                                              \
    F(SetWindowSize, SDL_SetWindowSize)                                                                      \
    F(SetWindowTitle, SDL_SetWindowTitle)                                                                    \
    F(ShowWindow, SDL_ShowWindow)                                                                            \
    F(StartTextInput, SDL_StartTextInput)                                                                    \
    F(UpdateWindowSurface, SDL_UpdateWindowSurface)                                                          \
    F(UpdateWindowSurfaceRects, SDL_UpdateWindowSurfaceRects)                                                \
    F(WaitEvent, SDL_WaitEvent)                                                                              \
    F(WaitEventTimeout, SDL_WaitEventTimeout)

struct TSdlLibrary {
#define QUIBBLETON_SDL_POINTER(member, function) decltype(&::function) member = nullptr;
    QUIBBLETON_SDL_FUNCTIONS(QUIBBLETON_SDL_POINTER)
#undef QUIBBLETON_SDL_POINTER
};

// Opens SDL2 once; false, with the reason in error, when it or one of its functions is missing.
bool OpenSdlLibrary(std::string& error);
// The functions; valid after OpenSdlLibrary succeeded.
const TSdlLibrary& Sdl();
