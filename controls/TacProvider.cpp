#include "controls/TacProvider.h"

#include "controls/TacFrameSkinning.h"
#include "controls/TsSkinProvider.h"
#include "platform/toolkit/TCustomForm.h"

TacProvider::TacProvider(TCustomForm* form) : TComponent(form), m_form(form) {
    m_provider = new TsSkinProvider(form);
    m_provider->MakeSkinMenu = false;
    m_provider->FreeNotification(this);
}

TacProvider::~TacProvider() {
    TacFrameSkinning::Instance().Forget(this);
    if (m_provider) {
        TsSkinProvider* provider = m_provider;
        m_provider = nullptr;
        provider->RemoveFreeNotification(this);
        if (!provider->IsDestroying()) delete provider;
    }
}

void TacProvider::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == m_provider) m_provider = nullptr;
}
