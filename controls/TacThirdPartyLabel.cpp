#include "controls/TacThirdPartyLabel.h"

#include "controls/TsSkinProvider.h"
#include "platform/graphics/SystemColors.h"
#include "platform/toolkit/TLabel.h"
#include "render/Blend.h"
#include "skin/TsSkinManager.h"

namespace {

bool IsUsableColor(std::int64_t colour) {
    return colour >= 0 && TColor(colour) != clFuchsia;
}

} // namespace

TacThirdPartyLabel::TacThirdPartyLabel(TLabel& label, const TsSkinProvider& provider)
    : TacControlAdapter(label), m_provider(provider) {
    // The container now paints what lies behind the text.
    label.SetControlStyle(label.ControlStyle().Without(TControlStyleFlag::csOpaque));
    TakeOver();
    label.Invalidate();
}

TacThirdPartyLabel::~TacThirdPartyLabel() {
    GiveBack();
    if (!ControlAlive()) return;
    TLabel& label = *Label();
    if (!label.Transparent()) label.SetControlStyle(label.ControlStyle().With(TControlStyleFlag::csOpaque));
    label.Invalidate();
}

TLabel* TacThirdPartyLabel::Label() const {
    return static_cast<TLabel*>(Control());
}

TColor TacThirdPartyLabel::TextColor() const {
    const TLabel& label = *Label();
    const TsCommonData& binding = m_provider.SkinData();
    const TsSkinManager* manager = binding.SkinManager();
    const int index = binding.SectionIndex();
    if (!manager || index < 0 || std::size_t(index) >= manager->Model().GeneralData.size())
        return ColorToRGB(label.Font().Color());
    const TsGeneralData& section = manager->Model().GeneralData[std::size_t(index)];
    TColor colour = ColorToRGB(label.Font().Color());
    if (IsUsableColor(section.FontColor[0]))
        colour = ColorToRGB(TColor(section.FontColor[0]));
    else if (IsUsableColor(manager->GlobalFontColor()))
        colour = manager->GlobalFontColor();
    if (!label.IsEnabledInTree()) colour = MixColors(colour, ColorToRGB(section.Color), 0.4);
    return colour;
}

void TacThirdPartyLabel::AdapterProc(TMessage& m) {
    if (ControlAlive() && m.Msg == WM_PAINT && m_provider.Skinned()) {
        if (TCanvas* canvas = CanvasFromWParam(m.WParam)) {
            Label()->PaintTextOver(*canvas, TextColor());
            return;
        }
    }
    CallPrevious(m);
}
