#include "controls/TsTimerSpeedButton.h"

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TButtonBehaviour.h"
#include "platform/toolkit/TTimer.h"
#include "render/ParentColors.h"

TsTimerSpeedButton::TsTimerSpeedButton(TComponent* owner) : TsSpeedButton(owner) {}

TsTimerSpeedButton::~TsTimerSpeedButton() {
    MarkDestroying();
    m_repeatTimer.reset();
}

void TsTimerSpeedButton::SetTimeBtnState(TTimeBtnStates state) {
    if (state == m_timeBtnState) return;
    m_timeBtnState = state;
    SkinData().Invalidate();
    if (!SkinData().Skinned(true)) Invalidate();
}

void TsTimerSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    TsSpeedButton::MouseDown(button, shift, x, y);
    if (button != TMouseButton::mbLeft || !IsEnabledInTree()) return;
    if (!m_timeBtnState.Has(TTimeBtnState::tbAllowTimer)) return;
    if (!m_repeatTimer) {
        m_repeatTimer = std::make_unique<TTimer>(nullptr);
        m_repeatTimer->SetOnTimer([this](TObject*) { RepeatTick(); });
    }
    m_repeatTimer->SetEnabled(false);
    m_repeatTimer->SetInterval(ArrowRepeatDelayMs);
    m_repeatTimer->SetEnabled(true);
}

void TsTimerSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    TsSpeedButton::MouseUp(button, shift, x, y);
    StopRepeat();
}

void TsTimerSpeedButton::StopRepeat() {
    if (m_repeatTimer) m_repeatTimer->SetEnabled(false);
}

void TsTimerSpeedButton::RepeatTick() {
    m_repeatTimer->SetInterval(ArrowRepeatIntervalMs);
    if (!MouseCapture()) return;
    try {
        Click();
    } catch (...) {
        StopRepeat();
        throw;
    }
}

void TsTimerSpeedButton::Paint(TCanvas& canvas) {
    const TColor window = ColorToRGB(clWindow);
    SetParentKeyColor(window);
    SetParentFillColor(window);
    TsSpeedButton::Paint(canvas);
    if (m_timeBtnState.Has(TTimeBtnState::tbFocusRect)) {
        TRect r = TRect{0, 0, Width(), Height()}.Inflate(-3, -3);
        if (IsPushed()) r = r.Offset(1, 1);
        canvas.DrawFocusRect(r);
    }
    ResetParentColors();
}
