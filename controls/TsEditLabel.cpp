#include "controls/TsEditLabel.h"

TsEditLabel::TsEditLabel(TComponent* owner, TsBoundLabel& bound) : TsLabel(owner), m_bound(&bound) {}

TsEditLabel::~TsEditLabel() {
    m_bound->ForgetLabel();
}

TLabel* TsEditLabel::Create(TComponent* owner, TsBoundLabel& bound) {
    return new TsEditLabel(owner, bound);
}

void TsEditLabel::InstallAsBoundLabel() {
    SetBoundLabelFactory(&TsEditLabel::Create);
}
