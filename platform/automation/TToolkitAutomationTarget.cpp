#include "platform/automation/TToolkitAutomationTarget.h"

#include <algorithm>

#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TScreen.h"
#include "platform/toolkit/TWinControl.h"

namespace {

// The shown forms from top to bottom, then the hidden ones in creation order.
std::vector<TCustomForm*> FormsForDump(const TScreen& screen) {
    std::vector<TCustomForm*> forms = screen.FormsTopToBottom();
    for (TCustomForm* form : screen.Forms())
        if (std::find(forms.begin(), forms.end(), form) == forms.end()) forms.push_back(form);
    return forms;
}

// The showing control named name inside control (itself included), top-most child first.
const TControl* FindShowing(const TControl& control, const std::string& name) {
    if (!control.IsShowing()) return nullptr;
    if (control.Name() == name) return &control;
    if (!control.IsWindowed()) return nullptr;
    const auto& children = static_cast<const TWinControl&>(control).ControlList();
    for (auto it = children.rbegin(); it != children.rend(); ++it)
        if (const TControl* found = FindShowing(**it, name)) return found;
    return nullptr;
}

} // namespace

std::string DumpWindowTree(const TScreen& screen) {
    TJsonWriter json;
    json.BeginObject();
    json.Key("screen");
    json.BeginArray();
    json.Int(screen.Width());
    json.Int(screen.Height());
    json.EndArray();
    json.Key("windows");
    json.BeginArray();
    for (const TCustomForm* form : FormsForDump(screen))
        form->WriteDump(json);
    json.EndArray();
    json.EndObject();
    return json.Take();
}

std::optional<TRect> FindNamedControl(const TScreen& screen, const std::string& name) {
    for (const TCustomForm* form : screen.FormsTopToBottom())
        if (const TControl* control = FindShowing(*form, name)) return control->ScreenRect();
    return std::nullopt;
}

std::string TToolkitAutomationTarget::DumpWindowTree() {
    if (!Screen) return R"({"screen":[0,0],"windows":[]})";
    return ::DumpWindowTree(*Screen);
}

std::optional<TRect> TToolkitAutomationTarget::FindNamedControl(const std::string& name) {
    if (!Screen) return std::nullopt;
    return ::FindNamedControl(*Screen, name);
}
