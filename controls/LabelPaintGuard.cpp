#include "controls/LabelPaintGuard.h"

namespace {
bool g_labelPaintGuard = false;
}

bool LabelPaintGuard() {
    return g_labelPaintGuard;
}

void SetLabelPaintGuard(bool raised) {
    g_labelPaintGuard = raised;
}
