#include "render/TsAnimTimer.h"

#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/FadeWeight.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"

namespace {

// Clears the step-in-progress mark however the frame ends.
class StepMark {
public:
    explicit StepMark(bool& mark) : m_mark(mark) { m_mark = true; }
    ~StepMark() { m_mark = false; }
    StepMark(const StepMark&) = delete;
    StepMark& operator=(const StepMark&) = delete;

private:
    bool& m_mark;
};

} // namespace

TsAnimTimer::TsAnimTimer() : TTimer(nullptr) {
    SetEnabled(false);
    SetOnTimer([this](TObject*) { Tick(); });
}

void TsAnimTimer::Tick() {
    if (IsDestroying()) return;
    TControl* button = m_ownerBinding ? m_ownerBinding->Control() : nullptr;
    if (!button || button->IsDestroying() || (Application && Application->Terminated())) return;
    if (m_fadeLevel >= 0 && m_fadeLevel <= m_stepCount)
        DrawFrame();
    else
        SendSkinCommand(button, cmdStopAnimation); // the button stops and frees this timer
}

void TsAnimTimer::DrawFrame() {
    TControl* button = m_ownerBinding ? m_ownerBinding->Control() : nullptr;
    if (m_stepInProgress || !button || button->IsDestroying() || m_stepCount == 0 || m_fadeLevel < 0) {
        ++m_fadeLevel;
        return;
    }
    StepMark mark(m_stepInProgress);
    m_frame = m_oldFace;
    const TBitmap* face = m_ownerBinding->FaceBitmap();
    if (face && face->Size() == m_frame.Size())
        BlendBitmaps(m_frame, *face, FadeWeight(m_fadeLevel, m_stepCount));
    TWinControl* parent = button->Parent();
    QuerySkinCommand(parent, cmdSetAnimatedChild, LParamFromPointer(button));
    SendSkinCommand(button, cmdSetInUpdate, 0, 0);
    button->Repaint();
    QuerySkinCommand(parent, cmdSetAnimatedChild, 0);
    ++m_fadeLevel;
}
