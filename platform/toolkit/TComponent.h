#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/core/TFlagSet.h"
#include "platform/toolkit/TObject.h"

enum class TComponentStateFlag : std::uint8_t {
    csLoading,    // from the start of reading the form data until Loaded()
    csReading,    // while the component's stored properties are being applied
    csDestroying, // from the start of destruction
    csDesigning,  // never set: there is no designer
    csCreating,   // a form between construction and the end of its creation handler
};
using TComponentState = TFlagSet<TComponentStateFlag>;

enum class TOperation { opInsert, opRemove };

class TComponent;
// Event handlers receive the component that raised the event.
using TNotifyEvent = std::function<void(TObject* sender)>;

// A component owns the components created with it as owner and frees them when it is freed
// (last created first). Components have a name unique among their owner's, a Tag, and the
// state flags that tell whether they are being read from form data, loaded or destroyed.
class TComponent : public TObject {
public:
    explicit TComponent(TComponent* owner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    std::string ClassName() const override { return "TComponent"; }

    TComponent* Owner() const { return m_owner; }
    int ComponentCount() const { return int(m_components.size()); }
    // Owned components in creation order.
    TComponent* Components(int index) const { return m_components.at(std::size_t(index)); }
    const std::vector<TComponent*>& ComponentList() const { return m_components; }
    // The owned component with this name (letter case ignored, as the platform compares
    // component names), or null.
    TComponent* FindComponent(const std::string& name) const;

    const std::string& Name() const { return m_name; }
    // Renames; throws Exception when another component of the same owner has the name.
    virtual void SetName(const std::string& name);
    std::intptr_t Tag() const { return m_tag; }
    void SetTag(std::intptr_t tag) { m_tag = tag; }

    bool IsLoading() const { return m_state.Has(TComponentStateFlag::csLoading); }
    bool IsReading() const { return m_state.Has(TComponentStateFlag::csReading); }
    bool IsDestroying() const { return m_state.Has(TComponentStateFlag::csDestroying); }
    bool IsDesigning() const { return m_state.Has(TComponentStateFlag::csDesigning); }
    bool IsCreating() const { return m_state.Has(TComponentStateFlag::csCreating); }

    // Asks to be told (Notification opRemove) when component is freed, even when it has
    // another owner. RemoveFreeNotification cancels it.
    void FreeNotification(TComponent* component);
    void RemoveFreeNotification(TComponent* component);

    // The form-data reader's entry points: set or clear csLoading / csReading.
    void SetLoadingState(bool reading);
    void ClearReadingState() { m_state.Exclude(TComponentStateFlag::csReading); }
    // After every component of the form data got its properties: clears csLoading.
    virtual void Loaded();

protected:
    // A component owned by this one was inserted or is being removed, or a component that
    // asked for free notification is being freed. The base passes removals to the owned
    // components.
    virtual void Notification(TComponent* component, TOperation operation);
    // Called at the start of destruction (csDestroying set, owned components not yet freed).
    virtual void Destroying();
    void SetComponentStateFlag(TComponentStateFlag flag, bool on) { m_state.Set(flag, on); }
    // Frees every owned component, last created first.
    void DestroyComponents();

private:
    void InsertComponent(TComponent* c);
    void RemoveComponent(TComponent* c);

    TComponent* m_owner = nullptr;
    std::vector<TComponent*> m_components;
    std::vector<TComponent*> m_freeNotifies;
    std::string m_name;
    std::intptr_t m_tag = 0;
    TComponentState m_state;
};
