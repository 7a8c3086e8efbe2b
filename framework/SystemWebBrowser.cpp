// The system's web browser control, hosted in a CHtmlView's window: the
// site object gives the control its place (client site, in-place site and
// frame), answers its host-UI questions and receives its events, which it
// passes on to the view.
#include "framework/ControlContainer.h"
#include "framework/HtmlView.h"

#include <exdisp.h>
#include <exdispid.h>
#include <mshtmhst.h>
#include <ole2.h>

#include <string>

namespace {

BSTR ToBstr(LPCSTR text)
{
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    std::wstring wide(length > 0 ? length : 1, L'\0');
    if (length > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], length);
    return ::SysAllocString(wide.c_str());
}

CString FromBstr(BSTR text)
{
    CString result;
    if (!text)
        return result;
    const int length = ::WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (length > 1) {
        ::WideCharToMultiByte(CP_ACP, 0, text, -1, result.GetBuffer(length), length, nullptr, nullptr);
        result.ReleaseBuffer();
    }
    return result;
}

// The text of an event argument, passed directly or by reference.
CString ArgumentText(const VARIANT& argument)
{
    const VARIANT* value = &argument;
    if (value->vt == (VT_BYREF | VT_VARIANT) && value->pvarVal)
        value = value->pvarVal;
    if (value->vt == VT_BSTR)
        return FromBstr(value->bstrVal);
    if (value->vt == (VT_BYREF | VT_BSTR) && value->pbstrVal)
        return FromBstr(*value->pbstrVal);
    return CString();
}

long ArgumentLong(const VARIANT& argument)
{
    VARIANT copy;
    ::VariantInit(&copy);
    long result = 0;
    if (SUCCEEDED(::VariantChangeType(&copy, const_cast<VARIANT*>(&argument), 0, VT_I4)))
        result = copy.lVal;
    ::VariantClear(&copy);
    return result;
}

void SetCancel(const VARIANT& argument, BOOL cancel)
{
    if (argument.vt == (VT_BYREF | VT_BOOL) && argument.pboolVal)
        *argument.pboolVal = cancel ? VARIANT_TRUE : VARIANT_FALSE;
}

