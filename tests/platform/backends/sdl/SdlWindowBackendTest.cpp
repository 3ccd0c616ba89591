#include <gtest/gtest.h>

#include <string>

#include "platform/backends/WindowBackend.h"

TEST(SdlWindowBackend, IsTheDefaultBackendNamedSdl) {
    EXPECT_EQ(std::string(WindowBackendName), "sdl");
}
