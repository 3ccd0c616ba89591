#include "controls/TsLabel.h"

TsLabel::TsLabel(TComponent* owner) : TLabel(owner) {}
