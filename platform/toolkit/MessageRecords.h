#pragma once

#include <cstdint>

#include "platform/toolkit/Messages.h"
#include "platform/toolkit/SkinCommandMessage.h"

class TCanvas;
class TControl;
class TWinControl;

// Decoded messages. Dispatch decodes a message's WParam and LParam once into one of these
// small records and hands it to the typed handler, so no typed handler unpacks parameters.
// Every record keeps the message it was read from: Result answers it, and a record converts
// to that message, so a handler passes it on (DefaultHandler(m), a base class's handler) as
// it came. Fields are the decoded values; the few that a handler may change on the way
// (a key code) have a setter that writes the message too.
//
// Sections: the common base; mouse; painting; keys; focus and activation; size and
// position; commands and owner-draw; notifications; the skin command.

// --- common base ---
struct TMessageRecord {
    explicit TMessageRecord(TMessage& message) : Message(message), Result(message.Result) {}
    TMessageRecord(const TMessageRecord&) = delete;
    TMessageRecord& operator=(const TMessageRecord&) = delete;

    operator TMessage&() const { return Message; }
    std::uint32_t Msg() const { return Message.Msg; }

    TMessage& Message;
    TLResult& Result;
};

// A message whose parameters carry nothing its handlers read (CM_FONTCHANGED, WM_CLOSE ...).
struct TWMNoParams : TMessageRecord {
    using TMessageRecord::TMessageRecord;
};

// --- mouse ---
// WM_MOUSEMOVE, WM_xBUTTONDOWN/UP/DBLCLK: the MK_ button and key bits and the position in
// client coordinates.
struct TWMMouse : TMessageRecord {
    explicit TWMMouse(TMessage& m) : TMessageRecord(m), Keys(m.WParam), Pos(PointFromLParam(m.LParam)) {}
    TWParam Keys;
    TPoint Pos;
};

// WM_MOUSEWHEEL: the MK_ bits, the signed delta (multiples of 120 per notch, positive away
// from the user) and the pointer's screen position.
struct TWMMouseWheel : TMessageRecord {
    explicit TWMMouseWheel(TMessage& m)
        : TMessageRecord(m), Keys(LoWord(m.WParam)), WheelDelta(WheelDeltaFromWParam(m.WParam)),
          Pos(PointFromLParam(m.LParam)) {}
    TWParam Keys;
    int WheelDelta;
    TPoint Pos;
};

// WM_NCMOUSEMOVE, WM_NCLBUTTONDOWN/UP/DBLCLK: the hit-test code (HT*) of the point and its
// screen position.
struct TWMNCMouse : TMessageRecord {
    explicit TWMNCMouse(TMessage& m)
        : TMessageRecord(m), HitTest(int(m.WParam)), Pos(PointFromLParam(m.LParam)) {}
    int HitTest;
    TPoint Pos;
};

// WM_NCHITTEST (screen coordinates) and CM_HITTEST (client coordinates): the point asked
// about; the answer goes to Result.
struct TWMHitTest : TMessageRecord {
    explicit TWMHitTest(TMessage& m) : TMessageRecord(m), Pos(PointFromLParam(m.LParam)) {}
    TPoint Pos;
};

// WM_CAPTURECHANGED: the handle of the window that takes the capture (0 when none does).
struct TWMCaptureChanged : TMessageRecord {
    explicit TWMCaptureChanged(TMessage& m) : TMessageRecord(m), NewCapture(THandle(m.LParam)) {}
    THandle NewCapture;
};

// CM_MOUSEENTER / CM_MOUSELEAVE: Child is null for the control entered or left itself and
// the child it concerns when a parent hears of it.
struct TCMMouseEnter : TMessageRecord {
    explicit TCMMouseEnter(TMessage& m) : TMessageRecord(m), Child(PointerFromLParam<TControl>(m.LParam)) {}
    TControl* Child;
};
using TCMMouseLeave = TCMMouseEnter;

// --- painting ---
// WM_PAINT, WM_ERASEBKGND, WM_NCPAINT: the canvas to draw on (null asks the control to fetch
// its own).
struct TWMPaint : TMessageRecord {
    explicit TWMPaint(TMessage& m) : TMessageRecord(m), Canvas(CanvasFromWParam(m.WParam)) {}
    TCanvas* Canvas;
};
using TWMEraseBkgnd = TWMPaint;
using TWMNCPaint = TWMPaint;

