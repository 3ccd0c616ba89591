#include "render/TsBoundLabel.h"

#include <algorithm>

#include "platform/toolkit/TLabel.h"
#include "platform/toolkit/TWinControl.h"
#include "render/TsCommonData.h"

// The label tells its bound label when it goes, which happens when the control's parent
// frees its children before the control.
class TsBoundLabel::BoundLabelControl : public TLabel {
public:
    BoundLabelControl(TComponent* owner, TsBoundLabel& bound) : TLabel(owner), m_bound(&bound) {}
    ~BoundLabelControl() override {
        if (m_bound) m_bound->LabelGone();
    }
    void Forget() { m_bound = nullptr; }

private:
    TsBoundLabel* m_bound;
};

namespace {
TsBoundLabelFactory g_labelFactory = nullptr;
}

void SetBoundLabelFactory(TsBoundLabelFactory factory) {
    g_labelFactory = factory;
}

TsBoundLabel::TsBoundLabel(TsCommonData& binding) : m_binding(binding) {}

TsBoundLabel::~TsBoundLabel() {
    FreeLabel();
}

void TsBoundLabel::SetActive(bool active) {
    if (active == m_active) return;
    m_active = active;
    if (active)
        CreateLabel();
    else
        FreeLabel();
}

void TsBoundLabel::CreateLabel() {
    TControl* control = m_binding.Control();
    if (!control || m_label) return;
    TLabel* label = g_labelFactory ? g_labelFactory(control, *this) : new BoundLabelControl(control, *this);
    m_label = label;
    label->SetName(control->Name() + "Label");
    if (m_caption.empty()) m_caption = control->Name();
    label->SetCaption(m_caption);
    label->SetFont(m_font);
    if (auto* caption = dynamic_cast<TsBoundCaption*>(label)) caption->SetUseSkinColor(m_useSkinColor);
    label->SetVisible(control->Visible() || control->IsDesigning());
    label->SetEnabled(control->Enabled());
    if (control->IsWindowed()) label->SetFocusControl(static_cast<TWinControl*>(control));
    label->SetParent(control->Parent());
    Place();
}

void TsBoundLabel::FreeLabel() {
    if (!m_label) return;
    TLabel* label = m_label;
    m_label = nullptr;
    if (auto* plain = dynamic_cast<BoundLabelControl*>(label)) plain->Forget();
    delete label;
}

void TsBoundLabel::ForgetLabel() {
    m_label = nullptr;
    m_active = false;
}

void TsBoundLabel::UpdateLabel() {
    if (!m_label) return;
    m_label->SetCaption(m_caption);
    Place();
}

void TsBoundLabel::SetCaption(const std::string& caption) {
    m_caption = caption;
    UpdateLabel();
}

void TsBoundLabel::SetIndent(int indent) {
    m_indent = indent;
    UpdateLabel();
}

const TFont& TsBoundLabel::Font() const {
    return m_label ? m_label->Font() : m_font;
}

void TsBoundLabel::SetFont(const TFont& font) {
    m_font = font;
    if (m_label) m_label->SetFont(font);
    UpdateLabel();
}

void TsBoundLabel::SetLayout(TsCaptionLayout layout) {
    m_layout = layout;
    UpdateLabel();
}

void TsBoundLabel::SetMaxWidth(int width) {
    m_maxWidth = width;
    UpdateLabel();
}

bool TsBoundLabel::UseSkinColor() const {
    if (!m_label) return true;
    if (const auto* caption = dynamic_cast<const TsBoundCaption*>(m_label)) return caption->UseSkinColor();
    return m_useSkinColor;
}

void TsBoundLabel::SetUseSkinColor(bool use) {
    m_useSkinColor = use;
    if (auto* caption = dynamic_cast<TsBoundCaption*>(m_label)) caption->SetUseSkinColor(use);
    UpdateLabel();
}

void TsBoundLabel::Place() {
    const TControl* control = m_binding.Control();
    if (!m_label || !m_label->Visible() || !control) return;
    TLabel& label = *m_label;
    label.SetAutoSize(true);
    const int topAbove = control->Top() - label.Height() - m_indent;
    switch (m_layout) {
    case TsCaptionLayout::sclLeft:
        // One pixel above the centred position, as the text's baseline looks best there.
        label.SetBounds(control->Left() - label.Width() - m_indent - 4,
                        control->Top() + (control->Height() - label.Height()) / 2 - 1, label.Width(),
                        label.Height());
        break;
    case TsCaptionLayout::sclTopLeft:
        label.SetBounds(control->Left(), topAbove, label.Width(), label.Height());
        break;
    case TsCaptionLayout::sclTopCenter:
        label.SetBounds(control->Left() + (control->Width() - label.Width()) / 2, topAbove, label.Width(),
                        label.Height());
        break;
    case TsCaptionLayout::sclTopRight:
        label.SetBounds(control->Left() + control->Width() - label.Width(), topAbove, label.Width(),
                        label.Height());
        break;
    }
    if (m_maxWidth != 0) {
        label.SetAutoSize(false);
        label.SetWidth(m_maxWidth);
        label.SetWordWrap(true);
        label.SetHeight(std::max(label.Height(), control->Height()));
    }
    switch (m_layout) {
    case TsCaptionLayout::sclTopLeft:
        label.SetAlignment(TAlignment::taLeftJustify);
        break;
    case TsCaptionLayout::sclTopCenter:
        label.SetAlignment(TAlignment::taCenter);
        break;
    case TsCaptionLayout::sclLeft:
    case TsCaptionLayout::sclTopRight:
        label.SetAlignment(TAlignment::taRightJustify);
        break;
    }
}
