#pragma once

#include <memory>

#include "platform/toolkit/TButtonBehaviour.h"
#include "platform/toolkit/TCustomControl.h"

class TTimer;

enum class TUDBtnType { btNext, btPrev };
enum class TUDOrientation { udHorizontal, udVertical };
enum class TUDAlignButton { udLeft, udRight };

using TUDClickEvent = std::function<void(TObject* sender, TUDBtnType button)>;
// Set allowChange to false to keep the position.
using TUDChangingEvent = std::function<void(TObject* sender, bool& allowChange)>;

// The platform up-down: two arrow buttons that move Position by Increment between Min and
// Max (with Wrap, past one end to the other). A press steps at once, then repeats while the
// button stays held and pushed: the first repeat after 400 ms, then every 100 ms, on the
// toolkit's timers. With an Associate (an edit) the up-down sits beside it (at its right edge
// with udRight; the edit narrows by the up-down's width), the edit's text shows the position
// (with thousands separators when Thousands is set), the position is read back from that text
// before each step, and with ArrowKeys the Up and Down keys in the edit step too.
class TUpDown : public TCustomControl {
public:
    explicit TUpDown(TComponent* owner);
    ~TUpDown() override;
    std::string ClassName() const override { return "TUpDown"; }

    int Min() const { return m_min; }
    void SetMin(int v);
    int Max() const { return m_max; }
    void SetMax(int v);
    int Increment() const { return m_increment; }
    void SetIncrement(int v);
    int Position() const { return m_position; }
    // Kept between Min and Max; the associate's text follows. Raises no events.
    void SetPosition(int v);
    bool Wrap() const { return m_wrap; }
    void SetWrap(bool v) { m_wrap = v; }
    bool ArrowKeys() const { return m_arrowKeys; }
    void SetArrowKeys(bool v) { m_arrowKeys = v; }
    bool Thousands() const { return m_thousands; }
    void SetThousands(bool v);
    TUDOrientation Orientation() const { return m_orientation; }
    void SetOrientation(TUDOrientation o);
    TWinControl* Associate() const { return m_associate; }
    // Places the up-down beside the control and shows the position in its text; null detaches.
    void SetAssociate(TWinControl* control);

    // Steps as a click on that arrow does: asks OnChanging when the position would change,
    // then calls OnClick.
    void Step(TUDBtnType button);
    // The arrow's rectangle (client coordinates): btNext is the up (or right) arrow.
    TRect ButtonRect(TUDBtnType button) const;
    const TButtonBehaviour& Behaviour(TUDBtnType button) const;
    // The position as the associate shows it ("1,000" with Thousands).
    std::string FormatPosition(int position) const;

    TUDClickEvent OnClick;
    TUDChangingEvent OnChanging;

    void WriteDumpFields(TJsonWriter& json) const override;

protected:
    virtual bool CanChange();
    virtual void DoClick(TUDBtnType button);
    void Paint(TCanvas& canvas) override;
    void WMLButtonDown(TWMMouse& m) override;
    void WMLButtonDblClk(TWMMouse& m) override;
    void WMLButtonUp(TWMMouse& m) override;
    void WMMouseMove(TWMMouse& m) override;
    void WMCaptureChanged(TWMCaptureChanged& m) override;
    void CMMouseLeave(TCMMouseLeave& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    TButtonBehaviour& BehaviourOf(TUDBtnType button);
    // The arrow under a client point, if any.
    bool ButtonAt(TPoint p, TUDBtnType& button) const;
    void Apply(TButtonBehaviour::TResult r);
    void RepeatTick();
    void StopRepeat();
    // Ends a held arrow without a step (capture lost, control disabled).
    void CancelHold();
    int ClampToRange(int v) const;
    void ReadAssociateText();
    void UpdateAssociateText();
    void PlaceBesideAssociate();
    void HookAssociate();
    void UnhookAssociate();
    // Lets go of the associate and leaves its replaced procedure passing messages on.
    void ForgetAssociate();

    int m_min = 0;
    int m_max = 100;
    int m_increment = 1;
    int m_position = 0;
    bool m_wrap = false;
    bool m_arrowKeys = true;
    bool m_thousands = true;
    TUDOrientation m_orientation = TUDOrientation::udVertical;
    TUDAlignButton m_alignButton = TUDAlignButton::udRight;
    TWinControl* m_associate = nullptr;
    // Shared with the associate's replaced window procedure: cleared when the up-down lets go
    // of it, so the procedure then only passes messages on.
    std::shared_ptr<TUpDown*> m_hookOwner;
    TButtonBehaviour m_next;
    TButtonBehaviour m_prev;
    bool m_held = false;
    TUDBtnType m_heldButton = TUDBtnType::btNext;
    TTimer* m_repeat = nullptr;
};
