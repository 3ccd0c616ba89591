#pragma once

#include <memory>

#include "platform/toolkit/TComponent.h"
#include "platform/toolkit/TControl.h"

// Takes over a standard control's window procedure for frame skinning: the new procedure
// (AdapterProc) handles what it wants and passes the rest to the saved one. A derived adapter
// calls TakeOver at the end of its construction and GiveBack in its destructor, after it has
// restored the control's look. A control freed first simply leaves the adapter with nothing.
class TacControlAdapter : public TComponent {
public:
    ~TacControlAdapter() override;
    TacControlAdapter(const TacControlAdapter&) = delete;
    TacControlAdapter& operator=(const TacControlAdapter&) = delete;

    // The adapted control; null once it was freed.
    TControl* Control() const { return m_control; }

protected:
    explicit TacControlAdapter(TControl& control);

    void TakeOver();
    void GiveBack();
    // The control is there and not on its way out, so its messages are the adapter's to handle.
    bool ControlAlive() const;
    // Passes the message on; false when handling it freed the adapter (a handler that removes
    // the skin), after which the caller must not touch its own members.
    bool CallPrevious(TMessage& message);
    virtual void AdapterProc(TMessage& message) = 0;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TControl* m_control;
    TWndMethod m_previousProc;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};
