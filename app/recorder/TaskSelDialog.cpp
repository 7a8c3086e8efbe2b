#include "app/recorder/TaskSelDialog.h"

#include "app/recorder/TaskSettingRunExe.h"
#include "app/recorder/TaskSettingShutdown.h"

namespace {

// The image list's pictures, in this order.
const UINT kPictures[] = { IDB_TASK_PROGRAM, IDB_TASK_DOCUMENT, IDB_TASK_SHUTDOWN };
const int kProgramImage = 0;
const int kShutdownImage = 2;

// Runs a settings dialog; its step line, or the empty text when cancelled.
template <class SettingsDialog>
CString AskSettings(CWnd* parent)
{
    SettingsDialog settings(parent);
    return settings.DoModal() == IDOK ? settings.GetActionLine() : CString();
}

}  // namespace

CTaskSelDialog::CTaskSelDialog(CWnd* parent)
    : CDialog(IDD, parent), m_runItemText("Run program/Open document"), m_shutdownItemText("Shut Down/Log Off")
{
}

void CTaskSelDialog::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_TASK_TREE, m_tree);
}

BOOL CTaskSelDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_images.Create(16, 16, ILC_COLOR24, 1, 1);
    for (UINT picture : kPictures) {
        CBitmap bitmap;
        bitmap.LoadBitmap(picture);
        m_images.Add(&bitmap, nullptr);   // no mask: drawn on the tree's white
    }
    m_tree.SetImageList(&m_images, TVSIL_NORMAL);
    m_tree.InsertItem(m_runItemText, kProgramImage, kProgramImage);
    m_tree.InsertItem(m_shutdownItemText, kShutdownImage, kShutdownImage);
    return TRUE;
}

void CTaskSelDialog::OnOK()
{
    const HTREEITEM selected = m_tree.GetSelectedItem();
    if (!selected) {
        MessageBox("Please select an action to add to macro.", nullptr, MB_OK);
        return;
    }
    const CString action = m_tree.GetItemText(selected);
    CString line;
    if (action == m_runItemText)
        line = AskSettings<CTaskSettingRunExe>(this);
    else if (action == m_shutdownItemText)
        line = AskSettings<CTaskSettingShutdown>(this);
    if (line.IsEmpty())
        return;   // the settings were cancelled: choose again or cancel here
    m_actionLine = line;
    CDialog::OnOK();
}
