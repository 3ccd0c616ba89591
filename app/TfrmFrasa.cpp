#include "app/TfrmFrasa.h"

#include "app/DesignFont.h"
#include "controls/TsLabelFX.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TFormDesign.h"

TfrmFrasa* frmFrasa = nullptr;

namespace {

// The phrase colour when no skin gives one: red 0x46, green 0x34, blue 0x13.
constexpr TColor PhraseColour = 1258566;

TFormDesign FrasaDesign(TfrmFrasa& form) {
    TFormDesign design;
    design.Form([](TCustomForm& f) {
        static_cast<TComponent&>(f).SetName("frmFrasa");
        f.SetBorderStyle(TFormBorderStyle::bsDialog);
        f.SetCaption("Случайная фраза");
        f.SetClientWidth(363);
        f.SetClientHeight(162);
        f.SetColor(clBtnFace);
        f.SetFont(DesignFont(-11, clWindowText));
        f.SetFormStyle(TFormStyle::fsStayOnTop);
    });
    design.Add<TsLabelFX>("sLabel", "", &form.sLabel, {[](TsLabelFX& c) {
                              c.SetAutoSize(false);
                              c.SetBounds(24, 32, 321, 105);
                              c.SetCaption("sLabel");
                              c.SetFont(DesignFont(-16, PhraseColour));
                              c.SetWordWrap(true);
                          }});
    return design;
}

} // namespace

TfrmFrasa::TfrmFrasa(TComponent* owner) : TSkinManagedForm(owner) {
    LoadDesign(FrasaDesign(*this));
}
