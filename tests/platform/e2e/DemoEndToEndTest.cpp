#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "DemoRunner.h"

namespace {

TJsonValue ParseDump(const std::string& text) {
    const auto json = ParseJson(text);
    EXPECT_TRUE(json.has_value()) << "not JSON: " << text.substr(0, 400);
    return json.value_or(TJsonValue{});
}

std::string TestName() {
    return ::testing::UnitTest::GetInstance()->current_test_info()->name();
}

} // namespace

TEST(DemoEndToEnd, DumpShowsTheDemoDialogWithItsControls) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "dump " + dir + "/tree.json\n");
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TJsonValue dump = ParseDump(ReadFile(dir + "/tree.json"));
    EXPECT_EQ(dump["screen"][0].Int(), 1920);
    EXPECT_EQ(dump["screen"][1].Int(), 1080);
    ASSERT_EQ(dump["windows"].Array.size(), 1u);
    const TJsonValue& form = dump["windows"][0];
    EXPECT_EQ(form["text"].String, "Demo");
    EXPECT_TRUE(form["visible"].Bool);
    const TJsonValue* ok = FindNode(dump, "Button1");
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->operator[]("class").String, "TButton");
    EXPECT_EQ(ok->operator[]("text").String, "OK");
    for (const char* name : {"Button2", "Label1"})
        EXPECT_NE(FindNode(dump, name), nullptr) << name;
}

TEST(DemoEndToEnd, DemoFormIsCentredOnTheScreenGivenAtStart) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "dump -\n", {{"QUIBBLETON_SCREEN", "800x600"}});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TJsonValue dump = ParseDump(run.Out);
    EXPECT_EQ(dump["screen"][0].Int(), 800);
    const TJsonValue& bounds = dump["windows"][0]["screen"];
    EXPECT_NEAR(bounds[0].Int() + bounds[2].Int() / 2, 400, 1);
    EXPECT_NEAR(bounds[1].Int() + bounds[3].Int() / 2, 300, 1);
}

TEST(DemoEndToEnd, ScreenCommandChangesTheDumpedScreen) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "screen 1024 768\ndump -\n");
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TJsonValue dump = ParseDump(run.Out);
    EXPECT_EQ(dump["screen"][0].Int(), 1024);
    EXPECT_EQ(dump["screen"][1].Int(), 768);
}

TEST(DemoEndToEnd, SecondButtonOpensAModalMessageBoxThatEnterCloses) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "click Button2\n"
                                      "dump " +
                                          dir +
                                          "/open.json\n"
                                          "key Enter\n"
                                          "dump " +
                                          dir + "/closed.json\n");
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TJsonValue open = ParseDump(ReadFile(dir + "/open.json"));
    ASSERT_GE(open["windows"].Array.size(), 2u);
    EXPECT_EQ(open["windows"][0]["class"].String, "TMessageForm");
    EXPECT_EQ(open["windows"][0]["text"].String, "Demo");
    const TJsonValue closed = ParseDump(ReadFile(dir + "/closed.json"));
    int shown = 0;
    for (const TJsonValue& form : closed["windows"].Array)
        shown += form["visible"].Bool ? 1 : 0;
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(closed["windows"][0]["text"].String, "Demo");
}

TEST(DemoEndToEnd, FirstButtonClosesTheDemoAndEndsTheProgram) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "click Button1\ndump " + dir + "/after.json\n");
    EXPECT_EQ(run.ExitStatus, 0) << run.Err;
    // The program ended with its main form, before the script's next line.
    EXPECT_FALSE(std::filesystem::exists(dir + "/after.json"));
}

TEST(DemoEndToEnd, ScreenshotShowsTheDialogOnTheDesktop) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "dump " + dir + "/tree.json\nshot " + dir + "/screen.png\n",
                                 {{"QUIBBLETON_SCREEN", "640x480"}});
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TRgbImage image = ReadPng(dir + "/screen.png");
    ASSERT_EQ(image.Width, 640);
    ASSERT_EQ(image.Height, 480);
    std::set<unsigned> colours;
    for (int y = 0; y < image.Height; y += 3)
        for (int x = 0; x < image.Width; x += 3)
            colours.insert(image.Pixel(x, y));
    EXPECT_GT(colours.size(), 4u) << "the screenshot is nearly blank";
    const TJsonValue dump = ParseDump(ReadFile(dir + "/tree.json"));
    const TJsonValue& form = dump["windows"][0]["screen"];
    const unsigned desktop = image.Pixel(2, 2);
    EXPECT_NE(image.Pixel(form[0].Int() + form[2].Int() / 2, form[1].Int() + form[3].Int() / 2), desktop);
}

TEST(DemoEndToEnd, MalformedScriptLineEndsWithStatusTwoNamingTheLine) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "# fine\nmove 10 10\nclick here and there\n");
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_NE(run.Err.find("line 3"), std::string::npos) << run.Err;
}

