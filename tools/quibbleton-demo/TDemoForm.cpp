#include "tools/quibbleton-demo/TDemoForm.h"

#include "platform/toolkit/Dialogs.h"
#include "platform/toolkit/TButton.h"
#include "platform/toolkit/TFormDesign.h"
#include "platform/toolkit/TLabel.h"

namespace {

TFormDesign DemoDesign(TDemoForm& form) {
    TFormDesign design;
    design.Form([](TCustomForm& f) {
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
