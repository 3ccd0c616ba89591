#include "controls/TsEdit.h"

TsEdit::TsEdit(TComponent* owner) : TEdit(owner) {}
