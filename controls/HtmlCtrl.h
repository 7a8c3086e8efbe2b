// CHtmlCtrl: an HTML view used as a plain child control of a dialog, made
// in place of a static control of the dialog's template. Links to "app:"
// followed by a command run that command (OnAppCmd) instead of navigating;
// "play:" addresses are never shown.
//
//     BOOL CShareDlg::OnInitDialog() {
//         CDialog::OnInitDialog();
//         m_page.CreateFromStatic(IDC_PAGE, this);
//         m_page.Navigate2(pageFile);
//         ...
#pragma once

#include "framework/Ui.h"

class CHtmlCtrl : public CHtmlView
{
public:
    // Replaces the dialog's control `id` by the view, at its place and with
    // its id. Non-zero when the view was made; 0 when there is no such
    // control. Without a browser engine the view is made but stays empty.
    int CreateFromStatic(UINT id, CWnd* parent);

    // Runs the command of an "app:" link: "Minimise" minimises the main
    // window, "Beep" sounds the information beep; any other is shown as
    // "Unexpected Command". The names are case-sensitive.
    virtual void OnAppCmd(LPCSTR command);

    // A "play:" address is not navigated to; others go to the browser.
    BOOL Navigate2(LPCSTR url, DWORD flags = 0, LPCSTR targetFrame = nullptr, LPCSTR headers = nullptr,
                   const void* postData = nullptr, DWORD postLength = 0) override;

    void OnBeforeNavigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, BOOL* cancel) override;
    void OnNavigateComplete2(LPCSTR url) override;
    // No browser context menu, and nothing to do on command-state changes
    // or new-window requests.
    HRESULT OnShowContextMenu(DWORD menuId, POINT point) override { return S_OK; }
    void OnCommandStateChange(long command, BOOL enable) override {}
    void OnNewWindow2(BOOL* cancel) override {}

    BOOL IsNavigationAllowed() const { return m_navigationAllowed; }

protected:
    // The control is a member of its dialog, not deleted with its window.
    void PostNcDestroy() override {}
    // Commands sent to the control are its own and do nothing.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override { return TRUE; }
    virtual void Beep() { ::MessageBeep(MB_ICONASTERISK); }

    BOOL m_navigationAllowed = FALSE;
};
