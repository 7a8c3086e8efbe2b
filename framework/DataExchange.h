// Dialog data exchange: a dialog's DoDataExchange names, with one DDX_ call
// each, which member goes with which control. UpdateData(FALSE) fills the
// controls from the members (and attaches DDX_Control members to their
// controls); UpdateData(TRUE) reads the controls back.
#pragma once

#include "framework/File.h"
#include "framework/String.h"

class CWnd;

// Thrown by a failed exchange after the user has been told.
class CUserException : public CException
{
};

class CDataExchange
{
public:
    CDataExchange(CWnd* dialog, BOOL saveAndValidate) : m_pDlgWnd(dialog), m_bSaveAndValidate(saveAndValidate) {}

    // The control's window; a dialog without it is a programming error,
    // reported and failed.
    HWND PrepareCtrl(int id);
    // Gives the last prepared control the focus and ends the exchange.
    [[noreturn]] void Fail();

    CWnd* m_pDlgWnd;
    BOOL m_bSaveAndValidate;

private:
    HWND m_lastControl = nullptr;
};

// Attaches (subclasses) the control object to the dialog's control.
void DDX_Control(CDataExchange* dx, int id, CWnd& control);
void DDX_Text(CDataExchange* dx, int id, CString& value);
void DDX_Text(CDataExchange* dx, int id, int& value);
void DDX_Text(CDataExchange* dx, int id, UINT& value);
void DDX_Text(CDataExchange* dx, int id, long& value);
void DDX_Text(CDataExchange* dx, int id, DWORD& value);
// A check box: BST_UNCHECKED, BST_CHECKED or BST_INDETERMINATE.
void DDX_Check(CDataExchange* dx, int id, int& value);
// The first radio button of a group: the 0-based index of the checked one, -1 for none.
void DDX_Radio(CDataExchange* dx, int id, int& value);
void DDX_CBIndex(CDataExchange* dx, int id, int& index);
void DDX_CBString(CDataExchange* dx, int id, CString& value);
