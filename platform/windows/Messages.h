#pragma once
// Window messages of the class library: the message record that travels through WindowProc and
// the handlers, the library's own control notifications (CM_) and the reflected notifications
// (CN_) that a parent window hands back to the child control that caused them.

#include <windows.h>

#include "Events.h"
#include "SysTypes.h"

struct TMessage {
    Cardinal Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;

    Word WParamLo() const { return LOWORD(WParam); }
    Word WParamHi() const { return HIWORD(WParam); }
    Word LParamLo() const { return LOWORD(LParam); }
    Word LParamHi() const { return HIWORD(LParam); }
};

// A method that handles every message of a window (a control's WindowProc, the procedure of a
// hidden window made by AllocateHWnd).
using TWndMethod = TEvent<void(TMessage& Message)>;

// Coordinates packed into lParam by mouse messages, signed.
inline POINT MessagePoint(LPARAM lParam) {
    return POINT{static_cast<SmallInt>(LOWORD(lParam)), static_cast<SmallInt>(HIWORD(lParam))};
}
inline LPARAM PointToLParam(POINT p) { return MAKELPARAM(Word(SmallInt(p.x)), Word(SmallInt(p.y))); }

// Control notifications. They are sent with Perform, never through the system's queue, except
// CM_RELEASE which a form posts to itself.
constexpr Cardinal CM_BASE = 0xB000;
constexpr Cardinal CM_ACTIVATE = CM_BASE + 0;
constexpr Cardinal CM_DEACTIVATE = CM_BASE + 1;
constexpr Cardinal CM_ENABLEDCHANGED = CM_BASE + 3;
constexpr Cardinal CM_COLORCHANGED = CM_BASE + 4;
constexpr Cardinal CM_FONTCHANGED = CM_BASE + 5;
constexpr Cardinal CM_CURSORCHANGED = CM_BASE + 6;
constexpr Cardinal CM_CTL3DCHANGED = CM_BASE + 7;
constexpr Cardinal CM_PARENTCTL3DCHANGED = CM_BASE + 8;
constexpr Cardinal CM_TEXTCHANGED = CM_BASE + 9;
constexpr Cardinal CM_MOUSEENTER = CM_BASE + 10;
constexpr Cardinal CM_MOUSELEAVE = CM_BASE + 11;
constexpr Cardinal CM_MENUCHANGED = CM_BASE + 12;
constexpr Cardinal CM_APPKEYDOWN = CM_BASE + 13;
constexpr Cardinal CM_APPSYSCOMMAND = CM_BASE + 14;
constexpr Cardinal CM_BUTTONPRESSED = CM_BASE + 15;
constexpr Cardinal CM_SHOWINGCHANGED = CM_BASE + 16;
constexpr Cardinal CM_ENTER = CM_BASE + 17;
constexpr Cardinal CM_EXIT = CM_BASE + 18;
constexpr Cardinal CM_DESIGNHITTEST = CM_BASE + 19;
constexpr Cardinal CM_ICONCHANGED = CM_BASE + 20;
constexpr Cardinal CM_WANTSPECIALKEY = CM_BASE + 21;
constexpr Cardinal CM_INVOKEHELP = CM_BASE + 22;
constexpr Cardinal CM_WINDOWHOOK = CM_BASE + 23;
constexpr Cardinal CM_RELEASE = CM_BASE + 24;
constexpr Cardinal CM_SHOWHINTCHANGED = CM_BASE + 25;
constexpr Cardinal CM_PARENTSHOWHINTCHANGED = CM_BASE + 26;
constexpr Cardinal CM_SYSCOLORCHANGE = CM_BASE + 27;
constexpr Cardinal CM_WININICHANGE = CM_BASE + 28;
constexpr Cardinal CM_FONTCHANGE = CM_BASE + 29;
constexpr Cardinal CM_TIMECHANGE = CM_BASE + 30;
constexpr Cardinal CM_TABSTOPCHANGED = CM_BASE + 31;
constexpr Cardinal CM_UIACTIVATE = CM_BASE + 32;
constexpr Cardinal CM_UIDEACTIVATE = CM_BASE + 33;
constexpr Cardinal CM_DOCWINDOWACTIVATE = CM_BASE + 34;
constexpr Cardinal CM_CONTROLLISTCHANGE = CM_BASE + 35;
constexpr Cardinal CM_GETDATALINK = CM_BASE + 36;
constexpr Cardinal CM_CHILDKEY = CM_BASE + 37;
constexpr Cardinal CM_DRAG = CM_BASE + 38;
constexpr Cardinal CM_HINTSHOW = CM_BASE + 39;
constexpr Cardinal CM_DIALOGHANDLE = CM_BASE + 40;
constexpr Cardinal CM_ISTOOLCONTROL = CM_BASE + 41;
constexpr Cardinal CM_RECREATEWND = CM_BASE + 42;
constexpr Cardinal CM_INVALIDATE = CM_BASE + 43;
constexpr Cardinal CM_SYSFONTCHANGED = CM_BASE + 44;
constexpr Cardinal CM_CONTROLCHANGE = CM_BASE + 45;
constexpr Cardinal CM_CHANGED = CM_BASE + 46;
constexpr Cardinal CM_DOCKCLIENT = CM_BASE + 47;
constexpr Cardinal CM_UNDOCKCLIENT = CM_BASE + 48;
constexpr Cardinal CM_FLOAT = CM_BASE + 49;
constexpr Cardinal CM_BORDERCHANGED = CM_BASE + 50;
constexpr Cardinal CM_BIDIMODECHANGED = CM_BASE + 51;
constexpr Cardinal CM_PARENTBIDIMODECHANGED = CM_BASE + 52;
constexpr Cardinal CM_ALLCHILDRENFLIPPED = CM_BASE + 53;
constexpr Cardinal CM_ACTIONUPDATE = CM_BASE + 54;
constexpr Cardinal CM_ACTIONEXECUTE = CM_BASE + 55;
constexpr Cardinal CM_HINTSHOWPAUSE = CM_BASE + 56;
constexpr Cardinal CM_DOCKNOTIFICATION = CM_BASE + 57;
constexpr Cardinal CM_MOUSEWHEEL = CM_BASE + 58;
constexpr Cardinal CM_ISSHORTCUT = CM_BASE + 59;
constexpr Cardinal CM_INVALIDATEDOCKHOST = CM_BASE + 60;
constexpr Cardinal CM_SETACTIVECONTROL = CM_BASE + 61;
constexpr Cardinal CM_POPUPHWNDDESTROY = CM_BASE + 62;
constexpr Cardinal CM_CREATEPOPUP = CM_BASE + 63;
constexpr Cardinal CM_DESTROYHANDLE = CM_BASE + 64;
constexpr Cardinal CM_MOUSEACTIVATE = CM_BASE + 65;
constexpr Cardinal CM_CONTROLLISTCHANGING = CM_BASE + 66;
constexpr Cardinal CM_BUFFEREDPRINTCLIENT = CM_BASE + 67;
constexpr Cardinal CM_UNTHEMECONTROL = CM_BASE + 68;
constexpr Cardinal CM_DOUBLEBUFFEREDCHANGED = CM_BASE + 69;
constexpr Cardinal CM_PARENTDOUBLEBUFFEREDCHANGED = CM_BASE + 70;
constexpr Cardinal CM_PARENTFONTCHANGED = CM_BASE + 71;
constexpr Cardinal CM_PARENTCOLORCHANGED = CM_BASE + 72;
constexpr Cardinal CM_VISIBLECHANGED = CM_BASE + 73;
constexpr Cardinal CM_CANCELMODE = CM_BASE + 74;
constexpr Cardinal CM_DIALOGKEY = CM_BASE + 75;
constexpr Cardinal CM_DIALOGCHAR = CM_BASE + 76;
constexpr Cardinal CM_FOCUSCHANGED = CM_BASE + 77;
constexpr Cardinal CM_PARENTSHOWINGCHANGED = CM_BASE + 78;

// Reflected notifications: CN_BASE plus the original message number.
constexpr Cardinal CN_BASE = 0xBC00;
constexpr Cardinal CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr Cardinal CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr Cardinal CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr Cardinal CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr Cardinal CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr Cardinal CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr Cardinal CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr Cardinal CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr Cardinal CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr Cardinal CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr Cardinal CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr Cardinal CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr Cardinal CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr Cardinal CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr Cardinal CN_VSCROLL = CN_BASE + WM_VSCROLL;
constexpr Cardinal CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr Cardinal CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr Cardinal CN_CHAR = CN_BASE + WM_CHAR;
constexpr Cardinal CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr Cardinal CN_SYSKEYUP = CN_BASE + WM_SYSKEYUP;
constexpr Cardinal CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

// CM_MOUSEWHEEL carries the shift state in the low word of wParam, the wheel delta in the
// high word, and the screen position of the cursor in lParam.
