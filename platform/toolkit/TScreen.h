#pragma once

#include <vector>

#include "platform/core/Geometry.h"

class TCustomForm;

// The screen: its size and the top-level forms in z-order. The global `Screen` points to the
// application's one (null while no application exists).
class TScreen {
public:
    int Width() const { return m_size.Width; }
    int Height() const { return m_size.Height; }
    TSize Size() const { return m_size; }
    void SetSize(TSize size) { m_size = size; }

    // Every existing form (shown or not), in creation order.
    const std::vector<TCustomForm*>& Forms() const { return m_forms; }
    int FormCount() const { return int(m_forms.size()); }
    // The visible forms, top-most first: stay-on-top forms above the others, each band in
    // the order they were last raised.
    std::vector<TCustomForm*> FormsTopToBottom() const;

    // --- the toolkit's bookkeeping ---
    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    // Puts the form on top of its band.
    void RaiseForm(TCustomForm* form);

private:
    TSize m_size;
    std::vector<TCustomForm*> m_forms;
    std::vector<TCustomForm*> m_zOrder; // the last raised last
};

extern TScreen* Screen;
