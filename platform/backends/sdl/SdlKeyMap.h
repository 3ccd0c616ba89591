#pragma once

#include <SDL2/SDL_keycode.h>

#include <cstdint>

// The original platform's virtual-key number for an SDL key; 0 for keys it has none for.
int VirtualKeyFromSdl(SDL_Keycode key);

// TShiftBits for SDL's modifier state.
std::uint32_t ShiftFromSdlModifiers(std::uint16_t modifiers);

// TShiftBits for SDL's mouse button state mask.
std::uint32_t ShiftFromSdlButtons(std::uint32_t buttons);
