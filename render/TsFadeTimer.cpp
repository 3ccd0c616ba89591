#include "render/TsFadeTimer.h"

#include <exception>

#include "platform/toolkit/TApplication.h"
#include "render/Fade.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"

TsFadeTimer::TsFadeTimer(TComponent* owner) : TTimer(owner) {
    SetEnabled(false);
    SetOnTimer([this](TObject*) { Tick(); });
}

void TsFadeTimer::Tick() {
    if (IsDestroying()) return;
    TControl* control = m_ownerBinding ? m_ownerBinding->Control() : nullptr;
    if (!control || control->IsDestroying() || (Application && Application->Terminated())) {
        m_direction = 0;
        return;
    }
    try {
        if (m_fadeLevel > m_stepCount || m_fadeLevel < 0) {
            try {
                // The control answers with StopFade, which frees this timer.
                SendSkinCommand(control, cmdStopAnimation);
                return;
            } catch (const std::exception&) {
            }
        }
        if (m_direction == 1 || m_direction == 2) FadeStep(*this);
    } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
    }
}
