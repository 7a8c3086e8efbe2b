#include "app/DoYouKnowDlg.h"

#include "macro/Folders.h"

#include <stdlib.h>

namespace {

const char kTipsFile[] = "tips.txt";
const char kTipHeading[] = "Did you know...\n\n";

}  // namespace

int RandomInRange(int low, int high)
{
    return low + rand() % (high - low + 1);
}

BEGIN_MESSAGE_MAP(CDoYouKnowDlg, CDialog)
    ON_BN_CLICKED(IDC_NEXT_TIP, OnNextTip)
END_MESSAGE_MAP()

CDoYouKnowDlg::CDoYouKnowDlg(CWnd* parent) : CDialog(IDD, parent)
{
}

BOOL CDoYouKnowDlg::LoadTips()
{
    return LoadTipsFrom(GetProgramDirectory() + "\\" + kTipsFile);
}

BOOL CDoYouKnowDlg::LoadTipsFrom(const CString& path)
{
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return FALSE;
    CString line;
    try {
        while (file.ReadString(line))
            m_tips.push_back(line);
    } catch (CFileException* e) {
        e->Delete();   // the tips read so far are shown
    }
    file.Close();
    return !m_tips.empty();
}

BOOL CDoYouKnowDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    CRect area;
    if (CWnd* place = GetDlgItem(IDC_TIP_AREA)) {
        place->GetWindowRect(&area);
        ScreenToClient(&area);
    }
    if (!m_text.Create(WS_CHILD | WS_VISIBLE, area, this, IDC_TIP_TEXT))
        MessageBox("Big Mistakes!", nullptr, MB_OK);
    m_text.SetTextFont("MS Sans Serif", 100);

    m_tipIndex = m_tips.empty() ? 0 : RandomInRange(0, static_cast<int>(m_tips.size()) - 1);
    ShowTip();
    return TRUE;
}

void CDoYouKnowDlg::OnNextTip()
{
    if (m_tips.empty())
        return;
    m_tipIndex = (m_tipIndex + 1) % static_cast<int>(m_tips.size());
    ShowTip();
}

void CDoYouKnowDlg::ShowTip()
{
    if (m_tips.empty())
        return;
    m_shownText = CString(kTipHeading) + m_tips[static_cast<size_t>(m_tipIndex)];
    m_text.SetText(m_shownText);
}

void CDoYouKnowDlg::OnCancel()
{
    m_showAgain = IsDlgButtonChecked(IDC_DONT_SHOW_TIPS) == BST_CHECKED ? 0 : 1;
    CDialog::OnCancel();
}
