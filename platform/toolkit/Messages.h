#pragma once

#include <cstdint>

#include "platform/core/Geometry.h"
#include "platform/core/VirtualKeys.h"

class TCanvas;

// Window messages. A message is a number, two parameters and a result, as on the original
// platform; the numbers are that platform's wherever it has one, so code written against its
// conventions (WM_SKINCOMMAND = 0xA100 included) passes through unchanged.
//
// Sections: message record and parameter helpers; window messages; toolkit (CM_) and
// reflected (CN_) messages; hit-test, system-command, activation and key codes; styles and
// redraw flags; owner-draw records.

using THandle = std::uint32_t; // a window handle; 0 is no window
using TWParam = std::uintptr_t;
using TLParam = std::intptr_t;
using TLResult = std::intptr_t;

struct TMessage {
    std::uint32_t Msg = 0;
    TWParam WParam = 0;
    TLParam LParam = 0;
    TLResult Result = 0;
};

// --- parameter helpers ---
constexpr std::uint16_t LoWord(std::uintptr_t v) {
    return std::uint16_t(v & 0xFFFF);
}
constexpr std::uint16_t HiWord(std::uintptr_t v) {
    return std::uint16_t((v >> 16) & 0xFFFF);
}
constexpr TWParam MakeWParam(std::uint16_t lo, std::uint16_t hi) {
    return TWParam(lo) | (TWParam(hi) << 16);
}
// Two signed 16-bit coordinates packed as the platform packs mouse positions.
constexpr TLParam MakeLParam(int x, int y) {
    return TLParam(std::uint32_t(std::uint16_t(std::int16_t(x))) |
                   (std::uint32_t(std::uint16_t(std::int16_t(y))) << 16));
}
constexpr TPoint PointFromLParam(TLParam l) {
    return {int(std::int16_t(std::uint16_t(std::uintptr_t(l) & 0xFFFF))),
            int(std::int16_t(std::uint16_t((std::uintptr_t(l) >> 16) & 0xFFFF)))};
}
// WM_PAINT, WM_ERASEBKGND, WM_NCPAINT, WM_PRINT and WM_PRINTCLIENT carry the canvas to draw on
// in WParam (the platform's device context); 0 asks the control to fetch its own.
inline TCanvas* CanvasFromWParam(TWParam w) {
    return reinterpret_cast<TCanvas*>(w);
}
inline TWParam WParamFromCanvas(TCanvas* c) {
    return reinterpret_cast<TWParam>(c);
}
template <class T> TLParam LParamFromPointer(T* p) {
    return reinterpret_cast<TLParam>(p);
}
template <class T> T* PointerFromLParam(TLParam l) {
    return reinterpret_cast<T*>(l);
}
// WM_MOUSEWHEEL: the signed delta in the high word of WParam.
constexpr int WheelDeltaFromWParam(TWParam w) {
    return int(std::int16_t(HiWord(w)));
}

