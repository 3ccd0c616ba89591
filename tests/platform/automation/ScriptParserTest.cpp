#include <gtest/gtest.h>

#include "platform/automation/ScriptParser.h"
#include "platform/core/VirtualKeys.h"

namespace {

TScriptCommand Parse(std::string_view line) {
    const TScriptLineResult result = ParseScriptLine(line, 7);
    EXPECT_FALSE(result.IsError()) << result.Error;
    EXPECT_TRUE(result.Command.has_value()) << line;
    return result.Command.value_or(TScriptCommand{});
}

std::string ErrorOf(std::string_view line, int number = 3) {
    const TScriptLineResult result = ParseScriptLine(line, number);
    EXPECT_FALSE(result.Command.has_value()) << line;
    return result.Error;
}

} // namespace

TEST(ScriptParser, BlankAndCommentLinesGiveNothing) {
    for (std::string_view line : {"", "   ", "\t", "# a comment", "   # indented comment", "\r"}) {
        const TScriptLineResult result = ParseScriptLine(line, 1);
        EXPECT_FALSE(result.IsError()) << line;
        EXPECT_FALSE(result.Command.has_value()) << line;
    }
}

TEST(ScriptParser, ScreenReadsWidthAndHeight) {
    const TScriptCommand c = Parse("screen 800 600");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Screen);
    EXPECT_EQ(c.Size, (TSize{800, 600}));
    EXPECT_EQ(c.Line, 7);
}

TEST(ScriptParser, MoveAcceptsNegativeCoordinates) {
    const TScriptCommand c = Parse("move -5 12");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Move);
    EXPECT_EQ(c.Point, (TPoint{-5, 12}));
}

TEST(ScriptParser, PressDefaultsToTheLeftButton) {
    const TScriptCommand c = Parse("press 10 20");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Press);
    EXPECT_EQ(c.Button, TMouseButton::mbLeft);
}

TEST(ScriptParser, ReleaseAndClickTakeAButton) {
    EXPECT_EQ(Parse("release 1 2 middle").Button, TMouseButton::mbMiddle);
    const TScriptCommand c = Parse("click 3 4 right");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Click);
    EXPECT_EQ(c.Button, TMouseButton::mbRight);
    EXPECT_EQ(c.Point, (TPoint{3, 4}));
}

TEST(ScriptParser, ClickWithANameClicksAControl) {
    const TScriptCommand c = Parse("click Button1");
    EXPECT_EQ(c.Kind, TScriptCommandKind::ClickName);
    EXPECT_EQ(c.Text, "Button1");
    EXPECT_EQ(Parse("click sButton5 right").Button, TMouseButton::mbRight);
}

TEST(ScriptParser, WheelReadsTheDelta) {
    const TScriptCommand c = Parse("wheel 5 6 -120");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Wheel);
    EXPECT_EQ(c.WheelDelta, -120);
}

TEST(ScriptParser, KeyNamesMapToVirtualKeys) {
    EXPECT_EQ(Parse("key Escape").Stroke.Key, VK_ESCAPE);
    EXPECT_EQ(Parse("key Enter").Stroke.Key, VK_RETURN);
    EXPECT_EQ(Parse("key Tab").Stroke.Key, VK_TAB);
    EXPECT_EQ(Parse("key Backspace").Stroke.Key, VK_BACK);
    EXPECT_EQ(Parse("key Delete").Stroke.Key, VK_DELETE);
    EXPECT_EQ(Parse("key F4").Stroke.Key, 0x73);
    EXPECT_EQ(Parse("key Down").Stroke.Key, VK_DOWN);
    EXPECT_EQ(Parse("key 7").Stroke.Key, '7');
}

TEST(ScriptParser, LettersTypeLowerCaseUnlessShiftIsHeld) {
    const TScriptCommand plain = Parse("key A");
    EXPECT_EQ(plain.Stroke.Key, 'A');
    EXPECT_EQ(plain.Stroke.Text, "a");
    const TScriptCommand shifted = Parse("key Shift+a");
    EXPECT_EQ(shifted.Stroke.Modifiers, std::uint32_t(ssShift));
    EXPECT_EQ(shifted.Stroke.Text, "A");
}

