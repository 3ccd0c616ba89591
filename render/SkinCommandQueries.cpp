#include "render/SkinCommandQueries.h"

#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TWinControl.h"
#include "skin/SkinCommands.h"

namespace {

TLResult Dispatch(TControl& control, std::uint16_t code, TLParam lParam, std::uint16_t small) {
    TMessage m = SkinCommandMessage::Make(code, lParam, small);
    control.PerformMessage(m);
    return m.Result;
}

TLResult SendThroughWindow(THandle window, std::uint16_t code, TLParam lParam, std::uint16_t small) {
    const TMessage m = SkinCommandMessage::Make(code, lParam, small);
    return SendMessage(window, m.Msg, m.WParam, m.LParam);
}

} // namespace

TLResult SendSkinCommand(TControl* control, std::uint16_t code, TLParam lParam, std::uint16_t small) {
    if (!control) return 0;
    if (!control->IsWindowed()) return Dispatch(*control, code, lParam, small);
    auto* windowed = static_cast<TWinControl*>(control);
    if (!windowed->HandleAllocated() || windowed->IsDestroying()) return 0;
    return SendThroughWindow(windowed->WindowHandle(), code, lParam, small);
}

TLResult QuerySkinCommand(TControl* control, std::uint16_t code, TLParam lParam, std::uint16_t small) {
    if (!control || control->IsDestroying()) return 0;
    if (control->IsWindowed()) {
        auto* windowed = static_cast<TWinControl*>(control);
        if (windowed->HandleAllocated())
            return SendThroughWindow(windowed->WindowHandle(), code, lParam, small);
    }
    return Dispatch(*control, code, lParam, small);
}

bool AskControl(TControl* control, std::uint16_t code) {
    if (!control) return false;
    TMessage m = SkinCommandMessage::Make(code);
    control->PerformMessage(m);
    if (SkinCommandMessage::LParamAnswer(m) == 1) return true;
    if (control->IsWindowed()) {
        auto* windowed = static_cast<TWinControl*>(control);
        if (windowed->HandleAllocated() && !windowed->IsDestroying())
            return SendThroughWindow(windowed->WindowHandle(), code, 0, 0) == 1;
    }
    return false;
}

bool AskWindow(THandle window, std::uint16_t code) {
    return SendThroughWindow(window, code, 0, 0) == 1;
}

TLResult SendToWindow(THandle window, std::uint16_t code, TLParam lParam, std::uint16_t small) {
    return SendThroughWindow(window, code, lParam, small);
}

ParentBackground& FaceAnswer() {
    static ParentBackground answer;
    return answer;
}