// --- window messages ---
constexpr std::uint32_t WM_NULL = 0x0000;
constexpr std::uint32_t WM_CREATE = 0x0001;
constexpr std::uint32_t WM_DESTROY = 0x0002;
constexpr std::uint32_t WM_MOVE = 0x0003;
constexpr std::uint32_t WM_SIZE = 0x0005;
constexpr std::uint32_t WM_ACTIVATE = 0x0006;
constexpr std::uint32_t WM_SETFOCUS = 0x0007;
constexpr std::uint32_t WM_KILLFOCUS = 0x0008;
constexpr std::uint32_t WM_ENABLE = 0x000A;
constexpr std::uint32_t WM_SETREDRAW = 0x000B;
constexpr std::uint32_t WM_SETTEXT = 0x000C;
constexpr std::uint32_t WM_GETTEXT = 0x000D;
constexpr std::uint32_t WM_GETTEXTLENGTH = 0x000E;
constexpr std::uint32_t WM_PAINT = 0x000F;
constexpr std::uint32_t WM_CLOSE = 0x0010;
constexpr std::uint32_t WM_QUIT = 0x0012;
constexpr std::uint32_t WM_ERASEBKGND = 0x0014;
constexpr std::uint32_t WM_SYSCOLORCHANGE = 0x0015;
constexpr std::uint32_t WM_SHOWWINDOW = 0x0018;
constexpr std::uint32_t WM_FONTCHANGE = 0x001D;
constexpr std::uint32_t WM_CANCELMODE = 0x001F;
constexpr std::uint32_t WM_SETCURSOR = 0x0020;
constexpr std::uint32_t WM_MOUSEACTIVATE = 0x0021;
constexpr std::uint32_t WM_DRAWITEM = 0x002B;
constexpr std::uint32_t WM_MEASUREITEM = 0x002C;
constexpr std::uint32_t WM_SETFONT = 0x0030;
constexpr std::uint32_t WM_GETFONT = 0x0031;
constexpr std::uint32_t WM_WINDOWPOSCHANGING = 0x0046;
constexpr std::uint32_t WM_WINDOWPOSCHANGED = 0x0047;
constexpr std::uint32_t WM_CONTEXTMENU = 0x007B;
constexpr std::uint32_t WM_STYLECHANGED = 0x007D;
constexpr std::uint32_t WM_DISPLAYCHANGE = 0x007E;
constexpr std::uint32_t WM_NCCREATE = 0x0081;
constexpr std::uint32_t WM_NCDESTROY = 0x0082;
constexpr std::uint32_t WM_NCCALCSIZE = 0x0083;
constexpr std::uint32_t WM_NCHITTEST = 0x0084;
constexpr std::uint32_t WM_NCPAINT = 0x0085;
constexpr std::uint32_t WM_NCACTIVATE = 0x0086;
constexpr std::uint32_t WM_GETDLGCODE = 0x0087;
constexpr std::uint32_t WM_NCMOUSEMOVE = 0x00A0;
constexpr std::uint32_t WM_NCLBUTTONDOWN = 0x00A1;
constexpr std::uint32_t WM_NCLBUTTONUP = 0x00A2;
constexpr std::uint32_t WM_NCLBUTTONDBLCLK = 0x00A3;
constexpr std::uint32_t WM_NCRBUTTONDOWN = 0x00A4;
constexpr std::uint32_t WM_NCRBUTTONUP = 0x00A5;
constexpr std::uint32_t WM_KEYDOWN = 0x0100;
constexpr std::uint32_t WM_KEYUP = 0x0101;
constexpr std::uint32_t WM_CHAR = 0x0102;
constexpr std::uint32_t WM_SYSKEYDOWN = 0x0104;
constexpr std::uint32_t WM_SYSKEYUP = 0x0105;
constexpr std::uint32_t WM_SYSCHAR = 0x0106;
constexpr std::uint32_t WM_COMMAND = 0x0111;
constexpr std::uint32_t WM_SYSCOMMAND = 0x0112;
constexpr std::uint32_t WM_TIMER = 0x0113;
constexpr std::uint32_t WM_HSCROLL = 0x0114;
constexpr std::uint32_t WM_VSCROLL = 0x0115;
constexpr std::uint32_t WM_UPDATEUISTATE = 0x0128;
constexpr std::uint32_t WM_CTLCOLOREDIT = 0x0133;
constexpr std::uint32_t WM_CTLCOLORLISTBOX = 0x0134;
constexpr std::uint32_t WM_CTLCOLORBTN = 0x0135;
constexpr std::uint32_t WM_CTLCOLORSTATIC = 0x0138;
constexpr std::uint32_t WM_MOUSEFIRST = 0x0200;
constexpr std::uint32_t WM_MOUSEMOVE = 0x0200;
constexpr std::uint32_t WM_LBUTTONDOWN = 0x0201;
constexpr std::uint32_t WM_LBUTTONUP = 0x0202;
constexpr std::uint32_t WM_LBUTTONDBLCLK = 0x0203;
constexpr std::uint32_t WM_RBUTTONDOWN = 0x0204;
constexpr std::uint32_t WM_RBUTTONUP = 0x0205;
constexpr std::uint32_t WM_RBUTTONDBLCLK = 0x0206;
constexpr std::uint32_t WM_MBUTTONDOWN = 0x0207;
constexpr std::uint32_t WM_MBUTTONUP = 0x0208;
constexpr std::uint32_t WM_MBUTTONDBLCLK = 0x0209;
constexpr std::uint32_t WM_MOUSEWHEEL = 0x020A;
constexpr std::uint32_t WM_MOUSELAST = 0x020A;
constexpr std::uint32_t WM_PARENTNOTIFY = 0x0210;
constexpr std::uint32_t WM_CAPTURECHANGED = 0x0215;
constexpr std::uint32_t WM_MOUSELEAVE = 0x02A3;
constexpr std::uint32_t WM_CUT = 0x0300;
constexpr std::uint32_t WM_COPY = 0x0301;
constexpr std::uint32_t WM_PASTE = 0x0302;
constexpr std::uint32_t WM_CLEAR = 0x0303;
constexpr std::uint32_t WM_UNDO = 0x0304;
constexpr std::uint32_t WM_PRINT = 0x0317;
constexpr std::uint32_t WM_PRINTCLIENT = 0x0318;
constexpr std::uint32_t WM_USER = 0x0400;
constexpr std::uint32_t WM_APP = 0x8000;
// The skin engine's command message; the toolkit carries it like any other message.
constexpr std::uint32_t WM_SKINCOMMAND = 0xA100;

