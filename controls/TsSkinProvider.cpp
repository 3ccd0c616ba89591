#include "controls/TsSkinProvider.h"

// Sections: life and properties; the window procedure; skin commands; the window face;
// painting; the mouse on the title bar.

#include <algorithm>
#include <exception>

#include "platform/canvas/TCanvas.h"
#include "platform/graphics/SystemColors.h"
#include "platform/text/TextFlags.h"
#include "platform/toolkit/SkinCommandMessage.h"
#include "platform/toolkit/TApplication.h"
#include "platform/toolkit/TCustomForm.h"
#include "render/Corners.h"
#include "render/Face.h"
#include "render/FaceToScreen.h"
#include "render/Layers.h"
#include "render/ParentColors.h"
#include "render/SkinCommandQueries.h"
#include "render/Text.h"
#include "skin/SkinCommands.h"
#include "skin/SkinProcessState.h"
#include "skin/TsSkinManager.h"

namespace {

const TsMaskData* MaskAt(const TsSkinManager& manager, int index) {
    const auto& masks = manager.Model().MaskData;
    return index >= 0 && index < int(masks.size()) ? &masks[std::size_t(index)] : nullptr;
}

TSize CellOf(const TsMaskData& entry) {
    const int count = std::max<int>(1, entry.ImageCount);
    const int rows = std::max<int>(0, entry.MaskType) + 1;
    return {entry.R.Width() / count, entry.R.Height() / rows};
}

unsigned AlignmentFlag(TCaptionAlignment alignment) {
    switch (alignment) {
    case TCaptionAlignment::taCenter:
        return TextFlags::DT_CENTER;
    case TCaptionAlignment::taRightJustify:
        return TextFlags::DT_RIGHT;
    default:
        return TextFlags::DT_LEFT;
    }
}

bool IsTitleButtonCode(TLResult code) {
    return code == HTCLOSE || code == HTMAXBUTTON || code == HTMINBUTTON || code == HTHELP ||
           code == HTSYSMENU;
}

} // namespace

// ---------------------------------------------------------------- life and properties

TsSkinProvider::TsSkinProvider(TCustomForm* form)
    : TComponent(form), m_form(form), m_data(static_cast<TsFrameOwner*>(this), TsCreateFace::Yes) {
    m_data.SetKindCode(KindCode);
    m_data.SetSkinSection("FORM");
    if (form->IsCreating()) m_data.SetInUpdate(true);
    m_previousProc = form->WindowProc();
    form->SetWindowProc([this](TMessage& m) { ProviderProc(m); });
    RepaintWhole();
}

