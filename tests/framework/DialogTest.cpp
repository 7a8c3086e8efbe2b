// Dialogs from templates: the modal loop and its PreTranslateMessage chain,
// modeless dialogs in the thread's routing, commands passed on to the
// application, and no windows or GDI objects left behind.
#include "framework/Ui.h"
#include "tests/framework/UiTestResource.h"
#include "tests/support/GuiObjects.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_support;

namespace {

std::vector<std::string> g_chain;

std::string Describe(const char* who, const MSG* msg)
{
    char text[64];
    wsprintfA(text, "%s %04x %u", who, msg->message, static_cast<UINT>(msg->wParam));
    return text;
}

class ChainEdit : public CEdit
{
public:
    WPARAM consumeKey = 0;
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN) {
            g_chain.push_back(Describe("edit", msg));
            if (msg->wParam == consumeKey)
                return TRUE;
        }
        return CEdit::PreTranslateMessage(msg);
    }
};

class ModalDlg : public CDialog
{
public:
    explicit ModalDlg(CWnd* parent = nullptr) : CDialog(IDD_MODAL, parent) {}
    ChainEdit m_edit;
    std::vector<WPARAM> keysToPost;
    bool hiddenWhileBusy = false;
    bool shownWhenIdle = false;
    bool ownerEnabledDuringLoop = true;
    int endInInit = 0;
    bool quitInInit = false;
    bool closeOnTick = false;

protected:
    void DoDataExchange(CDataExchange* dx) override { DDX_Control(dx, IDC_EDIT, m_edit); }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        if (endInInit)
            EndDialog(endInInit);
        if (quitInInit)
            ::PostQuitMessage(7);
        PostMessage(WM_BUSY);
        SetTimer(1, 30);
        return TRUE;
    }
    // Handled before the loop is first idle: a message was waiting.
    afx_msg LRESULT OnBusy(WPARAM, LPARAM)
    {
        hiddenWhileBusy = IsWindowVisible() == FALSE;
        return 0;
    }
    // The dialog acts once the loop has shown it. A tick can come before the
    // loop is first idle (on a loaded machine), so the timer keeps ticking
    // until then, for three seconds at most.
    afx_msg void OnTimer(UINT_PTR)
    {
        if (!IsWindowVisible() && ++m_hiddenTicks < 100)
            return;
        KillTimer(1);
        shownWhenIdle = IsWindowVisible() != FALSE;
        if (m_pParentWnd)
            ownerEnabledDuringLoop = m_pParentWnd->IsWindowEnabled() != FALSE;
        m_edit.SetFocus();
        for (WPARAM key : keysToPost)
            m_edit.PostMessage(WM_KEYDOWN, key, 1);
        if (closeOnTick)
            EndDialog(IDOK);
    }
    BOOL PreTranslateMessage(MSG* msg) override
    {
        if (msg->message == WM_KEYDOWN)
            g_chain.push_back(Describe("dialog", msg));
        return CDialog::PreTranslateMessage(msg);
    }
    DECLARE_MESSAGE_MAP()

private:
    static const UINT WM_BUSY = WM_APP + 1;
    int m_hiddenTicks = 0;
};

BEGIN_MESSAGE_MAP(ModalDlg, CDialog)
    ON_MESSAGE(WM_BUSY, OnBusy)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Dialog, AModalLoopOffersKeysToTheControlThenTheDialog)
{
    g_chain.clear();
    ModalDlg dlg;
    dlg.keysToPost = { 'A', VK_ESCAPE };
    EXPECT_EQ(dlg.DoModal(), IDCANCEL) << "Escape reached the dialog manager";
    EXPECT_EQ(g_chain, (std::vector<std::string>{ "edit 0100 65", "dialog 0100 65", "edit 0100 27", "dialog 0100 27" }));
    EXPECT_TRUE(dlg.hiddenWhileBusy) << "a hidden template stays hidden while messages wait";
    EXPECT_TRUE(dlg.shownWhenIdle) << "and shows once the loop is idle";
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_edit.m_hWnd, nullptr);
}

TEST(Dialog, AControlThatTakesAKeyEndsTheChain)
{
    g_chain.clear();
    ModalDlg dlg;
    dlg.m_edit.consumeKey = VK_ESCAPE;
    dlg.keysToPost = { VK_ESCAPE, VK_RETURN };
    EXPECT_EQ(dlg.DoModal(), IDOK) << "Escape was taken by the edit, Enter pressed the default button";
    EXPECT_EQ(g_chain, (std::vector<std::string>{ "edit 0100 27", "edit 0100 13", "dialog 0100 13" }));
}

TEST(Dialog, EndDialogDuringSetUpReturnsWithoutALoop)
{
    ModalDlg dlg;
    dlg.endInInit = 55;
    EXPECT_EQ(dlg.DoModal(), 55);
}

TEST(Dialog, AQuitMessageEndsTheModalLoopAndStaysForTheOuterOne)
{
    ModalDlg dlg;
    dlg.quitInInit = true;
    EXPECT_EQ(dlg.DoModal(), -1);
    MSG msg;
    ASSERT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(msg.wParam, 7u);
}

TEST(Dialog, TheOwnerIsDisabledWhileAModalDialogRuns)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "Owner", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
    ModalDlg dlg(&owner);
    dlg.closeOnTick = true;
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_FALSE(dlg.ownerEnabledDuringLoop);
    EXPECT_TRUE(owner.IsWindowEnabled());
    owner.DestroyWindow();
}

TEST(Dialog, AMissingTemplateFailsCleanly)
{
    CDialog dlg(4321);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(4321));
}

TEST(Dialog, AModelessDialogGetsItsKeyboardInterfaceFromTheThreadRouting)
{
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_MODAL));
    dlg.ShowWindow(SW_SHOW);
    dlg.SetForegroundWindow();
    CWnd* first = dlg.GetDlgItem(IDC_EDIT);
    first->SetFocus();
    first->PostMessage(WM_KEYDOWN, VK_TAB, 1);
    EXPECT_TRUE(PumpUntil([&] { return ::GetFocus() == dlg.GetDlgItem(IDC_SECOND_EDIT)->m_hWnd; }, 2000))
        << "Tab moved the focus";
    dlg.DestroyWindow();
}

class HelpApp : public CWinApp
{
public:
    int helpCommands = 0;

protected:
    afx_msg void OnHelpCommand() { ++helpCommands; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

TEST(Dialog, ACommandTheDialogDoesNotHandleGoesToTheApplication)
{
    HelpApp app;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_VISIBLE));
    dlg.SendMessage(WM_COMMAND, ID_HELP);
    EXPECT_EQ(app.helpCommands, 1);
    dlg.DestroyWindow();
}

// Every round shows and paints both dialogs: the system makes the fonts and
// images of a dialog's frame when it first paints one and keeps them, so a
// first round that never showed its dialog would make the next ones look
// as if they leaked.
TEST(Dialog, OpeningAndClosingDialogsLeavesNoWindowsOrGdiObjects)
{
    ExpectNoGuiObjectLeak([] {
        ModalDlg modal;
        modal.closeOnTick = true;
        modal.DoModal();
        EXPECT_TRUE(modal.shownWhenIdle);
        CDialog modeless;
        modeless.Create(IDD_VISIBLE);
        modeless.UpdateWindow();
        PumpMessages(20);
        modeless.DestroyWindow();
    }, 10);
}

}  // namespace
