#pragma once

#include "platform/graphics/TBitmap.h"

// The program's icon, the one its desktop entries show, decoded from the copy built into the
// program: a 32-bit bitmap whose fourth byte is each pixel's opacity. Empty if it cannot be
// decoded.
TBitmap ProgramIcon();
