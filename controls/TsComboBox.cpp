#include "controls/TsComboBox.h"

TsComboBox::TsComboBox(TComponent* owner) : TComboBox(owner) {}
