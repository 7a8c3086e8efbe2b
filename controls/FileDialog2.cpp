#include "controls/FileDialog2.h"

INT_PTR CFileDialog2::DoModal()
{
    // A several-file answer is a list of names ended by two zeros: nothing
    // of an earlier text may trail behind it.
    if (m_ofn.lpstrFile && m_ofn.nMaxFile > 0) {
        const DWORD length = static_cast<DWORD>(lstrlenA(m_ofn.lpstrFile));
        if (length < m_ofn.nMaxFile)
            ZeroMemory(m_ofn.lpstrFile + length, m_ofn.nMaxFile - length);
    }
    const HWND focus = ::GetFocus();
    const HWND owner = ModalOwner();
    const bool ownerDisabled = owner && ::IsWindowEnabled(owner);
    if (ownerDisabled)
        ::EnableWindow(owner, FALSE);

    OPENFILENAMEA working = m_ofn;
    working.lStructSize = sizeof working;
    working.hwndOwner = owner;
    const BOOL chosen = m_bOpenFileDialog ? ::GetOpenFileNameA(&working) : ::GetSaveFileNameA(&working);
    m_ofn = working;

    if (ownerDisabled)
        ::EnableWindow(owner, TRUE);
    if (focus && ::IsWindow(focus))
        ::SetFocus(focus);
    return chosen ? IDOK : IDCANCEL;
}
