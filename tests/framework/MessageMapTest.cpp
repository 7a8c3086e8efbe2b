// Message maps on real windows: each kind of handler gets its message's
// parameters unpacked, a derived class's entry wins over its base's,
// notifications are reflected to the control's own object, and owner-drawn
// controls and menus draw themselves.
#include "framework/Ui.h"
#include "tests/framework/UiTestResource.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::string Format(const char* format, ...)
{
    char text[256];
    va_list args;
    va_start(args, format);
    wvsprintfA(text, format, args);
    va_end(args);
    return text;
}

class RecordingWnd : public CWnd
{
public:
    BOOL CreatePopup()
    {
        return CreateEx(0, nullptr, "Recording", WS_POPUP, 10, 10, 120, 80, nullptr, nullptr);
    }
    std::vector<std::string> calls;
    bool attachedAtCreate = false;

protected:
    afx_msg int OnCreate(LPCREATESTRUCT cs)
    {
        attachedAtCreate = FromHandlePermanent(m_hWnd) == this && cs->cx == 120;
        return CWnd::OnCreate(cs);
    }
    afx_msg void OnTimer(UINT_PTR id) { calls.push_back(Format("Timer %u", id)); }
    afx_msg void OnLButtonDown(UINT flags, CPoint point) { calls.push_back(Format("LButtonDown %u %d,%d", flags, point.x, point.y)); }
    afx_msg void OnHotKey(UINT id, UINT modifiers, UINT key) { calls.push_back(Format("HotKey %u %u %u", id, modifiers, key)); }
    afx_msg void OnSize(UINT type, int cx, int cy) { calls.push_back(Format("Size %u %d %d", type, cx, cy)); }
    afx_msg void OnKeyDown(UINT key, UINT repeat, UINT flags) { calls.push_back(Format("KeyDown %u %u %u", key, repeat, flags)); }
    afx_msg void OnEnable(BOOL enable) { calls.push_back(Format("Enable %d", enable)); }
    afx_msg UINT OnGetDlgCode() { calls.push_back("GetDlgCode"); return DLGC_WANTALLKEYS; }
    afx_msg LRESULT OnUser(WPARAM wParam, LPARAM lParam)
    {
        calls.push_back(Format("User %u %ld", wParam, lParam));
        return 77;
    }
    afx_msg LRESULT OnThrow(WPARAM, LPARAM)
    {
        throw new CFileException(CFileException::fileNotFound, ERROR_FILE_NOT_FOUND, "missing.txt");
    }
    afx_msg void OnCommandOne() { calls.push_back("Command 200"); }
    afx_msg void OnCommandRange(UINT id) { calls.push_back(Format("Range %u", id)); }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
    ON_WM_CREATE()
    ON_WM_TIMER()
    ON_WM_LBUTTONDOWN()
    ON_WM_HOTKEY()
    ON_WM_SIZE()
    ON_WM_KEYDOWN()
    ON_WM_ENABLE()
    ON_WM_GETDLGCODE()
    ON_MESSAGE(WM_USER + 5, OnUser)
    ON_MESSAGE(WM_USER + 9, OnThrow)
    ON_COMMAND(200, OnCommandOne)
    ON_COMMAND_RANGE(300, 310, OnCommandRange)
END_MESSAGE_MAP()

class DerivedWnd : public RecordingWnd
{
protected:
    afx_msg void OnTimer(UINT_PTR id) { calls.push_back(Format("Derived timer %u", id)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(DerivedWnd, RecordingWnd)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(MessageMap, HandlersGetTheMessageParametersUnpacked)
{
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_TRUE(wnd.attachedAtCreate) << "the object is attached before WM_CREATE";

    struct Case
    {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        const char* call;
        LRESULT result;
    };
    const Case cases[] = {
        { WM_TIMER, 7, 0, "Timer 7", 0 },
        { WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4), "LButtonDown 1 3,4", 0 },
        { WM_LBUTTONDOWN, 0, MAKELPARAM(-2, 5), "LButtonDown 0 -2,5", 0 },
        { WM_HOTKEY, 5, MAKELPARAM(MOD_CONTROL | MOD_ALT, 'R'), "HotKey 5 3 82", 0 },
        { WM_SIZE, SIZE_RESTORED, MAKELPARAM(40, 30), "Size 0 40 30", 0 },
        { WM_KEYDOWN, VK_F5, MAKELPARAM(2, 0x3F), "KeyDown 116 2 63", 0 },
        { WM_GETDLGCODE, 0, 0, "GetDlgCode", DLGC_WANTALLKEYS },
        { WM_USER + 5, 11, -12, "User 11 -12", 77 },
        { WM_COMMAND, MAKEWPARAM(200, 0), 0, "Command 200", 1 },
        { WM_COMMAND, MAKEWPARAM(305, 1), 0, "Range 305", 1 },
    };
    for (const Case& c : cases) {
        wnd.calls.clear();
        LRESULT result = wnd.SendMessage(c.message, c.wParam, c.lParam);
        EXPECT_EQ(wnd.calls, std::vector<std::string>{ c.call }) << c.call;
        EXPECT_EQ(result, c.result) << c.call;
    }

    wnd.calls.clear();
    wnd.EnableWindow(FALSE);
    EXPECT_EQ(wnd.calls, std::vector<std::string>{ "Enable 0" });
    // Without an entry, the window does what it would do anyway.
    wnd.SetWindowText("changed");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "changed");
    EXPECT_EQ(wnd.SendMessage(WM_COMMAND, MAKEWPARAM(311, 0)), 0) << "a command nobody handles";
    wnd.DestroyWindow();
}

TEST(MessageMap, ADerivedClassEntryReplacesTheBaseOne)
{
    DerivedWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    wnd.calls.clear();
    wnd.SendMessage(WM_TIMER, 3);
    wnd.SendMessage(WM_USER + 5, 1, 2);
    EXPECT_EQ(wnd.calls, (std::vector<std::string>{ "Derived timer 3", "User 1 2" }));
    wnd.DestroyWindow();
}

TEST(MessageMap, AFrameworkExceptionInAHandlerIsReportedNotPropagated)
{
    DialogAnswerer answerer(IDOK);
    RecordingWnd wnd;
    ASSERT_TRUE(wnd.CreatePopup());
    EXPECT_EQ(wnd.SendMessage(WM_USER + 9), 0);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_NE(answerer.Dialogs()[0].text.find("File"), std::string::npos) << answerer.Dialogs()[0].text;
    EXPECT_EQ(wnd.SendMessage(WM_USER + 5, 1, 1), 77) << "the window goes on working";
    wnd.DestroyWindow();
}

// ---------------------------------------------------------------- reflection

class ReflectingButton : public CButton
{
public:
    int clicks = 0;
    int notifications = 0;

protected:
    afx_msg void OnReflectedClick() { ++clicks; }
    afx_msg void OnReflectedNotify(NMHDR*, LRESULT* result)
    {
        ++notifications;
        *result = 42;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ReflectingButton, CButton)
    ON_CONTROL_REFLECT(BN_CLICKED, OnReflectedClick)
    ON_NOTIFY_REFLECT(NM_CLICK, OnReflectedNotify)
END_MESSAGE_MAP()

class PassingButton : public CButton
{
public:
    int clicks = 0;

protected:
    afx_msg BOOL OnReflectedClick()
    {
        ++clicks;
        return FALSE;   // the parent handles it too
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PassingButton, CButton)
    ON_CONTROL_REFLECT_EX(BN_CLICKED, OnReflectedClick)
END_MESSAGE_MAP()

class ColouredLabel : public CStatic
{
public:
    CBrush brush{ RGB(10, 200, 30) };

protected:
    afx_msg HBRUSH CtlColor(CDC* dc, UINT)
    {
        dc->SetBkColor(RGB(10, 200, 30));
        return brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ColouredLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class RedButton : public CButton
{
public:
    int draws = 0;
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++draws;
        CBrush red(RGB(255, 0, 0));
        CDC::FromHandle(item->hDC)->FillRect(&item->rcItem, &red);
    }
};

class ParentDlg : public CDialog
{
public:
    ReflectingButton m_one;
    PassingButton m_two;
    ColouredLabel m_label;
    RedButton m_ownerDrawn;
    int parentClicksOne = 0, parentClicksTwo = 0, parentNotifyOne = 0, parentNotifyTwo = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_BUTTON1, m_one);
        DDX_Control(dx, IDC_BUTTON2, m_two);
        DDX_Control(dx, IDC_LABEL, m_label);
        DDX_Control(dx, IDC_OWNERDRAW, m_ownerDrawn);
    }
    afx_msg void OnOne() { ++parentClicksOne; }
    afx_msg void OnTwo() { ++parentClicksTwo; }
    afx_msg void OnNotifyOne(NMHDR*, LRESULT*) { ++parentNotifyOne; }
    afx_msg void OnNotifyTwo(NMHDR*, LRESULT* result)
    {
        ++parentNotifyTwo;
        *result = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(ParentDlg, CDialog)
    ON_BN_CLICKED(IDC_BUTTON1, OnOne)
    ON_BN_CLICKED(IDC_BUTTON2, OnTwo)
    ON_NOTIFY(NM_CLICK, IDC_BUTTON1, OnNotifyOne)
    ON_NOTIFY(NM_CLICK, IDC_BUTTON2, OnNotifyTwo)
END_MESSAGE_MAP()

TEST(MessageMap, NotificationsAreReflectedToTheControlFirst)
{
    ParentDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PARENT));
    EXPECT_EQ(CWnd::FromHandlePermanent(dlg.GetDlgItem(IDC_BUTTON1)->m_hWnd), &dlg.m_one);

