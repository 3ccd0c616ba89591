#pragma once

#include <cstdint>

// The warning sound of refused input (an invalid character, a click on a read-only field).
// It sounds through the window backend, and each beep is counted, so that tests and the
// automation dump can see it.
void MessageBeep();
// How many beeps the process has made.
std::uint64_t MessageBeepCount();
