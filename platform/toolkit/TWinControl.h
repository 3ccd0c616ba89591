#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "platform/graphics/TRegion.h"
#include "platform/toolkit/TControl.h"

class TBitmap;
class TCanvas;

using TKeyEvent = std::function<void(TObject* sender, int& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, char32_t& key)>;

// A control with a window: a handle through which SendMessage reaches it, child controls
// (windowed and windowless) in z-order, keyboard focus and tab order, its own area of the
// form's off-screen surface, a non-client border, a window region and a redraw switch.
//
// Painting: each windowed control keeps an update region (client coordinates). When the
// form is composed, every windowed control with a non-empty update region gets, in z-order,
// WM_ERASEBKGND (when an erase is pending) and WM_PAINT, each with a canvas in WParam whose
// origin is the client origin and whose clip is its visible area (inside its parents and its
// window region, minus windowed siblings above it and its own windowed children) intersected
// with the update region. The base WM_PAINT runs PaintWindow and then paints the windowless
// children over it (PaintControls).
class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    std::string ClassName() const override { return "TWinControl"; }

    // --- window handle ---
    // The handle, created on first use (the parent's first).
    THandle Handle();
    THandle WindowHandle() const { return m_handle; }
    bool HandleAllocated() const { return m_handle != 0; }
    // The class name recorded when the window was created (what GetClassName answers, also
    // while the control is being destroyed).
    const std::string& WindowClassName() const { return m_windowClassName; }
    void HandleNeeded() { (void)Handle(); }
    // Sends through the window system (the handle); reaches the same handler as Perform.
    TLResult SendMessage(std::uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    // The platform's style bits (WS_*, BS_* ...) and extended style (WS_EX_*).
    std::uint32_t Style() const { return m_style; }
    void SetStyle(std::uint32_t style) { m_style = style; }
    std::uint32_t ExStyle() const { return m_exStyle; }

    // --- children ---
    int ControlCount() const { return int(m_controls.size()); }
    // Children in z-order, bottom first.
    TControl* Controls(int index) const { return m_controls.at(std::size_t(index)); }
    const std::vector<TControl*>& ControlList() const { return m_controls; }
    bool ContainsControl(const TControl* control) const; // a descendant
    // The top-most child (optionally only enabled ones) at a client position, or null.
    TControl* ControlAtPos(TPoint clientPos, bool allowDisabled, bool allowWindowed = true) const;
    // Sends the message to every child (stops when one sets Result).
    void Broadcast(TMessage& message);
    // Sends the message to every child (all of them).
    void NotifyControls(std::uint32_t msg, TWParam w = 0, TLParam l = 0);

    // --- focus and tab order ---
    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return m_tabStop; }
    void SetTabStop(bool v);
    bool Focused() const;
    // Showing, enabled, and on a form.
    virtual bool CanFocus() const;
    // Gives this control the keyboard focus (makes it its form's active control).
    virtual void SetFocus();
    // Windowed descendants in tab order (children by TabOrder, each followed by its own).
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    // The next (or previous) control after current in this control's tab order that can be
    // focused (and has TabStop when checkTabStop); wraps around; null when none.
    TWinControl* FindNextControl(TWinControl* current, bool goForward, bool checkTabStop,
                                 bool checkParent) const;
    // Focuses that control.
    void SelectNext(TWinControl* current, bool goForward, bool checkTabStop);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyEvent OnKeyDown;
    TKeyEvent OnKeyUp;
    TKeyPressEvent OnKeyPress;

    // --- painting ---
    void Invalidate() override;
    // Adds r (client coordinates; null: the whole client area) to the update region.
    void InvalidateRect(const TRect* r, bool erase);
    // The platform's RedrawWindow (RDW_* flags): invalidate or validate, with the frame,
    // with all children, and paint at once with RDW_UPDATENOW.
    void RedrawWindow(const TRect* r, unsigned flags);
    void Update() override;
    // Drawing is switched off by WM_SETREDRAW 0; invalidations collect until it is back on.
    bool IsRedrawEnabled() const { return m_redraw; }
    // Paints the control with its children into canvas at (x, y) (WM_PRINT with all flags).
    void PaintTo(TCanvas& canvas, int x, int y);
    void PaintTo(TBitmap& bitmap, int x, int y);
    // The window region (window coordinates): what the control shows and where it takes the
    // mouse. An empty optional removes it. The control owns its copy.
    void SetWindowRgn(std::optional<TRegion> region, bool redraw);
    const std::optional<TRegion>& WindowRgn() const { return m_windowRgn; }
    // The part of its rectangle the window covers, placed with its top-left corner at origin:
    // all of it, or what its window region keeps.
    TRegion ShapeAt(TPoint origin) const;
    // Widths of the non-client border on each side (Left, Top, Right, Bottom as widths);
    // the client area is the bounds minus these.
    virtual TRect NonClientInsets() const { return {}; }
    TSize NonClientExtent() const override {
        const TRect in = NonClientInsets();
        return {in.Left + in.Right, in.Top + in.Bottom};
    }
    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    // The non-client area needs a WM_NCPAINT at the next composition.
    void InvalidateFrame();

    // --- internal to the toolkit (composition, window table, input) ---
    void DestroyHandle();
    // The control's outer rectangle in its form's surface coordinates.
    TRect SurfaceRect() const;
    // The client area's top-left corner in its form's surface coordinates.
    TPoint SurfaceClientOrigin() const;
    // What of the client area shows on the form surface (surface coordinates).
    TRegion VisibleClientRegion() const;
    // What of the whole window (frame included) shows on the surface.
    TRegion VisibleWindowRegion() const;
    // Paints what is pending (frame, erase, client); true when anything was painted.
    bool PaintPending();
    // Marks the whole control and all its windowed descendants for repaint.
    void InvalidateTree(bool erase = true);
    void ValidateAll() {
        m_updateRegion = TRegion();
        m_erasePending = false;
        m_framePending = false;
    }
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void MoveControlInZOrder(TControl* control, bool toTop);

