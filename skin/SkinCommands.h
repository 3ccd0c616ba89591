#pragma once

#include <cstdint>

// Sub-codes of the skin command message (WM_SKINCOMMAND, 0xA100): the high word of WParam
// holds the code, the low word a small argument, LParam an object argument or the answer.
inline constexpr std::uint16_t cmdSkinLoaded = 1;
inline constexpr std::uint16_t cmdSkinRemoved = 2;
inline constexpr std::uint16_t cmdSkinApplied = 3;
inline constexpr std::uint16_t cmdGetProvider = 4;
inline constexpr std::uint16_t cmdGetFace = 5;
inline constexpr std::uint16_t cmdUpdateDone = 6;
inline constexpr std::uint16_t cmdIsSkinAware = 7;
inline constexpr std::uint16_t cmdSetInUpdate = 8;
inline constexpr std::uint16_t cmdIsInUpdate = 10;
inline constexpr std::uint16_t cmdIsPartlyHidden = 11;
inline constexpr std::uint16_t cmdSetAnimatedChild = 15;
inline constexpr std::uint16_t cmdStopAnimation = 16;
inline constexpr std::uint16_t cmdBgIsPatterned = 19;
inline constexpr std::uint16_t cmdParentBgChanged = 20;
inline constexpr std::uint16_t cmdGetBgColor = 21;
inline constexpr std::uint16_t cmdSetPartlyHidden = 22;
inline constexpr std::uint16_t cmdRebuildFace = 23;
inline constexpr std::uint16_t cmdReleaseRegion = 24;
inline constexpr std::uint16_t cmdControlSkinned = 25;
inline constexpr std::uint16_t cmdGetCaptionHeight = 27;
inline constexpr std::uint16_t cmdMouseEnter = 29; // the hover control changed to this one
inline constexpr std::uint16_t cmdMouseLeave = 30; // the hover control was this one
inline constexpr std::uint16_t cmdBeginUpdate = 31;
inline constexpr std::uint16_t cmdEndUpdate = 32;