class BrowserSite : public IOleClientSite,
                    public IOleInPlaceSite,
                    public IOleInPlaceFrame,
                    public IDocHostUIHandler,
                    public IDispatch
{
public:
    explicit BrowserSite(CHtmlView* view) : m_view(view) {}
    void Detach() { m_view = nullptr; }

    // IUnknown
    STDMETHODIMP QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == IID_IUnknown || iid == IID_IOleClientSite)
            *object = static_cast<IOleClientSite*>(this);
        else if (iid == IID_IOleWindow || iid == IID_IOleInPlaceSite)
            *object = static_cast<IOleInPlaceSite*>(this);
        else if (iid == IID_IOleInPlaceUIWindow || iid == IID_IOleInPlaceFrame)
            *object = static_cast<IOleInPlaceFrame*>(this);
        else if (iid == IID_IDocHostUIHandler)
            *object = static_cast<IDocHostUIHandler*>(this);
        else if (iid == IID_IDispatch || iid == DIID_DWebBrowserEvents2)
            *object = static_cast<IDispatch*>(this);
        else {
            *object = nullptr;
            return E_NOINTERFACE;
        }
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++m_references; }
    STDMETHODIMP_(ULONG) Release() override
    {
        const ULONG left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

    // IOleClientSite
    STDMETHODIMP SaveObject() override { return E_NOTIMPL; }
    STDMETHODIMP GetMoniker(DWORD, DWORD, IMoniker** moniker) override
    {
        *moniker = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetContainer(IOleContainer** container) override
    {
        *container = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP ShowObject() override { return S_OK; }
    STDMETHODIMP OnShowWindow(BOOL) override { return S_OK; }
    STDMETHODIMP RequestNewObjectLayout() override { return E_NOTIMPL; }

    // IOleWindow, for the in-place site and the frame
    STDMETHODIMP GetWindow(HWND* window) override
    {
        *window = m_view ? m_view->m_hWnd : nullptr;
        return *window ? S_OK : E_FAIL;
    }
    STDMETHODIMP ContextSensitiveHelp(BOOL) override { return E_NOTIMPL; }

    // IOleInPlaceSite
    STDMETHODIMP CanInPlaceActivate() override { return m_view ? S_OK : S_FALSE; }
    STDMETHODIMP OnInPlaceActivate() override { return S_OK; }
    STDMETHODIMP OnUIActivate() override { return S_OK; }
    STDMETHODIMP GetWindowContext(IOleInPlaceFrame** frame, IOleInPlaceUIWindow** document, LPRECT position,
                                  LPRECT clip, LPOLEINPLACEFRAMEINFO info) override
    {
        *frame = static_cast<IOleInPlaceFrame*>(this);
        AddRef();
        *document = nullptr;
        RECT client = {0, 0, 0, 0};
        if (m_view)
            m_view->GetClientRect(&client);
        *position = client;
        *clip = client;
        info->fMDIApp = FALSE;
        info->hwndFrame = m_view ? m_view->m_hWnd : nullptr;
        info->haccel = nullptr;
        info->cAccelEntries = 0;
        return S_OK;
    }
    STDMETHODIMP Scroll(SIZE) override { return E_NOTIMPL; }
    STDMETHODIMP OnUIDeactivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnInPlaceDeactivate() override { return S_OK; }
    STDMETHODIMP DiscardUndoState() override { return E_NOTIMPL; }
    STDMETHODIMP DeactivateAndUndo() override { return E_NOTIMPL; }
    STDMETHODIMP OnPosRectChange(LPCRECT) override { return S_OK; }

    // IOleInPlaceUIWindow and IOleInPlaceFrame: no menus, borders or status bar
    STDMETHODIMP GetBorder(LPRECT) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP RequestBorderSpace(LPCBORDERWIDTHS) override { return INPLACE_E_NOTOOLSPACE; }
    STDMETHODIMP SetBorderSpace(LPCBORDERWIDTHS) override { return S_OK; }
    STDMETHODIMP SetActiveObject(IOleInPlaceActiveObject*, LPCOLESTR) override { return S_OK; }
    STDMETHODIMP InsertMenus(HMENU, LPOLEMENUGROUPWIDTHS) override { return E_NOTIMPL; }
    STDMETHODIMP SetMenu(HMENU, HOLEMENU, HWND) override { return S_OK; }
    STDMETHODIMP RemoveMenus(HMENU) override { return E_NOTIMPL; }
    STDMETHODIMP SetStatusText(LPCOLESTR) override { return S_OK; }
    STDMETHODIMP EnableModeless(BOOL) override { return S_OK; }   // the frame's and the host UI's
    STDMETHODIMP TranslateAccelerator(LPMSG, WORD) override { return S_FALSE; }

    // IDocHostUIHandler
    STDMETHODIMP ShowContextMenu(DWORD menuId, POINT* point, IUnknown*, IDispatch*) override
    {
        POINT at = point ? *point : POINT{0, 0};
        return m_view ? m_view->OnShowContextMenu(menuId, at) : S_OK;
    }
    STDMETHODIMP GetHostInfo(DOCHOSTUIINFO* info) override
    {
        if (!info || info->cbSize < sizeof(DOCHOSTUIINFO))
            return E_INVALIDARG;
        info->dwFlags = DOCHOSTUIFLAG_NO3DBORDER;
        info->dwDoubleClick = DOCHOSTUIDBLCLK_DEFAULT;
        return S_OK;
    }
    STDMETHODIMP ShowUI(DWORD, IOleInPlaceActiveObject*, IOleCommandTarget*, IOleInPlaceFrame*,
                        IOleInPlaceUIWindow*) override
    {
        return S_OK;
    }
    STDMETHODIMP HideUI() override { return S_OK; }
    STDMETHODIMP UpdateUI() override { return S_OK; }
    STDMETHODIMP OnDocWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP OnFrameWindowActivate(BOOL) override { return S_OK; }
    STDMETHODIMP ResizeBorder(LPCRECT, IOleInPlaceUIWindow*, BOOL) override { return S_OK; }
    STDMETHODIMP TranslateAccelerator(LPMSG, const GUID*, DWORD) override { return S_FALSE; }
    STDMETHODIMP GetOptionKeyPath(LPOLESTR* key, DWORD) override
    {
        *key = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP GetDropTarget(IDropTarget*, IDropTarget** target) override
    {
        *target = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetExternal(IDispatch** external) override
    {
        *external = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP TranslateUrl(DWORD, LPWSTR, LPWSTR* translated) override
    {
        *translated = nullptr;
        return S_FALSE;
    }
    STDMETHODIMP FilterDataObject(IDataObject*, IDataObject** result) override
    {
        *result = nullptr;
        return S_FALSE;
    }

    // IDispatch: the browser's events (arguments come last to first)
    STDMETHODIMP GetTypeInfoCount(UINT* count) override
    {
        *count = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
    STDMETHODIMP Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* params, VARIANT*, EXCEPINFO*, UINT*) override
    {
        if (!m_view || !params)
            return S_OK;
        const VARIANT* args = params->rgvarg;
        const UINT count = params->cArgs;
        switch (id) {
        case DISPID_BEFORENAVIGATE2:
            if (count >= 7) {
                BOOL cancel = FALSE;
                m_view->OnBeforeNavigate2(ArgumentText(args[5]), static_cast<DWORD>(ArgumentLong(args[4])),
                                          ArgumentText(args[3]), ArgumentText(args[1]), &cancel);
                SetCancel(args[0], cancel);
            }
            break;
        case DISPID_NAVIGATECOMPLETE2:
            if (count >= 2)
                m_view->OnNavigateComplete2(ArgumentText(args[0]));
            break;
        case DISPID_COMMANDSTATECHANGE:
            if (count >= 2)
                m_view->OnCommandStateChange(ArgumentLong(args[1]), ArgumentLong(args[0]) != 0);
            break;
        case DISPID_NEWWINDOW2:
            if (count >= 2) {
                BOOL cancel = FALSE;
                m_view->OnNewWindow2(&cancel);
                SetCancel(args[0], cancel);
            }
            break;
        default:
            break;
        }
        return S_OK;
    }

private:
    virtual ~BrowserSite() = default;

    ULONG m_references = 1;
    CHtmlView* m_view;
};

template <class Interface>
void ReleaseInterface(Interface*& object)
{
    if (object)
        object->Release();
    object = nullptr;
}

class SystemWebBrowser : public CHtmlBrowser
{
public:
    explicit SystemWebBrowser(CHtmlView* view) : m_site(new BrowserSite(view)) {}

    ~SystemWebBrowser() override
    {
        if (m_events && m_cookie)
            m_events->Unadvise(m_cookie);
        ReleaseInterface(m_events);
        ReleaseInterface(m_browser);
        if (m_object) {
            m_object->Close(OLECLOSE_NOSAVE);
            m_object->SetClientSite(nullptr);
        }
        ReleaseInterface(m_object);
        m_site->Detach();
        m_site->Release();
    }

    bool Open(HWND window)
    {
        if (FAILED(::CoCreateInstance(CLSID_WebBrowser, nullptr, CLSCTX_INPROC_SERVER, IID_IOleObject,
                                      reinterpret_cast<void**>(&m_object))))
            return false;
        if (FAILED(m_object->SetClientSite(static_cast<IOleClientSite*>(m_site))))
            return false;
        RECT client;
        ::GetClientRect(window, &client);
        if (FAILED(m_object->DoVerb(OLEIVERB_INPLACEACTIVATE, nullptr, static_cast<IOleClientSite*>(m_site), 0,
                                    window, &client)))
            return false;
        if (FAILED(m_object->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&m_browser))))
            return false;
        IConnectionPointContainer* points = nullptr;
        if (SUCCEEDED(m_object->QueryInterface(IID_IConnectionPointContainer, reinterpret_cast<void**>(&points)))) {
            if (SUCCEEDED(points->FindConnectionPoint(DIID_DWebBrowserEvents2, &m_events)))
                m_events->Advise(static_cast<IDispatch*>(m_site), &m_cookie);
            points->Release();
        }
        return true;
    }

    BOOL Navigate2(LPCSTR url, DWORD flags, LPCSTR targetFrame, LPCSTR headers, const void* postData,
                   DWORD postLength) override
    {
        VARIANT address, flagsValue, target, post, headersValue;
        for (VARIANT* v : {&address, &flagsValue, &target, &post, &headersValue})
            ::VariantInit(v);
        address.vt = VT_BSTR;
        address.bstrVal = ToBstr(url);
        flagsValue.vt = VT_I4;
        flagsValue.lVal = static_cast<LONG>(flags);
        if (*targetFrame) {
            target.vt = VT_BSTR;
            target.bstrVal = ToBstr(targetFrame);
        }
        if (*headers) {
            headersValue.vt = VT_BSTR;
            headersValue.bstrVal = ToBstr(headers);
        }
        if (postData) {
            SAFEARRAY* bytes = ::SafeArrayCreateVector(VT_UI1, 0, postLength);
            void* data = nullptr;
            if (bytes && SUCCEEDED(::SafeArrayAccessData(bytes, &data))) {
                memcpy(data, postData, postLength);
                ::SafeArrayUnaccessData(bytes);
                post.vt = VT_ARRAY | VT_UI1;
                post.parray = bytes;
            }
        }
        const HRESULT result = m_browser->Navigate2(&address, &flagsValue, &target, &post, &headersValue);
        for (VARIANT* v : {&address, &flagsValue, &target, &post, &headersValue})
            ::VariantClear(v);
        return SUCCEEDED(result);
    }

    BOOL GoBack() override { return SUCCEEDED(m_browser->GoBack()); }

    void SetBounds(const RECT& client) override
    {
        IOleInPlaceObject* inPlace = nullptr;
        if (SUCCEEDED(m_object->QueryInterface(IID_IOleInPlaceObject, reinterpret_cast<void**>(&inPlace)))) {
            inPlace->SetObjectRects(&client, &client);
            inPlace->Release();
        }
    }

private:
    BrowserSite* m_site;
    IOleObject* m_object = nullptr;
    IWebBrowser2* m_browser = nullptr;
    IConnectionPoint* m_events = nullptr;
    DWORD m_cookie = 0;
};

}  // namespace

CHtmlBrowser* AfxCreateSystemWebBrowser(CHtmlView* view)
{
    if (!AfxControlContainerEnabled() || !view || !view->m_hWnd)
        return nullptr;
    SystemWebBrowser* browser = new SystemWebBrowser(view);
    if (browser->Open(view->m_hWnd))
        return browser;
    delete browser;
    return nullptr;
}
