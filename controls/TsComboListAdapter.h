#pragma once

#include <string>

#include "platform/toolkit/TControl.h"

class TComboBoxList;
class TsCommonData;
class TBitmap;

// The adapter a skinned combo box attaches to its open list when the list holds more items
// than it shows: it takes over the list window's procedure and paints the list's vertical
// scroll bar from the skin's scroll-bar and scroll-button sections over the platform's
// painting, with the given section's colour behind their transparent parts. The combo box's binding gives the
// manager. Destroying the adapter gives the list back its own procedure and look.
class TsComboListAdapter {
public:
    TsComboListAdapter(TComboBoxList& list, TsCommonData& binding, std::string section);
    ~TsComboListAdapter();
    TsComboListAdapter(const TsComboListAdapter&) = delete;
    TsComboListAdapter& operator=(const TsComboListAdapter&) = delete;

    TComboBoxList& List() const { return m_list; }
    // The skin was reloaded: the next painting takes the new sections.
    void SkinLoaded();
    // Paints the skinned scroll bar into the bitmap, which is the scroll bar's size; false
    // when the skin has no scroll-bar section (the platform's scroll bar then stays).
    bool PaintScrollBar(TBitmap& bar) const;

private:
    void WndProc(TMessage& m);

    TComboBoxList& m_list;
    TsCommonData& m_binding;
    std::string m_section;
    TWndMethod m_savedProc;
};
