#pragma once

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
    void CallPrevious(TMessage& message);
    virtual void AdapterProc(TMessage& message) = 0;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TControl* m_control;
    TWndMethod m_previousProc;
};
