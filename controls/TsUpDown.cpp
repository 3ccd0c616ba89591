#include "controls/TsUpDown.h"

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/ClassicScrollLook.h"
#include "platform/toolkit/TJsonWriter.h"
#include "render/Face.h"
#include "render/SkinCommandQueries.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

TsUpDown::TsUpDown(TComponent* owner) : TUpDown(owner) {
    // Double-clicks arrive as single clicks.
    TControlStyle style = ControlStyle();
    style.Exclude(TControlStyleFlag::csDoubleClicks);
    SetControlStyle(style);
}

void TsUpDown::SetShowInaccessibility(bool show) {
    if (show == m_showInaccessibility) return;
    m_showInaccessibility = show;
    Invalidate();
}

void TsUpDown::SetDisabledKind(TDisabledKinds kinds) {
    if (kinds == m_disabledKind) return;
    m_disabledKind = kinds;
    Invalidate();
}

void TsUpDown::SetButtonSkin(const std::string& section) {
    if (section == m_buttonSkin) return;
    m_buttonSkin = section;
    Invalidate();
}

bool TsUpDown::PaintsSkinned() const {
    const TsSkinManager* manager = DefaultManager();
    return manager && manager->SkinData().Ready && !manager->Model().GeneralData.empty();
}

bool TsUpDown::AtLimit(TUDBtnType button) const {
    return m_showInaccessibility && Position() == (button == TUDBtnType::btNext ? Max() : Min());
}

int TsUpDown::HalfState(TUDBtnType button) const {
    if (!IsEnabledInTree() || AtLimit(button)) return 0;
    const TButtonBehaviour& behaviour = Behaviour(button);
    if (behaviour.IsPushed()) return 2;
    return behaviour.IsHot() ? 1 : 0;
}

int TsUpDown::DrawingState() const {
    const int first = HalfState(TUDBtnType::btNext);
    const int second = HalfState(TUDBtnType::btPrev);
    if (first == 2) return 3;
    if (second == 2) return 4;
    if (first == 1) return 1;
    if (second == 1) return 2;
    return 0;
}

std::string TsUpDown::SectionFor(TUDBtnType button) const {
    if (!m_buttonSkin.empty()) return m_buttonSkin;
    const bool next = button == TUDBtnType::btNext;
    if (Orientation() == TUDOrientation::udVertical) return next ? "SCROLLBTNTOP" : "SCROLLBTNBOTTOM";
    return next ? "SCROLLBTNRIGHT" : "SCROLLBTNLEFT";
}

void TsUpDown::Paint(TCanvas& canvas) {
    if (!PaintsSkinned()) {
        TUpDown::Paint(canvas);
        return;
    }
    TsSkinManager* manager = DefaultManager();
    TBitmap face(Width(), Height());
    FaceAnswer().Ready = false;
    QuerySkinCommand(Parent(), cmdGetFace);
    const ParentBackground background = FaceAnswer().Ready ? FaceAnswer() : ParentBackground{};
    const int state = DrawingState();
    const bool vertical = Orientation() == TUDOrientation::udVertical;
    for (TUDBtnType button : {TUDBtnType::btNext, TUDBtnType::btPrev}) {
        const TRect r = ButtonRect(button).Intersect(face.BoundsRect());
        if (r.IsEmpty()) continue;
        const std::string section = SectionFor(button);
        const int index = manager->GetSkinIndex(section);
        const bool first = button == TUDBtnType::btNext;
        const int halfState = state == (first ? 1 : 2) ? 1 : state == (first ? 3 : 4) ? 2 : 0;
        if (index < 0) {
            TCanvas native(face);
            ClassicLook::DrawArrowButton(
                native, r,
                vertical ? (first ? ClassicLook::TArrowDirection::Up : ClassicLook::TArrowDirection::Down)
                         : (first ? ClassicLook::TArrowDirection::Right : ClassicLook::TArrowDirection::Left),
                halfState == 2, IsEnabledInTree());
            continue;
        }
        PaintSectionFace(index, section, background, halfState, FillCentre::Yes, manager, face,
                         {Left() + r.Left, Top() + r.Top}, r);
        const TsGeneralData& data = manager->Model().GeneralData[std::size_t(index)];
        const TColor arrow = TColor(halfState == 0 ? data.FontColor[0] : data.HotFontColor[0]);
        TCanvas glyphs(face);
        ClassicLook::DrawArrowGlyph(
            glyphs, r,
            vertical ? (first ? ClassicLook::TArrowDirection::Up : ClassicLook::TArrowDirection::Down)
                     : (first ? ClassicLook::TArrowDirection::Right : ClassicLook::TArrowDirection::Left),
            arrow);
    }
    if (!IsEnabledInTree()) ApplyDisabledLook(face, m_disabledKind, Parent(), {Left(), Top()}, background);
    canvas.Draw(0, 0, face);
}

void TsUpDown::WMEraseBkgnd(TMessage& m) {
    if (PaintsSkinned()) {
        m.Result = 1;
        return;
    }
    TUpDown::WMEraseBkgnd(m);
}

void TsUpDown::WMNCPaint(TMessage& m) {
    if (PaintsSkinned()) return;
    TUpDown::WMNCPaint(m);
}

void TsUpDown::WriteDumpFields(TJsonWriter& json) const {
    TUpDown::WriteDumpFields(json);
    json.Field("drawingState", DrawingState());
}
