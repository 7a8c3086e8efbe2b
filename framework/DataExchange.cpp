#include "framework/DataExchange.h"

#include "framework/MessageBox.h"
#include "framework/Wnd.h"

#include <errno.h>
#include <stdlib.h>

HWND CDataExchange::PrepareCtrl(int id)
{
    HWND control = ::GetDlgItem(m_pDlgWnd->m_hWnd, id);
    if (!control) {
        CString text;
        text.Format("The dialog has no control %d.", id);
        AfxMessageBox(text, MB_ICONSTOP);
        throw new CUserException;
    }
    m_lastControl = control;
    return control;
}

void CDataExchange::Fail()
{
    if (m_bSaveAndValidate && m_lastControl) {
        ::SetFocus(m_lastControl);
        ::SendMessageA(m_lastControl, EM_SETSEL, 0, -1);
    }
    throw new CUserException;
}

void DDX_Control(CDataExchange* dx, int id, CWnd& control)
{
    if (control.m_hWnd)
        return;
    if (!control.SubclassWindow(dx->PrepareCtrl(id))) {
        AfxMessageBox("A control of the dialog cannot be attached.", MB_ICONSTOP);
        throw new CUserException;
    }
}

void DDX_Text(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        CWnd::FromHandle(control)->GetWindowText(value);
    else
        ::SetWindowTextA(control, value);
}

namespace {

// A number in an edit control: optional blanks, an optional sign, digits,
// optional blanks; nothing else, and within the type's range.
template <class T>
void ExchangeNumber(CDataExchange* dx, int id, T& value, bool isSigned, LPCSTR printFormat, LPCSTR complaint)
{
    HWND control = dx->PrepareCtrl(id);
    if (!dx->m_bSaveAndValidate) {
        char text[32];
        wsprintfA(text, printFormat, value);
        ::SetWindowTextA(control, text);
        return;
    }
    CString text;
    CWnd::FromHandle(control)->GetWindowText(text);
    text.Trim();
    char* end = nullptr;
    errno = 0;
    bool ok = !text.IsEmpty() && (isSigned || text[0] != '-');
    long long parsed = ok ? (isSigned ? strtoll(text, &end, 10) : static_cast<long long>(strtoull(text, &end, 10))) : 0;
    ok = ok && end && *end == '\0' && errno == 0 && static_cast<long long>(static_cast<T>(parsed)) == parsed;
    if (!ok) {
        AfxMessageBox(complaint, MB_ICONEXCLAMATION);
        dx->Fail();
    }
    value = static_cast<T>(parsed);
}

}  // namespace

void DDX_Text(CDataExchange* dx, int id, int& value)
{
    ExchangeNumber(dx, id, value, true, "%d", "Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, long& value)
{
    ExchangeNumber(dx, id, value, true, "%ld", "Please enter an integer.");
}

void DDX_Text(CDataExchange* dx, int id, UINT& value)
{
    ExchangeNumber(dx, id, value, false, "%u", "Please enter a positive integer.");
}

void DDX_Text(CDataExchange* dx, int id, DWORD& value)
{
    ExchangeNumber(dx, id, value, false, "%lu", "Please enter a positive integer.");
}

void DDX_Check(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = static_cast<int>(::SendMessageA(control, BM_GETCHECK, 0, 0));
    else
        ::SendMessageA(control, BM_SETCHECK, static_cast<WPARAM>(value), 0);
}

void DDX_Radio(CDataExchange* dx, int id, int& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        value = -1;
    // The group runs from this button up to the next control with WS_GROUP.
    int index = 0;
    HWND button = control;
    do {
        if (::SendMessageA(button, WM_GETDLGCODE, 0, 0) & DLGC_RADIOBUTTON) {
            if (dx->m_bSaveAndValidate) {
                if (::SendMessageA(button, BM_GETCHECK, 0, 0) == BST_CHECKED)
                    value = index;
            } else {
                ::SendMessageA(button, BM_SETCHECK, index == value ? BST_CHECKED : BST_UNCHECKED, 0);
            }
            ++index;
        }
        button = ::GetWindow(button, GW_HWNDNEXT);
    } while (button && !(::GetWindowLongA(button, GWL_STYLE) & WS_GROUP));
}

void DDX_CBIndex(CDataExchange* dx, int id, int& index)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate)
        index = static_cast<int>(::SendMessageA(control, CB_GETCURSEL, 0, 0));
    else
        ::SendMessageA(control, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void DDX_CBString(CDataExchange* dx, int id, CString& value)
{
    HWND control = dx->PrepareCtrl(id);
    if (dx->m_bSaveAndValidate) {
        CWnd::FromHandle(control)->GetWindowText(value);
        return;
    }
    // Selects the first item that begins with the text; the edit part of a
    // drop-down combo box shows the text itself.
    if (::SendMessageA(control, CB_SELECTSTRING, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(static_cast<LPCSTR>(value))) == CB_ERR)
        ::SetWindowTextA(control, value);
}
