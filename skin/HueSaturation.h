#pragma once

#include <cstdint>

#include "platform/core/Color.h"

class TsSkinModel;

// Recolouring of a loaded skin: a hue rotation in the HSV model and a saturation change
// towards or away from each colour's grey. Both round halves to even.

// Rotates the colour's hue by `offset` degrees; system colour constants are converted to RGB
// first, greys come back unchanged. Negative sums are brought into 0..359.
TColor ChangeHue(std::int32_t offset, TColor color);

// Moves every channel by amount percent of its distance to the colour's grey (R + G + B) / 3:
// 100 turns the colour grey, -100 doubles the distances. 0 returns the colour unchanged.
TColor ChangeSaturation(TColor color, std::int32_t amount);

// The saturation amount of a manager's Saturation setting: (-saturation) rem 101.
std::int32_t SaturationAmount(std::int32_t saturation);

// Applies ChangeHue with the offset to the whole model: the master bitmap, the own bitmaps of
// the mask entries (converted to 24 bits first), the colours of the section records and the
// skin's global colours. Key-coloured and grey pixels are left alone. Nothing happens for 0.
void ApplyHueOffset(TsSkinModel& model, std::int32_t hueOffset);

// Applies ChangeSaturation with SaturationAmount(saturation) the same way; nothing happens
// when saturation is 0.
void ApplySaturation(TsSkinModel& model, std::int32_t saturation);
