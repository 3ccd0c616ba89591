#include "controls/TsKind.h"

#include "platform/toolkit/TControl.h"

void TsKind::SetKindType(TsKindType type) {
    if (type == m_kindType) return;
    m_kindType = type;
    m_owner.Invalidate();
}

void TsKind::SetColor(TColor colour) {
    if (colour == m_color) return;
    m_color = colour;
    m_owner.Invalidate();
}
