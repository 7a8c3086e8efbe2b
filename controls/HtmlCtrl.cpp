#include "controls/HtmlCtrl.h"

namespace {

const char kAppPrefix[] = "app:";
const char kPlayPrefix[] = "play:";

bool StartsWithNoCase(LPCSTR text, LPCSTR prefix)
{
    const int length = lstrlenA(prefix);
    return text && CString(text).Left(length).CompareNoCase(prefix) == 0;
}

}  // namespace

int CHtmlCtrl::CreateFromStatic(UINT id, CWnd* parent)
{
    HWND placeholder = parent ? ::GetDlgItem(parent->m_hWnd, static_cast<int>(id)) : nullptr;
    if (!placeholder)
        return 0;
    CRect rect;
    ::GetWindowRect(placeholder, &rect);
    parent->ScreenToClient(&rect);
    ::DestroyWindow(placeholder);
    m_navigationAllowed = TRUE;
    return Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, rect, parent, id);
}

BOOL CHtmlCtrl::Navigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, const void* postData,
                          DWORD postLength)
{
    if (StartsWithNoCase(url, kPlayPrefix)) {
        m_navigationAllowed = FALSE;
        return FALSE;
    }
    m_navigationAllowed = TRUE;
    return CHtmlView::Navigate2(url, flags, targetFrame, headers, postData, postLength);
}

void CHtmlCtrl::OnBeforeNavigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, BOOL* cancel)
{
    m_navigationAllowed = TRUE;
    if (StartsWithNoCase(url, kAppPrefix)) {
        OnAppCmd(url + lstrlenA(kAppPrefix));
        *cancel = TRUE;
    }
}

void CHtmlCtrl::OnNavigateComplete2(LPCSTR url)
{
    if (StartsWithNoCase(url, kPlayPrefix))
        GoBack();
}

void CHtmlCtrl::OnAppCmd(LPCSTR command)
{
    if (lstrcmpA(command, "Minimise") == 0) {
        if (CWnd* main = AfxGetMainWnd())
            main->ShowWindow(SW_MINIMIZE);
    } else if (lstrcmpA(command, "Beep") == 0) {
        Beep();
    } else {
        MessageBox(command, "Unexpected Command", MB_ICONQUESTION);
    }
}
