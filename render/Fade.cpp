#include "render/Fade.h"

#include "skin/SkinProcessState.h"

bool ShouldAnimate(TAnimatEvent event, TAnimatEvents events) {
    if (events.Has(event)) return true;
    return events.Has(TAnimatEvent::aeGlobalDef) && (GlobalButtonEvents() & (1u << unsigned(event))) != 0;
}
