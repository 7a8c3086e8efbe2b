#include "tests/support/GuiObjects.h"

#include <gtest/gtest.h>

namespace testing_support {

namespace {

BOOL CALLBACK CountChild(HWND, LPARAM param)
{
    ++*reinterpret_cast<long*>(param);
    return TRUE;
}

BOOL CALLBACK CountWindowTree(HWND hwnd, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    if (pid != GetCurrentProcessId())
        return TRUE;
    long& count = *reinterpret_cast<long*>(param);
    ++count;
    EnumChildWindows(hwnd, CountChild, param);
    return TRUE;
}

long CountUserObjectsByProbing()
{
    long count = 0;
    EnumWindows(CountWindowTree, reinterpret_cast<LPARAM>(&count));
    HDC probe = CreateCompatibleDC(nullptr);
    HBITMAP pixel = CreateCompatibleBitmap(probe, 1, 1);
    HGDIOBJ old = SelectObject(probe, pixel);
    for (UINT index = 2; index < 0x10000; ++index) {
        HANDLE handle = reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(index));
        if (IsMenu(static_cast<HMENU>(handle)))
            ++count;
        if (DrawIconEx(probe, 0, 0, static_cast<HICON>(handle), 1, 1, 0, nullptr, DI_NORMAL))
            ++count;
    }
    SelectObject(probe, old);
    DeleteObject(pixel);
    DeleteDC(probe);
    return count;
}

long CountGdiObjectsByProbing()
{
    long count = 0;
    for (UINT index = 1; index < 0x10000; ++index)
        if (GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(index))))
            ++count;
    return count;
}

}  // namespace

GuiObjectCounts CountGuiObjects()
{
    GdiFlush();
    GuiObjectCounts counts;
    counts.gdi = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS));
    counts.user = static_cast<long>(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS));
    if (counts.gdi == 0 && counts.user == 0) {
        counts.user = CountUserObjectsByProbing();
        counts.gdi = CountGdiObjectsByProbing();
    }
    return counts;
}

void ExpectNoGuiObjectLeak(const std::function<void()>& once, int repeats)
{
    once();
    GuiObjectCounts before = CountGuiObjects();
    for (int i = 0; i < repeats; ++i)
        once();
    GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi) << "GDI objects";
    EXPECT_EQ(after.user, before.user) << "USER objects";
}

}  // namespace testing_support
