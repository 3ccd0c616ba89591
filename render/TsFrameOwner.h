#pragma once

class TWinControl;
struct TMessage;

// What a binding needs from an owner that is not a control: the frame provider, which skins
// a form's frame and keeps a cached picture of it.
class TsFrameOwner {
public:
    virtual ~TsFrameOwner() = default;
    // The form whose frame the owner paints (the target of its update commands).
    virtual TWinControl* FrameForm() const = 0;
    // Drops the cached frame picture, so that the next paint rebuilds it.
    virtual void FreeFrameCache() = 0;
    // Receives the binding's cmdSkinApplied and cmdSkinRemoved notices.
    virtual void FrameSkinCommand(TMessage& message) = 0;
    virtual bool IsFrameOwnerDestroying() const = 0;
};
