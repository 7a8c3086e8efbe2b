// Message maps: the table through which a window class routes each Windows
// message, command and notification to one handler of its own.
//
//   // in the class:       DECLARE_MESSAGE_MAP()
//   // in the .cpp file:
//   BEGIN_MESSAGE_MAP(CMyDlg, CDialog)
//       ON_WM_TIMER()
//       ON_BN_CLICKED(IDC_RUN, OnRun)
//       ON_NOTIFY(LVN_COLUMNCLICK, IDC_LIST, OnListColumnClick)
//       ON_MESSAGE(WM_USER + 2, OnRunMacro)
//   END_MESSAGE_MAP()
//
// A class's table is searched first, then its base class's, so a derived
// class overrides a base class's handler by naming the same message. Each
// macro checks the handler's signature at compile time.
#pragma once

#include <windows.h>

#include <string.h>

class CCmdTarget;
class CWnd;
class CDC;
class CMenu;
class CPoint;
class CScrollBar;

// How an entry's handler is called: its signature and how the message's
// parameters are unpacked for it.
enum AfxSig : int
{
    AfxSig_end = 0,
    // commands and notifications
    AfxSig_cmd,            // void ()
    AfxSig_cmd_ex,         // BOOL ()           FALSE lets the parent handle it too
    AfxSig_cmd_range,      // void (UINT id)
    AfxSig_notify,         // void (NMHDR*, LRESULT*)
    AfxSig_notify_ex,      // BOOL (NMHDR*, LRESULT*)
    // window messages
    AfxSig_l_w_l,          // LRESULT (WPARAM, LPARAM)
    AfxSig_v_v,            // void ()
    AfxSig_i_create,       // int (LPCREATESTRUCT)
    AfxSig_v_timer,        // void (UINT_PTR)
    AfxSig_v_u_pt,         // void (UINT flags, CPoint)
    AfxSig_b_w_u_u,        // BOOL (CWnd*, UINT hitTest, UINT message)        WM_SETCURSOR
    AfxSig_v_w,            // void (CWnd*)                                   WM_SETFOCUS, WM_KILLFOCUS
    AfxSig_v_u_w_b,        // void (UINT state, CWnd* other, BOOL minimized)  WM_ACTIVATE
    AfxSig_v_b,            // void (BOOL)                                    WM_ENABLE
    AfxSig_u_v,            // UINT ()                                        WM_GETDLGCODE
    AfxSig_hbr_dc_w_u,     // HBRUSH (CDC*, CWnd*, UINT ctlColor)             WM_CTLCOLOR...
    AfxSig_hbr_dc_u,       // HBRUSH (CDC*, UINT ctlColor)                    reflected WM_CTLCOLOR...
    AfxSig_l_u_u_menu,     // LRESULT (UINT ch, UINT flags, CMenu*)           WM_MENUCHAR
    AfxSig_v_i_mis,        // void (int id, LPMEASUREITEMSTRUCT)
    AfxSig_v_i_dis,        // void (int id, LPDRAWITEMSTRUCT)
    AfxSig_b_dc,           // BOOL (CDC*)                                    WM_ERASEBKGND
    AfxSig_v_u_i_i,        // void (UINT type, int cx, int cy)               WM_SIZE
    AfxSig_v_u_u_u,        // void (UINT wParam, UINT loword, UINT hiword)    keys, WM_HOTKEY
    AfxSig_v_b_u,          // void (BOOL show, UINT status)                  WM_SHOWWINDOW
    AfxSig_hcur_v,         // HCURSOR ()                                     WM_QUERYDRAGICON
    AfxSig_v_u_l,          // void (UINT id, LPARAM)                         WM_SYSCOMMAND
    AfxSig_v_w_pt,         // void (CWnd*, CPoint)                           WM_CONTEXTMENU
    AfxSig_v_u_u_bar,      // void (UINT code, UINT position, CScrollBar*)    WM_VSCROLL, WM_HSCROLL
};

typedef void (CCmdTarget::*AFX_PMSG)();

struct AFX_MSGMAP_ENTRY
{
    UINT message;   // the Windows message (WM_COMMAND, WM_NOTIFY, or a reflected one)
    UINT code;      // notification code of a command or notification
    UINT id;        // first control or command id
    UINT lastId;    // last id of a range (equal to id otherwise)
    AfxSig sig;
    AFX_PMSG handler;
};

