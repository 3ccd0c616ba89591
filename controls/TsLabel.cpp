#include "controls/TsLabel.h"

#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"

TsLabel::TsLabel(TComponent* owner) : TsCustomLabel(owner) {}

void TsLabel::SetUseSkinColor(bool use) {
    if (use == m_useSkinColor) return;
    m_useSkinColor = use;
    Invalidate();
}

void TsLabel::ApplySkinFontColour() {
    if (m_useSkinColor) TsCustomLabel::ApplySkinFontColour();
}

void TsLabel::HandleSkinRemoved(TMessage& m) {
    // The label answers the removal itself; the message goes no further.
    const TsSkinManager* manager = DefaultManager();
    if (m_useSkinColor && manager && SkinCommandMessage::ObjectAs<TsSkinManager>(m) == manager)
        SetFontColour(clWindowText);
}
