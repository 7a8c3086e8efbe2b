// CMenu: a menu or pop-up menu. An owner-drawn menu class overrides
// DrawItem and MeasureItem; the owner window's WM_DRAWITEM and
// WM_MEASUREITEM reach them when the menu object is attached.
#pragma once

#include "framework/HandleMap.h"
#include "framework/Object.h"
#include "framework/String.h"

class CWnd;

class CMenu : public CObject
{
public:
    CMenu() = default;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;
    ~CMenu() override;   // destroys the menu it holds

    HMENU m_hMenu = nullptr;

    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }
    static CMenu* FromHandle(HMENU menu);
    static CMenu* FromHandlePermanent(HMENU menu);
    BOOL Attach(HMENU menu);
    HMENU Detach();

    BOOL CreateMenu() { return Attach(::CreateMenu()); }
    BOOL CreatePopupMenu() { return Attach(::CreatePopupMenu()); }
    BOOL LoadMenu(UINT resourceId);
    BOOL LoadMenu(LPCSTR resourceName);
    BOOL DestroyMenu();

    BOOL AppendMenu(UINT flags, UINT_PTR idOrSubMenu = 0, LPCSTR item = nullptr)
    {
        return ::AppendMenuA(m_hMenu, flags, idOrSubMenu, item);
    }
    BOOL InsertMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu = 0, LPCSTR item = nullptr)
    {
        return ::InsertMenuA(m_hMenu, position, flags, idOrSubMenu, item);
    }
    BOOL ModifyMenu(UINT position, UINT flags, UINT_PTR idOrSubMenu = 0, LPCSTR item = nullptr)
    {
        return ::ModifyMenuA(m_hMenu, position, flags, idOrSubMenu, item);
    }
    BOOL RemoveMenu(UINT position, UINT flags) { return ::RemoveMenu(m_hMenu, position, flags); }
    BOOL DeleteMenu(UINT position, UINT flags) { return ::DeleteMenu(m_hMenu, position, flags); }
    UINT CheckMenuItem(UINT id, UINT check) { return ::CheckMenuItem(m_hMenu, id, check); }
    UINT EnableMenuItem(UINT id, UINT enable) { return ::EnableMenuItem(m_hMenu, id, enable); }
    BOOL SetDefaultItem(UINT item, BOOL byPosition = FALSE) { return ::SetMenuDefaultItem(m_hMenu, item, byPosition); }

    int GetMenuItemCount() const { return ::GetMenuItemCount(m_hMenu); }
    UINT GetMenuItemID(int position) const { return ::GetMenuItemID(m_hMenu, position); }
    UINT GetMenuState(UINT id, UINT flags) const { return ::GetMenuState(m_hMenu, id, flags); }
    int GetMenuString(UINT id, CString& text, UINT flags) const;
    BOOL GetMenuItemInfo(UINT item, LPMENUITEMINFOA info, BOOL byPosition = FALSE) const
    {
        return ::GetMenuItemInfoA(m_hMenu, item, byPosition, info);
    }
    CMenu* GetSubMenu(int position) const { return FromHandle(::GetSubMenu(m_hMenu, position)); }

    // Shows the pop-up menu; while it is open its owner's WM_MEASUREITEM
    // finds this menu (FindPopupHolding).
    BOOL TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT ignored = nullptr);

    virtual void DrawItem(LPDRAWITEMSTRUCT item) {}
    virtual void MeasureItem(LPMEASUREITEMSTRUCT item) {}

    // The attached menu object of the pop-up that holds the item (a command
    // id, or the handle of a pop-up item), searching the menu that the
    // thread tracks and then `menuBar`; null when none is attached.
    static CMenu* FindPopupHolding(UINT itemId, HMENU menuBar);
};
