#include "controls/TsLabelFX.h"

TsLabelFX::TsLabelFX(TComponent* owner) : TLabel(owner) {}
