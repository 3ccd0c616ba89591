#include "render/Fade.h"

#include <algorithm>

#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/Corners.h"
#include "render/FadeWeight.h"
#include "render/SkinCommandQueries.h"
#include "render/TsAnimTimer.h"
#include "render/TsCommonData.h"
#include "render/TsFadeTimer.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

// Sections: events; push-button fades; speed-button fades.

namespace {

constexpr unsigned FadeInterval = 10;
// The step counts a section may ask for: the stored skins use 5 and 20, and 50 frames of 10 ms
// end a hover fade within half a second, where an unbounded count would hold the old face for
// days and repaint every tick.
constexpr std::int32_t MinFadeSteps = 1;
constexpr std::int32_t MaxFadeSteps = 50;

// The section of a skinned binding, or null.
const TsGeneralData* SectionOf(const TsCommonData& binding) {
    if (!binding.Skinned()) return nullptr;
    return &binding.SkinManager()->Model().GeneralData[std::size_t(binding.SectionIndex())];
}

bool FadesEnabled(const TsCommonData& binding) {
    const TsGeneralData* section = SectionOf(binding);
    return section && section->FadingEnabled;
}

// The section's FADINGITERATIONS as a step count.
std::int32_t SectionSteps(const TsGeneralData& section) {
    return std::clamp(section.FadingIterations, MinFadeSteps, MaxFadeSteps);
}

std::int32_t StepsFor(std::int32_t steps, FadeSpeed speed) {
    return speed == FadeSpeed::Halved ? steps / 2 : steps;
}

// Copies the frame to the top-left corner of the control's window, clipped to what of the
// window shows, and has the form present what it covered.
void DrawIntoWindow(TWinControl& control, const TBitmap& frame) {
    TCustomForm* form = control.ParentForm();
    if (!form || form->Surface().IsEmpty()) return;
    const TRect window = control.SurfaceRect();
    TRegion drawn = control.VisibleWindowRegion();
    drawn.Intersect(TRect::FromBounds(window.Left, window.Top, frame.Width(), frame.Height()));
    TCanvas canvas(form->Surface());
    TCanvasSaver saver(canvas);
    canvas.IntersectClipRegion(drawn);
    canvas.SetOrigin(window.TopLeft());
    canvas.Draw(0, 0, frame);
    form->AddDamage(drawn);
}

} // namespace

// ---------------------------------------------------------------- events

bool ShouldAnimate(TAnimatEvent event, TAnimatEvents events) {
    if (events.Has(event)) return true;
    return events.Has(TAnimatEvent::aeGlobalDef) && (GlobalButtonEvents() & (1u << unsigned(event))) != 0;
}

// ---------------------------------------------------------------- push-button fades

void FadeOrRepaint(TsFadeTimer*& slot, TsCommonData& binding, FadeSpeed speed, std::uint8_t direction,
                   bool animate) {
    if (!binding.Skinned()) return;
    if (animate && !LoadingSkin() && FadesEnabled(binding) && binding.FaceBitmap() && !binding.FaceStale()) {
        binding.SetFaceStale(true);
        StartFade(slot, binding, speed, direction);
        return;
    }
    binding.SetFaceStale(true);
    if (slot) StopFade(slot, binding);
    if (TControl* control = binding.Control()) control->Repaint();
}

void StartFade(TsFadeTimer*& slot, TsCommonData& binding, FadeSpeed speed, std::uint8_t direction) {
    const TsGeneralData* section = SectionOf(binding);
    TControl* control = binding.Control();
    if (!section || !section->FadingEnabled || !control) return;
    if (!slot) {
        slot = new TsFadeTimer(control);
        slot->SetFadeLevel(1);
    }
    TsFadeTimer& timer = *slot;
    timer.SetOwnerBinding(&binding);
    timer.OldFace() = binding.FaceBitmap() ? *binding.FaceBitmap() : TBitmap();
    timer.SetInterval(FadeInterval);
    std::int32_t steps = SectionSteps(*section);
    // A fade still running hands on how far it got.
    if (timer.Direction() == 1)
        steps = timer.FadeLevel();
    else if (timer.Direction() == 2)
        steps -= timer.FadeLevel();
    steps = StepsFor(steps, speed);
    timer.SetStepCount(steps);
    if (timer.FadeLevel() >= steps || timer.FadeLevel() <= 0) timer.SetFadeLevel(1);
    if (steps <= 0) {
        // No frame to draw: show the new state at once instead of leaving the old one.
        StopFade(slot, binding);
        binding.SetFaceStale(true);
        control->Repaint();
        return;
    }
    SendSkinCommand(control, cmdRebuildFace);
    if (!slot) return; // the rebuild may have ended the fade
    timer.SetDirection(direction);
    timer.SetEnabled(direction != 0);
}

