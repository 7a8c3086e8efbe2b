// VeltMenuData: what an owner-drawn menu item of a VeltMenu carries as its
// item data: its text, image and flags.
#pragma once

#include "framework/Ui.h"

#include <string>

class VeltMenuData
{
public:
    VeltMenuData() = default;
    VeltMenuData(const VeltMenuData&) = delete;
    VeltMenuData& operator=(const VeltMenuData&) = delete;
    ~VeltMenuData() { delete bitmap; }

    // The text is kept in wide characters, converted through the thread's
    // ANSI code page.
    void SetWideString(LPCWSTR text) { m_text = text ? text : L""; }
    void SetAnsiString(LPCSTR text);
    LPCWSTR GetWideString() const { return m_text.c_str(); }
    CString GetAnsiString() const { return CString(m_text.c_str()); }

    int imageIndex = -1;          // in the menu's image list
    int sharedIndex = -1;         // in the process-wide image list
    UINT menuFlags = 0;           // MF_ values of the item
    UINT commandId = 0;           // or the pop-up's menu handle
    BOOL synchronised = FALSE;    // still matches an item while being re-synchronised
    CImageList* bitmap = nullptr; // an image of the item's own, owned

private:
    std::wstring m_text;
};
