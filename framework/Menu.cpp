#include "framework/Menu.h"

#include "framework/Wnd.h"
#include "framework/WinApp.h"

namespace {

CHandleMap<CMenu, HMENU>& MenuMap()
{
    static thread_local CHandleMap<CMenu, HMENU> map(
        [](HMENU menu) { CMenu* object = new CMenu; object->m_hMenu = menu; return object; },
        [](CMenu* object) { object->m_hMenu = nullptr; delete object; });
    return map;
}

thread_local HMENU t_trackingMenu = nullptr;

// The menu, at any depth below `menu`, that holds the item.
HMENU FindMenuHolding(HMENU menu, UINT itemId)
{
    int count = ::GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(menu, i);
        if (sub ? reinterpret_cast<UINT_PTR>(sub) == itemId : ::GetMenuItemID(menu, i) == itemId)
            return menu;
        if (sub) {
            if (HMENU found = FindMenuHolding(sub, itemId))
                return found;
        }
    }
    return nullptr;
}

}  // namespace

CMenu::~CMenu()
{
    DestroyMenu();
}

CMenu* CMenu::FromHandle(HMENU menu)
{
    return MenuMap().FromHandle(menu);
}

CMenu* CMenu::FromHandlePermanent(HMENU menu)
{
    return MenuMap().LookupPermanent(menu);
}

BOOL CMenu::Attach(HMENU menu)
{
    if (!menu || m_hMenu || MenuMap().LookupPermanent(menu))
        return FALSE;
    m_hMenu = menu;
    MenuMap().SetPermanent(menu, this);
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU menu = m_hMenu;
    if (menu && MenuMap().LookupPermanent(menu) == this)
        MenuMap().RemoveHandle(menu);
    m_hMenu = nullptr;
    return menu;
}

BOOL CMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(resourceId));
}

BOOL CMenu::LoadMenu(LPCSTR resourceName)
{
    return Attach(::LoadMenuA(AfxGetResourceHandle(), resourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT id, CString& text, UINT flags) const
{
    char buffer[512];
    int length = ::GetMenuStringA(m_hMenu, id, buffer, sizeof buffer, flags);
    text = CString(buffer, length);
    return length;
}

BOOL CMenu::TrackPopupMenu(UINT flags, int x, int y, CWnd* owner, LPCRECT)
{
    HMENU saved = t_trackingMenu;
    t_trackingMenu = m_hMenu;
    BOOL result = ::TrackPopupMenu(m_hMenu, flags, x, y, 0, owner->m_hWnd, nullptr);
    t_trackingMenu = saved;
    return result;
}

CMenu* CMenu::FindPopupHolding(UINT itemId, HMENU menuBar)
{
    for (HMENU root : { t_trackingMenu, menuBar }) {
        if (!root)
            continue;
        if (HMENU holder = FindMenuHolding(root, itemId))
            return FromHandlePermanent(holder);
    }
    return nullptr;
}
