// The tray icon, in the notification area of the Wine session: its icon
// data, the owner it shows and hides, and its context menu.
#include "controls/TrayIcon.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/ControlsTestResource.h"
#include "tests/support/MenuWatcher.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace control_tests;
using namespace testing_support;

namespace {

class OwnerDlg : public CDialog
{
public:
    std::vector<UINT> commands;

protected:
    afx_msg void OnTrayCommand(UINT id) { commands.push_back(id); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(OwnerDlg, CDialog)
    ON_COMMAND_RANGE(CTrayIcon::idHelp, CTrayIcon::idExit, OnTrayCommand)
END_MESSAGE_MAP()

class TestTray : public CTrayIcon
{
public:
    using CTrayIcon::m_iconData;
    using CTrayIcon::m_iconDataBytes;
    bool nullQueuedAfterMenu = false;

    BOOL ShowTrayMenu() override
    {
        BOOL chosen = CTrayIcon::ShowTrayMenu();
        MSG msg;
        nullQueuedAfterMenu = PeekMessageA(&msg, m_hWnd, WM_NULL, WM_NULL, PM_NOREMOVE) != FALSE;
        return chosen;
    }
};

class TrayIcon : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_owner.Create(IDD_TRAY_OWNER));
        ASSERT_TRUE(m_tray.SetIcon(IDI_TRAY, TRAYICON_NORMAL));
        ASSERT_TRUE(m_tray.Create(&m_owner));
        m_tray.SetMenuId(IDR_TRAY_MENU);
        m_tray.SetTooltipText("Kestrune - Automate your tasks!");
        ASSERT_TRUE(m_tray.AddIcon(TRAYICON_NORMAL));
        m_tray.SetOwnerWindow(&m_owner);
    }
    void TearDown() override
    {
        m_tray.RemoveIcon();
        m_tray.DestroyWindow();
        m_owner.DestroyWindow();
    }
    void Notify(UINT mouseMessage)
    {
        m_tray.PostMessage(WM_TRAYNOTIFY, CTrayIcon::iconId, mouseMessage);
        PumpMessages(150);
    }
    // Opens the context menu and returns its item texts ("" for separators).
    std::vector<std::string> MenuItems(const char* screenshot = nullptr)
    {
        MenuWatcher watcher;
        m_tray.PostMessage(WM_TRAYNOTIFY, CTrayIcon::iconId, WM_RBUTTONDOWN);
        EXPECT_TRUE(PumpUntil([&] { return watcher.Done(); }));
        PumpMessages(100);
        if (screenshot)
            watcher.Picture().SavePng(screenshot);
        return watcher.Texts();
    }
    bool IconInTheArea()
    {
        BYTE data[sizeof m_tray.m_iconDataBytes];
        memcpy(data, m_tray.m_iconDataBytes, sizeof data);
        return Shell_NotifyIconA(NIM_MODIFY, reinterpret_cast<NOTIFYICONDATAA*>(data)) != FALSE;
    }

    OwnerDlg m_owner;
    TestTray m_tray;
};

TEST_F(TrayIcon, AddsItsIconThroughItsOwnHiddenWindow)
{
    const NOTIFYICONDATAA& data = m_tray.m_iconData;
    EXPECT_EQ(data.cbSize, 508u);
    EXPECT_EQ(data.hWnd, m_tray.m_hWnd);
    EXPECT_EQ(data.uID, 128u);
    EXPECT_EQ(data.uFlags, 7u);
    EXPECT_EQ(data.uCallbackMessage, 0x8001u);
    EXPECT_STREQ(data.szTip, "Kestrune - Automate your tasks!");
    EXPECT_TRUE(IconInTheArea());
    EXPECT_FALSE(m_tray.IsWindowVisible());
    EXPECT_EQ(::GetWindow(m_tray.m_hWnd, GW_OWNER), m_owner.m_hWnd);
    EXPECT_FALSE(m_tray.GetStyle() & WS_CHILD);

    EXPECT_TRUE(m_tray.RemoveIcon());
    EXPECT_FALSE(IconInTheArea());
}

TEST_F(TrayIcon, ALongTipIsCutTo127Characters)
{
    m_tray.RemoveIcon();
    m_tray.SetTooltipText(std::string(200, 'k').c_str());
    ASSERT_TRUE(m_tray.AddIcon(TRAYICON_NORMAL));
    EXPECT_EQ(std::string(m_tray.m_iconData.szTip), std::string(127, 'k'));
}

