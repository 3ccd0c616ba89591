#pragma once

#include "render/TacFastPixels.h"

using TacFast32 = TacFastPixels<TPixelFormat::pf32bit, 4>;
