#include "framework/Controls.h"

namespace {

// The parent passes a control's WM_DRAWITEM (and WM_MEASUREITEM) on to it.
template <class Control>
BOOL DrawOwnItem(Control* control, UINT message, LPARAM lParam)
{
    if (message != WM_DRAWITEM)
        return FALSE;
    control->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    return TRUE;
}

}  // namespace

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return DrawOwnItem(this, message, lParam) || CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    return DrawOwnItem(this, message, lParam) || CWnd::OnChildNotify(message, wParam, lParam, result);
}

BOOL CComboBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result)
{
    if (message == WM_MEASUREITEM) {
        MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(lParam));
        return TRUE;
    }
    return DrawOwnItem(this, message, lParam) || CWnd::OnChildNotify(message, wParam, lParam, result);
}

void CComboBox::GetLBText(int index, CString& text) const
{
    int length = GetLBTextLen(index);
    if (length == CB_ERR) {
        text.Empty();
        return;
    }
    ::SendMessageA(m_hWnd, CB_GETLBTEXT, static_cast<WPARAM>(index),
                   reinterpret_cast<LPARAM>(text.GetBufferSetLength(length)));
    text.ReleaseBuffer();
}