// WM_PRINT, WM_PRINTCLIENT: the canvas and the PRF_ flags.
struct TWMPrint : TMessageRecord {
    explicit TWMPrint(TMessage& m) : TMessageRecord(m), Canvas(CanvasFromWParam(m.WParam)), Flags(m.LParam) {}
    TCanvas* Canvas;
    TLParam Flags;
};

// WM_SETREDRAW: whether painting is switched on.
struct TWMSetRedraw : TMessageRecord {
    explicit TWMSetRedraw(TMessage& m) : TMessageRecord(m), Redraw(m.WParam != 0) {}
    bool Redraw;
};

// --- keys ---
// WM_KEYDOWN/UP, WM_SYSKEYDOWN/UP (virtual-key code), WM_CHAR, WM_SYSCHAR (the character):
// CharCode, and the key data (KF_ALTDOWN_LPARAM ...). A handler that eats or changes the key
// sets it with SetCharCode, which the message keeps for whoever handles it next.
struct TWMKey : TMessageRecord {
    explicit TWMKey(TMessage& m) : TMessageRecord(m), CharCode(int(m.WParam)), KeyData(m.LParam) {}
    void SetCharCode(int code) {
        CharCode = code;
        Message.WParam = TWParam(code);
    }
    bool AltDown() const { return (KeyData & KF_ALTDOWN_LPARAM) != 0; }
    int CharCode;
    TLParam KeyData;
};

// CM_DIALOGKEY (virtual-key code) and CM_DIALOGCHAR (character), with the shift bits
// (ssShift, ssCtrl, ssAlt); Result 1 says the key was used.
struct TCMDialogKey : TMessageRecord {
    explicit TCMDialogKey(TMessage& m)
        : TMessageRecord(m), CharCode(int(m.WParam)), Shift(std::uint32_t(m.LParam)) {}
    int CharCode;
    std::uint32_t Shift;
};
using TCMDialogChar = TCMDialogKey;

// --- focus and activation ---
// WM_SETFOCUS / WM_KILLFOCUS: the handle of the window losing or getting the focus (0 for
// none or a window outside the toolkit).
struct TWMFocus : TMessageRecord {
    explicit TWMFocus(TMessage& m) : TMessageRecord(m), OtherWindow(THandle(m.WParam)) {}
    THandle OtherWindow;
};

// CM_FOCUSCHANGED: the control that now has the focus.
struct TCMFocusChanged : TMessageRecord {
    explicit TCMFocusChanged(TMessage& m)
        : TMessageRecord(m), Focused(PointerFromLParam<TWinControl>(m.LParam)) {}
    TWinControl* Focused;
};

// WM_ACTIVATE: WA_INACTIVE, WA_ACTIVE or WA_CLICKACTIVE, and the other window's handle.
struct TWMActivate : TMessageRecord {
    explicit TWMActivate(TMessage& m)
        : TMessageRecord(m), Active(LoWord(m.WParam)), OtherWindow(THandle(m.LParam)) {}
    TWParam Active;
    THandle OtherWindow;
};

// WM_NCACTIVATE: whether the frame shows active, and the other window's handle.
struct TWMNCActivate : TMessageRecord {
    explicit TWMNCActivate(TMessage& m)
        : TMessageRecord(m), Active(m.WParam != 0), OtherWindow(THandle(m.LParam)) {}
    bool Active;
    THandle OtherWindow;
};

// WM_SYSCOMMAND: the SC_ command (the low four bits are the platform's and not part of it).
struct TWMSysCommand : TMessageRecord {
    explicit TWMSysCommand(TMessage& m) : TMessageRecord(m), CmdType(m.WParam & 0xFFF0) {}
    TWParam CmdType;
};

// WM_GETDLGCODE: the key asked about (0 when the question is general); the DLGC_ answer goes
// to Result.
struct TWMGetDlgCode : TMessageRecord {
    explicit TWMGetDlgCode(TMessage& m) : TMessageRecord(m), CharCode(int(m.WParam)) {}
    int CharCode;
};

