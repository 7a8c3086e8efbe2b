// CTrayIcon: the program's icon in the notification area. A small hidden
// window of its own receives the icon's mouse callbacks: a left click shows
// the window it serves (its owner, the main window), a right click opens
// the context menu of a menu resource, whose commands show, hide or
// quit the owner.
//
// The owner handles the commands that concern the whole program: the tray
// icon sends it WM_COMMAND with idHelp, idAbout or idExit (for idExit after
// hiding it and removing the icon), so that it shows the help, the About
// box, or quits without asking.
#pragma once

#include "framework/Ui.h"

#include <shellapi.h>

// The tray icon's callback message.
#define WM_TRAYNOTIFY (WM_APP + 1)

// The kinds of icon the tray icon can show.
enum TRAYICONTYPE
{
    TRAYICON_NORMAL = 5000,
};

class CTrayIcon : public CWnd
{
public:
    // The commands of the context menu.
    enum
    {
        idShow = 32771,
        idHide = 32772,
        idHelp = 32773,
        idAbout = 32774,
        idExit = 32775,
    };
    static const UINT iconId = 128;   // uID of the notification-area icon

    CTrayIcon();
    // The icon stays in the notification area until RemoveIcon.
    ~CTrayIcon() override = default;

    void SetApplication(CWinApp* application) { m_pApplication = application; }
    // Loads the icon resource as the icon of the kind; FALSE when it cannot be loaded.
    BOOL SetIcon(UINT iconResourceId, TRAYICONTYPE kind);
    // Makes the hidden callback window, owned by `parent`.
    BOOL Create(CWnd* parent);
    // The menu resource whose first submenu is the context menu.
    void SetMenuId(UINT menuId) { m_menuId = menuId; }
    void SetTooltipText(LPCSTR text) { m_tooltip = text; }
    // Puts the icon of the kind into the notification area.
    BOOL AddIcon(TRAYICONTYPE kind);
    BOOL RemoveIcon();
    // The window that clicks and the menu show, hide and activate. Until it
    // is set, the icon's clicks are ignored.
    void SetOwnerWindow(CWnd* owner) { m_pOwner = owner; }

    virtual void ShowOwner();
    virtual void OnRightButtonDown();
    virtual void OnTrayCommand(UINT commandId);
    virtual BOOL ShowTrayMenu();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    afx_msg LRESULT OnTrayNotify(WPARAM wParam, LPARAM lParam);

    CMap<TRAYICONTYPE, TRAYICONTYPE, HICON, HICON> m_icons;
    CString m_tooltip;
    CWinApp* m_pApplication = nullptr;
    UINT m_menuId = 0;
    CWnd* m_pOwner = nullptr;
    // What was last passed to Shell_NotifyIconA: the full 508-byte record,
    // whatever version of it the headers describe.
    union
    {
        NOTIFYICONDATAA m_iconData;
        BYTE m_iconDataBytes[508];
    };

    DECLARE_MESSAGE_MAP()
};
