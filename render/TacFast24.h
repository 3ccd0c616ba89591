#pragma once

#include "render/TacFastPixels.h"

using TacFast24 = TacFastPixels<TPixelFormat::pf24bit, 3>;
