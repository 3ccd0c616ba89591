#pragma once

#include <cstdint>

#include "platform/core/TFlagSet.h"

// Fades: when a skinned button changes its look, a series of frames blends the old face into
// the new one, one frame every 10 ms on the toolkit's timers. Whether a change fades, and in
// how many frames, is decided by the section (FADINGENABLED, FADINGITERATIONS) and by the
// control's AnimatEvents (TsFade runs them).

enum class TAnimatEvent : std::uint8_t { aeMouseEnter, aeMouseLeave, aeMouseDown, aeMouseUp, aeGlobalDef };
using TAnimatEvents = TFlagSet<TAnimatEvent>;
inline constexpr TAnimatEvents DefaultAnimatEvents{TAnimatEvent::aeGlobalDef};

// Presses and releases fade in half the steps.
enum class FadeSpeed { Full, Halved };

// True when the event is in the set, or the set defers to the process-wide button events
// (aeGlobalDef) and the event is among them.
bool ShouldAnimate(TAnimatEvent event, TAnimatEvents events);
