#pragma once

#include <memory>
#include <string>
#include <vector>

#include "platform/graphics/TBitmap.h"
#include "platform/toolkit/TBackend.h"

// One top-level window of the virtual screen: where it is, whether it shows, and the last
// picture the toolkit presented for it.
struct TVirtualWindow {
    TNativeWindowId Id = 0;
    TRect Bounds;
    std::string Title;
    TNativeWindowStyle Style;
    // The window it belongs to (0: none), which raising brings it above, and whether it is
    // that window's modal dialog.
    TNativeWindowId Owner = 0;
    bool Modal = false;
    // The last picture presented for it: a form's own surface, shared, or a copy of another
    // picture.
    std::shared_ptr<const TBitmap> Shown = std::make_shared<const TBitmap>();
    bool HasPicture = false;
    int Presents = 0; // how many pictures the toolkit presented for it

    const TBitmap& Picture() const { return *Shown; }
};

// The headless backend's screen and window store. Windows are kept in z-order; windows that
// stay on top form a band above all others, and raising a window brings it to the top of its
// band, with the windows it owns above it, as window managers do.
class TVirtualScreen {
public:
    explicit TVirtualScreen(TSize size);

    TSize Size() const { return m_size; }
    // Sizes below 1x1 become 1x1.
    void SetSize(TSize size);

    TNativeWindowId Add(const TRect& bounds, const std::string& title, TNativeWindowStyle style);
    void Remove(TNativeWindowId id);
    // Null for an unknown window.
    TVirtualWindow* Find(TNativeWindowId id);
    const TVirtualWindow* Find(TNativeWindowId id) const;
    void Raise(TNativeWindowId id);

    // Window ids from the top of the z-order to the bottom, hidden ones included.
    const std::vector<TNativeWindowId>& TopToBottom() const { return m_order; }
    // The top-most visible window under the point; 0 over the bare desktop.
    TNativeWindowId WindowAt(TPoint screenPos) const;

    // The screen as a user would see it: the desktop colour, then every visible window's
    // last picture from the bottom of the z-order to the top.
    TBitmap Compose() const;

private:
    void PlaceOnTopOfBand(TNativeWindowId id);

    TSize m_size;
    TNativeWindowId m_nextId = 1;
    std::vector<TVirtualWindow> m_windows;
    std::vector<TNativeWindowId> m_order;
};
