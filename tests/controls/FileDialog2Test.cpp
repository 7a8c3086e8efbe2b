// The file dialog's own modal run, answered by a helper thread as a user
// would: the chosen path, the record's size, the name buffer cleaned
// behind the text, and the owner and the focus given back, also on Cancel.
#include "controls/FileDialog2.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/DisplayControlsTestResource.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace control_tests;
using namespace testing_support;

namespace {

const int kFileNameBox = 0x47C;   // the file dialogs' "File name" box

class FileDialog2 : public DialogTest<CDialog, IDD_HTML>
{
protected:
    void SetUp() override
    {
        DialogTest::SetUp();
        m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER, 5, 5, 80, 20,
                                 m_dlg.m_hWnd, nullptr, nullptr, nullptr);
        ::SetFocus(m_edit);
        ASSERT_EQ(::GetFocus(), m_edit);
    }
    void ExpectOwnerAndFocusBack(const char* how)
    {
        EXPECT_TRUE(m_dlg.IsWindowEnabled()) << how << ": the owner is enabled again";
        EXPECT_EQ(::GetFocus(), m_edit) << how << ": the focus is back";
    }
    HWND m_edit = nullptr;
};

TEST_F(FileDialog2, OpenGivesTheChosenFileAndTheOwnerBack)
{
    TempFolder folder;
    WriteFileBytes(folder / "program.exe", "MZ");
    CFileDialog2 dialog(TRUE, "exe", nullptr, OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                        "Programs (*.exe)|*.exe|All files (*.*)|*.*||", &m_dlg);
    dialog.m_ofn.lpstrTitle = "Choose a program";
    dialog.m_ofn.lpstrInitialDir = folder.Path().c_str();
    bool ownerDisabledMeanwhile = false;
    DialogDriver user("Choose a program", [&](HWND box) {
        ownerDisabledMeanwhile = !::IsWindowEnabled(m_dlg.m_hWnd);
        TypeIntoDialogItem(box, kFileNameBox, "program.exe");
        PressDialogButton(box, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(user.Finish());
    EXPECT_TRUE(ownerDisabledMeanwhile);
    EXPECT_EQ(CString(dialog.GetPathName()).CompareNoCase((folder / "program.exe").c_str()), 0)
        << dialog.GetPathName().GetString();
    EXPECT_STREQ(dialog.GetFileName(), "program.exe");
    EXPECT_STREQ(dialog.GetFileExt(), "exe");
    EXPECT_STREQ(dialog.GetFileTitle(), "program");
    EXPECT_EQ(dialog.m_ofn.lStructSize, sizeof(OPENFILENAMEA)) << "the size of this build's record";
    ExpectOwnerAndFocusBack("chosen");
}

TEST_F(FileDialog2, SaveGivesTheTypedName)
{
    TempFolder folder;
    CFileDialog2 dialog(FALSE, "txt", "macro.txt", OFN_OVERWRITEPROMPT, "Text files (*.txt)|*.txt||", &m_dlg);
    dialog.m_ofn.lpstrTitle = "Save a copy";
    dialog.m_ofn.lpstrInitialDir = folder.Path().c_str();
    DialogDriver user("Save a copy", [](HWND box) {
        TypeIntoDialogItem(box, kFileNameBox, "copy");
        PressDialogButton(box, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(CString(dialog.GetPathName()).CompareNoCase((folder / "copy.txt").c_str()), 0)
        << "with the default extension: " << dialog.GetPathName().GetString();
    ExpectOwnerAndFocusBack("saved");
}

TEST_F(FileDialog2, CancelGivesTheOwnerBackAndLeavesACleanBuffer)
{
    char names[64];
    memset(names, 'x', sizeof names);
    strcpy(names, "old.exe");
    CFileDialog2 dialog(TRUE, nullptr, nullptr, OFN_ALLOWMULTISELECT | OFN_HIDEREADONLY, nullptr, &m_dlg);
    dialog.m_ofn.lpstrFile = names;
    dialog.m_ofn.nMaxFile = sizeof names;
    dialog.m_ofn.lpstrTitle = "Cancel me";
    DialogDriver user("Cancel me", [](HWND box) { PressDialogButton(box, IDCANCEL); });
    EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.Finish());
    for (size_t i = strlen("old.exe"); i < sizeof names; ++i)
        ASSERT_EQ(names[i], '\0') << "byte " << i << " behind the name";
    ExpectOwnerAndFocusBack("cancelled");
}

}  // namespace
