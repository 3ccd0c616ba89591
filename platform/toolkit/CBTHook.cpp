#include "platform/toolkit/CBTHook.h"

#include <algorithm>
#include <vector>

namespace {

struct THook {
    THookHandle Handle;
    TCBTHookProc Proc;
};

// Oldest first; the chain runs from the back.
std::vector<THook>& Hooks() {
    static std::vector<THook> hooks;
    return hooks;
}

THookHandle g_nextHook = 1;

} // namespace

THookHandle SetCBTHook(TCBTHookProc proc) {
    if (!proc) return 0;
    THookHandle h = g_nextHook++;
    Hooks().push_back({h, std::move(proc)});
    return h;
}

bool UnhookCBTHook(THookHandle hook) {
    auto& hooks = Hooks();
    auto it = std::find_if(hooks.begin(), hooks.end(), [&](const THook& h) { return h.Handle == hook; });
    if (it == hooks.end()) return false;
    hooks.erase(it);
    return true;
}

TLResult CallNextCBTHook(THookHandle hook, int code, THandle wnd, TLParam lParam) {
    auto& hooks = Hooks();
    auto it = std::find_if(hooks.begin(), hooks.end(), [&](const THook& h) { return h.Handle == hook; });
    if (it == hooks.end() || it == hooks.begin()) return 0;
    // Copy: the next hook may unhook itself while it runs.
    TCBTHookProc next = std::prev(it)->Proc;
    return next(code, wnd, lParam);
}

TLResult RunCBTHooks(int code, THandle wnd, TLParam lParam) {
    auto& hooks = Hooks();
    if (hooks.empty()) return 0;
    TCBTHookProc newest = hooks.back().Proc;
    return newest(code, wnd, lParam);
}
