#include "controls/TsButton.h"

TsButton::TsButton(TComponent* owner) : TButton(owner) {}
