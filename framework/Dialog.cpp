#include "framework/Dialog.h"

#include "framework/WinApp.h"

namespace {

// The dialog manager's own procedure has nothing to do: the dialog's
// messages reach its object through AfxWndProc first.
INT_PTR CALLBACK AfxDlgProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;
}

}  // namespace

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_MESSAGE(WM_INITDIALOG, HandleInitDialog)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT templateId, CWnd* parent)
    : m_lpszTemplateName(MAKEINTRESOURCEA(templateId)), m_pParentWnd(parent)
{
}

CDialog::CDialog(LPCSTR templateName, CWnd* parent) : m_lpszTemplateName(templateName), m_pParentWnd(parent)
{
}

BOOL CDialog::CreateFromTemplate(LPCSTR templateName, HWND parent)
{
    AfxInitCommonControls();
    HINSTANCE instance = AfxGetResourceHandle();
    HRSRC resource = ::FindResourceA(instance, templateName, RT_DIALOG);
    HGLOBAL loaded = resource ? ::LoadResource(instance, resource) : nullptr;
    const DLGTEMPLATE* dialogTemplate = loaded ? static_cast<const DLGTEMPLATE*>(::LockResource(loaded)) : nullptr;
    if (!dialogTemplate)
        return FALSE;
    AfxHookWindowCreate(this);
    HWND hwnd = ::CreateDialogIndirectParamA(instance, dialogTemplate, parent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    return hwnd != nullptr && m_hWnd == hwnd;
}

BOOL CDialog::Create(UINT templateId, CWnd* parent)
{
    return Create(MAKEINTRESOURCEA(templateId), parent);
}

BOOL CDialog::Create(LPCSTR templateName, CWnd* parent)
{
    m_lpszTemplateName = templateName;
    m_pParentWnd = parent;
    CWnd* owner = parent ? parent : AfxGetMainWnd();
    return CreateFromTemplate(templateName, owner ? owner->m_hWnd : nullptr);
}

HWND CDialog::ModalOwner() const
{
    CWnd* owner = m_pParentWnd ? m_pParentWnd : AfxGetMainWnd();
    HWND hwnd = owner ? owner->m_hWnd : nullptr;
    return hwnd ? ::GetAncestor(hwnd, GA_ROOT) : nullptr;
}

INT_PTR CDialog::DoModal()
{
    HWND owner = ModalOwner();
    bool enableOwner = owner && ::IsWindowEnabled(owner);
    if (enableOwner)
        ::EnableWindow(owner, FALSE);
    m_modalResult = -1;
    m_continueModal = true;
    m_inModalLoop = true;
    if (CreateFromTemplate(m_lpszTemplateName, owner)) {
        // A dialog whose template is hidden shows once the loop is first idle.
        bool showWhenIdle = !(GetStyle() & WS_VISIBLE);
        while (m_continueModal && m_hWnd) {
            MSG msg;
            if (showWhenIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
                ShowWindow(SW_SHOWNORMAL);
                UpdateWindow();
                showWhenIdle = false;
            }
            if (!::GetMessageA(&msg, nullptr, 0, 0)) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));   // for the outer loop
                m_modalResult = -1;
                break;
            }
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
    }
    m_inModalLoop = false;
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (enableOwner)
        ::EnableWindow(owner, TRUE);
    if (owner && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(owner);
    DestroyWindow();
    return m_modalResult;
}

void CDialog::EndDialog(int result)
{
    if (m_inModalLoop) {
        m_modalResult = result;
        m_continueModal = false;
        PostMessage(WM_NULL);   // wakes the loop
    }
    ::EndDialog(m_hWnd, result);
}

LRESULT CDialog::HandleInitDialog(WPARAM, LPARAM)
{
    Default();
    return OnInitDialog();
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::UpdateData(BOOL saveAndValidate)
{
    CDataExchange dx(this, saveAndValidate);
    try {
        DoDataExchange(&dx);
    } catch (CUserException* error) {
        error->Delete();
        return FALSE;
    }
    return TRUE;
}

BOOL CDialog::PreTranslateMessage(MSG* msg)
{
    if (CWnd::PreTranslateMessage(msg))
        return TRUE;
    // The dialog's keyboard interface: Tab, arrows, Enter, Escape, mnemonics.
    if (msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::IsDialogMessageA(m_hWnd, msg);
    return FALSE;
}

BOOL CDialog::OnCmdMsg(UINT id, int code)
{
    if (CWnd::OnCmdMsg(id, code))
        return TRUE;
    CWinThread* thread = AfxGetThread();
    return thread && thread->OnCmdMsg(id, code);
}
