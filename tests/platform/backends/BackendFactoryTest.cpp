#include <gtest/gtest.h>

#include "platform/backends/BackendFactory.h"
#include "platform/backends/WindowBackend.h"
#include "platform/backends/headless/THeadlessBackend.h"
#include "platform/os/OsTestSupport.h"

namespace {

// A maker that counts its calls and makes a plain headless backend.
struct TCountingMaker {
    int Calls = 0;
    THeadlessBackendMaker Maker() {
        return [this]() -> std::unique_ptr<TBackend> {
            ++Calls;
            return std::make_unique<THeadlessBackend>(TSize{320, 200});
        };
    }
};

} // namespace

TEST(BackendFactory, HeadlessIsMadeByTheGivenMaker) {
    TScopedEnv backend("QUIBBLETON_BACKEND", std::string("headless"));
    TCountingMaker maker;
    std::unique_ptr<TBackend> made = CreateBackendFromEnvironment(maker.Maker());
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(made->Name(), "headless");
    EXPECT_EQ(made->ScreenSize(), (TSize{320, 200}));
    EXPECT_EQ(maker.Calls, 1);
}

TEST(BackendFactory, FailingHeadlessMakerGivesNoBackend) {
    TScopedEnv backend("QUIBBLETON_BACKEND", std::string("headless"));
    EXPECT_EQ(CreateBackendFromEnvironment([] { return std::unique_ptr<TBackend>(); }), nullptr);
}

TEST(BackendFactory, UnknownChoiceGivesNoBackendAndNeverAsksTheMaker) {
    TScopedEnv backend("QUIBBLETON_BACKEND", std::string("vga"));
    TCountingMaker maker;
    testing::internal::CaptureStderr();
    EXPECT_EQ(CreateBackendFromEnvironment(maker.Maker()), nullptr);
    const std::string error = testing::internal::GetCapturedStderr();
    const std::string expected =
        std::string("QUIBBLETON_BACKEND must be \"") + WindowBackendName + "\" or \"headless\"";
    EXPECT_NE(error.find(expected), std::string::npos) << error;
    EXPECT_EQ(maker.Calls, 0);
}