// --- size and position ---
// WM_SIZE: SIZE_RESTORED or SIZE_MAXIMIZED ..., and the new client size.
struct TWMSize : TMessageRecord {
    explicit TWMSize(TMessage& m)
        : TMessageRecord(m), SizeType(m.WParam), Width(PointFromLParam(m.LParam).X),
          Height(PointFromLParam(m.LParam).Y) {}
    TWParam SizeType;
    int Width;
    int Height;
};

// WM_MOVE: the new position of the client area.
struct TWMMove : TMessageRecord {
    explicit TWMMove(TMessage& m) : TMessageRecord(m), Pos(PointFromLParam(m.LParam)) {}
    TPoint Pos;
};

// WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED: the new bounds, which a CHANGING handler may
// change.
struct TWMWindowPosMsg : TMessageRecord {
    explicit TWMWindowPosMsg(TMessage& m)
        : TMessageRecord(m), WindowPos(PointerFromLParam<TWindowPos>(m.LParam)) {}
    TWindowPos* WindowPos;
};

// --- commands and owner-draw ---
// WM_COMMAND: the notification code (BN_CLICKED ...), the item id and the child's handle.
struct TWMCommand : TMessageRecord {
    explicit TWMCommand(TMessage& m)
        : TMessageRecord(m), ItemID(LoWord(m.WParam)), NotifyCode(HiWord(m.WParam)), Ctl(THandle(m.LParam)) {}
    std::uint16_t ItemID;
    std::uint16_t NotifyCode;
    THandle Ctl;
};

// WM_DRAWITEM: the item to draw.
struct TWMDrawItem : TMessageRecord {
    explicit TWMDrawItem(TMessage& m)
        : TMessageRecord(m), DrawItemStruct(PointerFromLParam<TDrawItemStruct>(m.LParam)) {}
    TDrawItemStruct* DrawItemStruct;
};

// WM_MEASUREITEM: the child's handle and the item to measure.
struct TWMMeasureItem : TMessageRecord {
    explicit TWMMeasureItem(TMessage& m)
        : TMessageRecord(m), IDCtl(THandle(m.WParam)),
          MeasureItemStruct(PointerFromLParam<TMeasureItemStruct>(m.LParam)) {}
    THandle IDCtl;
    TMeasureItemStruct* MeasureItemStruct;
};

// WM_SETTEXT: the new text (null sets nothing).
struct TWMSetText : TMessageRecord {
    explicit TWMSetText(TMessage& m) : TMessageRecord(m), Text(PointerFromLParam<const char>(m.LParam)) {}
    const char* Text;
};

// WM_TIMER: the timer's id.
struct TWMTimer : TMessageRecord {
    explicit TWMTimer(TMessage& m) : TMessageRecord(m), TimerID(m.WParam) {}
    TWParam TimerID;
};

// --- notifications ---
// CM_VISIBLECHANGED: whether the control became visible.
struct TCMVisibleChanged : TMessageRecord {
    explicit TCMVisibleChanged(TMessage& m) : TMessageRecord(m), Visible(m.WParam != 0) {}
    bool Visible;
};

// --- the skin command ---
// WM_SKINCOMMAND (0xA100): the skin engine's command to a control, decoded by its one codec
// (SkinCommandMessage): the command code (cmdSkinLoaded ...), a small argument and an object
// argument (a skin manager, a rectangle ...), which the toolkit passes as an opaque
// pointer-sized value since it knows no skin types. An answer goes two ways: SetAnswer writes
// LParam, where a sender that called the handler directly reads it, and Result, which
// SendMessage and Perform return.
struct TWMSkinCommand : TMessageRecord {
    explicit TWMSkinCommand(TMessage& m)
        : TMessageRecord(m), Code(SkinCommandMessage::Code(m)), Argument(SkinCommandMessage::Small(m)),
          ObjectArgument(SkinCommandMessage::Object(m)) {}
    // The object argument as a pointer of the type the command code names.
    template <class T> T* Object() const { return PointerFromLParam<T>(ObjectArgument); }
    void SetAnswer(TLResult answer) { SkinCommandMessage::Answer(Message, TLParam(answer)); }
    std::uint16_t Code;
    std::uint16_t Argument;
    TLParam ObjectArgument;
};