// --- toolkit messages (sent by the toolkit to its controls) ---
constexpr std::uint32_t CM_BASE = 0xB000;
constexpr std::uint32_t CM_ACTIVATE = CM_BASE + 0;
constexpr std::uint32_t CM_DEACTIVATE = CM_BASE + 1;
constexpr std::uint32_t CM_GOTFOCUS = CM_BASE + 2;
constexpr std::uint32_t CM_LOSTFOCUS = CM_BASE + 3;
constexpr std::uint32_t CM_CANCELMODE = CM_BASE + 4;
constexpr std::uint32_t CM_DIALOGKEY = CM_BASE + 5; // WParam key code, LParam shift bits; Result 1 = handled
constexpr std::uint32_t CM_DIALOGCHAR =
    CM_BASE + 6; // WParam character, LParam shift bits; Result 1 = handled
constexpr std::uint32_t CM_FOCUSCHANGED = CM_BASE + 7; // LParam = the TWinControl that now has the focus
constexpr std::uint32_t CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr std::uint32_t CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr std::uint32_t CM_HITTEST = CM_BASE + 10;
constexpr std::uint32_t CM_VISIBLECHANGED = CM_BASE + 11; // WParam 1 when it became visible
constexpr std::uint32_t CM_ENABLEDCHANGED = CM_BASE + 12;
constexpr std::uint32_t CM_COLORCHANGED = CM_BASE + 13;
constexpr std::uint32_t CM_FONTCHANGED = CM_BASE + 14;
constexpr std::uint32_t CM_CURSORCHANGED = CM_BASE + 15;
constexpr std::uint32_t CM_TEXTCHANGED = CM_BASE + 18;
constexpr std::uint32_t CM_MOUSEENTER =
    CM_BASE + 19; // LParam 0 for the control entered; a child when passed up
constexpr std::uint32_t CM_MOUSELEAVE = CM_BASE + 20;
constexpr std::uint32_t CM_BUTTONPRESSED = CM_BASE + 24;
constexpr std::uint32_t CM_SHOWINGCHANGED = CM_BASE + 25;
constexpr std::uint32_t CM_ENTER = CM_BASE + 26;
constexpr std::uint32_t CM_EXIT = CM_BASE + 27;
constexpr std::uint32_t CM_WANTSPECIALKEY = CM_BASE + 30;
constexpr std::uint32_t CM_RELEASE = CM_BASE + 33;
constexpr std::uint32_t CM_TABSTOPCHANGED = CM_BASE + 40;
constexpr std::uint32_t CM_UIACTIVATE = CM_BASE + 41;
constexpr std::uint32_t CM_CONTROLLISTCHANGE = CM_BASE + 44;
constexpr std::uint32_t CM_CHILDKEY = CM_BASE + 46;
constexpr std::uint32_t CM_INVALIDATE = CM_BASE + 52;
constexpr std::uint32_t CM_CONTROLCHANGE = CM_BASE + 54;
constexpr std::uint32_t CM_MOUSEWHEEL = CM_BASE + 67;

// --- reflected notifications: a parent sends CN_BASE + message to the child it concerns ---
constexpr std::uint32_t CN_BASE = 0xBC00;
constexpr std::uint32_t CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr std::uint32_t CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr std::uint32_t CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr std::uint32_t CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr std::uint32_t CN_CHAR = CN_BASE + WM_CHAR;
constexpr std::uint32_t CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr std::uint32_t CN_SYSCHAR = CN_BASE + WM_SYSCHAR;
constexpr std::uint32_t CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr std::uint32_t CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr std::uint32_t CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;

// --- WM_NCHITTEST answers ---
constexpr int HTERROR = -2;
constexpr int HTTRANSPARENT = -1;
constexpr int HTNOWHERE = 0;
constexpr int HTCLIENT = 1;
constexpr int HTCAPTION = 2;
constexpr int HTSYSMENU = 3;
constexpr int HTGROWBOX = 4;
constexpr int HTMENU = 5;
constexpr int HTHSCROLL = 6;
constexpr int HTVSCROLL = 7;
constexpr int HTMINBUTTON = 8;
constexpr int HTMAXBUTTON = 9;
constexpr int HTLEFT = 10;
constexpr int HTRIGHT = 11;
constexpr int HTTOP = 12;
constexpr int HTTOPLEFT = 13;
constexpr int HTTOPRIGHT = 14;
constexpr int HTBOTTOM = 15;
constexpr int HTBOTTOMLEFT = 16;
constexpr int HTBOTTOMRIGHT = 17;
constexpr int HTBORDER = 18;
constexpr int HTCLOSE = 20;
constexpr int HTHELP = 21;

