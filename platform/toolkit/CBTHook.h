#pragma once

#include <cstdint>
#include <functional>

#include "platform/toolkit/Messages.h"

// The window hook of the user-interface thread (the platform's computer-based-training hook):
// it sees each top-level window's creation, activation and destruction before they take
// effect. Hooks chain: the newest is called first and passes on with CallNextCBTHook.
// The hook list is the one process-wide value of this file.

constexpr int HCBT_CREATEWND = 3;  // wnd = the new window (its form exists and has its handle)
constexpr int HCBT_DESTROYWND = 4; // wnd = the window about to be destroyed
constexpr int HCBT_ACTIVATE = 5;   // wnd = the window about to be activated; lParam = byClick

using THookHandle = std::uint32_t;
// Returns non-zero to forbid an activation; the answer is ignored for creation and destruction.
using TCBTHookProc = std::function<TLResult(int code, THandle wnd, TLParam lParam)>;

THookHandle SetCBTHook(TCBTHookProc proc);
bool UnhookCBTHook(THookHandle hook);
// Calls the hook installed before this one (0 when it is the oldest).
TLResult CallNextCBTHook(THookHandle hook, int code, THandle wnd, TLParam lParam);
// The toolkit's side: runs the chain from the newest hook.
TLResult RunCBTHooks(int code, THandle wnd, TLParam lParam);
