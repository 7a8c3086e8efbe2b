// CHtmlView: a window that shows HTML pages in a web browser. The browser
// sits behind CHtmlBrowser, so that the view works (and its logic can be
// tested) where no browser engine is installed: the view then comes up
// empty and every navigation fails.
//
// The browser reports what happens through the view's On... operations,
// which a derived class overrides to steer navigation.
#pragma once

#include "framework/Wnd.h"

class CHtmlView;

// A web browser inside a view's window, owned by the view.
class CHtmlBrowser
{
public:
    virtual ~CHtmlBrowser() = default;
    // The arguments of CHtmlView::Navigate2; FALSE when it cannot start.
    virtual BOOL Navigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, const void* postData,
                           DWORD postLength) = 0;
    virtual BOOL GoBack() = 0;
    // Fits the browser to the view's client area.
    virtual void SetBounds(const RECT& client) = 0;
};

// The system's web browser control in `view`'s window; null when the
// control container is not enabled or no browser can be made.
CHtmlBrowser* AfxCreateSystemWebBrowser(CHtmlView* view);

class CHtmlView : public CWnd
{
public:
    CHtmlView() = default;
    ~CHtmlView() override;

    BOOL Create(LPCSTR className, LPCSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id) override;

    // Null while there is no browser (before creation, or without an engine).
    CHtmlBrowser* GetBrowser() const { return m_browser; }
    // Starts loading the page; FALSE when there is no browser or it refused.
    // Empty texts and a null post block stand for "none".
    virtual BOOL Navigate2(LPCSTR url, DWORD flags = 0, LPCSTR targetFrame = nullptr, LPCSTR headers = nullptr,
                           const void* postData = nullptr, DWORD postLength = 0);
    BOOL GoBack() { return m_browser ? m_browser->GoBack() : FALSE; }

    // Browser events.
    // Before a page is loaded; setting *cancel stops it.
    virtual void OnBeforeNavigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, BOOL* cancel) {}
    virtual void OnNavigateComplete2(LPCSTR url) {}
    virtual void OnCommandStateChange(long command, BOOL enable) {}
    // A page asks for a new window; setting *cancel refuses it.
    virtual void OnNewWindow2(BOOL* cancel) {}
    // The browser is about to show its context menu: S_OK means the view
    // has dealt with it, S_FALSE lets the browser show its own.
    virtual HRESULT OnShowContextMenu(DWORD menuId, POINT point) { return S_FALSE; }

protected:
    // Makes the browser when the window is created; the system's by default.
    virtual CHtmlBrowser* CreateBrowser() { return AfxCreateSystemWebBrowser(this); }
    void ReleaseBrowser();

    afx_msg int OnCreate(LPCREATESTRUCT create);
    afx_msg void OnSize(UINT type, int cx, int cy);
    afx_msg void OnDestroy();

    CHtmlBrowser* m_browser = nullptr;

    DECLARE_MESSAGE_MAP()
};
