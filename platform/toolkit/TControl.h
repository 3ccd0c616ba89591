#pragma once

#include <functional>
#include <string>

#include "platform/core/Color.h"
#include "platform/core/Geometry.h"
#include "platform/core/TFlagSet.h"
#include "platform/text/TFont.h"
#include "platform/toolkit/MessageRecords.h"
#include "platform/toolkit/Messages.h"
#include "platform/toolkit/TBackend.h"
#include "platform/toolkit/TComponent.h"

class TCanvas;
class TWinControl;
class TCustomForm;
class TJsonWriter;

// A control: a rectangle inside its parent's client area that receives messages. Every
// message goes through WindowProc (replaceable; by default the virtual WndProc), which hands
// it to Dispatch, which decodes it once into its record (MessageRecords.h) and calls the typed
// handler for its number with it; a handler's base version does the default work or passes
// the message to DefaultHandler.
//
// Sections: types; TControl (tree, bounds, appearance, messages, painting, events, dump,
// typed handlers).

enum class TControlStyleFlag : std::uint8_t {
    csAcceptsControls, // may be a parent of other controls
    csCaptureMouse,    // captures the mouse on a press and releases it on the release
    csClickEvents,     // a press and release over the control make a click
    csSetCaption,      // the name is copied into the caption while the caption is untouched
    csOpaque,          // paints its whole rectangle (windowless controls)
    csDoubleClicks,    // a second press within the double-click time is a double click;
                       // without it, the second press is an ordinary press (two clicks)
    csFramed,
    csNoStdEvents, // mouse messages do not raise OnMouseDown/Up/Move
    csParentBackground,
};
using TControlStyle = TFlagSet<TControlStyleFlag>;

enum class TControlStateFlag : std::uint8_t {
    csLButtonDown, // the left button went down on this control and is still held
    csClicked,     // that press will make a click when released over the control
    csFocusing,
    csPaintCopy, // the control is painting into a copy (PaintTo), not onto its window
    csCustomPaint,
};
using TControlState = TFlagSet<TControlStateFlag>;

enum class TAnchorKind : std::uint8_t { akLeft, akTop, akRight, akBottom };
using TAnchors = TFlagSet<TAnchorKind>;

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

using TShiftState = std::uint32_t; // TShiftBits (ssShift, ssAlt, ssCtrl, ssLeft ...)

