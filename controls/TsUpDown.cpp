#include "controls/TsUpDown.h"

TsUpDown::TsUpDown(TComponent* owner) : TUpDown(owner) {}
