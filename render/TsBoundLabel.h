#pragma once

#include <string>

#include "platform/text/TFont.h"

class TLabel;
class TsCommonData;

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
