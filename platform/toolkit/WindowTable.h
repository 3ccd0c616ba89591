#pragma once

#include "platform/toolkit/Messages.h"

class TWinControl;

// The window system's handle table: handles are never reused, so a handle of a destroyed
// window simply finds nothing. This table is the one process-wide value of this file.
namespace WindowTable {

THandle Register(TWinControl* control);
void Unregister(THandle handle);
// The control of the handle, or null.
TWinControl* Find(THandle handle);

} // namespace WindowTable
