// Which object a window handle maps to: the attached object itself, a
// temporary wrapper for other windows, nothing once the window is gone.
#include "framework/Ui.h"

#include <gtest/gtest.h>

namespace {

class CountingWnd : public CWnd
{
public:
    int setTexts = 0;
    bool* deleted = nullptr;
    bool deleteSelf = false;
    ~CountingWnd() override
    {
        if (deleted)
            *deleted = true;
    }

protected:
    afx_msg LRESULT OnSetText(WPARAM, LPARAM)
    {
        ++setTexts;
        return Default();
    }
    void PostNcDestroy() override
    {
        if (deleteSelf)
            delete this;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CountingWnd, CWnd)
    ON_MESSAGE(WM_SETTEXT, OnSetText)
END_MESSAGE_MAP()

HWND MakeStatic()
{
    return CreateWindowA("STATIC", "plain", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

TEST(HandleMap, AnAttachedWindowMapsToItsOwnObject)
{
    CountingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    HWND hwnd = wnd.m_hWnd;
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr) << "detached when the window goes";
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(HandleMap, OtherWindowsGetOneTemporaryWrapperUntilIdle)
{
    HWND hwnd = MakeStatic();
    CWnd* first = CWnd::FromHandle(hwnd);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->m_hWnd, hwnd);
    EXPECT_EQ(CWnd::FromHandle(hwnd), first);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);
    AfxDeleteTempMaps();
    EXPECT_TRUE(IsWindow(hwnd)) << "a wrapper going does not destroy its window";
    DestroyWindow(hwnd);
}

TEST(HandleMap, SubclassingRoutesAWindowThroughItsObjectUntilUndone)
{
    HWND hwnd = MakeStatic();
    LONG_PTR ownProc = GetWindowLongPtrA(hwnd, GWLP_WNDPROC);
    CountingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hwnd));
    EXPECT_EQ(CWnd::FromHandle(hwnd), &wnd);
    wnd.SetWindowText("one");
    EXPECT_EQ(wnd.setTexts, 1);
    char text[16];
    GetWindowTextA(hwnd, text, sizeof text);
    EXPECT_STREQ(text, "one") << "the window's own procedure still ran";

    CountingWnd second;
    EXPECT_FALSE(second.SubclassWindow(hwnd)) << "one object per window";
    EXPECT_EQ(CWnd::FromHandle(hwnd), &wnd);

    EXPECT_EQ(wnd.UnsubclassWindow(), hwnd);
    EXPECT_EQ(GetWindowLongPtrA(hwnd, GWLP_WNDPROC), ownProc);
    SetWindowTextA(hwnd, "two");
    EXPECT_EQ(wnd.setTexts, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
    DestroyWindow(hwnd);
}

TEST(HandleMap, AnObjectThatOwnsItselfIsDeletedAfterItsWindow)
{
    bool deleted = false;
    CountingWnd* wnd = new CountingWnd;
    wnd->deleted = &deleted;
    wnd->deleteSelf = true;
    ASSERT_TRUE(wnd->CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr));
    HWND hwnd = wnd->m_hWnd;
    DestroyWindow(hwnd);
    EXPECT_TRUE(deleted);
    EXPECT_EQ(CWnd::FromHandlePermanent(hwnd), nullptr);
}

TEST(HandleMap, AnObjectDestroysItsWindowWhenItGoes)
{
    HWND hwnd;
    {
        CountingWnd wnd;
        ASSERT_TRUE(wnd.CreateEx(0, nullptr, "x", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr));
        hwnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(IsWindow(hwnd));
}

TEST(HandleMap, MenusMapToTheirAttachedObject)
{
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    EXPECT_EQ(CMenu::FromHandle(menu.m_hMenu), &menu);
    HMENU plain = CreatePopupMenu();
    CMenu* wrapper = CMenu::FromHandle(plain);
    EXPECT_EQ(CMenu::FromHandlePermanent(plain), nullptr);
    EXPECT_EQ(wrapper->m_hMenu, plain);
    AfxDeleteTempMaps();
    EXPECT_TRUE(IsMenu(plain));
    DestroyMenu(plain);
    HMENU held = menu.m_hMenu;
    menu.DestroyMenu();
    EXPECT_FALSE(IsMenu(held));
    EXPECT_EQ(CMenu::FromHandlePermanent(held), nullptr);
}

}  // namespace
