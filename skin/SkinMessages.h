#pragma once

#include <functional>
#include <string>

// The skin engine's one message to the user goes through this hook rather than straight to a
// message box. The application sets it to a real message box; by default the message is
// written to the standard error stream. Tests set it to capture the message.
enum class TSkinMessageKind { Warning };

struct TSkinMessage {
    TSkinMessageKind Kind = TSkinMessageKind::Warning;
    std::string Caption;
    std::string Text;
};

using TSkinMessageHook = std::function<void(const TSkinMessage&)>;

// Replaces the hook and returns the previous one; an empty hook restores the default.
TSkinMessageHook SetSkinMessageHook(TSkinMessageHook hook);

// Shows a message through the current hook and returns when the user has dismissed it.
void ShowSkinMessage(const TSkinMessage& message);
