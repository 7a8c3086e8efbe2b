// VeltMenu's structure: loading from a menu resource, the items' data
// records, finding items, keyboard mnemonics and destruction.
#include "controls/VeltMenu.h"

#include <algorithm>

namespace {

// Every menu handle that belongs to a VeltMenu, for IsVeltMenu.
std::vector<HMENU>& VeltMenuHandles()
{
    static std::vector<HMENU> handles;
    return handles;
}

void ForgetHandle(HMENU menu)
{
    std::vector<HMENU>& handles = VeltMenuHandles();
    handles.erase(std::remove(handles.begin(), handles.end(), menu), handles.end());
}

}  // namespace

VeltMenu::VeltMenu() = default;

VeltMenu::~VeltMenu()
{
    DestroyMenu();
}

BOOL VeltMenu::IsVeltMenu(HMENU menu)
{
    const std::vector<HMENU>& handles = VeltMenuHandles();
    return menu && std::find(handles.begin(), handles.end(), menu) != handles.end();
}

CImageList* VeltMenu::GetImageList()
{
    if (!m_imageList) {
        m_imageList = new CImageList;
        m_imageList->Create(m_iconWidth, m_iconHeight, ILC_COLORDDB | ILC_MASK, 4, 4);
        m_sharedImageList = FALSE;
    }
    return m_imageList;
}

BOOL VeltMenu::AppendOwnerDrawnItem(LPCWSTR text, UINT flags, UINT_PTR idOrSubMenu, int imageIndex)
{
    if (!m_hMenu && !CreatePopupMenu())
        return FALSE;
    VeltMenuData* data = new VeltMenuData;
    data->SetWideString(text);
    data->imageIndex = imageIndex;
    data->commandId = static_cast<UINT>(idOrSubMenu);
    if (flags & MF_POPUP) {
        HMENU subMenu = reinterpret_cast<HMENU>(idOrSubMenu);
        VeltMenuHandles().push_back(subMenu);
        m_subMenus.Add(subMenu);
        flags |= MF_OWNERDRAW;
    } else if (idOrSubMenu == 0) {
        flags = MF_BYPOSITION | MF_SEPARATOR | MF_OWNERDRAW;
    } else {
        flags |= MF_OWNERDRAW;
    }
    data->menuFlags = flags;
    m_items.Add(data);
    return ::AppendMenuA(m_hMenu, flags, idOrSubMenu, reinterpret_cast<LPCSTR>(data));
}

// ---------------------------------------------------------------- loading

BOOL VeltMenu::LoadMenu(UINT resourceId)
{
    return LoadMenu(MAKEINTRESOURCEA(resourceId));
}

VeltMenu* VeltMenu::MakeSubMenu()
{
    VeltMenu* sub = new VeltMenu;
    sub->m_imageList = GetImageList();
    sub->m_sharedImageList = TRUE;
    sub->m_selectCheck = m_selectCheck;
    sub->m_unselectCheck = m_unselectCheck;
    if (!sub->CreatePopupMenu()) {
        delete sub;
        return nullptr;
    }
    m_ownedSubMenus.push_back(sub);
    return sub;
}

// One level of a menu template: items of a flags word, a command id unless
// the item is a pop-up, and a zero-terminated wide text; the pop-up's own
// items follow it, and MF_END marks each level's last item. Returns where
// the level ends, or null when the template runs out first.
const WORD* VeltMenu::ParseLevel(const WORD* at, const WORD* end, VeltMenu* level)
{
    for (;;) {
        if (at >= end)
            return nullptr;
        UINT flags = *at++;
        UINT id = 0;
        if (!(flags & MF_POPUP)) {
            if (at >= end)
                return nullptr;
            id = *at++;
        }
        LPCWSTR text = reinterpret_cast<LPCWSTR>(at);
        while (at < end && *at)
            ++at;
        if (at >= end)
            return nullptr;
        ++at;
        bool last = (flags & MF_END) != 0;
        flags &= ~static_cast<UINT>(MF_END);
        if (flags & MF_POPUP) {
            VeltMenu* sub = MakeSubMenu();
            if (!sub)
                return nullptr;
            level->AppendOwnerDrawnItem(text, flags, reinterpret_cast<UINT_PTR>(sub->m_hMenu));
            at = ParseLevel(at, end, sub);
            if (!at)
                return nullptr;
        } else {
            level->AppendOwnerDrawnItem(text, flags, id);
        }
        if (last)
            return at;
    }
}

BOOL VeltMenu::LoadMenu(LPCSTR resourceName)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, resourceName, RT_MENU);
    if (!resource) {
        instance = ::GetModuleHandleA(nullptr);
        resource = ::FindResourceA(instance, resourceName, RT_MENU);
    }
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const WORD* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    if (!words)
        return FALSE;
    const WORD* end = words + ::SizeofResource(instance, resource) / sizeof(WORD);
    DestroyMenu();
    if (!CreateMenu())
        return FALSE;
    VeltMenuHandles().push_back(m_hMenu);
    m_loadedFromResource = TRUE;
    // The header: a version (0 for the plain template) and the items' offset.
    if (end - words < 2 || words[0] != 0 || !ParseLevel(words + 2 + words[1] / sizeof(WORD), end, this)) {
        DestroyMenu();   // a damaged template leaves no half-built menu behind
        return FALSE;
    }
    // A menu bar draws its own top level.
    for (int position = 0; position < m_items.GetSize(); ++position) {
        CString text = m_items[position]->GetAnsiString();
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_DATA;
        info.fType = MFT_STRING;
        info.dwTypeData = const_cast<LPSTR>(static_cast<LPCSTR>(text));
        ::SetMenuItemInfoA(m_hMenu, static_cast<UINT>(position), TRUE, &info);
    }
    return TRUE;
}

