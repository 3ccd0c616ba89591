#include "render/ParentColors.h"

namespace {

TColor parentFillColor = clFuchsia;
TColor parentKeyColor = clFuchsia;

} // namespace

TColor ParentFillColor() {
    return parentFillColor;
}

void SetParentFillColor(TColor colour) {
    parentFillColor = colour;
}

TColor ParentKeyColor() {
    return parentKeyColor;
}

void SetParentKeyColor(TColor colour) {
    parentKeyColor = colour;
}

void ResetParentColors() {
    parentFillColor = clFuchsia;
    parentKeyColor = clFuchsia;
}
