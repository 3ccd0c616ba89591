#include "render/TsFade.h"

#include <algorithm>
#include <exception>

#include "platform/canvas/TCanvas.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomForm.h"
#include "platform/toolkit/TWinControl.h"
#include "render/Blend.h"
#include "render/Corners.h"
#include "render/FadeWeight.h"
#include "render/SkinCommandQueries.h"
#include "render/TsCommonData.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

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

std::int32_t StepsFor(std::int32_t steps, FadeSpeed speed) {
    return speed == FadeSpeed::Halved ? steps / 2 : steps;
}

// The section's FADINGITERATIONS as a step count.
std::int32_t SectionSteps(const TsGeneralData& section, FadeSpeed speed) {
    return StepsFor(std::clamp(section.FadingIterations, MinFadeSteps, MaxFadeSteps), speed);
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

// Clears the step-in-progress mark however the frame ends, and advances the level also when
// showing the frame fails.
class TStepScope {
public:
    TStepScope(bool& mark, std::int32_t& level) : m_mark(mark), m_level(level) { m_mark = true; }
    ~TStepScope() {
        m_mark = false;
        ++m_level;
    }
    TStepScope(const TStepScope&) = delete;
    TStepScope& operator=(const TStepScope&) = delete;

private:
    bool& m_mark;
    std::int32_t& m_level;
};

} // namespace

TsFade::TsFade(TsCommonData& binding, TFadeEnd end) : TTimer(nullptr), m_binding(binding), m_end(end) {
    SetEnabled(false);
    SetOnTimer([this](TObject*) { Tick(); });
}

void TsFade::Begin(std::int32_t steps, std::int32_t level) {
    m_oldFace = m_binding.FaceBitmap() ? *m_binding.FaceBitmap() : TBitmap();
    SetInterval(FadeInterval);
    m_stepCount = steps;
    m_fadeLevel = level;
}

void TsFade::Tick() {
    if (IsDestroying()) return;
    TControl* control = m_binding.Control();
    if (!control || control->IsDestroying() || (Application && Application->Terminated())) return;
    try {
        if (m_fadeLevel > m_stepCount || m_fadeLevel < 0) {
            try {
                // The control answers with StopFade, which frees this fade.
                SendSkinCommand(control, cmdStopAnimation);
                return;
            } catch (const std::exception&) {
            }
        }
        DrawFrame();
    } catch (const std::exception& e) {
        if (Application) Application->HandleException(e);
    }
}

void TsFade::DrawFrame() {
    TControl* control = m_binding.Control();
    if (!control || control->IsDestroying() || m_stepCount == 0) return;
    // A disabled control shows its face at once, and so does one resized since the fade
    // began: the old face no longer fits its window.
    if (!control->Enabled() || m_oldFace.Size() != TSize{control->Width(), control->Height()}) {
        SetEnabled(false);
        m_stepCount = 0;
        m_binding.Invalidate();
        return;
    }
    if (m_stepInProgress || m_fadeLevel < 0) {
        ++m_fadeLevel;
        return;
    }
    TStepScope scope(m_stepInProgress, m_fadeLevel);
    m_frame = m_oldFace;
    const TBitmap* face = m_binding.FaceBitmap();
    if (face && face->Size() == m_frame.Size())
        BlendBitmaps(m_frame, *face, FadeWeight(m_fadeLevel, m_stepCount));
    Show();
}

void TsFade::Show() {
    TControl* control = m_binding.Control();
    if (m_end == TFadeEnd::OwnPaint) {
        TWinControl* parent = control->Parent();
        QuerySkinCommand(parent, cmdSetAnimatedChild, LParamFromPointer(control));
        SendSkinCommand(control, cmdSetInUpdate, 0, 0);
        control->Repaint();
        QuerySkinCommand(parent, cmdSetAnimatedChild, 0);
        return;
    }
    if (!control->IsWindowed()) return;
    // The control may draw the frame itself (answer not 0), for example through its window region.
    if (SendSkinCommand(control, cmdReleaseRegion, LParamFromPointer(&m_frame)) == 0)
        DrawIntoWindow(static_cast<TWinControl&>(*control), m_frame);
}

void FadeOrRepaint(std::unique_ptr<TsFade>& slot, TsCommonData& binding, TFadeEnd end, FadeSpeed speed,
                   bool animate, const TFadeOptions& options) {
    if (!binding.Skinned()) return;
    // A stale face is not what the screen shows, so there is nothing to fade from.
    const bool faceShown = options.FaceAlwaysShown || !binding.FaceStale();
    const bool fades =
        animate && !LoadingSkin() && FadesEnabled(binding) && binding.FaceBitmap() && faceShown;
    binding.SetFaceStale(true);
    if (fades) {
        StartFade(slot, binding, end, speed, options.NewState);
        return;
    }
    StopFade(slot);
    if (TControl* control = binding.Control()) control->Repaint();
}

void StartFade(std::unique_ptr<TsFade>& slot, TsCommonData& binding, TFadeEnd end, FadeSpeed speed,
               std::optional<int> newState) {
    const TsGeneralData* section = SectionOf(binding);
    TControl* control = binding.Control();
    if (!section || !section->FadingEnabled || !control) return;
    std::int32_t steps = 0;
    std::int32_t level = 1;
    if (end == TFadeEnd::Window) {
        // A fade still running hands on how far it got and starts over.
        steps = slot ? StepsFor(slot->FadeLevel(), speed) : SectionSteps(*section, speed);
    } else {
        // The new fade begins where the interrupted one would have ended.
        if (slot) level = slot->StepCount() - slot->FadeLevel();
        slot.reset();
        steps = SectionSteps(*section, speed);
    }
    if (steps <= 0) {
        // No frame to draw: show the new state at once instead of leaving the old one.
        slot.reset();
        binding.SetFaceStale(true);
        control->Repaint();
        return;
    }
    if (!slot) slot = std::make_unique<TsFade>(binding, end);
    slot->Begin(steps, level);
    SendSkinCommand(control, cmdRebuildFace, 0, newState ? std::uint16_t(*newState + 1) : 0);
    if (end == TFadeEnd::OwnPaint) RepaintCorners(binding, 1, cnAllCorners);
    if (!slot) return; // the rebuild may have ended the fade
    slot->SetEnabled(true);
    if (end == TFadeEnd::OwnPaint) slot->DrawFrame();
}

std::optional<int> RebuildFaceState(const TMessage& m) {
    const std::uint16_t small = SkinCommandMessage::Small(m);
    if (small == 0) return std::nullopt;
    return int(small) - 1;
}

void StopFade(std::unique_ptr<TsFade>& slot) {
    if (!slot || slot->IsDestroying()) return;
    slot->SetEnabled(false);
    TsCommonData& binding = slot->Binding();
    TControl* control = binding.Control();
    // Frames shown through the paint leave the face to be painted again.
    if (slot->End() == TFadeEnd::OwnPaint && slot->FadeLevel() != 0 && control && !control->IsDestroying()) {
        binding.SetFaceStale(true);
        control->Repaint();
    }
    slot.reset();
}
