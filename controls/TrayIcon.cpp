#include "controls/TrayIcon.h"

BEGIN_MESSAGE_MAP(CTrayIcon, CWnd)
    ON_MESSAGE(WM_TRAYNOTIFY, OnTrayNotify)
END_MESSAGE_MAP()

CTrayIcon::CTrayIcon() : m_iconDataBytes()
{
    m_icons.InitHashTable(10);
}

BOOL CTrayIcon::SetIcon(UINT iconResourceId, TRAYICONTYPE kind)
{
    HICON icon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(iconResourceId));
    if (!icon)
        return FALSE;
    m_icons.SetAt(kind, icon);
    return TRUE;
}

BOOL CTrayIcon::Create(CWnd* parent)
{
    // An owned (not child) window: it never shows, but lives as long as the owner.
    if (!CreateEx(0, nullptr, "", WS_VISIBLE, CRect(0, 0, 0, 0), parent, 0))
        return FALSE;
    ShowWindow(SW_HIDE);
    UpdateWindow();
    return TRUE;
}

BOOL CTrayIcon::AddIcon(TRAYICONTYPE kind)
{
    HICON icon = nullptr;
    if (!m_icons.Lookup(kind, icon) || !m_hWnd)
        return FALSE;
    memset(m_iconDataBytes, 0, sizeof m_iconDataBytes);
    m_iconData.cbSize = sizeof m_iconDataBytes;
    m_iconData.hWnd = m_hWnd;
    m_iconData.uID = iconId;
    m_iconData.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    m_iconData.uCallbackMessage = WM_TRAYNOTIFY;
    m_iconData.hIcon = icon;
    lstrcpynA(m_iconData.szTip, m_tooltip, 128);   // the tip holds 127 characters
    return ::Shell_NotifyIconA(NIM_ADD, &m_iconData);
}

BOOL CTrayIcon::RemoveIcon()
{
    return ::Shell_NotifyIconA(NIM_DELETE, &m_iconData);
}

LRESULT CTrayIcon::OnTrayNotify(WPARAM, LPARAM lParam)
{
    if (!m_pOwner)
        return 0;   // the program is still starting
    switch (lParam) {
    case WM_LBUTTONDOWN:
        ShowOwner();
        break;
    case WM_RBUTTONDOWN:
        OnRightButtonDown();
        break;
    default:
        break;
    }
    return 0;
}

void CTrayIcon::ShowOwner()
{
    m_pOwner->ShowWindow(SW_SHOWNORMAL);
    m_pOwner->SetFocus();
    m_pOwner->SetForegroundWindow();
}

void CTrayIcon::OnRightButtonDown()
{
    ShowTrayMenu();
}

BOOL CTrayIcon::ShowTrayMenu()
{
    CMenu menu;
    if (!menu.LoadMenu(m_menuId))
        return FALSE;
    CMenu* popup = menu.GetSubMenu(0);
    if (!popup) {
        menu.DestroyMenu();
        return FALSE;
    }
    if (!m_pOwner->IsWindowVisible() || m_pOwner->IsIconic())
        popup->RemoveMenu(idHide, MF_BYCOMMAND);
    else
        popup->RemoveMenu(idShow, MF_BYCOMMAND);
    CPoint cursor;
    ::GetCursorPos(&cursor);
    // The menu closes when the user clicks elsewhere only when its owner is
    // the foreground window, and properly only after one more message.
    SetForegroundWindow();
    BOOL chosen = popup->TrackPopupMenu(0, cursor.x, cursor.y, this);
    PostMessage(WM_NULL);
    menu.DestroyMenu();
    return chosen;
}

BOOL CTrayIcon::OnCommand(WPARAM wParam, LPARAM lParam)
{
    OnTrayCommand(LOWORD(wParam));
    return CWnd::OnCommand(wParam, lParam);
}

void CTrayIcon::OnTrayCommand(UINT commandId)
{
    if (!m_pOwner)
        return;
    switch (commandId) {
    case idShow:
        ShowOwner();
        break;
    case idHide:
        m_pOwner->ShowWindow(SW_HIDE);
        break;
    case idHelp:
    case idAbout:
        m_pOwner->SendMessage(WM_COMMAND, commandId);
        break;
    case idExit:
        m_pOwner->ShowWindow(SW_HIDE);
        RemoveIcon();
        m_pOwner->SendMessage(WM_COMMAND, commandId);
        break;
    default:
        m_pOwner->ShowWindow(SW_SHOW);
        break;
    }
}