void StopFade(TsFadeTimer*& slot, TsCommonData& binding) {
    (void)binding;
    if (!slot || slot->IsDestroying()) return;
    TsFadeTimer* timer = slot;
    slot = nullptr;
    timer->SetDirection(0);
    if (timer->FadeLevel() < 0) timer->SetFadeLevel(1);
    timer->SetEnabled(false);
    delete timer;
}

void FadeStep(TsFadeTimer& timer) {
    TsCommonData* binding = timer.OwnerBinding();
    TControl* control = binding ? binding->Control() : nullptr;
    if (!control || control->IsDestroying() || timer.StepCount() == 0) return;
    if (!control->Enabled()) {
        timer.SetEnabled(false);
        timer.SetStepCount(0);
        binding->Invalidate();
        return;
    }
    TBitmap frame = timer.OldFace();
    const TBitmap* face = binding->FaceBitmap();
    if (face && face->Size() == frame.Size())
        BlendBitmaps(frame, *face, FadeWeight(timer.FadeLevel(), timer.StepCount()));
    // The level advances also when drawing fails.
    struct NextLevel {
        TsFadeTimer& Timer;
        ~NextLevel() { Timer.SetFadeLevel(Timer.FadeLevel() + 1); }
    } next{timer};
    auto* windowed = control->IsWindowed() ? static_cast<TWinControl*>(control) : nullptr;
    if (!windowed) return;
    // The control may draw the frame itself (answer not 0), for example through its window region.
    if (SendSkinCommand(control, cmdReleaseRegion, LParamFromPointer(&frame)) == 0)
        DrawIntoWindow(*windowed, frame);
}

// ---------------------------------------------------------------- speed-button fades

void AnimFadeOrRepaint(std::unique_ptr<TsAnimTimer>& slot, TsCommonData& binding, FadeSpeed speed,
                       bool animate) {
    try {
        if (animate && !LoadingSkin() && FadesEnabled(binding) && !binding.FaceStale()) {
            binding.SetFaceStale(true);
            AnimStart(slot, binding, speed);
            return;
        }
        binding.SetFaceStale(true);
        AnimStop(slot, binding);
        if (TControl* button = binding.Control()) button->Repaint();
    } catch (const std::exception&) {
        // A failed fade must not fail the mouse event that started it.
    }
}

void AnimStart(std::unique_ptr<TsAnimTimer>& slot, TsCommonData& binding, FadeSpeed speed) {
    TControl* button = binding.Control();
    if (!button || button->IsDesigning()) return;
    std::int32_t remaining = 1;
    if (slot) {
        remaining = slot->StepCount() - slot->FadeLevel();
        slot.reset();
    }
    const TsGeneralData* section = SectionOf(binding);
    if (!section || !section->FadingEnabled) return;
    const std::int32_t steps = StepsFor(SectionSteps(*section), speed);
    if (steps <= 0) {
        // No frame to draw: show the new state at once.
        binding.SetFaceStale(true);
        button->Repaint();
        return;
    }
    slot = std::make_unique<TsAnimTimer>();
    TsAnimTimer& timer = *slot;
    timer.SetOwnerBinding(&binding);
    timer.SetInterval(FadeInterval);
    timer.SetStepCount(steps);
    timer.SetFadeLevel(remaining);
    timer.OldFace() = binding.FaceBitmap() ? *binding.FaceBitmap() : TBitmap();
    SendSkinCommand(button, cmdRebuildFace);
    RepaintCorners(binding, 1, 15);
    if (!slot) return; // the rebuild may have ended the fade
    timer.SetEnabled(true);
    timer.DrawFrame();
}

void AnimStop(std::unique_ptr<TsAnimTimer>& slot, TsCommonData& binding) {
    TControl* button = binding.Control();
    if (button && !button->IsDestroying() && !button->IsDesigning() && slot && !slot->IsDestroying()) {
        slot->SetEnabled(false);
        if (slot->FadeLevel() != 0) {
            binding.SetFaceStale(true);
            button->Repaint();
        }
    }
    slot.reset();
}
