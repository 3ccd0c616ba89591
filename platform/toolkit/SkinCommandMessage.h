#pragma once

#include <cstdint>

#include "platform/toolkit/Messages.h"

// How a skin command (its sub-codes are the skin engine's) travels in a window message: WM_SKINCOMMAND with
// the sub-code in the high word of WParam, a small argument (0 or 1) in the low word, an object argument in
// LParam. A query answers into LParam (read back after direct dispatch) and into Result
// (what a send through the window system returns). This is the only place that knows the
// layout; everything else goes through it.
struct SkinCommandMessage {
    static TMessage Make(std::uint16_t code, TLParam object = 0, std::uint16_t small = 0) {
        TMessage m;
        m.Msg = WM_SKINCOMMAND;
        m.WParam = MakeWParam(small, code);
        m.LParam = object;
        return m;
    }
    static bool Is(const TMessage& m) { return m.Msg == WM_SKINCOMMAND; }
    static std::uint16_t Code(const TMessage& m) { return HiWord(m.WParam); }
    static std::uint16_t Small(const TMessage& m) { return LoWord(m.WParam); }
    static TLParam Object(const TMessage& m) { return m.LParam; }
    template <class T> static T* ObjectAs(const TMessage& m) { return PointerFromLParam<T>(m.LParam); }
    static TLParam LParamAnswer(const TMessage& m) { return m.LParam; }
    static void AnswerLParam(TMessage& m, TLParam value) { m.LParam = value; }
    static void AnswerResult(TMessage& m, TLResult value) { m.Result = value; }
    // A query's answer, for both ways of asking.
    static void Answer(TMessage& m, TLParam value) {
        AnswerLParam(m, value);
        AnswerResult(m, TLResult(value));
    }
};
