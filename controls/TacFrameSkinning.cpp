#include "controls/TacFrameSkinning.h"

#include <algorithm>

#include "controls/FrameGeometry.h"
#include "controls/TacProvider.h"
#include "controls/TsSkinProvider.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TJsonWriter.h"
#include "platform/toolkit/TScreen.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

TCustomForm* FormOfWindow(THandle wnd) {
    if (!Screen) return nullptr;
    for (TCustomForm* form : Screen->Forms())
        if (form->HandleAllocated() && form->WindowHandle() == wnd) return form;
    return nullptr;
}

// The automation dump names the manager whose skin a form's frame wears.
void WriteSkinProvider(const TCustomForm& form, TJsonWriter& json) {
    json.Key("skinProvider");
    const TsSkinProvider* provider = TacFrameSkinning::ProviderOf(form);
    const TsSkinManager* manager = provider ? provider->SkinData().SkinManager() : nullptr;
    if (manager)
        json.String(manager->Name());
    else
        json.Null();
    if (!provider) return;
    // The title buttons as the pointer finds them: hit code and window-relative bounds.
    json.Key("titleButtons");
    json.BeginArray();
    for (const TTitleButtonPlace& button : provider->TitleButtonPlaces()) {
        json.BeginObject();
        json.Field("hit", HitCodeOf(button));
        json.Key("bounds");
        json.Bounds(button.Rect);
        json.EndObject();
    }
    json.EndArray();
}

} // namespace

TacFrameSkinning& TacFrameSkinning::Instance() {
    static TacFrameSkinning instance;
    return instance;
}

void TacFrameSkinning::Register() {
    SetFrameSkinning(&Instance());
    SetFormDumpExtension(WriteSkinProvider);
}

void TacFrameSkinning::Install() {
    if (m_hook) return;
    m_hook =
        SetCBTHook([this](int code, THandle wnd, TLParam lParam) { return HookProc(code, wnd, lParam); });
}

void TacFrameSkinning::Remove() {
    if (!m_hook) return;
    UnhookCBTHook(m_hook);
    m_hook = 0;
    // Freeing an adapter takes it out of the list.
    while (!m_adapters.empty()) {
        TacProvider* adapter = m_adapters.back();
        if (adapter->IsDestroying()) {
            m_adapters.pop_back();
            continue;
        }
        delete adapter;
    }
}

std::vector<TCustomForm*> TacFrameSkinning::Forms() const {
    std::vector<TCustomForm*> forms;
    for (const TacProvider* adapter : m_adapters)
        if (adapter->Form() && adapter->SkinProvider()) forms.push_back(adapter->Form());
    return forms;
}

TsSkinManager* TacFrameSkinning::FrameManager(const TCustomForm& form) const {
    const TsSkinProvider* provider = ProviderOf(form);
    return provider ? provider->SkinData().SkinManager() : nullptr;
}

TsSkinProvider* TacFrameSkinning::ProviderOf(const TCustomForm& form) {
    for (TComponent* component : form.ComponentList())
        if (auto* provider = dynamic_cast<TsSkinProvider*>(component); provider && !provider->IsDestroying())
            return provider;
    return nullptr;
}

void TacFrameSkinning::Forget(TacProvider* provider) {
    m_adapters.erase(std::remove(m_adapters.begin(), m_adapters.end(), provider), m_adapters.end());
}

TLResult TacFrameSkinning::HookProc(int code, THandle wnd, TLParam lParam) {
    const THookHandle self = m_hook;
    if (code == HCBT_ACTIVATE)
        Attach(wnd);
    else if (code == HCBT_DESTROYWND)
        Detach(wnd);
    return CallNextCBTHook(self, code, wnd, lParam);
}

void TacFrameSkinning::Attach(THandle wnd) {
    TsSkinManager* manager = DefaultManager();
    if (!manager || AskWindow(wnd, cmdIsSkinAware)) return;
    for (const TacProvider* adapter : m_adapters)
        if (adapter->Form() && adapter->Form()->WindowHandle() == wnd) return;
    // The toolkit's top-level windows are all forms; raw platform dialogs do not occur.
    TCustomForm* form = FormOfWindow(wnd);
    if (!form || form->IsDestroying()) return;
    const std::string className = form->ClassName();
    if (className == "TApplication" || className == "TQRStandardPreview") return;
    const TacSkinningRules rules = manager->SkinningRules();
    if (className == "TMessageForm") {
        if (!rules.Has(TacSkinningRule::srStdDialogs)) return;
    } else if (!rules.Has(TacSkinningRule::srStdForms) || form->Tag() == UnskinnedTag) {
        return;
    }
    // A form that already carries a provider keeps it.
    if (ProviderOf(*form)) return;
    m_adapters.push_back(new TacProvider(form));
}

void TacFrameSkinning::Detach(THandle wnd) {
    const std::vector<TacProvider*> adapters = m_adapters;
    for (TacProvider* adapter : adapters)
        if (adapter->Form() && adapter->Form()->WindowHandle() == wnd && !adapter->IsDestroying())
            delete adapter;
}