struct AFX_MSGMAP
{
    const AFX_MSGMAP* (*getBaseMap)();
    const AFX_MSGMAP_ENTRY* entries;
};

// Reflected messages: the parent offers the child control its own
// notifications first, under these message numbers.
#define WM_REFLECT_BASE 0xBC00
// WM_CTLCOLORMSGBOX ... WM_CTLCOLORSTATIC are looked up under this one number.
#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif

#define afx_msg

// An entry keeps every handler as an AFX_PMSG; AfxHandlerAs turns it back
// into the type that its macro checked. (A byte copy, as the language has
// no cast between member function types that compilers leave unremarked.)
template <class To, class From>
inline To AfxMemberCast(From from)
{
    static_assert(sizeof(To) == sizeof(From), "member function pointers of one size");
    To to;
    memcpy(&to, &from, sizeof to);
    return to;
}

template <class Handler>
inline AFX_PMSG AfxMessageHandler(Handler handler)
{
    return AfxMemberCast<AFX_PMSG>(handler);
}

template <class Handler>
inline Handler AfxHandlerAs(const AFX_MSGMAP_ENTRY* entry)
{
    return AfxMemberCast<Handler>(entry->handler);
}

#define DECLARE_MESSAGE_MAP()                                   \
protected:                                                      \
    static const AFX_MSGMAP* GetThisMessageMap();               \
    const AFX_MSGMAP* GetMessageMap() const override;

#define BEGIN_MESSAGE_MAP(theClass, baseClass)                                  \
    const AFX_MSGMAP* theClass::GetMessageMap() const { return GetThisMessageMap(); } \
    const AFX_MSGMAP* theClass::GetThisMessageMap()                             \
    {                                                                           \
        using ThisClass [[maybe_unused]] = theClass;                            \
        using TheBaseClass = baseClass;                                         \
        static const AFX_MSGMAP_ENTRY entries[] = {

#define END_MESSAGE_MAP()                                                       \
            { 0, 0, 0, 0, AfxSig_end, nullptr }                                 \
        };                                                                      \
        static const AFX_MSGMAP map = { &TheBaseClass::GetThisMessageMap, entries }; \
        return &map;                                                            \
    }

#define AFX_WND_HANDLER(type, name) AfxMessageHandler(static_cast<type>(&ThisClass::name))
#define AFX_CMD_HANDLER(type, name) AfxMessageHandler(static_cast<type>(&ThisClass::name))

// ---------------------------------------------------------------- commands and notifications

#define ON_COMMAND(id, memberFn) \
    { WM_COMMAND, 0, (UINT)(id), (UINT)(id), AfxSig_cmd, AFX_CMD_HANDLER(void (CCmdTarget::*)(), memberFn) },
#define ON_COMMAND_RANGE(firstId, lastId, memberFn) \
    { WM_COMMAND, 0, (UINT)(firstId), (UINT)(lastId), AfxSig_cmd_range, AFX_CMD_HANDLER(void (CCmdTarget::*)(UINT), memberFn) },
#define ON_CONTROL(code, id, memberFn) \
    { WM_COMMAND, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_cmd, AFX_CMD_HANDLER(void (CCmdTarget::*)(), memberFn) },
#define ON_BN_CLICKED(id, memberFn) ON_CONTROL(BN_CLICKED, id, memberFn)
#define ON_BN_DOUBLECLICKED(id, memberFn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFn)
#define ON_EN_CHANGE(id, memberFn) ON_CONTROL(EN_CHANGE, id, memberFn)
#define ON_EN_SETFOCUS(id, memberFn) ON_CONTROL(EN_SETFOCUS, id, memberFn)
#define ON_EN_KILLFOCUS(id, memberFn) ON_CONTROL(EN_KILLFOCUS, id, memberFn)
#define ON_CBN_SELCHANGE(id, memberFn) ON_CONTROL(CBN_SELCHANGE, id, memberFn)
#define ON_CBN_EDITCHANGE(id, memberFn) ON_CONTROL(CBN_EDITCHANGE, id, memberFn)
#define ON_LBN_SELCHANGE(id, memberFn) ON_CONTROL(LBN_SELCHANGE, id, memberFn)
#define ON_LBN_DBLCLK(id, memberFn) ON_CONTROL(LBN_DBLCLK, id, memberFn)

