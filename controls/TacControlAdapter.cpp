#include "controls/TacControlAdapter.h"

TacControlAdapter::TacControlAdapter(TControl& control) : TComponent(nullptr), m_control(&control) {
    control.FreeNotification(this);
}

TacControlAdapter::~TacControlAdapter() {
    *m_alive = false;
    GiveBack();
    if (m_control) m_control->RemoveFreeNotification(this);
}

void TacControlAdapter::TakeOver() {
    if (!m_control || m_previousProc) return;
    m_previousProc = m_control->WindowProc();
    m_control->SetWindowProc([this](TMessage& m) { AdapterProc(m); });
}

void TacControlAdapter::GiveBack() {
    if (!m_previousProc) return;
    if (m_control) m_control->SetWindowProc(std::move(m_previousProc));
    m_previousProc = nullptr;
}

bool TacControlAdapter::ControlAlive() const {
    return m_control && !m_control->IsDestroying();
}

bool TacControlAdapter::CallPrevious(TMessage& message) {
    if (!m_previousProc) return true;
    // Copies, so that the adapter may go while the procedure runs.
    const std::shared_ptr<bool> alive = m_alive;
    const TWndMethod previous = m_previousProc;
    previous(message);
    return *alive;
}

void TacControlAdapter::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    // The control's own procedure goes with it; only the reference is dropped.
    if (operation == TOperation::opRemove && component == m_control) m_control = nullptr;
}
