#pragma once

#include <cstdint>
#include <memory>

#include "platform/core/TFlagSet.h"

class TsAnimTimer;
class TsCommonData;
class TsFadeTimer;

// Fades: when a skinned button changes its look, a series of frames blends the old face into
// the new one, one frame every 10 ms on the toolkit's timers. Whether a change fades, and in
// how many frames, is decided by the section (FADINGENABLED, FADINGITERATIONS) and by the
// control's AnimatEvents.

enum class TAnimatEvent : std::uint8_t { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TAnimatEvents = TFlagSet<TAnimatEvent>;
inline constexpr TAnimatEvents DefaultAnimatEvents{TAnimatEvent::aeGlobalDef};

// Presses and releases fade in half the steps.
enum class FadeSpeed { Full, Halved };

// True when the event is in the set, or the set defers to the process-wide button events
// (aeGlobalDef) and the event is among them.
bool ShouldAnimate(TAnimatEvent event, TAnimatEvents events);

// --- push buttons (windowed; each frame is drawn straight into the window) ---
// Called by the button after every pointer and mouse-button change: starts a fade when the
// change animates and the section fades, else marks the face stale, stops a running fade and
// repaints at once.
void FadeOrRepaint(TsFadeTimer*& slot, TsCommonData& binding, FadeSpeed speed, std::uint8_t direction,
                   bool animate);
// Takes the face as the old look, has the control rebuild its face (cmdRebuildFace) and runs
// the timer; a fade still running hands its reached level on as the new step count.
void StartFade(TsFadeTimer*& slot, TsCommonData& binding, FadeSpeed speed, std::uint8_t direction);
// Stops and frees the fade; the last frame drawn stays on the screen.
void StopFade(TsFadeTimer*& slot, TsCommonData& binding);
// Draws the frame of the timer's fade level into the control's window and advances the level.
void FadeStep(TsFadeTimer& timer);

// --- speed buttons (windowless; each frame is shown through the button's own paint) ---
// The button's paint shows AnimTimer->Frame() while the timer runs; the button handles
// cmdRebuildFace (rebuild its face for the new state) and cmdStopAnimation (AnimStop).
void AnimFadeOrRepaint(std::unique_ptr<TsAnimTimer>& slot, TsCommonData& binding, FadeSpeed speed,
                       bool animate);
void AnimStart(std::unique_ptr<TsAnimTimer>& slot, TsCommonData& binding, FadeSpeed speed);
void AnimStop(std::unique_ptr<TsAnimTimer>& slot, TsCommonData& binding);