TEST(ScriptParser, CtrlAndAltStrokesTypeNothing) {
    const TScriptCommand c = Parse("key Ctrl+Shift+c");
    EXPECT_EQ(c.Stroke.Modifiers, std::uint32_t(ssCtrl | ssShift));
    EXPECT_EQ(c.Stroke.Text, "");
    const TScriptCommand alt = Parse("key Alt+F4");
    EXPECT_EQ(alt.Stroke.Modifiers, std::uint32_t(ssAlt));
    EXPECT_EQ(alt.Stroke.Key, 0x73);
}

TEST(ScriptParser, KeyDownAndKeyUpAreSeparateCommands) {
    EXPECT_EQ(Parse("keydown Shift+Tab").Kind, TScriptCommandKind::KeyDown);
    EXPECT_EQ(Parse("keyup Space").Kind, TScriptCommandKind::KeyUp);
    EXPECT_EQ(Parse("keyup Space").Stroke.Text, " ");
}

TEST(ScriptParser, TypeKeepsTheRestOfTheLineWithItsBlanks) {
    const TScriptCommand c = Parse("type  hello,  world # not a comment");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Type);
    EXPECT_EQ(c.Text, " hello,  world # not a comment");
}

TEST(ScriptParser, TypeDropsTheCarriageReturn) {
    EXPECT_EQ(Parse("type abc\r").Text, "abc");
}

TEST(ScriptParser, WaitReadsMilliseconds) {
    const TScriptCommand c = Parse("wait 250");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Wait);
    EXPECT_EQ(c.Milliseconds, 250u);
}

TEST(ScriptParser, DumpTakesAPathOrStandardOutput) {
    EXPECT_EQ(Parse("dump -").Text, "-");
    const TScriptCommand c = Parse("dump /tmp/some dir/tree.json");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Dump);
    EXPECT_EQ(c.Text, "/tmp/some dir/tree.json");
}

TEST(ScriptParser, ShotTakesAPngPath) {
    const TScriptCommand c = Parse("shot out/screen.png");
    EXPECT_EQ(c.Kind, TScriptCommandKind::Shot);
    EXPECT_EQ(c.Text, "out/screen.png");
}

TEST(ScriptParser, ErrorsNameTheLine) {
    const std::string error = ErrorOf("jump 1 2", 42);
    EXPECT_NE(error.find("line 42"), std::string::npos) << error;
    EXPECT_NE(error.find("jump"), std::string::npos) << error;
}

TEST(ScriptParser, MalformedLinesAreErrors) {
    for (std::string_view line : {"screen 800",
                                  "screen 0 600",
                                  "screen 800 x",
                                  "screen 1 2 3",
                                  "move 1",
                                  "move a b",
                                  "press 1 2 up",
                                  "press 1 2 left extra",
                                  "click",
                                  "click 12",
                                  "click 1 2 3",
                                  "click Button1 sideways",
                                  "wheel 1 2",
                                  "wheel 1 2 lots",
                                  "key",
                                  "key Hyper",
                                  "key Ctrl+",
                                  "key Meta+a",
                                  "key a b",
                                  "type",
                                  "wait",
                                  "wait -1",
                                  "wait soon",
                                  "wait 99999999999",
                                  "dump",
                                  "shot",
                                  "shot screen.bmp",
                                  "Move 1 2",
                                  "move 99999999999 1"}) {
        EXPECT_FALSE(ErrorOf(line).empty()) << line;
    }
}

TEST(ScriptParser, ErrorMessagesShowControlBytesSafely) {
    const std::string error = ErrorOf(std::string_view("\x01\x02zap\x7f", 6));
    for (char c : error)
        EXPECT_GE(static_cast<unsigned char>(c), 0x20u);
}

TEST(ScriptParser, ErrorMessagesKeepUtf8AndDropStrayBytes) {
    const std::string error = ErrorOf("caf\xC3\xA9 \xFF\xC3");
    EXPECT_NE(error.find("caf\xC3\xA9"), std::string::npos) << error;
    EXPECT_EQ(error.find('\xFF'), std::string::npos) << error;
    EXPECT_NE(error.find("??"), std::string::npos) << error;
}

TEST(ScriptParser, ScreenAcceptsTheLargestSide) {
    EXPECT_EQ(Parse("screen 8192 8192").Size, (TSize{8192, 8192}));
}
