#pragma once

#include "platform/toolkit/TComponent.h"

class TCustomForm;
class TsSkinProvider;

// What the window hook attaches to a form at its activation: a component owned by the form
// that creates the form's frame provider and frees it with itself. The hook's adapter list
// holds these.
class TacProvider : public TComponent {
public:
    explicit TacProvider(TCustomForm* form);
    ~TacProvider() override;
    std::string ClassName() const override { return "TacProvider"; }

    TCustomForm* Form() const { return m_form; }
    // The frame provider; null once it was freed.
    TsSkinProvider* SkinProvider() const { return m_provider; }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TCustomForm* m_form;
    TsSkinProvider* m_provider = nullptr;
};
