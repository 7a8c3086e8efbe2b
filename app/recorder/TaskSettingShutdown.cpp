#include "app/recorder/TaskSettingShutdown.h"

namespace {

// The radio buttons in the order they are asked, with their step lines;
// when none of the first three is ticked, the last one counts.
const struct ShutdownChoice
{
    int button;
    const char* line;
} kChoices[] = {
    { IDC_SHUTDOWN_PLAIN, "Shut down computer" },
    { IDC_SHUTDOWN_POWER_OFF, "Power off computer" },
    { IDC_SHUTDOWN_RESTART, "Restart computer" },
    { IDC_SHUTDOWN_LOG_OFF, "Log off computer" },
};
const int kChoiceCount = sizeof kChoices / sizeof kChoices[0];

}  // namespace

BOOL CTaskSettingShutdown::OnInitDialog()
{
    CDialog::OnInitDialog();
    CheckDlgButton(IDC_SHUTDOWN_POWER_OFF, BST_CHECKED);
    return TRUE;
}

void CTaskSettingShutdown::OnOK()
{
    int chosen = kChoiceCount - 1;
    for (int i = 0; i < kChoiceCount - 1; ++i) {
        if (IsDlgButtonChecked(kChoices[i].button) == BST_CHECKED) {
            chosen = i;
            break;
        }
    }
    m_actionLine = kChoices[chosen].line;
    CDialog::OnOK();
}