#define ON_NOTIFY(code, id, memberFn) \
    { WM_NOTIFY, (UINT)(code), (UINT)(id), (UINT)(id), AfxSig_notify, AFX_CMD_HANDLER(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFn) },

// Reflection: handled by the control itself. Without _EX the parent never
// sees the notification; an _EX handler returns FALSE to pass it on.
#define ON_CONTROL_REFLECT(code, memberFn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, AfxSig_cmd, AFX_CMD_HANDLER(void (CCmdTarget::*)(), memberFn) },
#define ON_CONTROL_REFLECT_EX(code, memberFn) \
    { WM_REFLECT_BASE + WM_COMMAND, (UINT)(code), 0, 0, AfxSig_cmd_ex, AFX_CMD_HANDLER(BOOL (CCmdTarget::*)(), memberFn) },
#define ON_NOTIFY_REFLECT(code, memberFn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, AfxSig_notify, AFX_CMD_HANDLER(void (CCmdTarget::*)(NMHDR*, LRESULT*), memberFn) },
#define ON_NOTIFY_REFLECT_EX(code, memberFn) \
    { WM_REFLECT_BASE + WM_NOTIFY, (UINT)(code), 0, 0, AfxSig_notify_ex, AFX_CMD_HANDLER(BOOL (CCmdTarget::*)(NMHDR*, LRESULT*), memberFn) },
#define ON_WM_CTLCOLOR_REFLECT() \
    { WM_REFLECT_BASE + WM_CTLCOLOR, 0, 0, 0, AfxSig_hbr_dc_u, AFX_WND_HANDLER(HBRUSH (CWnd::*)(CDC*, UINT), CtlColor) },

// ---------------------------------------------------------------- window messages

#define ON_MESSAGE(message, memberFn) \
    { (UINT)(message), 0, 0, 0, AfxSig_l_w_l, AFX_WND_HANDLER(LRESULT (CWnd::*)(WPARAM, LPARAM), memberFn) },

#define AFX_ON_WM(message, sig, type, name) { message, 0, 0, 0, sig, AFX_WND_HANDLER(type, name) },

