#pragma once

#include "controls/TacControlAdapter.h"
#include "platform/core/Color.h"

class TLabel;
class TsSkinProvider;

// A standard label (TLabel) on a skinned form: while the form's frame paints skinned, the
// label draws only its text, over the form's face, in the text colour of the form's section,
// never its own opaque plate. Otherwise, and after the adapter goes, it paints as it always
// did, in its own colour.
class TacThirdPartyLabel : public TacControlAdapter {
public:
    TacThirdPartyLabel(TLabel& label, const TsSkinProvider& provider);
    ~TacThirdPartyLabel() override;
    std::string ClassName() const override { return "TacThirdPartyLabel"; }

    // The colour the text is drawn in over the skinned form: the section's FONTCOLOR, else the
    // skin's global text colour, else the label's own; disabled, 40 percent of it over the
    // section's COLOR.
    TColor TextColor() const;

protected:
    void AdapterProc(TMessage& message) override;

private:
    TLabel* Label() const;

    const TsSkinProvider& m_provider;
};
