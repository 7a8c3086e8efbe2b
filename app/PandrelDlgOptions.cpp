// The main window's options, the tips of its first showing, help, the
// About box and sharing a macro.
#include "app/PandrelDlg.h"

#include "app/DoYouKnowDlg.h"
#include "app/HelpFile.h"
#include "app/MacroFolder.h"
#include "app/OptionFile.h"
#include "app/OptionsDlg.h"
#include "app/PandrelAboutDlg.h"
#include "app/RobotUploadDlg.h"

void CPandrelDlg::LoadOptions()
{
    ReadShowTipOption(GetOptionFilePath(), m_showTips);
}

void CPandrelDlg::SaveOptions()
{
    WriteShowTipOption(GetOptionFilePath(), m_showTips);
}

// Only a "Do not show this again" writes option.ini, so the file never
// says anything but that the tips are off.
void CPandrelDlg::ShowFirstTips()
{
    LoadOptions();
    if (m_showTips != 1)
        return;
    CDoYouKnowDlg tips(this);
    if (!tips.LoadTips())
        return;
    tips.DoModal();
    m_showTips = tips.GetShowAgain();
    if (m_showTips == 0)
        SaveOptions();
}

void CPandrelDlg::OnOptions()
{
    COptionsDlg options(this);
    options.DoModal();
}

void CPandrelDlg::OnHelp()
{
    ShowHelpFile();
}

void CPandrelDlg::OnAbout()
{
    CPandrelAboutDlg about(this);
    about.DoModal();
}

void CPandrelDlg::OnShareMacro(NMHDR*, LRESULT* result)
{
    *result = 0;
    const int row = GetSelectedRow();
    if (row < 0) {
        MessageBox("Please select a macro from list above to share!", nullptr, MB_OK);
        return;
    }
    if (row >= GetMacroCount() || m_macros[row].Name.IsEmpty())
        return;
    CRobotUploadDlg upload(nullptr);
    upload.SetMacroPath(MacroFilePath(m_macros[row].Name));
    upload.DoModal();
}