    dlg.m_one.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.m_one.clicks, 1);
    EXPECT_EQ(dlg.parentClicksOne, 0) << "a reflected handler keeps the click from the parent";

    dlg.m_two.SendMessage(BM_CLICK);
    EXPECT_EQ(dlg.m_two.clicks, 1);
    EXPECT_EQ(dlg.parentClicksTwo, 1) << "an _EX handler that returns FALSE passes it on";

    NMHDR fromOne = { dlg.m_one.m_hWnd, IDC_BUTTON1, static_cast<UINT>(NM_CLICK) };
    EXPECT_EQ(dlg.SendMessage(WM_NOTIFY, IDC_BUTTON1, reinterpret_cast<LPARAM>(&fromOne)), 42);
    EXPECT_EQ(dlg.m_one.notifications, 1);
    EXPECT_EQ(dlg.parentNotifyOne, 0);
    NMHDR fromTwo = { dlg.m_two.m_hWnd, IDC_BUTTON2, static_cast<UINT>(NM_CLICK) };
    EXPECT_EQ(dlg.SendMessage(WM_NOTIFY, IDC_BUTTON2, reinterpret_cast<LPARAM>(&fromTwo)), 9);
    EXPECT_EQ(dlg.parentNotifyTwo, 1);
    dlg.DestroyWindow();
}

TEST(MessageMap, ColoursAndOwnerDrawingReachTheControl)
{
    ParentDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PARENT));
    PumpMessages(100);
    CClientDC dc(&dlg);
    LRESULT brush = dlg.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                    reinterpret_cast<LPARAM>(dlg.m_label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), static_cast<HBRUSH>(dlg.m_label.brush));

    WindowCapture label = WindowCapture::OfClient(dlg.m_label.m_hWnd);
    EXPECT_GT(label.Count(RGB(10, 200, 30)), label.Width() * label.Height() / 2)
        << "the label is painted with the brush its own object chose";
    EXPECT_GT(dlg.m_ownerDrawn.draws, 0);
    WindowCapture button = WindowCapture::OfClient(dlg.m_ownerDrawn.m_hWnd);
    EXPECT_EQ(button.Pixel(button.Width() / 2, button.Height() / 2), RGB(255, 0, 0));
    WindowCapture::OfWindow(dlg.m_hWnd).SavePng("framework-reflection");
    dlg.DestroyWindow();
}

