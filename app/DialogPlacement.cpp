#include "app/DialogPlacement.h"

int CentredStart(int ownerStart, int ownerExtent, int extent) {
    return ownerStart + (ownerExtent - extent) / 2;
}
