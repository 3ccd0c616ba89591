#include <gtest/gtest.h>

#include <X11/Xlib.h>

#include "platform/backends/sdl/X11ErrorFilter.h"

namespace {

// The handler in force after the filter is installed must drop an error about a window that
// is gone instead of ending the program, as the library's default handler does.
TEST(X11ErrorFilter, DropsErrorsAboutVanishedWindows) {
    InstallX11ErrorFilter();
    const XErrorHandler current = XSetErrorHandler(nullptr);
    XSetErrorHandler(current);
    ASSERT_NE(current, nullptr);
    XErrorEvent error{};
    error.type = 0;
    error.error_code = BadWindow;
    error.request_code = 25; // X_SendEvent
    EXPECT_EQ(current(nullptr, &error), 0);
}

TEST(X11ErrorFilter, InstallingTwiceKeepsOneFilter) {
    InstallX11ErrorFilter();
    const XErrorHandler first = XSetErrorHandler(nullptr);
    XSetErrorHandler(first);
    InstallX11ErrorFilter();
    const XErrorHandler second = XSetErrorHandler(nullptr);
    XSetErrorHandler(second);
    EXPECT_EQ(first, second);
}

} // namespace
