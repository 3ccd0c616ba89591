#include "platform/toolkit/TButtonBehaviour.h"

TButtonBehaviour::TResult TButtonBehaviour::SetOver(bool over) {
    TResult r = Compare(over, m_keyHeld || (m_mouseHeld && over) || m_forcedPushed);
    m_over = over;
    return r;
}

TButtonBehaviour::TResult TButtonBehaviour::MouseDown() {
    TResult r = Compare(true, true);
    m_over = true;
    m_mouseHeld = true;
    return r;
}

TButtonBehaviour::TResult TButtonBehaviour::MouseUp(bool inside) {
    if (!m_mouseHeld) return SetOver(inside);
    TResult r = Compare(inside, m_keyHeld || m_forcedPushed);
    m_mouseHeld = false;
    m_over = inside;
    r.Click = inside && !m_keyHeld;
    return r;
}

TButtonBehaviour::TResult TButtonBehaviour::KeyDown() {
    if (m_keyHeld) return {};
    TResult r = Compare(m_over, true);
    m_keyHeld = true;
    return r;
}

TButtonBehaviour::TResult TButtonBehaviour::KeyUp() {
    if (!m_keyHeld) return {};
    TResult r = Compare(m_over, (m_mouseHeld && m_over) || m_forcedPushed);
    m_keyHeld = false;
    r.Click = !m_mouseHeld;
    return r;
}

TButtonBehaviour::TResult TButtonBehaviour::Cancel() {
    TResult r = Compare(m_over, m_forcedPushed);
    m_mouseHeld = false;
    m_keyHeld = false;
    return r;
}

TButtonBehaviour::TResult TButtonBehaviour::SetForcedPushed(bool pushed) {
    TResult r = Compare(m_over, m_keyHeld || (m_mouseHeld && m_over) || pushed);
    m_forcedPushed = pushed;
    return r;
}
