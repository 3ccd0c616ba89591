#pragma once

// The script driver on the headless backend with a target of the test's own.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

#include "platform/automation/HeadlessSession.h"
#include "platform/automation/TScriptDriver.h"

class TFakeTarget : public TAutomationTarget {
public:
    std::string DumpWindowTree() override { return R"({"screen":[1,1],"windows":[]})"; }
    std::optional<TRect> FindNamedControl(const std::string& name) override {
        if (name == "Button1") return TRect::FromBounds(100, 200, 80, 24);
        return std::nullopt;
    }
};

struct TDriverFixture : ::testing::Test {
    THeadlessBackend backend;
    TFakeTarget target;
    std::optional<int> status;
    std::ostringstream out, err;
    std::unique_ptr<TScriptDriver> driver;

    void Load(const std::string& script) {
        auto reader = std::make_unique<TScriptReader>(std::make_unique<std::istringstream>(script));
        driver = std::make_unique<TScriptDriver>(backend, std::move(reader), [this](int s) { status = s; });
        driver->SetTarget(&target);
        driver->SetStreams(out, err);
        driver->Attach();
    }
    // Runs idle turns as the toolkit's loop would, with no timers, until the script ends.
    std::vector<TBackendEvent> RunToEnd() {
        std::vector<TBackendEvent> all;
        for (int turn = 0; turn < 100 && !status; ++turn)
            for (auto& e : backend.WaitEvents(std::nullopt))
                all.push_back(e);
        return all;
    }
};

// A fresh folder for one test's outputs, removed with everything in it.
struct TOutputFolder {
    std::filesystem::path Path = std::filesystem::temp_directory_path() /
                                 ("quibbleton-driver-" + std::to_string(::getpid()) + "-" +
                                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    TOutputFolder() {
        std::filesystem::remove_all(Path);
        std::filesystem::create_directories(Path);
    }
    ~TOutputFolder() { std::filesystem::remove_all(Path); }
};
