#include "controls/TacProvider.h"

#include "controls/TacChildAdapters.h"
#include "controls/TacFrameSkinning.h"
#include "controls/TsSkinProvider.h"
#include "platform/toolkit/TCustomForm.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

TacProvider::TacProvider(TCustomForm* form) : TComponent(form), m_form(form) {
    m_provider = new TsSkinProvider(form);
    m_provider->MakeSkinMenu = false;
    m_provider->FreeNotification(this);
    if (const TsSkinManager* rules = DefaultManager(); rules && TacChildAdapters::Wanted(*rules))
        m_children = std::make_unique<TacChildAdapters>(*m_provider, *rules);
}

TacProvider::~TacProvider() {
    TacFrameSkinning::Instance().Forget(this);
    m_children.reset();
    if (m_provider) {
        TsSkinProvider* provider = m_provider;
        m_provider = nullptr;
        provider->RemoveFreeNotification(this);
        if (!provider->IsDestroying()) delete provider;
    }
}

void TacProvider::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_provider) {
        // The children's adapters read the provider.
        m_children.reset();
        m_provider = nullptr;
    }
}
