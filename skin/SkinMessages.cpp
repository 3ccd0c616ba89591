#include "skin/SkinMessages.h"

#include <iostream>
#include <utility>

namespace {

void WriteToStandardError(const TSkinMessage& message) {
    std::cerr << message.Caption << ": " << message.Text << '\n';
}

TSkinMessageHook& CurrentHook() {
    static TSkinMessageHook hook;
    return hook;
}

} // namespace

TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook) {
    return std::exchange(CurrentHook(), std::move(hook));
}

void ShowSkinMessage(const TSkinMessage& message) {
    if (const TSkinMessageHook& hook = CurrentHook())
        hook(message);
    else
        WriteToStandardError(message);
}
