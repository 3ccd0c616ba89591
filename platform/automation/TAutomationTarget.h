#pragma once

#include <optional>
#include <string>

#include "platform/core/Geometry.h"

// What the script driver asks of the window toolkit beyond the backend: the window tree as
// JSON and where a named control is.
class TAutomationTarget {
public:
    virtual ~TAutomationTarget() = default;
    // {"screen":[W,H],"windows":[...]} with the top-level forms from top to bottom.
    virtual std::string DumpWindowTree() = 0;
    // The screen rectangle of the visible control or form named name in the top-most form
    // that has one; nothing when no form has it.
    virtual std::optional<TRect> FindNamedControl(const std::string& name) = 0;
};
