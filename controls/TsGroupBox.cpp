#include "controls/TsGroupBox.h"

TsGroupBox::TsGroupBox(TComponent* owner) : TGroupBox(owner) {}
