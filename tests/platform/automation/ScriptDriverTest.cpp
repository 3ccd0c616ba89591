#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/automation/HeadlessSession.h"
#include "platform/automation/TDriverFixture.h"
#include "platform/automation/TScriptDriver.h"
#include "platform/core/VirtualKeys.h"

TEST_F(TDriverFixture, EndOfScriptFinishesWithStatusZero) {
    Load("# nothing\n\n");
    RunToEnd();
    EXPECT_EQ(status, 0);
}

TEST_F(TDriverFixture, EachIdleTurnRunsOneCommand) {
    Load("move 1 1\nmove 2 2\n");
    EXPECT_EQ(backend.WaitEvents(std::nullopt).size(), 1u);
    EXPECT_EQ(backend.MousePos(), (TPoint{1, 1}));
    EXPECT_EQ(backend.WaitEvents(std::nullopt).size(), 1u);
    EXPECT_EQ(backend.MousePos(), (TPoint{2, 2}));
    EXPECT_FALSE(status.has_value());
    backend.WaitEvents(std::nullopt);
    EXPECT_EQ(status, 0);
}

TEST_F(TDriverFixture, MalformedLineStopsWithStatusTwoNamingTheLine) {
    Load("move 1 1\nmove 2\nmove 3 3\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("line 2"), std::string::npos) << err.str();
    EXPECT_EQ(backend.MousePos(), (TPoint{1, 1}));
}

TEST_F(TDriverFixture, UnknownCommandStopsWithStatusTwo) {
    Load("fly 1 2\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("line 1"), std::string::npos);
}

TEST_F(TDriverFixture, ClickByNamePressesAndReleasesAtTheCentre) {
    Load("click Button1\n");
    const auto events = RunToEnd();
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[events.size() - 2].Kind, TBackendEventKind::MouseDown);
    EXPECT_EQ(events.back().Kind, TBackendEventKind::MouseUp);
    EXPECT_EQ(events.back().ScreenPos, (TPoint{140, 212}));
    EXPECT_EQ(status, 0);
}

TEST_F(TDriverFixture, ClickOnAMissingNameStopsWithStatusTwo) {
    Load("click Nobody\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("Nobody"), std::string::npos);
}

TEST_F(TDriverFixture, KeyWithModifiersWrapsTheKeyInModifierPresses) {
    Load("key Ctrl+Shift+Home\n");
    const auto events = RunToEnd();
    std::vector<std::pair<TBackendEventKind, int>> keys;
    for (const auto& e : events)
        keys.emplace_back(e.Kind, e.Key);
    using K = TBackendEventKind;
    EXPECT_EQ(keys, (std::vector<std::pair<K, int>>{{K::KeyDown, VK_CONTROL},
                                                    {K::KeyDown, VK_SHIFT},
                                                    {K::KeyDown, VK_HOME},
                                                    {K::KeyUp, VK_HOME},
                                                    {K::KeyUp, VK_SHIFT},
                                                    {K::KeyUp, VK_CONTROL}}));
    EXPECT_EQ(events[2].Shift, std::uint32_t(ssCtrl | ssShift));
}

TEST_F(TDriverFixture, KeyOfALetterAlsoTypesIt) {
    Load("key q\n");
    const auto events = RunToEnd();
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[1].Kind, TBackendEventKind::Text);
    EXPECT_EQ(events[1].Text, "q");
}

TEST_F(TDriverFixture, WaitStopsAtEachTimerDeadlineInOrder) {
    Load("wait 250\n");
    backend.WaitEvents(100);
    EXPECT_EQ(backend.NowMs(), 100u);
    backend.WaitEvents(200);
    EXPECT_EQ(backend.NowMs(), 200u);
    backend.WaitEvents(300);
    EXPECT_EQ(backend.NowMs(), 250u);
    EXPECT_FALSE(status.has_value());
    backend.WaitEvents(300);
    EXPECT_EQ(status, 0);
    EXPECT_EQ(backend.NowMs(), 250u);
}

TEST_F(TDriverFixture, WaitWithoutTimersMovesTheClockAtOnce) {
    Load("wait 1000\nwait 500\n");
    backend.WaitEvents(std::nullopt);
    EXPECT_EQ(backend.NowMs(), 1000u);
    backend.WaitEvents(std::nullopt);
    EXPECT_EQ(backend.NowMs(), 1500u);
}

TEST_F(TDriverFixture, DumpToStandardOutputWritesTheTree) {
    Load("dump -\n");
    RunToEnd();
    EXPECT_EQ(out.str(), "{\"screen\":[1,1],\"windows\":[]}\n");
}

TEST_F(TDriverFixture, DumpToAnUnwritablePathStopsWithStatusTwo) {
    Load("dump /nonexistent-dir/x/tree.json\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
}

TEST_F(TDriverFixture, ShotWritesAPngOfTheScreen) {
    const auto path = std::filesystem::temp_directory_path() / "quibbleton-driver-shot.png";
    std::filesystem::remove(path);
    backend.ResizeScreen({32, 16});
    backend.WaitEvents(std::nullopt);
    Load("shot " + path.string() + "\n");
    RunToEnd();
    EXPECT_EQ(status, 0) << err.str();
    std::ifstream file(path, std::ios::binary);
    char signature[8] = {};
    file.read(signature, 8);
    file.close(); // a file still open may not be removed on Windows
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");
    std::filesystem::remove(path);
}

TEST_F(TDriverFixture, DumpToAFileWritesTheTree) {
    TOutputFolder folder;
    const auto path = folder.Path / "tree.json";
    Load("dump " + path.string() + "\n");
    RunToEnd();
    EXPECT_EQ(status, 0) << err.str();
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    EXPECT_EQ(text.str(), target.DumpWindowTree() + "\n");
}

TEST_F(TDriverFixture, ScreenCommandResizesTheVirtualScreen) {
    Load("screen 1024 768\n");
    const auto events = RunToEnd();
    EXPECT_EQ(backend.ScreenSize(), (TSize{1024, 768}));
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].Kind, TBackendEventKind::ScreenResized);
}

TEST_F(TDriverFixture, OverlongLineStopsWithStatusTwo) {
    Load("type " + std::string(TScriptReader::MaxLineLength + 10, 'x') + "\n");
    RunToEnd();
    EXPECT_EQ(status, 2);
    EXPECT_NE(err.str().find("line 1"), std::string::npos);
}

TEST(HeadlessSession, ScreenSizeParsesWidthByHeight) {
    EXPECT_EQ(ParseScreenSize("800x600"), (TSize{800, 600}));
    EXPECT_EQ(ParseScreenSize("1x1"), (TSize{1, 1}));
    EXPECT_EQ(ParseScreenSize("8192x8192"), (TSize{8192, 8192}));
    for (std::string_view bad :
         {"", "800", "800x", "x600", "0x600", "800x600x2", "-800x600", "99999x10", "8193x10", "axb"})
        EXPECT_FALSE(ParseScreenSize(bad).has_value()) << bad;
}
