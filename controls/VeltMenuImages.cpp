// VeltMenu's images: bitmaps added to image lists with their faded and
// shadow copies for the flat look, toolbar image indexes, and the
// process-wide image list.
#include "controls/VeltMenu.h"

#include <map>
#include <set>

namespace {

// The images (by list and index) that are followed by their two copies.
std::map<HIMAGELIST, std::set<int>>& ImagesWithVariants()
{
    static std::map<HIMAGELIST, std::set<int>> images;
    return images;
}

// The bitmap ids whose images are in the shared list, in its order; an id
// three times in a row marks an image stored with its two copies.
CArray<int, int>& SharedImageIds()
{
    static CArray<int, int> ids;
    return ids;
}

// The resource's bits per pixel, 0 when it is not a bitmap resource.
int BitmapDepth(UINT bitmapId)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(bitmapId), RT_BITMAP);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const BITMAPINFOHEADER* header = loaded ? static_cast<const BITMAPINFOHEADER*>(::LockResource(loaded)) : nullptr;
    return header && ::SizeofResource(instance, resource) >= sizeof *header ? header->biBitCount : 0;
}

// The copy of an image in which every pixel that is not the background
// (COLOR_BTNFACE) is changed by `change`.
HBITMAP MakeVariant(CImageList* list, int index, int width, int height, COLORREF (*change)(COLORREF))
{
    COLORREF background = ::GetSysColor(COLOR_BTNFACE);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, width, height);
    ::ReleaseDC(nullptr, screen);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    RECT all = { 0, 0, width, height };
    HBRUSH face = ::CreateSolidBrush(background);
    ::FillRect(memory, &all, face);
    ::DeleteObject(face);
    ImageList_Draw(*list, index, memory, 0, 0, ILD_TRANSPARENT);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            COLORREF pixel = ::GetPixel(memory, x, y);
            if (pixel != background)
                ::SetPixel(memory, x, y, change(pixel));
        }
    ::SelectObject(memory, old);
    ::DeleteDC(memory);
    return bitmap;
}

COLORREF Faded(COLORREF pixel)
{
    return VeltMenu::LightenColour(pixel, 0.3);
}

COLORREF Shadow(COLORREF)
{
    COLORREF shadow = ::GetSysColor(COLOR_BTNSHADOW);
    return VeltMenu::IsXPStyleAvailable() ? shadow : VeltMenu::LightenColour(shadow, 0.49);
}

}  // namespace

BOOL VeltMenu::HasImageVariants(const CImageList* list, int index)
{
    auto found = ImagesWithVariants().find(list ? list->m_hImageList : nullptr);
    return found != ImagesWithVariants().end() && found->second.count(index) != 0;
}

void VeltMenu::ForgetImageVariants(const CImageList* list)
{
    ImagesWithVariants().erase(list->m_hImageList);
}

CImageList* VeltMenu::GetSharedImageList()
{
    static CImageList* shared = nullptr;
    if (!shared) {
        shared = new CImageList;
        shared->Create(16, 15, ILC_COLORDDB | ILC_MASK, 4, 4);
    }
    return shared;
}

HBITMAP VeltMenu::LoadSysColourBitmap(UINT bitmapId)
{
    // Black, greys and white of the bitmap become the current 3D colours.
    return ::CreateMappedBitmap(AfxGetResourceHandle(), static_cast<INT_PTR>(bitmapId), 0, nullptr, 0);
}

void VeltMenu::AddImageVariants(CImageList* list, int index)
{
    COLORREF mask = ::GetSysColor(COLOR_BTNFACE);
    int width = 0, height = 0;
    list->GetIconSize(&width, &height);
    for (COLORREF (*change)(COLORREF) : { &Faded, &Shadow }) {
        CBitmap variant;
        variant.Attach(MakeVariant(list, index, width, height, change));
        list->Add(&variant, mask);
    }
    ImagesWithVariants()[list->m_hImageList].insert(index);
}

BOOL VeltMenu::AddBitmapToImageList(CImageList* list, UINT bitmapId)
{
    if (!list || !list->m_hImageList)
        return FALSE;
    CBitmap bitmap;
    if (BitmapDepth(bitmapId) == 4)
        bitmap.Attach(LoadSysColourBitmap(bitmapId));
    else
        bitmap.LoadBitmap(bitmapId);
    if (!bitmap.m_hObject)
        return FALSE;
    COLORREF mask = m_useBitmapBackground ? m_bitmapBackground : ::GetSysColor(COLOR_BTNFACE);
    int index = list->Add(&bitmap, mask);
    if (index < 0)
        return FALSE;
    bool variants = IsXPStyleActive() && UsesXPImages();
    if (variants)
        AddImageVariants(list, index);
    if (list == GetSharedImageList()) {
        for (int copies = variants ? 3 : 1; copies > 0; --copies)
            SharedImageIds().Add(static_cast<int>(bitmapId));
    }
    return TRUE;
}

// A toolbar resource: version 1, the image width and height, the number of
// items, then each item's command id (0 for a separator).
BOOL VeltMenu::ToolbarImageIndex(UINT toolbarId, UINT commandId, int* imageIndex)
{
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, MAKEINTRESOURCEA(toolbarId), MAKEINTRESOURCEA(241));
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const WORD* words = loaded ? static_cast<const WORD*>(::LockResource(loaded)) : nullptr;
    DWORD size = resource ? ::SizeofResource(instance, resource) / sizeof(WORD) : 0;
    if (!words || commandId == 0 || size < 4 || words[0] != 1 || size < 4u + words[3])
        return FALSE;

    CWnd* main = AfxGetMainWnd();
    HWND parent = main && main->m_hWnd ? main->m_hWnd : ::GetDesktopWindow();
    AfxInitCommonControls();
    HWND toolbar = ::CreateWindowExA(0, TOOLBARCLASSNAMEA, nullptr, 0x50002800, 0, 0, 0, 0, parent,
                                     reinterpret_cast<HMENU>(0xE800), instance, nullptr);
    if (!toolbar)
        return FALSE;
    ::SendMessageA(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    int image = 0;
    for (WORD i = 0; i < words[3]; ++i) {
        TBBUTTON button = {};
        button.idCommand = words[4 + i];
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = button.idCommand ? BTNS_BUTTON : BTNS_SEP;
        button.iBitmap = button.idCommand ? image++ : 0;
        ::SendMessageA(toolbar, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&button));
    }
    BOOL found = FALSE;
    int position = static_cast<int>(::SendMessageA(toolbar, TB_COMMANDTOINDEX, commandId, 0));
    TBBUTTON button = {};
    if (position >= 0 && ::SendMessageA(toolbar, TB_GETBUTTON, static_cast<WPARAM>(position), reinterpret_cast<LPARAM>(&button))) {
        found = TRUE;
        if (button.iBitmap >= 0)
            *imageIndex = button.iBitmap;
    }
    ::DestroyWindow(toolbar);
    return found;
}
