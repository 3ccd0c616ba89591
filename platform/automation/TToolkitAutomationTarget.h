#pragma once

#include "platform/automation/TAutomationTarget.h"

class TScreen;
class TControl;

// The automation view of the running toolkit, read through the process's Screen: the forms
// in z-order and every control's own dump.
class TToolkitAutomationTarget : public TAutomationTarget {
public:
    std::string DumpWindowTree() override;
    std::optional<TRect> FindNamedControl(const std::string& name) override;
};

// The same, for a given screen (tests use it directly).
std::string DumpWindowTree(const TScreen& screen);
std::optional<TRect> FindNamedControl(const TScreen& screen, const std::string& name);