protected:
    // Creates the window: registers the handle; subclasses add their own set-up after
    // calling it. Children's windows are created afterwards.
    virtual void CreateWnd();
    // Called before the handle is released.
    virtual void DestroyWnd();
    // Paints the control's own content (called by the base WM_PAINT before the windowless
    // children). The canvas origin is the client origin.
    virtual void PaintWindow(TCanvas& canvas);
    // Paints the windowless children over the client area.
    void PaintControls(TCanvas& canvas);
    // Paints the non-client border (called by the base WM_NCPAINT; origin = window's top-left).
    virtual void PaintNonClient(TCanvas& canvas);
    // WM_GETDLGCODE answer (DLGC_* bits).
    virtual TLResult DialogCode() const { return 0; }
    virtual void KeyDown(int& key, TShiftState shift);
    virtual void KeyUp(int& key, TShiftState shift);
    virtual void KeyPress(char32_t& key);
    // Creates the handle when the new parent has one.
    void ParentChanged(TWinControl* oldParent) override;
    bool HitTest(TPoint clientPos) const override;

    // --- typed handlers ---
    void WMPaint(TWMPaint& m) override;
    void WMEraseBkgnd(TWMEraseBkgnd& m) override;
    void WMSize(TWMSize& m) override;
    void CMVisibleChanged(TCMVisibleChanged& m) override;
    void CMEnabledChanged(TWMNoParams& m) override;
    void CMFontChanged(TWMNoParams& m) override;
    void CMColorChanged(TWMNoParams& m) override;
    void CMDialogKey(TCMDialogKey& m) override;
    void CMDialogChar(TCMDialogChar& m) override;
    void CMFocusChanged(TCMFocusChanged& m) override;
    virtual void WMNCPaint(TWMNCPaint& m);
    virtual void WMNCHitTest(TWMHitTest& m);
    virtual void WMPrint(TWMPrint& m);
    virtual void WMSetRedraw(TWMSetRedraw& m);
    virtual void WMSetFocus(TWMFocus& m);
    virtual void WMKillFocus(TWMFocus& m);
    virtual void WMKeyDown(TWMKey& m);
    virtual void WMKeyUp(TWMKey& m);
    virtual void WMChar(TWMKey& m);
    virtual void WMSysKeyDown(TWMKey& m);
    virtual void WMSysChar(TWMKey& m);
    virtual void WMGetDlgCode(TWMGetDlgCode& m);
    virtual void WMCommand(TWMCommand& m);         // reflects control notifications as CN_COMMAND
    virtual void WMDrawItem(TWMDrawItem& m);       // reflects as CN_DRAWITEM
    virtual void WMMeasureItem(TWMMeasureItem& m); // reflects as CN_MEASUREITEM
    virtual void WMTimer(TWMTimer& m) { DefaultHandler(m); }
    virtual void WMSetText(TWMSetText& m);
    void OtherMessage(TMessage& m) override;
    void BoundsChanged(const TRect& oldBounds) override;

    friend class TApplication;
    friend class TCustomForm;

private:
    void PaintFrameNow();
    void CreateHandleTree();

    THandle m_handle = 0;
    std::string m_windowClassName;
    std::uint32_t m_style = WS_CHILD | WS_VISIBLE;
    std::uint32_t m_exStyle = 0;
    std::vector<TControl*> m_controls;   // z-order, bottom first
    std::vector<TWinControl*> m_tabList; // windowed children in tab order
    bool m_tabStop = false;
    TRegion m_updateRegion;
    bool m_erasePending = false;
    bool m_framePending = false;
    bool m_redraw = true;
    std::optional<TRegion> m_windowRgn;
    TSize m_lastClientSize;
};
