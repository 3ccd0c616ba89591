#include "controls/THintSuppression.h"

#include "platform/toolkit/TApplication.h"

THintSuppression& THintSuppression::Record() {
    static THintSuppression record;
    return record;
}

void THintSuppression::Begin(const void* button) {
    THintSuppression& record = Record();
    if (record.m_active || !Application) return;
    record.m_pressedButton = button;
    record.m_savedShowHint = Application->ShowHint();
    Application->SetShowHint(false);
    record.m_active = true;
}

void THintSuppression::End() {
    THintSuppression& record = Record();
    if (!record.m_active) return;
    if (Application) Application->SetShowHint(record.m_savedShowHint);
    record.m_active = false;
    record.m_pressedButton = nullptr;
}

void THintSuppression::Forget(const void* button) {
    if (Record().m_pressedButton == button) End();
}
