// How a window message reaches its handler: the message map lookup, the
// unpacking of the parameters for each kind of handler, and the default
// handlers that pass owner-draw and colour messages on to the control or
// menu that they concern.
#include "framework/Wnd.h"

#include "framework/Controls.h"
#include "framework/Menu.h"

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_CTLCOLOR()
    ON_WM_DRAWITEM()
    ON_WM_MEASUREITEM()
END_MESSAGE_MAP()

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *result = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        NMHDR* header = reinterpret_cast<NMHDR*>(lParam);
        LRESULT notifyResult = 0;
        if (!header || !header->hwndFrom || !OnNotify(wParam, lParam, &notifyResult))
            return FALSE;
        *result = notifyResult;
        return TRUE;
    }
    UINT ctlColor = 0;
    UINT lookup = message;
    if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC) {
        ctlColor = message - WM_CTLCOLORMSGBOX;
        lookup = WM_CTLCOLOR;
    }
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(lookup, 0, 0);
    if (!entry)
        return FALSE;
    *result = CallHandler(entry, wParam, lParam, ctlColor);
    return TRUE;
}

LRESULT CWnd::CallHandler(const AFX_MSGMAP_ENTRY* entry, WPARAM wParam, LPARAM lParam, UINT ctlColor)
{
    // Each case turns the stored handler back into the type its macro checked.
#define AFX_HANDLER(type) (this->*AfxHandlerAs<type>(entry))
    switch (entry->sig) {
    case AfxSig_l_w_l:
        return AFX_HANDLER(LRESULT (CWnd::*)(WPARAM, LPARAM))(wParam, lParam);
    case AfxSig_v_v:
        AFX_HANDLER(void (CWnd::*)())();
        return 0;
    case AfxSig_i_create:
        return AFX_HANDLER(int (CWnd::*)(LPCREATESTRUCT))(reinterpret_cast<LPCREATESTRUCT>(lParam));
    case AfxSig_v_timer:
        AFX_HANDLER(void (CWnd::*)(UINT_PTR))(wParam);
        return 0;
    case AfxSig_v_u_pt:
        AFX_HANDLER(void (CWnd::*)(UINT, CPoint))(static_cast<UINT>(wParam), CPoint(lParam));
        return 0;
    case AfxSig_b_w_u_u:
        return AFX_HANDLER(BOOL (CWnd::*)(CWnd*, UINT, UINT))(FromHandle(reinterpret_cast<HWND>(wParam)),
                                                             LOWORD(lParam), HIWORD(lParam));
    case AfxSig_v_w:
        AFX_HANDLER(void (CWnd::*)(CWnd*))(FromHandle(reinterpret_cast<HWND>(wParam)));
        return 0;
    case AfxSig_v_u_w_b:
        AFX_HANDLER(void (CWnd::*)(UINT, CWnd*, BOOL))(LOWORD(wParam), FromHandle(reinterpret_cast<HWND>(lParam)),
                                                      HIWORD(wParam));
        return 0;
    case AfxSig_v_b:
        AFX_HANDLER(void (CWnd::*)(BOOL))(static_cast<BOOL>(wParam));
        return 0;
    case AfxSig_u_v:
        return AFX_HANDLER(UINT (CWnd::*)())();
    case AfxSig_hbr_dc_w_u:
        return reinterpret_cast<LRESULT>(AFX_HANDLER(HBRUSH (CWnd::*)(CDC*, CWnd*, UINT))(
            CDC::FromHandle(reinterpret_cast<HDC>(wParam)), FromHandle(reinterpret_cast<HWND>(lParam)), ctlColor));
    case AfxSig_l_u_u_menu:
        return AFX_HANDLER(LRESULT (CWnd::*)(UINT, UINT, CMenu*))(LOWORD(wParam), HIWORD(wParam),
                                                                 CMenu::FromHandle(reinterpret_cast<HMENU>(lParam)));
    case AfxSig_v_i_mis:
        AFX_HANDLER(void (CWnd::*)(int, LPMEASUREITEMSTRUCT))(static_cast<int>(wParam),
                                                             reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_v_i_dis:
        AFX_HANDLER(void (CWnd::*)(int, LPDRAWITEMSTRUCT))(static_cast<int>(wParam),
                                                          reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    case AfxSig_b_dc:
        return AFX_HANDLER(BOOL (CWnd::*)(CDC*))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    case AfxSig_v_u_i_i:
        AFX_HANDLER(void (CWnd::*)(UINT, int, int))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_u_u_u:
        AFX_HANDLER(void (CWnd::*)(UINT, UINT, UINT))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case AfxSig_v_b_u:
        AFX_HANDLER(void (CWnd::*)(BOOL, UINT))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    case AfxSig_hcur_v:
        return reinterpret_cast<LRESULT>(AFX_HANDLER(HCURSOR (CWnd::*)())());
    case AfxSig_v_u_l:
        AFX_HANDLER(void (CWnd::*)(UINT, LPARAM))(static_cast<UINT>(wParam), lParam);
        return 0;
    case AfxSig_v_w_pt:
        AFX_HANDLER(void (CWnd::*)(CWnd*, CPoint))(FromHandle(reinterpret_cast<HWND>(wParam)), CPoint(lParam));
        return 0;
    case AfxSig_v_u_u_bar:
        AFX_HANDLER(void (CWnd::*)(UINT, UINT, CScrollBar*))(
            LOWORD(wParam), HIWORD(wParam), reinterpret_cast<CScrollBar*>(FromHandle(reinterpret_cast<HWND>(lParam))));
        return 0;
    default:
        return Default();
    }
#undef AFX_HANDLER
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* wnd, UINT)
{
    LRESULT result = 0;
    if (wnd && wnd->m_hWnd != m_hWnd && ReflectLastMsg(wnd->m_hWnd, &result))
        return reinterpret_cast<HBRUSH>(result);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT item)
{
    if (item->CtlType == ODT_MENU) {
        if (CMenu* menu = CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(item->hwndItem))) {
            menu->DrawItem(item);
            return;
        }
    } else if (ReflectLastMsg(item->hwndItem)) {
        return;
    }
    Default();
}

void CWnd::OnMeasureItem(int id, LPMEASUREITEMSTRUCT item)
{
    if (item->CtlType == ODT_MENU) {
        // The message does not say which menu: look for the item in the menu
        // being tracked, then in this window's menu bar.
        if (CMenu* menu = CMenu::FindPopupHolding(item->itemID, ::GetMenu(m_hWnd))) {
            menu->MeasureItem(item);
            return;
        }
    } else if (HWND control = ::GetDlgItem(m_hWnd, id)) {
        if (ReflectLastMsg(control))
            return;
    }
    Default();
}
