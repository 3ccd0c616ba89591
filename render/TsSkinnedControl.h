#pragma once

class TsCommonData;

// A control that carries a skin binding (published as its SkinData). Containers reach their
// children's bindings through it, for example to take the hover state from a speed button.
class TsSkinnedControl {
public:
    virtual ~TsSkinnedControl() = default;
    virtual TsCommonData& SkinData() = 0;
};
