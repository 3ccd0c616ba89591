#pragma once

#include <string>

#include "platform/text/TFont.h"

class TComponent;
class TLabel;
class TsBoundLabel;
class TsCommonData;

// A label that a bound label created and that follows its UseSkinColor: the controls layer's
// caption label implements it, so this layer can reach it without knowing its class.
class TsBoundCaption {
public:
    virtual bool UseSkinColor() const = 0;
    virtual void SetUseSkinColor(bool use) = 0;

protected:
    ~TsBoundCaption() = default;
};

// Makes the label of a bound label (owner: the bound control). A label made this way calls
// ForgetLabel when it is destroyed by anyone else than its bound label.
using TsBoundLabelFactory = TLabel* (*)(TComponent* owner, TsBoundLabel& bound);
// Sets the process-wide factory that every bound label creates its label with; null restores
// the plain label of this layer.
void SetBoundLabelFactory(TsBoundLabelFactory factory);

enum class TsCaptionLayout { sclLeft, sclTopLeft, sclTopCenter, sclTopRight };

// A caption label that follows a skinned control: while Active it is a label beside the
// control, in the control's parent, placed by Layout and Indent and re-placed whenever one
// of its properties changes (the control calls Place when it moves or resizes).
class TsBoundLabel {
public:
    explicit TsBoundLabel(TsCommonData& binding);
    ~TsBoundLabel();
    TsBoundLabel(const TsBoundLabel&) = delete;
    TsBoundLabel& operator=(const TsBoundLabel&) = delete;

    // True creates the label (named after the control with "Label" added); false frees it.
    bool Active() const { return m_active; }
    void SetActive(bool active);
    // The label's text; empty takes the control's name when the label is created.
    const std::string& Caption() const { return m_caption; }
    void SetCaption(const std::string& caption);
    int Indent() const { return m_indent; }
    void SetIndent(int indent);
    // The label's font while a label exists, else the font kept for it.
    const TFont& Font() const;
    void SetFont(const TFont& font);
    TsCaptionLayout Layout() const { return m_layout; }
    void SetLayout(TsCaptionLayout layout);
    // Not 0: the label wraps its text at this width and is at least as high as the control.
    int MaxWidth() const { return m_maxWidth; }
    void SetMaxWidth(int width);
    // Reads true while there is no label.
    bool UseSkinColor() const;
    void SetUseSkinColor(bool use);

    // The label control while active, else null.
    TLabel* Label() const { return m_label; }
    // Places the label beside its control by the layout rules.
    void Place();
    // The label is going away on its own (its parent frees it): Active becomes false and the
    // label is forgotten, nothing is freed through the bound label.
    void ForgetLabel();

private:
    class BoundLabelControl;
    void CreateLabel();
    void FreeLabel();
    void LabelGone() { m_label = nullptr; }
    void UpdateLabel();

    TsCommonData& m_binding;
    bool m_active = false;
    std::string m_caption;
    int m_indent = 0;
    TFont m_font;
    TsCaptionLayout m_layout = TsCaptionLayout::sclLeft;
    int m_maxWidth = 0;
    bool m_useSkinColor = true;
    TLabel* m_label = nullptr;
};
