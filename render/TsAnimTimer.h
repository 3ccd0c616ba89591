#pragma once

#include <cstdint>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TTimer.h"

class TsCommonData;

// A speed button's fade: every tick blends the old face with the button's current face into
// Frame, which the button's paint shows instead of its face while the timer runs. The button
// holds the timer itself (see AnimStart in Fade.h).
class TsAnimTimer : public TTimer {
public:
    TsAnimTimer();
    std::string ClassName() const override { return "TsAnimTimer"; }

    bool StepInProgress() const { return m_stepInProgress; }
    TBitmap& OldFace() { return m_oldFace; }
    const TBitmap& Frame() const { return m_frame; }
    TsCommonData* OwnerBinding() const { return m_ownerBinding; }
    void SetOwnerBinding(TsCommonData* binding) { m_ownerBinding = binding; }
    std::int32_t StepCount() const { return m_stepCount; }
    void SetStepCount(std::int32_t count) { m_stepCount = count; }
    std::int32_t FadeLevel() const { return m_fadeLevel; }
    void SetFadeLevel(std::int32_t level) { m_fadeLevel = level; }

    // Blends the frame of the current level and has the button show it; advances the level.
    void DrawFrame();
    // One tick: draws the frame of the current level, or asks the button to stop the fade.
    void Tick();

private:
    bool m_stepInProgress = false;
    TBitmap m_oldFace;
    TBitmap m_frame;
    TsCommonData* m_ownerBinding = nullptr;
    std::int32_t m_stepCount = 0;
    std::int32_t m_fadeLevel = 0;
};
