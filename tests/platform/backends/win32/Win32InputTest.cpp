#include <gtest/gtest.h>

#include "platform/backends/win32/TWmCharDecoder.h"
#include "platform/backends/win32/Win32Input.h"
#include "platform/backends/win32/Win32WindowStyle.h"
#include "platform/core/Utf8.h"

#include <windows.h>

TEST(Win32MouseShift, EachKeyFlagGivesItsOwnBit) {
    EXPECT_EQ(ShiftFromMouseKeys(MK_SHIFT, false), std::uint32_t(ssShift));
    EXPECT_EQ(ShiftFromMouseKeys(MK_CONTROL, false), std::uint32_t(ssCtrl));
    EXPECT_EQ(ShiftFromMouseKeys(MK_LBUTTON, false), std::uint32_t(ssLeft));
    EXPECT_EQ(ShiftFromMouseKeys(MK_RBUTTON, false), std::uint32_t(ssRight));
    EXPECT_EQ(ShiftFromMouseKeys(MK_MBUTTON, false), std::uint32_t(ssMiddle));
}

TEST(Win32MouseShift, AltComesFromTheKeyboardNotTheFlags) {
    EXPECT_EQ(ShiftFromMouseKeys(0, true), std::uint32_t(ssAlt));
    EXPECT_EQ(ShiftFromMouseKeys(MK_XBUTTON1 | MK_XBUTTON2, false), 0u);
}

TEST(Win32KeyShift, ModifiersAndButtonsCombine) {
    TModifierState state;
    state.Ctrl = true;
    state.Alt = true;
    state.RightButton = true;
    EXPECT_EQ(ShiftFromModifiers(state), std::uint32_t(ssCtrl | ssAlt | ssRight));
    EXPECT_EQ(ShiftFromModifiers(TModifierState()), 0u);
}

TEST(Win32KeyCode, KeysKeepTheirOwnVirtualKeys) {
    EXPECT_EQ(KeyCodeFromMessage(VK_RETURN), VK_RETURN);
    EXPECT_EQ(KeyCodeFromMessage('A'), 'A');
    EXPECT_EQ(KeyCodeFromMessage(VK_MENU), VK_MENU);
    EXPECT_EQ(KeyCodeFromMessage(VK_F10), VK_F10);
}

TEST(Win32KeyCode, CodesNamingNoKeyAreDropped) {
    EXPECT_EQ(KeyCodeFromMessage(0), 0);
    EXPECT_EQ(KeyCodeFromMessage(0xFF), 0);
    EXPECT_EQ(KeyCodeFromMessage(0x141), 0);
}

TEST(Win32KeyCode, AltF4IsACloseRequest) {
    EXPECT_TRUE(IsCloseShortcut(VK_F4, true));
    EXPECT_FALSE(IsCloseShortcut(VK_F4, false));
    EXPECT_FALSE(IsCloseShortcut(VK_F3, true));
}

TEST(Win32Wheel, DeltaIsTheSignedHighWord) {
    EXPECT_EQ(WheelDeltaFromMessage(WPARAM(MAKEWPARAM(0, 120))), 120);
    EXPECT_EQ(WheelDeltaFromMessage(WPARAM(MAKEWPARAM(MK_SHIFT, WORD(-240)))), -240);
}

TEST(WmCharDecoder, PrintableCharactersBecomeUtf8) {
    TWmCharDecoder decoder;
    EXPECT_EQ(decoder.Take(u'a'), std::optional<std::string>("a"));
    EXPECT_EQ(decoder.Take(u' '), std::optional<std::string>(" "));
    EXPECT_EQ(decoder.Take(u'\u0416'), std::optional<std::string>(Utf8::Encode(U"\u0416")));
}

TEST(WmCharDecoder, ControlCharactersAreLeftToTheKeys) {
    TWmCharDecoder decoder;
    for (char16_t unit : {u'\r', u'\x1B', u'\t', u'\b', u'\x01', u'\x7F', u'\x85'})
        EXPECT_EQ(decoder.Take(unit), std::nullopt) << int(unit);
}

TEST(WmCharDecoder, SurrogatePairMakesOneCharacter) {
    TWmCharDecoder decoder;
    const std::u16string pair = u"\U0001F600";
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_EQ(decoder.Take(pair[0]), std::nullopt);
    EXPECT_EQ(decoder.Take(pair[1]), std::optional<std::string>(Utf8::Encode(U"\U0001F600")));
}

TEST(WmCharDecoder, LoneSurrogatesAreDropped) {
    TWmCharDecoder decoder;
    EXPECT_EQ(decoder.Take(char16_t(0xDC00)), std::nullopt);
    EXPECT_EQ(decoder.Take(char16_t(0xD800)), std::nullopt);
    // A high surrogate followed by an ordinary character: the character alone.
    EXPECT_EQ(decoder.Take(u'b'), std::optional<std::string>("b"));
    EXPECT_EQ(decoder.Take(char16_t(0xDC00)), std::nullopt);
}

TEST(Win32WindowStyleChoice, EveryWindowIsABarePopup) {
    for (bool owned : {false, true}) {
        const TWin32WindowStyle chosen = ChooseWindowStyle(TNativeWindowStyle(), owned);
        EXPECT_TRUE(chosen.Style & WS_POPUP);
        EXPECT_FALSE(chosen.Style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_VISIBLE));
    }
}

TEST(Win32WindowStyleChoice, OnlyAWindowOfItsOwnIsOnTheTaskbar) {
    EXPECT_TRUE(ChooseWindowStyle(TNativeWindowStyle(), false).ExStyle & WS_EX_APPWINDOW);
    EXPECT_FALSE(ChooseWindowStyle(TNativeWindowStyle(), true).ExStyle & WS_EX_APPWINDOW);
}

TEST(Win32WindowStyleChoice, StayOnTopIsTopmost) {
    TNativeWindowStyle style;
    style.StayOnTop = true;
    EXPECT_TRUE(ChooseWindowStyle(style, false).ExStyle & WS_EX_TOPMOST);
    EXPECT_FALSE(ChooseWindowStyle(TNativeWindowStyle(), false).ExStyle & WS_EX_TOPMOST);
}
