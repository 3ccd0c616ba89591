#include "controls/TacChildAdapters.h"

#include <algorithm>

#include "controls/TacThirdPartyButton.h"
#include "controls/TacThirdPartyLabel.h"
#include "controls/TsSkinProvider.h"
#include "platform/core/CodePage.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TLabel.h"
#include "skin/TsSkinManager.h"

namespace {

bool Listed(const std::vector<std::string>& names, const std::string& className) {
    return std::any_of(names.begin(), names.end(),
                       [&className](const std::string& name) { return SameText(name, className); });
}

} // namespace

bool TacChildAdapters::Wanted(const TsSkinManager& rules) {
    return rules.SkinningRules().Has(TacSkinningRule::srThirdParty);
}

TacChildAdapters::TacChildAdapters(const TsSkinProvider& provider, const TsSkinManager& rules) {
    TCustomForm* form = provider.Form();
    if (!form || !Wanted(rules)) return;
    const std::vector<std::string>& buttons = rules.ThirdParty().Names(ThirdPartyList::ThirdButtons);
    TsSkinManager* manager = provider.SkinData().SkinManager();
    const std::vector<TControl*> children = form->ControlList();
    for (TControl* child : children) {
        if (child->IsDestroying()) continue;
        const std::string className = child->ClassName();
        if (auto* button = dynamic_cast<TButton*>(child); button && Listed(buttons, className))
            m_adapters.push_back(std::make_unique<TacThirdPartyButton>(*button, manager));
        else if (auto* label = dynamic_cast<TLabel*>(child); label && className == "TLabel")
            m_adapters.push_back(std::make_unique<TacThirdPartyLabel>(*label, provider));
    }
}

TacChildAdapters::~TacChildAdapters() {
    // The last taken over is given back first.
    while (!m_adapters.empty())
        m_adapters.pop_back();
}
