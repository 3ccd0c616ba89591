#pragma once

#include <cstdint>

#include "platform/toolkit/Messages.h"
#include "render/ParentBackground.h"

class TControl;

// The skin command protocol between managers, parents and children (WM_SKINCOMMAND; the
// sub-codes are in skin/SkinCommands.h).

// Sends a skin command to a control and returns its answer: through the window system to a
// windowed control that has a handle and is not being destroyed, by direct dispatch to a
// windowless one; 0 (nothing sent) for a windowed control without a handle or being
// destroyed, and for no control.
TLResult SendSkinCommand(TControl* control, std::uint16_t code, TLParam lParam = 0, std::uint16_t small = 0);

// Sends a query to a control and returns its answer, reaching controls that have no window
// handle by direct dispatch (SendSkinCommand skips those); 0 for no control or one being
// destroyed. Parents are asked this way (cmdGetFace, cmdGetBgColor, cmdIsInUpdate).
TLResult QuerySkinCommand(TControl* control, std::uint16_t code, TLParam lParam = 0, std::uint16_t small = 0);

// Asks a yes/no question: direct dispatch with LParam 0, yes when LParam comes back as 1;
// otherwise, when the control has a window handle, the window system's answer 1 means yes.
bool AskControl(TControl* control, std::uint16_t code);

// Asks a window through the window system; yes when the answer is 1.
bool AskWindow(THandle window, std::uint16_t code);

// Sends a skin command to a window through the window system and returns its answer.
TLResult SendToWindow(THandle window, std::uint16_t code, TLParam lParam = 0, std::uint16_t small = 0);

// The process-wide answer record of cmdGetFace: a control that has a face fills it in;
// the asker clears Ready first and copies the record right after the query.
ParentBackground& FaceAnswer();
