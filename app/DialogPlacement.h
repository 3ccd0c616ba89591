#pragma once

// Where a dialog of the given extent starts when centred on an owner along one axis, with
// outer bounds: ownerStart + (ownerExtent - extent) div 2, the half truncated toward zero (a
// difference of -7 puts the dialog 3 pixels before the owner's edge, not 4).
int CentredStart(int ownerStart, int ownerExtent, int extent);
