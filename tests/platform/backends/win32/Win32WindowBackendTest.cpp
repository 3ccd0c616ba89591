#include <gtest/gtest.h>

#include <string>

#include "platform/backends/WindowBackend.h"

TEST(Win32WindowBackend, IsTheDefaultBackendNamedWin32) {
    EXPECT_EQ(std::string(WindowBackendName), "win32");
}
