#pragma once

#include "controls/TsLabel.h"
#include "render/TsBoundLabel.h"

// The caption label that a control's bound label creates. When it goes (also when its parent
// frees it first), its bound label becomes inactive without freeing anything through it.
class TsEditLabel : public TsLabel, public TsBoundCaption {
public:
    TsEditLabel(TComponent* owner, TsBoundLabel& bound);
    ~TsEditLabel() override;
    std::string ClassName() const override { return "TsEditLabel"; }

    TsBoundLabel& BoundLabel() const { return *m_bound; }

    bool UseSkinColor() const override { return TsLabel::UseSkinColor(); }
    void SetUseSkinColor(bool use) override { TsLabel::SetUseSkinColor(use); }

    // The bound labels' factory; InstallAsBoundLabel makes every bound label create one.
    static TLabel* Create(TComponent* owner, TsBoundLabel& bound);
    static void InstallAsBoundLabel();

private:
    TsBoundLabel* m_bound;
};
