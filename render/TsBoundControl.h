#pragma once

#include "platform/toolkit/TWinControl.h"
#include "render/TsSkinned.h"

// A windowed control bound to a skin section that paints nothing of its own, for painting a
// face outside a program (the benchmarks, the paint fuzzer, the skin tool's render command).
// Its binding sees the messages a skinned control's does.
class TsBoundControl : public TsSkinned<TWinControl> {
public:
    TsBoundControl() : TsSkinned<TWinControl>(nullptr) {}
    ~TsBoundControl() override { MarkDestroying(); }
    TsCommonData& Binding() { return m_skinData; }
};
