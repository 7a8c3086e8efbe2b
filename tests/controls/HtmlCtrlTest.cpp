// The HTML control on a dialog: made in place of a static, its "app:"
// commands and "play:" addresses, with a browser of the test's own that
// reports events as the system's does; and the control without a browser
// engine, as on these machines, which comes up and fails cleanly.
#include "controls/HtmlCtrl.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/DisplayControlsTestResource.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace control_tests;
using namespace testing_support;

namespace {

struct Navigation
{
    std::string url;
    DWORD flags;
    std::string targetFrame, headers, postData;
};

// Navigates at once: before-navigate, then (unless cancelled) the page
// changes and navigate-complete follows.
class FakeBrowser : public CHtmlBrowser
{
public:
    explicit FakeBrowser(CHtmlView* view) : m_view(view) {}

    BOOL Navigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, const void* postData,
                   DWORD postLength) override
    {
        navigations.push_back(Navigation{url, flags, targetFrame, headers,
                                         std::string(static_cast<const char*>(postData ? postData : ""), postLength)});
        return Load(url);
    }
    BOOL GoBack() override
    {
        ++backs;
        return TRUE;
    }
    void SetBounds(const RECT& client) override { bounds = client; }

    // The user follows a link of the page.
    BOOL Load(const std::string& url)
    {
        BOOL cancel = FALSE;
        m_view->OnBeforeNavigate2(url.c_str(), 0, "", "", &cancel);
        if (cancel)
            return TRUE;
        page = url;
        m_view->OnNavigateComplete2(url.c_str());
        return TRUE;
    }

    std::vector<Navigation> navigations;
    std::string page;
    int backs = 0;
    RECT bounds = {};

private:
    CHtmlView* m_view;
};

class TestHtmlCtrl : public CHtmlCtrl
{
public:
    FakeBrowser* browser = nullptr;
    int beeps = 0;

protected:
    CHtmlBrowser* CreateBrowser() override { return browser = new FakeBrowser(this); }
    void Beep() override { ++beeps; }
};

// The system's browser, with the beep counted.
class BeepCountingHtmlCtrl : public CHtmlCtrl
{
public:
    int beeps = 0;

protected:
    void Beep() override { ++beeps; }
};

class HtmlDlg : public CDialog
{
public:
    TestHtmlCtrl m_page;
    BeepCountingHtmlCtrl m_systemPage;
};

class HtmlCtrl : public DialogTest<HtmlDlg, IDD_HTML>
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        ASSERT_NE(m_dlg.m_page.CreateFromStatic(IDC_HTML_PLACE, &m_dlg), 0);
        ASSERT_NE(m_dlg.m_page.browser, nullptr);
        m_dlg.m_page.Navigate2("http://example.invalid/start.html");
    }
    FakeBrowser& Browser() { return *m_dlg.m_page.browser; }
};

TEST_F(HtmlCtrl, TakesThePlaceAndIdOfTheStatic)
{
    CHtmlCtrl& page = m_dlg.m_page;
    EXPECT_EQ(m_dlg.GetDlgItem(IDC_HTML_PLACE)->m_hWnd, page.m_hWnd) << "the static is gone, the view has its id";
    EXPECT_EQ(page.GetStyle() & (WS_CHILD | WS_VISIBLE), static_cast<DWORD>(WS_CHILD | WS_VISIBLE));
    CRect expected(10, 10, 190, 110);
    m_dlg.MapDialogRect(&expected);
    CRect rect;
    page.GetWindowRect(&rect);
    m_dlg.ScreenToClient(&rect);
    EXPECT_EQ(rect, expected);
    CRect client;
    page.GetClientRect(&client);
    EXPECT_EQ(CRect(Browser().bounds), client) << "the browser fills the view";
    EXPECT_EQ(page.OnShowContextMenu(0, POINT{5, 5}), S_OK) << "no browser context menu";

    CHtmlCtrl other;
    EXPECT_EQ(other.CreateFromStatic(IDC_HTML_PLACE + 1, &m_dlg), 0) << "no such control";
    EXPECT_EQ(other.m_hWnd, nullptr);
}

