#pragma once

#include "platform/toolkit/TForm.h"

class TButton;
class TLabel;

// The form of a message box: a dialog with an icon, the text and its buttons, centred on the
// screen. Its class name tells it apart from the program's forms (frame skinning, still to
// come, will recognise it by that name).
class TMessageForm : public TForm {
public:
    // flags: MB_ type and MB_ICON bits.
    TMessageForm(TComponent* owner, const std::string& text, const std::string& caption, unsigned flags);
    std::string ClassName() const override { return "TMessageForm"; }

    unsigned IconKind() const { return m_flags & MB_ICONMASK; }
    TLabel* MessageLabel() const { return m_label; }
    // The answer for a modal result (IDOK, IDCANCEL, IDYES, IDNO).
    int AnswerFor(TModalResult result) const;

protected:
    void PaintWindow(TCanvas& canvas) override;

private:
    unsigned m_flags;
    TLabel* m_label = nullptr;
    TRect m_iconRect;
};