class BlueMenu : public CMenu
{
public:
    int measures = 0, draws = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT item) override
    {
        ++measures;
        item->itemWidth = 80;
        item->itemHeight = 24;
    }
    void DrawItem(LPDRAWITEMSTRUCT item) override
    {
        ++draws;
        CBrush blue(RGB(0, 0, 255));
        CDC::FromHandle(item->hDC)->FillRect(&item->rcItem, &blue);
    }
};

int g_bluePixels = -1;

void CALLBACK CaptureAndCloseMenu(HWND, UINT, UINT_PTR id, DWORD)
{
    HWND popup = FindWindowA("#32768", nullptr);
    if (!popup || !IsWindowVisible(popup))
        return;
    KillTimer(nullptr, id);
    g_bluePixels = WindowCapture::OfWindow(popup).Count(RGB(0, 0, 255));
    EndMenu();
}

TEST(MessageMap, OwnerDrawnMenuItemsAreMeasuredAndDrawnByTheirMenu)
{
    RecordingWnd owner;
    ASSERT_TRUE(owner.CreatePopup());
    owner.ShowWindow(SW_SHOW);
    owner.SetForegroundWindow();
    BlueMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    menu.AppendMenu(MF_OWNERDRAW, 100, reinterpret_cast<LPCSTR>(1));
    menu.AppendMenu(MF_OWNERDRAW, 101, reinterpret_cast<LPCSTR>(2));
    SetTimer(nullptr, 0, 100, &CaptureAndCloseMenu);
    menu.TrackPopupMenu(TPM_LEFTALIGN, 200, 200, &owner);
    EXPECT_EQ(menu.measures, 2);
    EXPECT_GE(menu.draws, 2);
    EXPECT_GE(g_bluePixels, 2 * 80 * 24 * 9 / 10);
    owner.DestroyWindow();
}

}  // namespace
