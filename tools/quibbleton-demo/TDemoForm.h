#pragma once

#include "platform/toolkit/TForm.h"

class TButton;
class TComboBox;
class TEdit;
class TGroupBox;
class TLabel;
class TUpDown;

// The toolkit's gallery: a dialog holding every standard control. Button1 closes it;
// Button2 opens a modal message box.
class TDemoForm : public TForm {
public:
    explicit TDemoForm(TComponent* owner);
    std::string ClassName() const override { return "TDemoForm"; }

    TButton* Button1 = nullptr;
    TButton* Button2 = nullptr;
    TLabel* Label1 = nullptr;
    TEdit* Edit1 = nullptr;
    TComboBox* ComboBox1 = nullptr;
    TComboBox* ComboBox2 = nullptr;
    TEdit* Edit2 = nullptr;
    TUpDown* UpDown1 = nullptr;
    TGroupBox* GroupBox1 = nullptr;

    void Button1Click(TObject* sender);
    void Button2Click(TObject* sender);
};
