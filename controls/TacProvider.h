#pragma once

#include <memory>

#include "platform/toolkit/TComponent.h"

class TacChildAdapters;
class TCustomForm;
class TsSkinProvider;

// What the window hook attaches to a form at its activation: a component owned by the form
// that creates the form's frame provider and frees it with itself. When the default manager's
// SkinningRules contain srThirdParty it also takes over the form's standard children
// (TacChildAdapters) and gives them back before the provider goes. The hook's adapter list
// holds these.
class TacProvider : public TComponent {
public:
    explicit TacProvider(TCustomForm* form);
    ~TacProvider() override;
    std::string ClassName() const override { return "TacProvider"; }

    TCustomForm* Form() const { return m_form; }
    // The frame provider; null once it was freed.
    TsSkinProvider* SkinProvider() const { return m_provider; }
    // The adapters of the form's standard children; null when the rules asked for none.
    const TacChildAdapters* ChildAdapters() const { return m_children.get(); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* m_form;
    TsSkinProvider* m_provider = nullptr;
    std::unique_ptr<TacChildAdapters> m_children;
};
