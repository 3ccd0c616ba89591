#pragma once

#include "platform/toolkit/Messages.h"

class TCanvas;
class TWinControl;

// Prints the visible windowed children of a control into the canvas (whose origin is the
// control's client origin), each with the print flags given: what a skinned control does after
// printing its own face instead of its platform look.
void PrintWindowedChildren(TWinControl& control, TCanvas& canvas, TLParam flags);