// --- WM_SYSCOMMAND commands (WParam) ---
constexpr TWParam SC_SIZE = 0xF000;
constexpr TWParam SC_MOVE = 0xF010;
constexpr TWParam SC_MINIMIZE = 0xF020;
constexpr TWParam SC_MAXIMIZE = 0xF030;
constexpr TWParam SC_CLOSE = 0xF060;
constexpr TWParam SC_KEYMENU = 0xF100;
constexpr TWParam SC_RESTORE = 0xF120;
constexpr TWParam SC_CONTEXTHELP = 0xF180;

// --- WM_ACTIVATE (low word of WParam; LParam the other window's handle) ---
constexpr TWParam WA_INACTIVE = 0;
constexpr TWParam WA_ACTIVE = 1;
constexpr TWParam WA_CLICKACTIVE = 2;

// --- WM_SIZE (WParam) ---
constexpr TWParam SIZE_RESTORED = 0;
constexpr TWParam SIZE_MINIMIZED = 1;
constexpr TWParam SIZE_MAXIMIZED = 2;

// --- mouse message WParam bits ---
constexpr TWParam MK_LBUTTON = 0x0001;
constexpr TWParam MK_RBUTTON = 0x0002;
constexpr TWParam MK_SHIFT = 0x0004;
constexpr TWParam MK_CONTROL = 0x0008;
constexpr TWParam MK_MBUTTON = 0x0010;

// --- key messages (virtual-key codes in WParam: platform/core/VirtualKeys.h) ---
// Key messages carry this bit in LParam when Alt is held (the platform's context code).
constexpr TLParam KF_ALTDOWN_LPARAM = 0x20000000;

// --- WM_GETDLGCODE answers ---
constexpr TLResult DLGC_WANTARROWS = 0x0001;
constexpr TLResult DLGC_WANTTAB = 0x0002;
constexpr TLResult DLGC_WANTALLKEYS = 0x0004;
constexpr TLResult DLGC_HASSETSEL = 0x0008;
constexpr TLResult DLGC_DEFPUSHBUTTON = 0x0010;
constexpr TLResult DLGC_UNDEFPUSHBUTTON = 0x0020;
constexpr TLResult DLGC_WANTCHARS = 0x0080;
constexpr TLResult DLGC_STATIC = 0x0100;
constexpr TLResult DLGC_BUTTON = 0x2000;

// --- button styles, states and messages ---
constexpr std::uint32_t BS_PUSHBUTTON = 0x0;
constexpr std::uint32_t BS_DEFPUSHBUTTON = 0x1;
constexpr std::uint32_t BS_GROUPBOX = 0x7;
constexpr std::uint32_t BS_OWNERDRAW = 0xB;
constexpr std::uint32_t BS_TYPEMASK = 0xF;
constexpr std::uint32_t BS_MULTILINE = 0x2000;
constexpr TLResult BST_PUSHED = 0x0004;
constexpr TLResult BST_FOCUS = 0x0008;
constexpr std::uint32_t BM_GETSTATE = 0x00F2;
constexpr std::uint32_t BM_SETSTATE = 0x00F3; // WParam 1 pushed, 0 not
constexpr std::uint32_t BM_SETSTYLE = 0x00F4; // WParam the new BS_ type, LParam 1 to repaint
constexpr std::uint32_t BM_CLICK = 0x00F5;
constexpr std::uint16_t BN_CLICKED = 0;