using TWndMethod = std::function<void(TMessage&)>;
using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
// Handled set to true stops the default wheel handling.
using TMouseWheelEvent =
    std::function<void(TObject* sender, TShiftState shift, int wheelDelta, TPoint mousePos, bool& handled)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    std::string ClassName() const override { return "TControl"; }
    // Renames; a control whose caption still is its name follows (csSetCaption).
    void SetName(const std::string& name) override;

    // --- tree ---
    TWinControl* Parent() const { return m_parent; }
    // Moves the control into parent's child list (on top of its siblings); null removes it.
    virtual void SetParent(TWinControl* parent);
    // The form whose client area holds the control (the control itself for a form), or null.
    TCustomForm* ParentForm() const;
    // Z-order among the parent's children: to the top, or to the bottom.
    void BringToFront();

    // --- bounds (relative to the parent's client area; a form's are screen coordinates) ---
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetLeft(int v) { SetBounds(v, m_top, m_width, m_height); }
    void SetTop(int v) { SetBounds(m_left, v, m_width, m_height); }
    void SetWidth(int v) { SetBounds(m_left, m_top, v, m_height); }
    void SetHeight(int v) { SetBounds(m_left, m_top, m_width, v); }
    TRect BoundsRect() const { return TRect::FromBounds(m_left, m_top, m_width, m_height); }
    void SetBoundsRect(const TRect& r) { SetBounds(r.Left, r.Top, r.Width(), r.Height()); }
    // Changes position and size in one step. Sends WM_WINDOWPOSCHANGING (LParam points to the
    // new TRect, which a handler may change), then, for what changed, WM_MOVE and WM_SIZE, then
    // WM_WINDOWPOSCHANGED; negative sizes become 0.
    virtual void SetBounds(int left, int top, int width, int height);
    // The client rectangle (0, 0, ClientWidth, ClientHeight).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    // Sets the size so that the client area gets the given size.
    void SetClientWidth(int v);
    void SetClientHeight(int v);
    // The width and height that the non-client area (frame, title bar) adds to the client area.
    virtual TSize NonClientExtent() const { return {}; }
    // Screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;
    TPoint ClientToScreen(TPoint p) const;
    TPoint ScreenToClient(TPoint p) const;
    // The control's outer rectangle on the screen.
    TRect ScreenRect() const;
    TAnchors Anchors() const { return m_anchors; }
    void SetAnchors(TAnchors anchors) { m_anchors = anchors; }
    // Moves or sizes the control by the parent's client size change (anchors right/bottom).
    void AnchorToParentResize(int deltaWidth, int deltaHeight);

    // --- appearance ---
    bool Visible() const { return m_visible; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible, and every parent visible, up to a visible form.
    bool IsShowing() const;
    bool Enabled() const { return m_enabled; }
    virtual void SetEnabled(bool enabled);
    // Enabled and every parent enabled.
    bool IsEnabledInTree() const;
    const TFont& Font() const { return m_font; }
    // Takes a copy; clears ParentFont, sends CM_FONTCHANGED and tells children that follow.
    void SetFont(const TFont& font);
    // Edits a copy of the font and sets it: ChangeFont([](TFont& f) { f.SetSize(12); }).
    template <class F> void ChangeFont(F&& edit) {
        TFont f = m_font;
        edit(f);
        SetFont(f);
    }
    bool ParentFont() const { return m_parentFont; }
    void SetParentFont(bool v);
    TColor Color() const { return m_color; }
    void SetColor(TColor c);
    void SetParentColor(bool v);
    // Caption and Text are the same string; setting sends CM_TEXTCHANGED when it changes.
    const std::string& Caption() const { return m_text; }
    void SetCaption(const std::string& text) { SetText(text); }
    const std::string& Text() const { return m_text; }
    virtual void SetText(const std::string& text);
    TControlStyle ControlStyle() const { return m_controlStyle; }
    void SetControlStyle(TControlStyle s) { m_controlStyle = s; }
    TControlState ControlState() const { return m_controlState; }
    void SetControlState(TControlState s) { m_controlState = s; }
    bool IsWindowed() const { return m_windowed; }

    // --- messages ---
    // Runs the message through WindowProc now and returns its Result.
    TLResult Perform(std::uint32_t msg, TWParam wParam = 0, TLParam lParam = 0);
    void PerformMessage(TMessage& message) { m_windowProc(message); }
    // The current window procedure; replace it to see every message first, and call the
    // previous one for what the replacement does not handle; setting the saved one restores.
    const TWndMethod& WindowProc() const { return m_windowProc; }
    void SetWindowProc(TWndMethod proc);
    // The procedure WindowProc starts with: calls the virtual WndProc.
    TWndMethod DefaultWindowProc();
    // Sends the message to its typed handler (the switch over message numbers).
    void Dispatch(TMessage& message);

    // --- painting ---
    // Marks the control's whole rectangle for repaint (with background erase).
    virtual void Invalidate();
    // Paints what is marked now (and shows it), without waiting for the message loop.
    virtual void Update();
    void Repaint() {
        Invalidate();
        Update();
    }

    // --- behaviour ---
    virtual void Click();
    virtual void DblClick();
    // The mouse is captured by this control (every mouse message goes to it).
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    // --- events ---
    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TMouseWheelEvent OnMouseWheel;
    TNotifyEvent OnMouseEnter;
    TNotifyEvent OnMouseLeave;
    TNotifyEvent OnResize;

    // --- automation dump ---
    // Writes this control as a JSON object: class, name, text, bounds, screen, visible,
    // enabled, focused, the fields of WriteDumpFields, and children.
    void WriteDump(TJsonWriter& json) const;
    // Adds the fields that show the control's own state ("hot", "pressed", "itemIndex" ...).
    virtual void WriteDumpFields(TJsonWriter& json) const;

    // The toolkit's bookkeeping when a parent's child list changes (not for general use).
    void SetParentField(TWinControl* parent) { m_parent = parent; }
    // The shift state (ssShift, ssCtrl, ssAlt, ssLeft ...) of a mouse message's WParam.
    static TShiftState ShiftFromMouseKeys(TWParam keys);

protected:
    virtual void WndProc(TMessage& message);
    // What the platform does with a message nobody handled: nothing, Result 0.
    virtual void DefaultHandler(TMessage& message);

    // Mouse hooks called by the typed mouse handlers (x, y in client coordinates).
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // Called after a size change (WM_SIZE); the base calls OnResize.
    virtual void Resize();
    // Whether a mouse position in client coordinates belongs to the control (CM_HITTEST).
    virtual bool HitTest(TPoint clientPos) const;

    // --- typed handlers: the base does the default work; overrides call it to pass on ---
    virtual void WMMouseMove(TWMMouse& m);
    virtual void WMLButtonDown(TWMMouse& m);
    virtual void WMLButtonUp(TWMMouse& m);
    virtual void WMLButtonDblClk(TWMMouse& m);
    virtual void WMRButtonDown(TWMMouse& m);
    virtual void WMRButtonUp(TWMMouse& m);
    virtual void WMMButtonDown(TWMMouse& m);
    virtual void WMMButtonUp(TWMMouse& m);
    virtual void WMMouseWheel(TWMMouseWheel& m);
    virtual void WMCaptureChanged(TWMCaptureChanged& m);
    virtual void WMMove(TWMMove& m);
    virtual void WMSize(TWMSize& m);
    virtual void WMWindowPosChanging(TWMWindowPosMsg& m);
    virtual void WMWindowPosChanged(TWMWindowPosMsg& m);
    virtual void WMPaint(TWMPaint& m);
    virtual void WMEraseBkgnd(TWMEraseBkgnd& m);
    virtual void WMCancelMode(TWMNoParams& m);
    virtual void CMMouseEnter(TCMMouseEnter& m);
    virtual void CMMouseLeave(TCMMouseLeave& m);
    virtual void CMVisibleChanged(TCMVisibleChanged& m);
    virtual void CMEnabledChanged(TWMNoParams& m);
    virtual void CMFontChanged(TWMNoParams& m);
    virtual void CMColorChanged(TWMNoParams& m);
    virtual void CMTextChanged(TWMNoParams& m);
    virtual void CMParentFontChanged(TWMNoParams& m);
    virtual void CMParentColorChanged(TWMNoParams& m);
    virtual void CMHitTest(TWMHitTest& m);
    virtual void CMDialogKey(TCMDialogKey& m);
    virtual void CMDialogChar(TCMDialogChar& m);
    virtual void CMFocusChanged(TCMFocusChanged& m);
    // The skin engine's command (WM_SKINCOMMAND); the base passes it to DefaultHandler.
    virtual void WMSkinCommand(TWMSkinCommand& m);
    // Any other message not dispatched above.
    virtual void OtherMessage(TMessage& m) { DefaultHandler(m); }

    // Decodes the message once into the handler's record and calls the handler with it.
    template <class Record, class Control> void Decode(TMessage& m, void (Control::*handler)(Record&)) {
        Record record(m);
        (static_cast<Control*>(this)->*handler)(record);
    }

    // Shared mouse-button handling of the typed handlers.
    void DoMouseDown(TWMMouse& m, TMouseButton button);
    void DoMouseUp(TWMMouse& m, TMouseButton button);
    // The rectangle to invalidate in the parent when this windowless control changes.
    void InvalidateInParent(const TRect& parentRect, bool erase = true);
    // Called by SetParent after the change (windowed controls allocate handles).
    virtual void ParentChanged(TWinControl* oldParent);
    // Called by SetBounds after the fields changed and before WM_WINDOWPOSCHANGED: invalidates
    // what the change uncovers and covers.
    virtual void BoundsChanged(const TRect& oldBounds);
    // Sets the Visible field without notifications (forms start hidden).
    void InitVisible(bool visible) { m_visible = visible; }
    // Marks the component as being destroyed (set first thing by destructors).
    void MarkDestroying() { SetComponentStateFlag(TComponentStateFlag::csDestroying, true); }
    // Drops the application's and the form's references to this control and leaves the
    // parent; a destructor calls it while the control is still whole.
    void DetachForDestruction();

    // Set by TWinControl's constructor.
    bool m_windowed = false;

private:
    friend class TWinControl;

    TWinControl* m_parent = nullptr;
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    TAnchors m_anchors{TAnchorKind::akLeft, TAnchorKind::akTop};
    bool m_visible = true;
    bool m_enabled = true;
    TFont m_font;
    bool m_parentFont = true;
    TColor m_color = clBtnFace;
    bool m_parentColor = false;
    std::string m_text;
    bool m_textSet = false;
    TControlStyle m_controlStyle{TControlStyleFlag::csCaptureMouse, TControlStyleFlag::csClickEvents,
                                 TControlStyleFlag::csSetCaption, TControlStyleFlag::csDoubleClicks};
    TControlState m_controlState;
    TWndMethod m_windowProc;
};
