#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/automation/TScriptCommand.h"

// The outcome of reading one script line: a command, nothing (blank or comment line), or an
// error whose message names the line.
struct TScriptLineResult {
    std::optional<TScriptCommand> Command;
    std::string Error;
    bool IsError() const { return !Error.empty(); }
};

// Parses one line of an automation script (lineNumber is 1-based and goes into the command
// and into error messages). A trailing carriage return is ignored.
TScriptLineResult ParseScriptLine(std::string_view line, int lineNumber);

// Parses a key name such as "Enter", "a", "F4" or "Ctrl+Shift+Tab"; nothing when unknown.
std::optional<TKeyStroke> ParseKeyName(std::string_view name);

// Parses a mouse button name: left, right or middle.
std::optional<TMouseButton> ParseMouseButton(std::string_view name);