// --- window styles (TWinControl::Style / ExStyle) ---
constexpr std::uint32_t WS_POPUP = 0x80000000u;
constexpr std::uint32_t WS_CHILD = 0x40000000u;
constexpr std::uint32_t WS_VISIBLE = 0x10000000u;
constexpr std::uint32_t WS_DISABLED = 0x08000000u;
constexpr std::uint32_t WS_CAPTION = 0x00C00000u;
constexpr std::uint32_t WS_BORDER = 0x00800000u;
constexpr std::uint32_t WS_DLGFRAME = 0x00400000u;
constexpr std::uint32_t WS_SYSMENU = 0x00080000u;
constexpr std::uint32_t WS_THICKFRAME = 0x00040000u;
constexpr std::uint32_t WS_MINIMIZEBOX = 0x00020000u;
constexpr std::uint32_t WS_MAXIMIZEBOX = 0x00010000u;
constexpr std::uint32_t WS_TABSTOP = 0x00010000u;
constexpr std::uint32_t WS_EX_DLGMODALFRAME = 0x00000001u;
constexpr std::uint32_t WS_EX_TOPMOST = 0x00000008u;
constexpr std::uint32_t WS_EX_CLIENTEDGE = 0x00000200u;

// --- WM_PRINT flags (LParam) ---
constexpr TLParam PRF_CHECKVISIBLE = 0x01;
constexpr TLParam PRF_NONCLIENT = 0x02;
constexpr TLParam PRF_CLIENT = 0x04;
constexpr TLParam PRF_ERASEBKGND = 0x08;
constexpr TLParam PRF_CHILDREN = 0x10;

// --- RedrawWindow flags ---
constexpr unsigned RDW_INVALIDATE = 0x0001;
constexpr unsigned RDW_ERASE = 0x0004;
constexpr unsigned RDW_VALIDATE = 0x0008;
constexpr unsigned RDW_NOERASE = 0x0020;
constexpr unsigned RDW_NOCHILDREN = 0x0040;
constexpr unsigned RDW_ALLCHILDREN = 0x0080;
constexpr unsigned RDW_UPDATENOW = 0x0100;
constexpr unsigned RDW_FRAME = 0x0400;

// --- WM_WINDOWPOSCHANGING / WM_WINDOWPOSCHANGED: LParam points to a TWindowPos ---
constexpr unsigned SWP_NOSIZE = 0x0001;
constexpr unsigned SWP_NOMOVE = 0x0002;
constexpr unsigned SWP_NOZORDER = 0x0004;
struct TWindowPos {
    THandle Hwnd = 0; // 0 for a windowless control
    int X = 0;        // the new bounds (a CHANGING handler may change them)
    int Y = 0;
    int Cx = 0;
    int Cy = 0;
    unsigned Flags = 0; // SWP_NOMOVE / SWP_NOSIZE when that part does not change
};

// --- WM_PARENTNOTIFY (low word of WParam) ---
constexpr std::uint16_t WM_PARENTNOTIFY_CREATE = WM_CREATE;

// --- owner-draw records (WM_DRAWITEM / WM_MEASUREITEM LParam point to them) ---
constexpr unsigned ODT_LISTBOX = 2;
constexpr unsigned ODT_COMBOBOX = 3;
constexpr unsigned ODT_BUTTON = 4;
constexpr unsigned ODA_DRAWENTIRE = 1;
constexpr unsigned ODA_SELECT = 2;
constexpr unsigned ODA_FOCUS = 4;
constexpr unsigned ODS_SELECTED = 0x0001;
constexpr unsigned ODS_DISABLED = 0x0004;
constexpr unsigned ODS_FOCUS = 0x0010;
constexpr unsigned ODS_COMBOBOXEDIT = 0x1000;

struct TDrawItemStruct {
    unsigned CtlType = 0;
    unsigned CtlID = 0;
    int ItemID = -1;
    unsigned ItemAction = ODA_DRAWENTIRE;
    unsigned ItemState = 0;
    THandle HwndItem = 0;
    TCanvas* Canvas = nullptr;
    TRect RcItem;
    std::uintptr_t ItemData = 0;
};

struct TMeasureItemStruct {
    unsigned CtlType = 0;
    unsigned CtlID = 0;
    int ItemID = -1;
    int ItemWidth = 0;
    int ItemHeight = 0;
    std::uintptr_t ItemData = 0;
};

// --- message box flags and answers ---
constexpr unsigned MB_OK = 0x0000;
constexpr unsigned MB_OKCANCEL = 0x0001;
constexpr unsigned MB_YESNO = 0x0004;
constexpr unsigned MB_ICONERROR = 0x0010;
constexpr unsigned MB_ICONSTOP = MB_ICONERROR;
constexpr unsigned MB_ICONQUESTION = 0x0020;
constexpr unsigned MB_ICONEXCLAMATION = 0x0030;
constexpr unsigned MB_ICONWARNING = MB_ICONEXCLAMATION;
constexpr unsigned MB_ICONINFORMATION = 0x0040;
constexpr unsigned MB_ICONMASK = 0x00F0;
constexpr unsigned MB_TYPEMASK = 0x000F;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;