// ---------------------------------------------------------------- finding items

VeltMenu* VeltMenu::FindMenuHoldingCommand(UINT commandId, int* position)
{
    int count = GetMenuItemCount();
    for (int i = 0; i < count; ++i) {
        HMENU sub = ::GetSubMenu(m_hMenu, i);
        if (sub) {
            if (IsVeltMenu(sub)) {
                VeltMenu* menu = static_cast<VeltMenu*>(FromHandlePermanent(sub));
                if (VeltMenu* found = menu ? menu->FindMenuHoldingCommand(commandId, position) : nullptr)
                    return found;
            }
        } else if (GetMenuItemID(i) == commandId) {
            *position = i;
            return this;
        }
    }
    *position = -1;
    return nullptr;
}

BOOL VeltMenu::GetItemText(UINT idOrPosition, CString& text, UINT flags)
{
    if (flags & MF_BYPOSITION) {
        if (idOrPosition >= static_cast<UINT>(m_items.GetSize()))
            return FALSE;
        text = m_items[static_cast<INT_PTR>(idOrPosition)]->GetAnsiString();
        return TRUE;
    }
    int position = -1;
    VeltMenu* holder = FindMenuHoldingCommand(idOrPosition, &position);
    return holder && holder->GetItemText(static_cast<UINT>(position), text, MF_BYPOSITION);
}

void VeltMenu::SynchronizeItemData()
{
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        m_items[i]->synchronised = FALSE;
    CArray<VeltMenuData*, VeltMenuData*> items;
    int count = GetMenuItemCount();
    for (int position = 0; position < count; ++position) {
        HMENU sub = ::GetSubMenu(m_hMenu, position);
        UINT id = sub ? static_cast<UINT>(reinterpret_cast<UINT_PTR>(sub)) : GetMenuItemID(position);
        VeltMenuData* match = nullptr;
        for (INT_PTR i = 0; i < m_items.GetSize() && !match; ++i)
            if (!m_items[i]->synchronised && m_items[i]->commandId == id)
                match = m_items[i];
        if (!match) {
            // An item added through the plain menu calls becomes owner-drawn.
            match = new VeltMenuData;
            CString text;
            GetMenuString(static_cast<UINT>(position), text, MF_BYPOSITION);
            match->SetAnsiString(text);
            match->commandId = id;
            UINT state = GetMenuState(static_cast<UINT>(position), MF_BYPOSITION);
            match->menuFlags = (state & (MF_SEPARATOR | MF_POPUP | MF_CHECKED | MF_GRAYED | MF_DISABLED)) | MF_OWNERDRAW;
            ::ModifyMenuA(m_hMenu, static_cast<UINT>(position), MF_BYPOSITION | match->menuFlags,
                          sub ? reinterpret_cast<UINT_PTR>(sub) : id, reinterpret_cast<LPCSTR>(match));
        }
        match->synchronised = TRUE;
        items.Add(match);
    }
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        if (!m_items[i]->synchronised)
            delete m_items[i];
    m_items.RemoveAll();
    m_items.Append(items);
}

LRESULT VeltMenu::FindMenuChar(UINT character, UINT, CMenu* menu)
{
    if (!IsVeltMenu(menu))
        return 0;
    VeltMenu* velt = dynamic_cast<VeltMenu*>(FromHandlePermanent(menu->m_hMenu));
    if (!velt)
        return 0;
    CString mnemonic('&');
    mnemonic += static_cast<char>(character);
    mnemonic.MakeLower();
    if (velt->GetMenuItemCount() != velt->m_items.GetSize())
        velt->SynchronizeItemData();
    for (INT_PTR position = 0; position < velt->m_items.GetSize(); ++position) {
        CString text = velt->m_items[position]->GetAnsiString();
        if (text.MakeLower().Find(mnemonic) >= 0)
            return MAKELRESULT(position, MNC_EXECUTE);
    }
    return 0;
}

// ---------------------------------------------------------------- destruction

void VeltMenu::ReleaseTree()
{
    ForgetHandle(m_hMenu);
    for (INT_PTR i = 0; i < m_subMenus.GetSize(); ++i)
        ForgetHandle(m_subMenus[i]);
    m_subMenus.RemoveAll();
    for (VeltMenu* sub : m_ownedSubMenus) {
        sub->ReleaseTree();
        sub->Detach();   // destroyed with this menu's handle
        delete sub;
    }
    m_ownedSubMenus.clear();
    for (INT_PTR i = 0; i < m_items.GetSize(); ++i)
        delete m_items[i];
    m_items.RemoveAll();
    if (!m_sharedImageList && m_imageList) {
        ForgetImageVariants(m_imageList);   // a later list may get the same handle
        delete m_imageList;
    }
    m_imageList = nullptr;
    m_sharedImageList = FALSE;
}

BOOL VeltMenu::DestroyMenu()
{
    ReleaseTree();
    m_loadedFromResource = FALSE;
    return CMenu::DestroyMenu();
}
