#pragma once

// A held arrow button (an up-down's, a list's scroll arrow) steps once on the press, again
// after this delay, and then at this interval while it stays held.
constexpr unsigned ArrowRepeatDelayMs = 400;
constexpr unsigned ArrowRepeatIntervalMs = 100;

// The behaviour of every push-like button (push buttons, arrow buttons, title-bar buttons):
// hot while the pointer is over it; held from a left press on it (or Space) until the release;
// shown pushed while held and the pointer is over it (a key hold is pushed throughout); a
// click on a release over it. Owners feed it events, capture the mouse while IsMouseHeld, and
// repaint when a result says Changed. It keeps no pointer to its owner.
class TButtonBehaviour {
public:
    struct TResult {
        bool Changed = false; // hot or pushed changed: repaint
        bool Click = false;   // the press became a click
    };

    bool IsHot() const { return m_over; }
    bool IsHeld() const { return m_mouseHeld || m_keyHeld; }
    bool IsMouseHeld() const { return m_mouseHeld; }
    bool IsKeyHeld() const { return m_keyHeld; }
    // The pushed look: held by the key, or held by the mouse while it is over the button.
    bool IsPushed() const { return m_keyHeld || (m_mouseHeld && m_over) || m_forcedPushed; }

    TResult MouseEnter() { return SetOver(true); }
    TResult MouseLeave() { return SetOver(false); }
    TResult MouseMove(bool inside) { return SetOver(inside); }
    // A left press on the button.
    TResult MouseDown();
    // A left release; inside tells whether it was over the button.
    TResult MouseUp(bool inside);
    // Space went down / up while the button had the focus.
    TResult KeyDown();
    TResult KeyUp();
    // The press is dropped without a click (focus or capture lost, disabled, cancel mode).
    TResult Cancel();
    // The program's pushed state (BM_SETSTATE).
    TResult SetForcedPushed(bool pushed);

private:
    TResult SetOver(bool over);
    TResult Compare(bool hot, bool pushed) const { return {hot != IsHot() || pushed != IsPushed(), false}; }

    bool m_over = false;
    bool m_mouseHeld = false;
    bool m_keyHeld = false;
    bool m_forcedPushed = false;
};
