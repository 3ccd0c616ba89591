#pragma once

#include <cstdint>
#include <string>

#include "platform/core/Geometry.h"
#include "platform/toolkit/TBackend.h"

enum class TScriptCommandKind {
    Screen,    // screen W H
    Move,      // move X Y
    Press,     // press X Y [button]
    Release,   // release X Y [button]
    Click,     // click X Y [button]
    ClickName, // click NAME [button]
    Wheel,     // wheel X Y DELTA
    Key,       // key KEY: down and up
    KeyDown,   // keydown KEY
    KeyUp,     // keyup KEY
    Type,      // type TEXT
    Wait,      // wait MS
    Dump,      // dump PATH | -
    Shot,      // shot PATH.png
};

// A key as a script names it: the virtual key, the modifiers held with it (ssShift, ssCtrl,
// ssAlt), and the character it types when pressed ("" for keys that type nothing).
struct TKeyStroke {
    int Key = 0;
    std::uint32_t Modifiers = 0;
    std::string Text;
};

// One parsed script line. Only the fields of its kind mean anything.
struct TScriptCommand {
    TScriptCommandKind Kind = TScriptCommandKind::Move;
    int Line = 0; // 1-based line number in the script
    TPoint Point; // mouse commands
    TSize Size;   // screen
    TMouseButton Button = TMouseButton::mbLeft;
    int WheelDelta = 0;
    TKeyStroke Stroke;              // key, keydown, keyup
    std::uint64_t Milliseconds = 0; // wait
    std::string Text;               // type: the text; click: the name; dump, shot: the path
};