TsSkinProvider::~TsSkinProvider() {
    SetComponentStateFlag(TComponentStateFlag::csDestroying, true);
    m_form->SetWindowProc(m_previousProc);
    // The form paints its own frame again.
    if (!m_form->IsDestroying()) m_form->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TsSkinProvider::SetGripMode(TGripMode mode) {
    if (mode == m_gripMode) return;
    m_gripMode = mode;
    RepaintWhole();
}

bool TsSkinProvider::Skinned() const {
    return m_data.Skinned(true);
}

TFrameMetrics TsSkinProvider::Metrics() const {
    return FrameMetricsOf(*m_form);
}

std::vector<TTitleButtonPlace> TsSkinProvider::TitleButtonPlaces() const {
    return LayoutTitleButtons(*m_form, Metrics(), m_data.SkinManager(), int(TitleButtons.size()));
}

int TsSkinProvider::TitleButtonState(int index) const {
    if (index == m_pressedButton) return m_pressedShown ? 2 : 0;
    return index == m_hotButton && m_pressedButton < 0 ? 1 : 0;
}

std::string TsSkinProvider::TitleSectionName() const {
    return TitleSkin.empty() ? std::string("FORMTITLE") : TitleSkin;
}

TWinControl* TsSkinProvider::FrameForm() const {
    return m_form;
}

void TsSkinProvider::FreeFrameCache() {
    m_data.SetFaceStale(true);
}

void TsSkinProvider::FrameSkinCommand(TMessage& message) {
    HandleSkinCommand(message);
}

void TsSkinProvider::RepaintFrame() {
    m_data.SetFaceStale(true);
    m_form->InvalidateFrame();
}

void TsSkinProvider::RepaintWhole() {
    m_data.SetFaceStale(true);
    m_form->RedrawWindow(nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ALLCHILDREN);
}

// ---------------------------------------------------------------- the window procedure

void TsSkinProvider::CallPrevious(TMessage& m) {
    if (m_previousProc) m_previousProc(m);
}

void TsSkinProvider::ProviderProc(TMessage& m) {
    if (SkinCommandMessage::Is(m)) {
        if (!HandleSkinCommand(m)) CallPrevious(m);
        return;
    }
    if (!Skinned()) {
        CallPrevious(m);
        return;
    }
    switch (m.Msg) {
    case WM_NCPAINT:
        PaintNonClientFace(m);
        return;
    case WM_PAINT:
        PaintClientFace(m);
        return;
    case WM_ERASEBKGND:
        m.Result = 1;
        return;
    case WM_NCHITTEST:
        if (const int hit = HitTest(PointFromLParam(m.LParam)); hit != HTNOWHERE) {
            m.Result = hit;
            return;
        }
        CallPrevious(m);
        // Over the caption the form's own button places mean nothing: the skin's are used.
        if (IsTitleButtonCode(m.Result)) m.Result = HTCAPTION;
        return;
    case WM_NCMOUSEMOVE:
        NonClientMouseMove(int(m.WParam));
        CallPrevious(m);
        return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        if (!NonClientButtonDown(int(m.WParam))) CallPrevious(m);
        return;
    case WM_NCLBUTTONUP:
        if (!NonClientButtonUp(int(m.WParam))) CallPrevious(m);
        return;
    case WM_NCACTIVATE:
        // The active form shows the section's hot values.
        RepaintWhole();
        CallPrevious(m);
        return;
    case WM_SIZE:
    case WM_SETTEXT:
        m_data.SetFaceStale(true);
        CallPrevious(m);
        m_form->InvalidateFrame();
        return;
    case CM_MOUSEENTER:
        // The pointer came onto the form's own surface: the hover moves to the form.
        if (m.LParam == 0 && DefaultManager()) DefaultManager()->HoverNotice(m_form);
        CallPrevious(m);
        return;
    case WM_MOUSEMOVE:
        SetHot(-1);
        CallPrevious(m);
        return;
    default:
        CallPrevious(m);
        return;
    }
}

// ---------------------------------------------------------------- skin commands

bool TsSkinProvider::HandleSkinCommand(TMessage& m) {
    auto answer = [&m](TLParam value) {
        SkinCommandMessage::AnswerLParam(m, value);
        SkinCommandMessage::AnswerResult(m, value);
    };
    TsSkinManager* manager = m_data.SkinManager();
    switch (SkinCommandMessage::Code(m)) {
    case cmdGetProvider:
        answer(LParamFromPointer(this));
        return true;
    case cmdGetFace:
        if (!Skinned()) return false;
        EnsureFace();
        FaceAnswer() = ParentBackground{m_data.FaceBitmap(), Metrics().ClientOrigin().X,
                                        Metrics().ClientOrigin().Y, true};
        SkinCommandMessage::AnswerResult(m, 1);
        return true;
    case cmdIsInUpdate:
        // The face is rebuilt whenever a child asks for it, so only a held or missing skin
        // holds the children back.
        answer(m_data.IsUpdating() ? 1 : 0);
        return true;
    case cmdGetBgColor: {
        if (!Skinned()) return false;
        const TsGeneralData& section = manager->Model().GeneralData[std::size_t(m_data.SectionIndex())];
        const bool patterned = section.GradientPercent + section.ImagePercent > 0;
        SetParentFillColor(patterned ? clFuchsia
                                     : ColorToRGB(m_form->Active() ? section.HotColor : section.Color));
        SkinCommandMessage::AnswerResult(m, 1);
        return true;
    }
    case cmdControlSkinned:
        return true;
    case cmdSkinLoaded:
    case cmdSkinApplied:
    case cmdSkinRemoved: {
        const bool ours = SkinCommandMessage::ObjectAs<TsSkinManager>(m) == manager;
        m_data.HandleMessage(m);
        if (ours) {
            m_hotButton = m_pressedButton = -1;
            RepaintWhole();
        }
        return false;
    }
    case cmdBgIsPatterned:
    case cmdSetInUpdate:
    case cmdSetAnimatedChild:
    case cmdIsPartlyHidden:
    case cmdParentBgChanged:
    case cmdSetPartlyHidden:
        m_data.HandleMessage(m);
        return true;
    default:
        return false;
    }
}

// ---------------------------------------------------------------- the window face

void TsSkinProvider::EnsureFace() {
    TBitmap* face = m_data.FaceBitmap();
    if (!face) return;
    if (m_data.FaceStale() || face->Width() != m_form->Width() || face->Height() != m_form->Height())
        RebuildFace();
}

void TsSkinProvider::RebuildFace() {
    TBitmap* face = m_data.FaceBitmap();
    TsSkinManager* manager = m_data.SkinManager();
    if (!face || !manager || !Skinned()) return;
    face->SetPixelFormat(TPixelFormat::pf24bit);
    face->SetSize(std::max(m_form->Width(), 0), std::max(m_form->Height(), 0));
    const TFrameMetrics metrics = Metrics();
    const int state = m_form->Active() ? 1 : 0;
    const TRect whole{0, 0, face->Width(), face->Height()};
    if (metrics.CaptionHeight > 0) {
        PaintFace(m_data, ParentBackground{}, FillCentre::Yes, CornerFlag::No, state, *face, {0, 0}, whole);
    } else {
        // No caption, no border: the client background is the section's colour, gradient or
        // texture over the whole window.
        PaintLayers(m_data.SectionIndex(), m_data.SkinSection(), ParentBackground{}, clFuchsia,
                    m_data.HotPatternIndex(), m_data.PatternIndex(), manager, *face, {0, 0}, whole, state);
    }
    if (m_gripMode == TGripMode::gmRightBottom) PaintGrip(*face, metrics);
    if (metrics.CaptionHeight > 0) PaintTitle(*face, metrics, state);
    PaintOwnPicture(*face, metrics);
    m_data.SetFaceStale(false);
}

void TsSkinProvider::PaintGrip(TBitmap& face, const TFrameMetrics& metrics) {
    const TsSkinManager* manager = m_data.SkinManager();
    const TsMaskData* grip = MaskAt(*manager, manager->FindMaskEntry("GLOBALINFO", "GRIPIMAGE"));
    if (!grip) return;
    const TSize cell = CellOf(*grip);
    const TPoint at{face.Width() - metrics.FrameWidth - cell.Width,
                    face.Height() - metrics.FrameHeight - cell.Height};
    DrawCornerImage(face, at, 0, *grip, CornerFlag::Yes);
}

void TsSkinProvider::PaintTitle(TBitmap& face, const TFrameMetrics& metrics, int state) {
    TsSkinManager* manager = m_data.SkinManager();
    const std::string titleName = TitleSectionName();
    const int titleIndex = manager->GetSkinIndex(titleName);
    const TRect band{0, 0, face.Width(), std::min(metrics.TitleBand(), face.Height())};
    PaintSectionFace(titleIndex, titleName, ParentBackground{}, state, FillCentre::Yes, manager, face, {0, 0},
                     band);
    PaintTitleButtons(face, titleIndex, titleName);

    // The caption: bold form font, between the icon and the title buttons, centred on the
    // caption's height, cut with an ellipsis.
    const std::vector<TTitleButtonPlace> buttons = TitleButtonPlaces();
    int right = face.Width() - metrics.FrameWidth;
    if (!buttons.empty()) right = buttons.back().Rect.Left;
    const TRect textRect{metrics.FrameWidth + 4, metrics.FrameHeight, right - 6, metrics.TitleBand()};
    if (textRect.Width() <= 0) return;
    TCanvas canvas(face);
    TFont font = m_form->Font();
    font.SetStyle(font.Style().With(TFontStyle::fsBold));
    canvas.SetFont(font);
    DrawSectionText(canvas, m_form->Caption(), TTextLook{m_form->Enabled(), state == 1}, manager, titleIndex,
                    TextFlags::DT_SINGLELINE | TextFlags::DT_VCENTER | TextFlags::DT_NOPREFIX |
                        TextFlags::DT_END_ELLIPSIS | AlignmentFlag(CaptionAlignment),
                    textRect);
}

void TsSkinProvider::PaintTitleButtons(TBitmap& face, int titleIndex, const std::string& titleName) {
    const TsSkinManager* manager = m_data.SkinManager();
    const TsMaskData* back = MaskAt(*manager, manager->GetMaskIndex(titleIndex, titleName, "TITLEBUTTON"));
    const std::vector<TTitleButtonPlace> buttons = TitleButtonPlaces();
    for (std::size_t i = 0; i < buttons.size(); ++i) {
        const TTitleButtonPlace& button = buttons[i];
        const int state = TitleButtonState(int(i));
        if (back) {
            const TSize cell = CellOf(*back);
            DrawCornerImage(face,
                            {button.Rect.Left + (button.Rect.Width() - cell.Width) / 2,
                             button.Rect.Top + (button.Rect.Height() - cell.Height) / 2},
                            state, *back, CornerFlag::Yes);
        }
        if (button.Kind == TTitleButtonKind::Own) {
            const TsTitleButton& own = TitleButtons[std::size_t(button.OwnIndex)];
            if (own.Glyph && !own.Glyph->IsEmpty()) {
                TCanvas canvas(face);
                canvas.Draw(button.Rect.Left + (button.Rect.Width() - own.Glyph->Width()) / 2,
                            button.Rect.Top + (button.Rect.Height() - own.Glyph->Height()) / 2, *own.Glyph);
            }
            continue;
        }
        const TsMaskData* image = MaskAt(*manager, manager->FindMaskEntry("GLOBALINFO", button.ImageKey));
        if (!image) continue;
        const TSize cell = CellOf(*image);
        DrawCornerImage(face,
                        {button.Rect.Left + (button.Rect.Width() - cell.Width) / 2,
                         button.Rect.Top + (button.Rect.Height() - cell.Height) / 2},
                        state, *image, CornerFlag::Yes);
    }
}

void TsSkinProvider::PaintOwnPicture(TBitmap& face, const TFrameMetrics& metrics) {
    TCanvas canvas(face);
    canvas.SetOrigin(metrics.ClientOrigin());
    canvas.IntersectClipRect(m_form->ClientRect());
    canvas.SetFont(m_form->Font());
    m_form->PaintFormPicture(canvas);
}

// ---------------------------------------------------------------- painting

void TsSkinProvider::PaintNonClientFace(TMessage& m) {
    TCanvas* canvas = CanvasFromWParam(m.WParam);
    if (!canvas) return;
    EnsureFace();
    const TBitmap* face = m_data.FaceBitmap();
    if (!face || face->IsEmpty()) return;
    canvas->CopyRect({0, 0}, *face, {0, 0, face->Width(), face->Height()});
}

void TsSkinProvider::PaintClientFace(TMessage& m) {
    TCanvas* canvas = CanvasFromWParam(m.WParam);
    if (!canvas) {
        CallPrevious(m);
        return;
    }
    EnsureFace();
    const TBitmap* face = m_data.FaceBitmap();
    if (!face || face->IsEmpty()) return;
    const TPoint origin = Metrics().ClientOrigin();
    const TRect client = m_form->ClientRect();
    CopyFaceToScreen(*m_form, m_data, TRect::FromBounds(origin.X, origin.Y, client.Width(), client.Height()),
                     {0, 0}, false, *canvas, client);
    PaintGraphicChildren(*canvas, *m_form, {0, 0});
    const std::vector<TControl*> children = m_form->ControlList();
    for (TControl* child : children)
        if (child->IsWindowed() && !child->IsDestroying()) SendSkinCommand(child, cmdUpdateDone);
}

// ---------------------------------------------------------------- the mouse on the title bar

int TsSkinProvider::HitTest(TPoint screen) const {
    const TPoint point{screen.X - m_form->Left(), screen.Y - m_form->Top()};
    const TFrameMetrics metrics = Metrics();
    std::vector<bool> enabled;
    for (const TsTitleButton& own : TitleButtons)
        enabled.push_back(own.Enabled);
    const int hit = TitleHitCode(*m_form, metrics, TitleButtonPlaces(), point, 0, enabled);
    if (hit != HTNOWHERE && hit != HTCAPTION) return hit;
    if (m_gripMode == TGripMode::gmRightBottom && point.Y >= metrics.TitleBand()) {
        const TsSkinManager* manager = m_data.SkinManager();
        if (const TsMaskData* grip = MaskAt(*manager, manager->FindMaskEntry("GLOBALINFO", "GRIPIMAGE"))) {
            const TSize cell = CellOf(*grip);
            const TRect area{m_form->Width() - metrics.FrameWidth - cell.Width,
                             m_form->Height() - metrics.FrameHeight - cell.Height, m_form->Width(),
                             m_form->Height()};
            if (area.Contains(point)) return HTBOTTOMRIGHT;
        }
    }
    return HTNOWHERE;
}

int TsSkinProvider::PlaceIndexForHit(int hit) const {
    const std::vector<TTitleButtonPlace> buttons = TitleButtonPlaces();
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (HitCodeOf(buttons[i]) == hit) return int(i);
    return -1;
}

void TsSkinProvider::SetHot(int index) {
    bool changed = index != m_hotButton;
    m_hotButton = index;
    if (m_pressedButton >= 0) {
        const bool shown = index == m_pressedButton;
        changed = changed || shown != m_pressedShown;
        m_pressedShown = shown;
    }
    if (changed) RepaintFrame();
}

void TsSkinProvider::NonClientMouseMove(int hit) {
    SetHot(PlaceIndexForHit(hit));
}

bool TsSkinProvider::NonClientButtonDown(int hit) {
    const int index = PlaceIndexForHit(hit);
    if (index < 0) return false;
    m_pressedButton = index;
    m_pressedShown = true;
    m_hotButton = index;
    RepaintFrame();
    const TTitleButtonPlace button = TitleButtonPlaces()[std::size_t(index)];
    if (button.Kind == TTitleButtonKind::Own) {
        TsTitleButton& own = TitleButtons[std::size_t(button.OwnIndex)];
        if (own.OnMouseDown) own.OnMouseDown(own);
    }
    if (Application) Application->BeginNonClientButtonTracking(m_form);
    return true;
}

bool TsSkinProvider::NonClientButtonUp(int hit) {
    if (m_pressedButton < 0) return false;
    const int index = m_pressedButton;
    m_pressedButton = -1;
    m_pressedShown = false;
    const std::vector<TTitleButtonPlace> buttons = TitleButtonPlaces();
    const bool inside = index < int(buttons.size()) && HitCodeOf(buttons[std::size_t(index)]) == hit;
    m_hotButton = inside ? index : -1;
    RepaintFrame();
    // A press is a click only when released over the same button.
    if (inside) RunButtonAction(buttons[std::size_t(index)]);
    return true;
}

void TsSkinProvider::RunButtonAction(const TTitleButtonPlace& button) {
    switch (button.Kind) {
    case TTitleButtonKind::Close:
        m_form->Perform(WM_SYSCOMMAND, SC_CLOSE);
        break;
    case TTitleButtonKind::Maximize:
        m_form->Perform(WM_SYSCOMMAND,
                        m_form->WindowState() == TWindowState::wsMaximized ? SC_RESTORE : SC_MAXIMIZE);
        break;
    case TTitleButtonKind::Minimize: {
        const bool mainForm = Application && Application->MainForm() == m_form;
        const bool restore = m_form->WindowState() == TWindowState::wsMinimized && !mainForm;
        m_form->Perform(WM_SYSCOMMAND, restore ? SC_RESTORE : SC_MINIMIZE);
        break;
    }
    case TTitleButtonKind::Help:
        m_form->Perform(WM_SYSCOMMAND, SC_CONTEXTHELP);
        break;
    case TTitleButtonKind::Own: {
        TsTitleButton& own = TitleButtons[std::size_t(button.OwnIndex)];
        if (own.OnMouseUp) own.OnMouseUp(own);
        break;
    }
    }
}
