#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/TTimer.h"
#include "render/Fade.h"

class TsCommonData;

// Where a fade's frames go. A windowed push button has each frame drawn straight into its
// window; a windowless speed button shows the frame in its own paint while the fade runs.
enum class TFadeEnd { Window, OwnPaint };

// One fade of a skinned control: every 10 ms tick blends the old face (taken when the fade
// started) with the control's current face into Frame and shows it at the fade's end. The
// control owns its fade (see FadeOrRepaint) and answers cmdRebuildFace (rebuild the face for
// the new state) and cmdStopAnimation (StopFade).
class TsFade : public TTimer {
public:
    TsFade(TsCommonData& binding, TFadeEnd end);
    std::string ClassName() const override { return "TsFade"; }

    TFadeEnd End() const { return m_end; }
    TsCommonData& Binding() const { return m_binding; }
    std::int32_t StepCount() const { return m_stepCount; }
    // The number of the next frame.
    std::int32_t FadeLevel() const { return m_fadeLevel; }
    // The last frame blended.
    const TBitmap& Frame() const { return m_frame; }

    // Blends the frame of the current level, shows it and advances the level.
    void DrawFrame();
    // One tick: draws the frame of the current level, or asks the control to stop the fade.
    void Tick();

private:
    friend void StartFade(std::unique_ptr<TsFade>& slot, TsCommonData& binding, TFadeEnd end, FadeSpeed speed,
                          std::optional<int> newState);
    void Begin(std::int32_t steps, std::int32_t level);
    void Show();

    TsCommonData& m_binding;
    TFadeEnd m_end;
    std::int32_t m_stepCount = 0;
    std::int32_t m_fadeLevel = 1;
    bool m_stepInProgress = false;
    TBitmap m_oldFace;
    TBitmap m_frame;
};

// What a push button adds to a fade request.
struct TFadeOptions {
    // The control rebuilds its face at every paint, so the face is what the screen shows even
    // while it is marked stale.
    bool FaceAlwaysShown = false;
    // The face state the new face is for, when the control's own state has not yet followed
    // the change (a press or release on its way to the platform button).
    std::optional<int> NewState;
};

// Called by the control after every pointer and mouse-button change: starts a fade when the
// change animates, the section fades and the face is up to date, else marks the face stale,
// stops a running fade and repaints at once.
void FadeOrRepaint(std::unique_ptr<TsFade>& slot, TsCommonData& binding, TFadeEnd end, FadeSpeed speed,
                   bool animate, const TFadeOptions& options = {});
// Takes the face as the old look, has the control rebuild its face (cmdRebuildFace, carrying
// newState when given) and runs the fade. A fade into the window still running goes on with
// as many steps as it reached; a fade through the paint starts over at the level where the
// interrupted one would have ended.
void StartFade(std::unique_ptr<TsFade>& slot, TsCommonData& binding, TFadeEnd end, FadeSpeed speed,
               std::optional<int> newState = std::nullopt);

// The face state a cmdRebuildFace names (its small argument is the state + 1), or none for
// the control's current state.
std::optional<int> RebuildFaceState(const TMessage& m);
// Stops and frees the fade. A window keeps the last frame drawn; a control that showed the
// frames in its paint repaints its face.
void StopFade(std::unique_ptr<TsFade>& slot);