TEST_F(HtmlCtrl, AppLinksRunCommandsAndLeaveThePage)
{
    CWinApp app("Kestrune Test");
    CWnd mainWindow;
    ASSERT_TRUE(mainWindow.CreateEx(0, nullptr, "Main window", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 300, 300, 200, 100,
                                    nullptr, nullptr));
    app.m_pMainWnd = &mainWindow;
    DialogAnswerer user(IDOK, 0, {m_dlg.m_hWnd});

    const struct
    {
        const char* link;
        int beeps;
        const char* shown;   // the text of the message box, or none
        bool minimised;
    } cases[] = {
        {"app:Beep", 1, nullptr, false},
        {"APP:Beep", 1, nullptr, false},
        {"App:Beep", 1, nullptr, false},
        {"app:beep", 0, "beep", false},
        {"app:Close the window", 0, "Close the window", false},
        {"app:Minimise", 0, nullptr, true},
    };
    size_t boxes = 0;
    for (const auto& c : cases) {
        m_dlg.m_page.beeps = 0;
        mainWindow.ShowWindow(SW_RESTORE);
        Browser().Load(c.link);
        EXPECT_EQ(Browser().page, "http://example.invalid/start.html") << c.link << ": the page stays";
        EXPECT_EQ(m_dlg.m_page.beeps, c.beeps) << c.link;
        EXPECT_EQ(mainWindow.IsIconic() != FALSE, c.minimised) << c.link;
        if (c.shown) {
            ASSERT_TRUE(user.WaitFor(++boxes)) << c.link;
            const DialogAnswerer::Seen box = user.Dialogs().back();
            EXPECT_EQ(box.caption, "Unexpected Command");
            EXPECT_EQ(box.text, c.shown);
        }
    }
    EXPECT_EQ(user.Dialogs().size(), boxes) << "no other box";
    app.m_pMainWnd = nullptr;
    mainWindow.DestroyWindow();
}

TEST_F(HtmlCtrl, PlayAddressesAreNeverShown)
{
    Browser().navigations.clear();
    for (const char* url : {"play:tune", "PLAY:tune", "Play:"}) {
        EXPECT_FALSE(m_dlg.m_page.Navigate2(url)) << url;
        EXPECT_FALSE(m_dlg.m_page.IsNavigationAllowed()) << url;
    }
    EXPECT_TRUE(Browser().navigations.empty()) << "none reached the browser";

    // A link to one from the page: the browser goes back at once.
    Browser().Load("play:sound.wav");
    EXPECT_EQ(Browser().backs, 1);
    EXPECT_TRUE(m_dlg.m_page.IsNavigationAllowed());
    Browser().Load("http://example.invalid/next.html");
    EXPECT_EQ(Browser().backs, 1) << "other pages stay";
    Browser().Load("player.html");
    EXPECT_EQ(Browser().backs, 1);

    // Any other address goes to the browser with all its arguments.
    const char post[] = "script_name=a&b";
    EXPECT_TRUE(m_dlg.m_page.Navigate2("http://example.invalid/upload", 4, "_self", "Content-Type: x\r\n", post,
                                       sizeof post - 1));
    EXPECT_TRUE(m_dlg.m_page.IsNavigationAllowed());
    ASSERT_EQ(Browser().navigations.size(), 1u);
    const Navigation& n = Browser().navigations[0];
    EXPECT_EQ(n.url, "http://example.invalid/upload");
    EXPECT_EQ(n.flags, 4u);
    EXPECT_EQ(n.targetFrame, "_self");
    EXPECT_EQ(n.headers, "Content-Type: x\r\n");
    EXPECT_EQ(n.postData, post);
}

// The system's browser control, if the system has one: Wine has the
// control but no engine to show pages with (nor may these machines install
// one), so no page ever appears, but the control's own events still come.
TEST_F(HtmlCtrl, ComesUpWithTheSystemsBrowserOrWithoutOneAndFailsCleanly)
{
    ASSERT_TRUE(AfxEnableControlContainer());
    CStatic place;
    ASSERT_TRUE(place.Create("", WS_CHILD, CRect(0, 0, 100, 60), &m_dlg, IDC_HTML_PLACE + 2));
    place.Detach();
    BeepCountingHtmlCtrl& page = m_dlg.m_systemPage;
    ASSERT_NE(page.CreateFromStatic(IDC_HTML_PLACE + 2, &m_dlg), 0);
    EXPECT_TRUE(::IsWindow(page.m_hWnd));
    const BOOL navigated = page.Navigate2("about:blank");
    std::printf("system browser %s, navigation %s\n", page.GetBrowser() ? "made" : "absent",
                navigated ? "started" : "failed");
    if (page.GetBrowser()) {
        // The browser's before-navigate event reaches the control.
        EXPECT_TRUE(page.Navigate2("app:Beep"));
        EXPECT_TRUE(PumpUntil([&] { return page.beeps == 1; }, 5000)) << "the command ran";
    } else {
        EXPECT_FALSE(navigated) << "no browser: the navigation fails";
    }
    EXPECT_FALSE(page.Navigate2("play:x"));
    page.SendMessage(WM_COMMAND, IDOK);   // commands sent to it stop there
    EXPECT_TRUE(::IsWindow(m_dlg.m_hWnd));
    PumpMessages(100);

    page.DestroyWindow();
    EXPECT_EQ(page.m_hWnd, nullptr) << "the object outlives its window";
    EXPECT_EQ(page.GetBrowser(), nullptr);
    EXPECT_FALSE(page.Navigate2("about:blank"));
}

}  // namespace
