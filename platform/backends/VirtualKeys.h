#pragma once

// The original platform's virtual-key numbers that the backends report in key events.
// Letters and digits use their upper-case ASCII codes ('A' = 0x41, '0' = 0x30).
namespace VirtualKey {
constexpr int Back = 0x08;
constexpr int Tab = 0x09;
constexpr int Return = 0x0D;
constexpr int Shift = 0x10;
constexpr int Control = 0x11;
constexpr int Menu = 0x12; // Alt
constexpr int Pause = 0x13;
constexpr int Capital = 0x14;
constexpr int Escape = 0x1B;
constexpr int Space = 0x20;
constexpr int Prior = 0x21; // Page Up
constexpr int Next = 0x22;  // Page Down
constexpr int End = 0x23;
constexpr int Home = 0x24;
constexpr int Left = 0x25;
constexpr int Up = 0x26;
constexpr int Right = 0x27;
constexpr int Down = 0x28;
constexpr int Insert = 0x2D;
constexpr int Delete = 0x2E;
constexpr int Apps = 0x5D;
constexpr int Numpad0 = 0x60;
constexpr int Multiply = 0x6A;
constexpr int Add = 0x6B;
constexpr int Subtract = 0x6D;
constexpr int Decimal = 0x6E;
constexpr int Divide = 0x6F;
constexpr int F1 = 0x70; // F1 .. F24 follow in order
constexpr int NumLock = 0x90;
constexpr int Scroll = 0x91;
constexpr int Oem1 = 0xBA;      // ;:
constexpr int OemPlus = 0xBB;   // =+
constexpr int OemComma = 0xBC;  // ,<
constexpr int OemMinus = 0xBD;  // -_
constexpr int OemPeriod = 0xBE; // .>
constexpr int Oem2 = 0xBF;      // /?
constexpr int Oem3 = 0xC0;      // `~
constexpr int Oem4 = 0xDB;      // [{
constexpr int Oem5 = 0xDC;      // \|
constexpr int Oem6 = 0xDD;      // ]}
constexpr int Oem7 = 0xDE;      // '"
} // namespace VirtualKey
