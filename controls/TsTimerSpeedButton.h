#pragma once

#include <memory>

#include "controls/TsSpeedButton.h"
#include "platform/core/TFlagSet.h"

class TTimer;

enum class TTimeBtnState : std::uint8_t { tbFocusRect, tbAllowTimer };
using TTimeBtnStates = TFlagSet<TTimeBtnState>;

// A skinned speed button that repeats its click while held: the first repeat 400 ms after the
// press, then every 100 ms while the button keeps the mouse capture, on the toolkit's timers
// (so a headless run follows the virtual clock). With tbFocusRect it shows the focus inside
// its face.
class TsTimerSpeedButton : public TsSpeedButton {
public:
    explicit TsTimerSpeedButton(TComponent* owner);
    ~TsTimerSpeedButton() override;
    std::string ClassName() const override { return "TsTimerSpeedButton"; }

    TTimeBtnStates TimeBtnState() const { return m_timeBtnState; }
    void SetTimeBtnState(TTimeBtnStates state);

protected:
    void Paint(TCanvas& canvas) override;
    void MouseDown(TMouseButton button, TShiftState shift, int x, int y) override;
    void MouseUp(TMouseButton button, TShiftState shift, int x, int y) override;

private:
    void RepeatTick();
    void StopRepeat();

    TTimeBtnStates m_timeBtnState;
    std::unique_ptr<TTimer> m_repeatTimer;
};
