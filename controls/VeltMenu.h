// VeltMenu: a menu that draws its items itself, with a column of 16 x 15
// icons beside the texts and check and radio marks of its own, in one of
// two looks: flat while Windows XP's themed look is active, classic
// otherwise. LoadMenu turns every item below the top level of a menu
// resource into an owner-drawn item; FindMenuChar answers the keyboard
// mnemonics (WM_MENUCHAR) of its pop-ups.
//
// Its owner window passes it WM_MEASUREITEM and WM_MENUCHAR; WM_DRAWITEM
// reaches it through the framework (each pop-up is a VeltMenu object).
#pragma once

#include "controls/VeltMenuData.h"

#include <vector>

class VeltMenu : public CMenu
{
public:
    VeltMenu();
    ~VeltMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT item) override;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override;
    virtual BOOL LoadMenu(UINT resourceId);
    virtual BOOL LoadMenu(LPCSTR resourceName);
    virtual BOOL DestroyMenu();

    // Appends an owner-drawn item: a command (id), a separator (id 0) or a
    // pop-up (MF_POPUP, with the pop-up's menu handle as id).
    BOOL AppendOwnerDrawnItem(LPCWSTR text, UINT flags, UINT_PTR idOrSubMenu, int imageIndex = -1);
    // The menu and position of the first item with the command, depth first
    // through the sub-menus that are VeltMenus; null and -1 when none has it.
    VeltMenu* FindMenuHoldingCommand(UINT commandId, int* position);
    // With MF_BYPOSITION the text of the item at that position of this level,
    // else of the item with that command anywhere below.
    BOOL GetItemText(UINT idOrPosition, CString& text, UINT flags);
    // One data record per real item again, in order, after items were added
    // or removed through the plain menu calls.
    void SynchronizeItemData();
    // The menu's image list (made on first use at the icon size), for the
    // images that AppendOwnerDrawnItem's index refers to.
    CImageList* GetImageList();

    static BOOL IsVeltMenu(CMenu* menu) { return menu && IsVeltMenu(menu->m_hMenu); }
    static BOOL IsVeltMenu(HMENU menu);
    // The answer to WM_MENUCHAR: the first item whose text holds "&" and the
    // typed character, without regard to case, is chosen.
    static LRESULT FindMenuChar(UINT character, UINT flags, CMenu* menu);

    // Which system runs (0 Win32s, 1 other NT, 2 95, 3 98, 4 Me, 5 NT 4,
    // 6 2000, 7 XP), worked out once.
    static int GetOsVersionCode();
    static int OsVersionCodeOf(DWORD version, const OSVERSIONINFOA* info);
    static BOOL IsClassicThemeActive();
    static BOOL IsClassicThemeFile(LPCSTR themeFile);
    static BOOL IsXPStyleAvailable();
    static BOOL IsXPStyleActive();
    // The drawing modes (1 is the flat look) for when the XP style is
    // available and for when it is not, and whether the flat look adds
    // faded and shadow copies of images.
    static void SetDrawModes(int xpMode, int classicMode);
    static void SetXPImages(BOOL on);
    static BOOL UsesXPImages();

    BOOL AddBitmapToImageList(CImageList* list, UINT bitmapId);
    static BOOL ToolbarImageIndex(UINT toolbarId, UINT commandId, int* imageIndex);
    static HBITMAP LoadSysColourBitmap(UINT bitmapId);
    static COLORREF LightenColour(COLORREF colour, double factor);
    // The process-wide image list, made on first use.
    static CImageList* GetSharedImageList();

    int m_iconWidth = 16;
    int m_iconHeight = 15;
    COLORREF m_bitmapBackground = RGB(192, 192, 192);
    BOOL m_useBitmapBackground = FALSE;

protected:
    void DrawItemClassic(LPDRAWITEMSTRUCT item);
    void DrawItemXP(LPDRAWITEMSTRUCT item);
    void PaintItemXP(CDC* dc, const CRect& rect, const VeltMenuData* data, UINT state);
    CRect IconRect(const CRect& item, int columnWidth) const;
    void DrawImage(CDC* dc, int index, CPoint at) const;
    void DrawEmbossedImage(CDC* dc, int index, CPoint at, COLORREF background) const;
    void DrawItemText(CDC* dc, const VeltMenuData* data, CRect area, COLORREF colour, BOOL embossed) const;
    static void DrawCheckGlyph(CDC* dc, int x, int y, BOOL radio);
    // Whether the image at `index` is followed by its faded and shadow copies.
    static BOOL HasImageVariants(const CImageList* list, int index);
    static void ForgetImageVariants(const CImageList* list);
    void AddImageVariants(CImageList* list, int index);

    CArray<VeltMenuData*, VeltMenuData*> m_items;
    CArray<HMENU, HMENU> m_subMenus;
    CImageList* m_imageList = nullptr;
    BOOL m_sharedImageList = FALSE;
    int m_selectCheck = -1;
    int m_unselectCheck = -1;
    BOOL m_loadedFromResource = FALSE;

private:
    const WORD* ParseLevel(const WORD* at, const WORD* end, VeltMenu* level);
    VeltMenu* MakeSubMenu();
    void ReleaseTree();   // lets go of this level's records and sub-menus, keeps the menu
    std::vector<VeltMenu*> m_ownedSubMenus;
};