#define ON_WM_CREATE() AFX_ON_WM(WM_CREATE, AfxSig_i_create, int (CWnd::*)(LPCREATESTRUCT), OnCreate)
#define ON_WM_DESTROY() AFX_ON_WM(WM_DESTROY, AfxSig_v_v, void (CWnd::*)(), OnDestroy)
#define ON_WM_NCDESTROY() AFX_ON_WM(WM_NCDESTROY, AfxSig_v_v, void (CWnd::*)(), OnNcDestroy)
#define ON_WM_PAINT() AFX_ON_WM(WM_PAINT, AfxSig_v_v, void (CWnd::*)(), OnPaint)
#define ON_WM_CLOSE() AFX_ON_WM(WM_CLOSE, AfxSig_v_v, void (CWnd::*)(), OnClose)
#define ON_WM_TIMER() AFX_ON_WM(WM_TIMER, AfxSig_v_timer, void (CWnd::*)(UINT_PTR), OnTimer)
#define ON_WM_SIZE() AFX_ON_WM(WM_SIZE, AfxSig_v_u_i_i, void (CWnd::*)(UINT, int, int), OnSize)
#define ON_WM_ERASEBKGND() AFX_ON_WM(WM_ERASEBKGND, AfxSig_b_dc, BOOL (CWnd::*)(CDC*), OnEraseBkgnd)
#define ON_WM_SHOWWINDOW() AFX_ON_WM(WM_SHOWWINDOW, AfxSig_v_b_u, void (CWnd::*)(BOOL, UINT), OnShowWindow)
#define ON_WM_SETFOCUS() AFX_ON_WM(WM_SETFOCUS, AfxSig_v_w, void (CWnd::*)(CWnd*), OnSetFocus)
#define ON_WM_KILLFOCUS() AFX_ON_WM(WM_KILLFOCUS, AfxSig_v_w, void (CWnd::*)(CWnd*), OnKillFocus)
#define ON_WM_ACTIVATE() AFX_ON_WM(WM_ACTIVATE, AfxSig_v_u_w_b, void (CWnd::*)(UINT, CWnd*, BOOL), OnActivate)
#define ON_WM_ENABLE() AFX_ON_WM(WM_ENABLE, AfxSig_v_b, void (CWnd::*)(BOOL), OnEnable)
#define ON_WM_CANCELMODE() AFX_ON_WM(WM_CANCELMODE, AfxSig_v_v, void (CWnd::*)(), OnCancelMode)
#define ON_WM_GETDLGCODE() AFX_ON_WM(WM_GETDLGCODE, AfxSig_u_v, UINT (CWnd::*)(), OnGetDlgCode)
#define ON_WM_SETCURSOR() AFX_ON_WM(WM_SETCURSOR, AfxSig_b_w_u_u, BOOL (CWnd::*)(CWnd*, UINT, UINT), OnSetCursor)
#define ON_WM_SYSCOLORCHANGE() AFX_ON_WM(WM_SYSCOLORCHANGE, AfxSig_v_v, void (CWnd::*)(), OnSysColorChange)
#define ON_WM_CTLCOLOR() AFX_ON_WM(WM_CTLCOLOR, AfxSig_hbr_dc_w_u, HBRUSH (CWnd::*)(CDC*, CWnd*, UINT), OnCtlColor)
#define ON_WM_MEASUREITEM() AFX_ON_WM(WM_MEASUREITEM, AfxSig_v_i_mis, void (CWnd::*)(int, LPMEASUREITEMSTRUCT), OnMeasureItem)
#define ON_WM_DRAWITEM() AFX_ON_WM(WM_DRAWITEM, AfxSig_v_i_dis, void (CWnd::*)(int, LPDRAWITEMSTRUCT), OnDrawItem)
#define ON_WM_MENUCHAR() AFX_ON_WM(WM_MENUCHAR, AfxSig_l_u_u_menu, LRESULT (CWnd::*)(UINT, UINT, CMenu*), OnMenuChar)
#define ON_WM_HOTKEY() AFX_ON_WM(WM_HOTKEY, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnHotKey)
#define ON_WM_SYSCOMMAND() AFX_ON_WM(WM_SYSCOMMAND, AfxSig_v_u_l, void (CWnd::*)(UINT, LPARAM), OnSysCommand)
#define ON_WM_QUERYDRAGICON() AFX_ON_WM(WM_QUERYDRAGICON, AfxSig_hcur_v, HCURSOR (CWnd::*)(), OnQueryDragIcon)
#define ON_WM_CONTEXTMENU() AFX_ON_WM(WM_CONTEXTMENU, AfxSig_v_w_pt, void (CWnd::*)(CWnd*, CPoint), OnContextMenu)
#define ON_WM_KEYDOWN() AFX_ON_WM(WM_KEYDOWN, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnKeyDown)
#define ON_WM_KEYUP() AFX_ON_WM(WM_KEYUP, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnKeyUp)
#define ON_WM_CHAR() AFX_ON_WM(WM_CHAR, AfxSig_v_u_u_u, void (CWnd::*)(UINT, UINT, UINT), OnChar)
#define ON_WM_LBUTTONDOWN() AFX_ON_WM(WM_LBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_ON_WM(WM_LBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_ON_WM(WM_LBUTTONDBLCLK, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_ON_WM(WM_RBUTTONDOWN, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_ON_WM(WM_RBUTTONUP, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnRButtonUp)
#define ON_WM_VSCROLL() AFX_ON_WM(WM_VSCROLL, AfxSig_v_u_u_bar, void (CWnd::*)(UINT, UINT, CScrollBar*), OnVScroll)
#define ON_WM_HSCROLL() AFX_ON_WM(WM_HSCROLL, AfxSig_v_u_u_bar, void (CWnd::*)(UINT, UINT, CScrollBar*), OnHScroll)
#define ON_WM_MOUSEMOVE() AFX_ON_WM(WM_MOUSEMOVE, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMouseMove)
#define ON_WM_MOUSEHOVER() AFX_ON_WM(WM_MOUSEHOVER, AfxSig_v_u_pt, void (CWnd::*)(UINT, CPoint), OnMouseHover)
#define ON_WM_MOUSELEAVE() AFX_ON_WM(WM_MOUSELEAVE, AfxSig_v_v, void (CWnd::*)(), OnMouseLeave)
