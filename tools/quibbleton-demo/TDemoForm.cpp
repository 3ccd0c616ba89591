#include "tools/quibbleton-demo/TDemoForm.h"

#include <string>

#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TComboBox.h"
#include "platform/toolkit/TEdit.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/TGroupBox.h"
#include "platform/toolkit/TLabel.h"
#include "platform/toolkit/TUpDown.h"

namespace {

TFormDesign DemoDesign(TDemoForm& form) {
    TFormDesign design;
    design.Form([](TCustomForm& f) {
        static_cast<TComponent&>(f).SetName("DemoForm");
        f.SetBorderStyle(TFormBorderStyle::bsDialog);
        f.SetCaption("Demo");
        f.SetPosition(TPosition::poScreenCenter);
        f.SetClientWidth(360);
        f.SetClientHeight(250);
    });
    design.Add<TLabel>("Label1", "", &form.Label1, {[](TLabel& c) {
                           c.SetBounds(16, 12, 200, 16);
                           c.SetCaption("Standard controls");
                       }});
    design.Add<TButton>("Button1", "", &form.Button1,
                        {[](TButton& c) {
                             c.SetBounds(192, 210, 75, 25);
                             c.SetCaption("OK");
                             c.SetDefault(true);
                             c.SetTabOrder(0);
                         },
                         [&form](TButton& c) { c.OnClick = [&form](TObject* s) { form.Button1Click(s); }; }});
    design.Add<TButton>("Button2", "", &form.Button2,
                        {[](TButton& c) {
                             c.SetBounds(273, 210, 75, 25);
                             c.SetCaption("Message");
                             c.SetTabOrder(1);
                         },
                         [&form](TButton& c) { c.OnClick = [&form](TObject* s) { form.Button2Click(s); }; }});
    design.Add<TEdit>("Edit1", "", &form.Edit1, {[](TEdit& c) {
                          c.SetBounds(16, 36, 150, 21);
                          c.SetText("Edit1");
                          c.SetTabOrder(2);
                      }});
    design.Add<TComboBox>("ComboBox1", "", &form.ComboBox1, {[](TComboBox& c) {
                              c.SetBounds(16, 66, 150, 21);
                              c.SetComboStyle(TComboBoxStyle::csDropDownList);
                              for (int i = 1; i <= 20; ++i)
                                  c.AddItem("Item " + std::to_string(i));
                              c.SetTabOrder(3);
                          }});
    design.Add<TComboBox>("ComboBox2", "", &form.ComboBox2, {[](TComboBox& c) {
                              c.SetBounds(16, 96, 150, 21);
                              c.SetComboStyle(TComboBoxStyle::csDropDown);
                              for (const char* item : {"Red", "Green", "Blue"})
                                  c.AddItem(item);
                              c.SetText("Green");
                              c.SetTabOrder(4);
                          }});
    design.Add<TEdit>("Edit2", "", &form.Edit2, {[](TEdit& c) {
                          c.SetBounds(16, 126, 80, 21);
                          c.SetTabOrder(5);
                      }});
    design.Add<TUpDown>("UpDown1", "", &form.UpDown1, {[&form](TUpDown& c) {
                            c.SetMax(1000);
                            c.SetIncrement(10);
                            c.SetAssociate(form.Edit2);
                        }});
    design.Add<TGroupBox>("GroupBox1", "", &form.GroupBox1, {[](TGroupBox& c) {
                              c.SetBounds(192, 36, 156, 160);
                              c.SetCaption("GroupBox1");
                          }});
    return design;
}

} // namespace

TDemoForm::TDemoForm(TComponent* owner) : TForm(owner) {
    LoadDesign(DemoDesign(*this));
}

void TDemoForm::Button1Click(TObject*) {
    Close();
}

void TDemoForm::Button2Click(TObject*) {
    MessageBox("This message box is modal.", "Demo", MB_OK | MB_ICONINFORMATION);
}