TEST(TrayIconSetUp, MissingPiecesAreReported)
{
    CTrayIcon tray;
    EXPECT_FALSE(tray.SetIcon(9999, TRAYICON_NORMAL)) << "no such icon";
    ASSERT_TRUE(tray.SetIcon(IDI_TRAY, TRAYICON_NORMAL));
    EXPECT_FALSE(tray.AddIcon(TRAYICON_NORMAL)) << "no window yet";
    ASSERT_TRUE(tray.Create(nullptr));
    EXPECT_FALSE(tray.AddIcon(static_cast<TRAYICONTYPE>(5001))) << "no icon of that kind";
    tray.DestroyWindow();
}

TEST_F(TrayIcon, ALeftClickBringsBackAHiddenOrMinimisedOwner)
{
    for (int start : { SW_HIDE, SW_MINIMIZE }) {
        m_owner.ShowWindow(start);
        PumpMessages(50);
        Notify(WM_LBUTTONDOWN);
        EXPECT_TRUE(m_owner.IsWindowVisible()) << start;
        EXPECT_FALSE(m_owner.IsIconic()) << start;
        EXPECT_EQ(::GetForegroundWindow(), m_owner.m_hWnd) << start;
    }
    ShowInFront(m_owner);
    WindowCapture::OfWindow(m_owner.m_hWnd).SavePng("tray-owner");
}

TEST_F(TrayIcon, NotificationsBeforeTheOwnerIsSetAreIgnored)
{
    m_tray.SetOwnerWindow(nullptr);
    m_owner.ShowWindow(SW_HIDE);
    Notify(WM_LBUTTONDOWN);
    Notify(WM_RBUTTONDOWN);
    EXPECT_FALSE(m_owner.IsWindowVisible());
    HWND popup = FindWindowA("#32768", nullptr);
    EXPECT_FALSE(popup && IsWindowVisible(popup)) << "no menu opened";
}

TEST_F(TrayIcon, TheMenuOffersShowOrHideByTheOwnersState)
{
    const std::vector<std::string> whenHidden = { "Show Kestrune", "", "Show Help", "About Kestrune", "", "Exit Kestrune" };
    const std::vector<std::string> whenShown = { "Hide Kestrune", "", "Show Help", "About Kestrune", "", "Exit Kestrune" };

    ShowInFront(m_owner);   // the program shows its main window before it hides it in the tray
    m_owner.ShowWindow(SW_HIDE);
    PumpMessages(50);
    EXPECT_EQ(MenuItems("tray-menu"), whenHidden);
    EXPECT_TRUE(m_tray.nullQueuedAfterMenu) << "a WM_NULL follows the menu so that it closes properly";

    ShowInFront(m_owner);
    EXPECT_EQ(MenuItems(), whenShown);

    m_owner.ShowWindow(SW_MINIMIZE);
    PumpMessages(50);
    EXPECT_EQ(MenuItems(), whenHidden);
}

TEST_F(TrayIcon, ChoosingHideFromTheMenuHidesTheOwner)
{
    ShowInFront(m_owner);
    MenuWatcher watcher({ MenuWatcher::Down(VK_DOWN), MenuWatcher::Down(VK_RETURN) });
    m_tray.PostMessage(WM_TRAYNOTIFY, CTrayIcon::iconId, WM_RBUTTONDOWN);
    ASSERT_TRUE(PumpUntil([&] { return watcher.Done(); }));
    EXPECT_TRUE(PumpUntil([&] { return !m_owner.IsWindowVisible(); }, 2000));
}

TEST_F(TrayIcon, TheCommandsReachTheOwner)
{
    ShowInFront(m_owner);
    m_tray.SendMessage(WM_COMMAND, CTrayIcon::idHelp);
    m_tray.SendMessage(WM_COMMAND, CTrayIcon::idAbout);
    EXPECT_EQ(m_owner.commands, (std::vector<UINT>{ CTrayIcon::idHelp, CTrayIcon::idAbout }));
    EXPECT_TRUE(m_owner.IsWindowVisible());

    m_owner.ShowWindow(SW_HIDE);
    m_tray.SendMessage(WM_COMMAND, 40000);
    EXPECT_TRUE(m_owner.IsWindowVisible()) << "any other command shows the owner";

    m_tray.SendMessage(WM_COMMAND, CTrayIcon::idExit);
    EXPECT_EQ(m_owner.commands.back(), static_cast<UINT>(CTrayIcon::idExit));
    EXPECT_FALSE(m_owner.IsWindowVisible());
    EXPECT_FALSE(IconInTheArea()) << "the icon goes before the owner quits";
}

}  // namespace
