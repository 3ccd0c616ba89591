#pragma once

#include <cstdint>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TTimer.h"

class TsCommonData;

// A push button's fade: every tick draws one frame blended from the old face (taken when the
// fade started) and the button's current face, straight into the button's window. The
// button owns the timer as a component.
class TsFadeTimer : public TTimer {
public:
    explicit TsFadeTimer(TComponent* owner);
    std::string ClassName() const override { return "TsFadeTimer"; }

    // 0 none; 1 and 2 fading (push buttons use 1).
    std::uint8_t Direction() const { return m_direction; }
    void SetDirection(std::uint8_t direction) { m_direction = direction; }
    TsCommonData* OwnerBinding() const { return m_ownerBinding; }
    void SetOwnerBinding(TsCommonData* binding) { m_ownerBinding = binding; }
    std::int32_t StepCount() const { return m_stepCount; }
    void SetStepCount(std::int32_t count) { m_stepCount = count; }
    // The number of the next frame, from 1.
    std::int32_t FadeLevel() const { return m_fadeLevel; }
    void SetFadeLevel(std::int32_t level) { m_fadeLevel = level; }
    TBitmap& OldFace() { return m_oldFace; }
    const TBitmap& OldFace() const { return m_oldFace; }

    // One tick: stops the fade after its last frame, else draws the next frame.
    void Tick();

private:
    std::uint8_t m_direction = 0;
    TsCommonData* m_ownerBinding = nullptr;
    std::int32_t m_stepCount = 0;
    std::int32_t m_fadeLevel = 1;
    TBitmap m_oldFace;
};
