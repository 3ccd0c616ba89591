#pragma once

// The display library's default handler for asynchronous X errors ends the program. An error
// about a window that no longer exists is harmless here: SDL sends its wake-up messages to
// one of the program's windows, which may just have been destroyed (a closed drop-down list
// or message box). This filter drops those errors and passes every other one on to the
// handler that was installed before it. Installing it twice does nothing more.
void InstallX11ErrorFilter();