TEST(DemoEndToEnd, UnknownNameEndsWithStatusTwo) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "click NoSuchButton\n");
    EXPECT_EQ(run.ExitStatus, 2);
    EXPECT_NE(run.Err.find("NoSuchButton"), std::string::npos) << run.Err;
}

TEST(DemoEndToEnd, MissingScriptFileEndsWithStatusOne) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "", {{"QUIBBLETON_SCRIPT", dir + "/absent.txt"}});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Err.find("absent.txt"), std::string::npos) << run.Err;
}

TEST(DemoEndToEnd, SdlWithoutADisplayExplainsAndEndsWithStatusOne) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "",
                                 {{"QUIBBLETON_BACKEND", "sdl"},
                                  {"DISPLAY", "<unset>"},
                                  {"WAYLAND_DISPLAY", "<unset>"},
                                  {"SDL_VIDEODRIVER", "<unset>"}});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Err.find("no display"), std::string::npos) << run.Err;
}

TEST(DemoEndToEnd, UnknownBackendIsRefused) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "", {{"QUIBBLETON_BACKEND", "vga"}});
    EXPECT_EQ(run.ExitStatus, 1);
    EXPECT_NE(run.Err.find("QUIBBLETON_BACKEND"), std::string::npos) << run.Err;
}

namespace {

// The demo form's node of a dump (message boxes and lists may be listed above it).
const TJsonValue& DemoForm(const TJsonValue& dump) {
    for (const TJsonValue& form : dump["windows"].Array)
        if (form["name"].String == "DemoForm") return form;
    return dump["windows"][0];
}

// Where a control of the demo is on the screen, from a dump of the untouched demo.
TJsonValue ScreenBoxOf(const std::string& dir, const std::string& name) {
    const TDemoRun run = RunDemo(dir, "dump -\n");
    const TJsonValue dump = ParseDump(run.Out);
    const TJsonValue* node = FindNode(dump, name);
    return node ? (*node)["screen"] : TJsonValue{};
}

} // namespace

TEST(DemoEndToEnd, TypingIntoTheEditAppendsAtTheCaret) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "click Edit1\nkey End\ntype  world\ndump -\n");
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TJsonValue dump = ParseDump(run.Out);
    const TJsonValue* edit = FindNode(dump, "Edit1");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ((*edit)["text"].String, "Edit1 world");
    EXPECT_TRUE((*edit)["focused"].Bool);
}

TEST(DemoEndToEnd, ComboBoxListDropsDownAndKeysPickAnItem) {
    const std::string dir = MakeTestDirectory(TestName());
    const TDemoRun run = RunDemo(dir, "click ComboBox1\n"
                                      "dump " +
                                          dir +
                                          "/dropped.json\n"
                                          "key Down\nkey Down\nkey Enter\n"
                                          "dump " +
                                          dir + "/picked.json\n");
    ASSERT_EQ(run.ExitStatus, 0) << run.Err;
    const TJsonValue dropped = ParseDump(ReadFile(dir + "/dropped.json"));
    EXPECT_TRUE((*FindNode(DemoForm(dropped), "ComboBox1"))["droppedDown"].Bool);
    EXPECT_NE(dropped["windows"][0]["name"].String, "DemoForm") << "the list shows above the form";
    const TJsonValue picked = ParseDump(ReadFile(dir + "/picked.json"));
    const TJsonValue& combo = *FindNode(DemoForm(picked), "ComboBox1");
    EXPECT_FALSE(combo["droppedDown"].Bool);
    EXPECT_EQ(combo["items"].Array.size(), 20u);
    EXPECT_EQ(combo["itemIndex"].Int(), 1);
    EXPECT_EQ(combo["text"].String, "Item 2");
}

TEST(DemoEndToEnd, HoldingTheUpArrowRepeatsOnTheVirtualClockTheSameWayEachRun) {
    const std::string dir = MakeTestDirectory(TestName());
    const TJsonValue box = ScreenBoxOf(dir, "UpDown1");
    ASSERT_EQ(box.Array.size(), 4u);
    const std::string upArrow =
        std::to_string(box[0].Int() + box[2].Int() / 2) + " " + std::to_string(box[1].Int() + 3);
    const std::string script = "press " + upArrow + "\nwait 1000\nrelease " + upArrow + "\ndump -\n";
    const TDemoRun first = RunDemo(dir, script);
    const TDemoRun second = RunDemo(dir, script);
    ASSERT_EQ(first.ExitStatus, 0) << first.Err;
    const TJsonValue dump = ParseDump(first.Out);
    const int position = (*FindNode(dump, "UpDown1"))["position"].Int();
    EXPECT_GT(position, 10) << "the held arrow did not repeat";
    EXPECT_EQ((*FindNode(dump, "Edit2"))["text"].String, std::to_string(position));
    EXPECT_EQ(first.Out, second.Out);
}
