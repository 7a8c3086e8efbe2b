#include "framework/HtmlView.h"

BEGIN_MESSAGE_MAP(CHtmlView, CWnd)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CHtmlView::~CHtmlView()
{
    ReleaseBrowser();
}

BOOL CHtmlView::Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    if (!className)
        className = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                        reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    return CWnd::Create(className, windowName, style | WS_CLIPCHILDREN, rect, parent, id);
}

int CHtmlView::OnCreate(LPCREATESTRUCT create)
{
    if (CWnd::OnCreate(create) == -1)
        return -1;
    m_browser = CreateBrowser();   // none is no failure: the view stays empty
    return 0;
}

void CHtmlView::OnSize(UINT type, int cx, int cy)
{
    CWnd::OnSize(type, cx, cy);
    if (m_browser) {
        RECT client = {0, 0, cx, cy};
        m_browser->SetBounds(client);
    }
}

void CHtmlView::OnDestroy()
{
    ReleaseBrowser();
    CWnd::OnDestroy();
}

void CHtmlView::ReleaseBrowser()
{
    CHtmlBrowser* browser = m_browser;
    m_browser = nullptr;
    delete browser;
}

BOOL CHtmlView::Navigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, const void* postData,
                          DWORD postLength)
{
    if (!m_browser || !url)
        return FALSE;
    return m_browser->Navigate2(url, flags, targetFrame ? targetFrame : "", headers ? headers : "", postData,
                                postData ? postLength : 0);
}
