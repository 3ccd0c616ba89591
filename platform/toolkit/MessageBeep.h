#pragma once

#include <cstdint>
#include <functional>

// The warning sound of refused input (an invalid character, a click on a read-only field).
// Each beep goes to the sound hook when one is set (a backend that can make a sound sets it)
// and is counted, so that tests and the automation dump can see it.
void MessageBeep();
// How many beeps the process has made.
std::uint64_t MessageBeepCount();
// The hook that makes the sound; an empty function silences the beeps.
void SetMessageBeepHook(std::function<void()> hook);
