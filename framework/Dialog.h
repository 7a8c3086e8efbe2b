// CDialog: a dialog box from a dialog template (an .rc file compiled into
// the program), modal (DoModal) or modeless (Create).
//
//   class CMyDlg : public CDialog {
//   public:
//       CMyDlg() : CDialog(IDD_MY) {}
//   protected:
//       void DoDataExchange(CDataExchange* dx) override;   // DDX_ calls
//       BOOL OnInitDialog() override;
//       DECLARE_MESSAGE_MAP()
//   };
#pragma once

#include "framework/DataExchange.h"
#include "framework/Wnd.h"

class CDialog : public CWnd
{
public:
    CDialog() = default;   // for Create
    explicit CDialog(UINT templateId, CWnd* parent = nullptr);
    explicit CDialog(LPCSTR templateName, CWnd* parent = nullptr);

    // Shows the dialog and runs its own message loop until EndDialog;
    // returns EndDialog's result, or -1 when the dialog cannot be made.
    virtual INT_PTR DoModal();
    // Makes the dialog modeless; it shows when its template says WS_VISIBLE.
    virtual BOOL Create(UINT templateId, CWnd* parent = nullptr);
    virtual BOOL Create(LPCSTR templateName, CWnd* parent = nullptr);
    void EndDialog(int result);

    virtual BOOL OnInitDialog();   // UpdateData(FALSE); TRUE lets the system set the focus
    virtual void OnOK();           // UpdateData(TRUE), then EndDialog(IDOK) when it succeeds
    virtual void OnCancel();       // EndDialog(IDCANCEL)

    // Moves data between the controls and the members (DoDataExchange):
    // TRUE saves the controls into the members. FALSE when a control holds
    // something that cannot be read (the user was told and the control has
    // the focus).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    void GotoDlgCtrl(CWnd* control) { SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control->m_hWnd), TRUE); }
    void NextDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 0, 0); }
    void PrevDlgCtrl() const { ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, 1, 0); }
    void SetDefID(UINT id) { SendMessage(DM_SETDEFID, id); }
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }

    BOOL PreTranslateMessage(MSG* msg) override;
    // A command the dialog does not handle goes on to the thread's object
    // (the application), as a menu command of a main window would.
    BOOL OnCmdMsg(UINT id, int code) override;

protected:
    virtual void DoDataExchange(CDataExchange* dx) {}

    afx_msg LRESULT HandleInitDialog(WPARAM, LPARAM);
    // The window a modal run disables: the parent's (or the main window's)
    // top-level window.
    HWND ModalOwner() const;

    LPCSTR m_lpszTemplateName = nullptr;
    CWnd* m_pParentWnd = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    BOOL CreateFromTemplate(LPCSTR templateName, HWND parent);

    bool m_inModalLoop = false;
    bool m_continueModal = false;
    INT_PTR m_modalResult = -1;
};
