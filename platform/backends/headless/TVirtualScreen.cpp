#include "platform/backends/headless/TVirtualScreen.h"

#include <algorithm>
#include <cstring>

#include "platform/graphics/SystemColors.h"

namespace {

// Copies a window's picture onto the screen bitmap, clipped to the picture, the window's
// bounds and the screen.
void BlitPicture(TBitmap& screen, const TBitmap& picture, const TRect& bounds) {
    const TPoint at = bounds.TopLeft();
    const TRect target = TRect::FromBounds(at.X, at.Y, picture.Width(), picture.Height())
                             .Intersect(bounds)
                             .Intersect(screen.BoundsRect());
    if (target.IsEmpty()) return;
    const bool sameFormat = picture.PixelFormat() == screen.PixelFormat();
    const int bytes = screen.BytesPerPixel();
    for (int y = target.Top; y < target.Bottom; ++y) {
        const int sy = y - at.Y;
        if (sameFormat) {
            std::memcpy(screen.ScanLine(y) + std::ptrdiff_t(target.Left) * bytes,
                        picture.ScanLine(sy) + std::ptrdiff_t(target.Left - at.X) * bytes,
                        std::size_t(target.Width()) * std::size_t(bytes));
        } else {
            for (int x = target.Left; x < target.Right; ++x)
                screen.SetPixel(x, y, picture.GetPixel(x - at.X, sy));
        }
    }
}

} // namespace

TVirtualScreen::TVirtualScreen(TSize size) {
    SetSize(size);
}

void TVirtualScreen::SetSize(TSize size) {
    m_size = {std::max(1, size.Width), std::max(1, size.Height)};
}

TNativeWindowId TVirtualScreen::Add(const TRect& bounds, const std::string& title, TNativeWindowStyle style) {
    TVirtualWindow window;
    window.Id = m_nextId++;
    window.Bounds = bounds;
    window.Title = title;
    window.Style = style;
    m_windows.push_back(std::move(window));
    m_order.insert(m_order.begin(), m_windows.back().Id);
    PlaceOnTopOfBand(m_windows.back().Id);
    return m_windows.back().Id;
}

void TVirtualScreen::Remove(TNativeWindowId id) {
    std::erase_if(m_windows, [id](const TVirtualWindow& w) { return w.Id == id; });
    std::erase(m_order, id);
}

TVirtualWindow* TVirtualScreen::Find(TNativeWindowId id) {
    auto it = std::find_if(m_windows.begin(), m_windows.end(),
                           [id](const TVirtualWindow& w) { return w.Id == id; });
    return it == m_windows.end() ? nullptr : &*it;
}

const TVirtualWindow* TVirtualScreen::Find(TNativeWindowId id) const {
    return const_cast<TVirtualScreen*>(this)->Find(id);
}

void TVirtualScreen::Raise(TNativeWindowId id) {
    if (!Find(id)) return;
    PlaceOnTopOfBand(id);
    for (const TVirtualWindow& w : m_windows)
        if (w.Owner == id && w.Id != id) PlaceOnTopOfBand(w.Id);
}

void TVirtualScreen::PlaceOnTopOfBand(TNativeWindowId id) {
    std::erase(m_order, id);
    const bool onTop = Find(id)->Style.StayOnTop;
    // The first window of the normal band, or the end when none.
    auto it = m_order.begin();
    if (!onTop)
        it = std::find_if(m_order.begin(), m_order.end(),
                          [this](TNativeWindowId other) { return !Find(other)->Style.StayOnTop; });
    m_order.insert(it, id);
}

TNativeWindowId TVirtualScreen::WindowAt(TPoint screenPos) const {
    for (TNativeWindowId id : m_order) {
        const TVirtualWindow* w = Find(id);
        if (w->Style.Visible && w->Bounds.Contains(screenPos)) return id;
    }
    return 0;
}

TBitmap TVirtualScreen::Compose() const {
    TBitmap screen(m_size.Width, m_size.Height, TPixelFormat::pf24bit);
    screen.Fill(ColorToRGB(clBackground));
    for (auto it = m_order.rbegin(); it != m_order.rend(); ++it) {
        const TVirtualWindow* w = Find(*it);
        if (w->Style.Visible && w->HasPicture) BlitPicture(screen, w->Picture(), w->Bounds);
    }
    return screen;
}
