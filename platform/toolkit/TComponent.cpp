#include "platform/toolkit/TComponent.h"

#include <algorithm>
#include <cctype>

#include "platform/core/Exceptions.h"

namespace {

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

void EraseOne(std::vector<TComponent*>& list, TComponent* c) {
    auto it = std::find(list.begin(), list.end(), c);
    if (it != list.end()) list.erase(it);
}

} // namespace

TComponent::TComponent(TComponent* owner) {
    if (owner) owner->InsertComponent(this);
}

TComponent::~TComponent() {
    m_state.Include(TComponentStateFlag::csDestroying);
    // Components that asked to hear of this one's end drop their references now.
    auto notifies = m_freeNotifies;
    m_freeNotifies.clear();
    for (TComponent* c : notifies) {
        EraseOne(c->m_freeNotifies, this);
        c->Notification(this, TOperation::opRemove);
    }
    DestroyComponents();
    if (m_owner) m_owner->RemoveComponent(this);
}

void TComponent::Destroying() {
    m_state.Include(TComponentStateFlag::csDestroying);
}

void TComponent::DestroyComponents() {
    while (!m_components.empty()) {
        TComponent* c = m_components.back();
        // The child removes itself from this list in its destructor.
        c->Destroying();
        delete c;
    }
}

void TComponent::InsertComponent(TComponent* c) {
    m_components.push_back(c);
    c->m_owner = this;
    Notification(c, TOperation::opInsert);
}

void TComponent::RemoveComponent(TComponent* c) {
    Notification(c, TOperation::opRemove);
    EraseOne(m_components, c);
    c->m_owner = nullptr;
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : m_components)
        if (SameName(c->m_name, name)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& name) {
    if (name == m_name) return;
    if (m_owner && !name.empty()) {
        TComponent* other = m_owner->FindComponent(name);
        if (other && other != this) throw Exception("A component named " + name + " already exists");
    }
    m_name = name;
}

void TComponent::FreeNotification(TComponent* component) {
    if (!component || component == this) return;
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), component) == m_freeNotifies.end()) {
        m_freeNotifies.push_back(component);
        component->m_freeNotifies.push_back(this);
    }
}

void TComponent::RemoveFreeNotification(TComponent* component) {
    if (!component) return;
    EraseOne(m_freeNotifies, component);
    EraseOne(component->m_freeNotifies, this);
}

void TComponent::SetLoadingState(bool reading) {
    m_state.Include(TComponentStateFlag::csLoading);
    m_state.Set(TComponentStateFlag::csReading, reading);
}

void TComponent::Loaded() {
    m_state.Exclude(TComponentStateFlag::csLoading);
}

void TComponent::Notification(TComponent* component, TOperation operation) {
    if (operation != TOperation::opRemove || !component) return;
    // Owned components hear of removals too, so that references between siblings are cleared.
    for (TComponent* c : m_components)
        if (c != component) c->Notification(component, operation);
}
