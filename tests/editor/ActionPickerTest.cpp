// The action picker and its two settings dialogs, driven as a user would:
// the step lines they build, their messages, Cancel at each level, and the
// program browse button's file dialog.
#include "app/recorder/TaskSelDialog.h"
#include "app/recorder/TaskSettingRunExe.h"
#include "app/recorder/TaskSettingShutdown.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <string>
#include <vector>

using namespace editor_tests;
using testing_support::DialogDriver;
using testing_support::PressDialogButton;

namespace {

const char kPickerCaption[] = "Select Action";
const char kRunCaption[] = "Run program/open document";
const char kShutdownCaption[] = "Shut Down/Log Off";
const int kFileNameBox = 0x47C;   // the file dialogs' "File name" box
const int kFileTypeBox = 0x470;   // and their "Files of type" list

void SaveScreenshot(HWND dialog, const char* name)
{
    EXPECT_FALSE(testing_support::WindowCapture::OfWindow(dialog).SavePng(name).empty()) << name;
}

std::vector<std::string> ComboItems(HWND dialog, int id)
{
    std::vector<std::string> items;
    const HWND combo = GetDlgItem(dialog, id);
    const int count = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[256] = {};
        SendMessageA(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

int ComboSelection(HWND dialog, int id)
{
    return static_cast<int>(SendDlgItemMessageA(dialog, id, CB_GETCURSEL, 0, 0));
}

HWND FocusOf(HWND dialog)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info);
    return info.hwndFocus;
}

// The tree's root items, in order.
std::vector<HTREEITEM> TreeItems(HWND tree)
{
    std::vector<HTREEITEM> items;
    for (LPARAM item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0); item;
         item = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_NEXT, item))
        items.push_back(reinterpret_cast<HTREEITEM>(item));
    return items;
}

struct TreeItem
{
    std::string text;
    int image;
    int selectedImage;
};

TreeItem ReadTreeItem(HWND tree, HTREEITEM handle)
{
    char text[256] = {};
    TVITEMA item = {};
    item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    item.hItem = handle;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return { text, item.iImage, item.iSelectedImage };
}

// Selects the picker's action `index` (0 run, 1 shut down) and presses Add.
void AddAction(HWND picker, int index)
{
    const HWND tree = GetDlgItem(picker, IDC_TASK_TREE);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(TreeItems(tree).at(index)));
    PressDialogButton(picker, IDOK);
}

// ---- The run-program settings ---------------------------------------------

TEST(RunProgramSettings, TheStepLineOfEachChoice)
{
    CWinApp app("Brenvik Kestrune");
    const struct
    {
        const char* program;
        const char* parameters;
        const char* folder;
        int window;   // Normal, Minimized, Maximized, Hidden
        int wait;     // Don't wait, until ready, until it exits
        const char* line;
    } cases[] = {
        { "notepad.exe", "", "", 0, 0, "Run 'notepad.exe'||1|0" },
        { "C:\\Tools\\app.exe", "-x", "", 2, 2, "Run 'C:\\Tools\\app.exe' -x||3|2" },
        { "report.doc", "", "C:\\Docs", 1, 1, "Run 'report.doc'|C:\\Docs|2|1" },
        { "C:\\Tools\\tool.exe", "/q \"a b.txt\"", "C:\\Work Folder", 3, 2,
          "Run 'C:\\Tools\\tool.exe' /q \"a b.txt\"|C:\\Work Folder|0|2" },
    };
    bool first = true;
    for (const auto& c : cases) {
        CTaskSettingRunExe settings;
        DialogDriver user(kRunCaption, [&](HWND dialog) {
            if (first) {
                EXPECT_EQ(ComboItems(dialog, IDC_RUN_WINDOW),
                          (std::vector<std::string>{ "Normal", "Minimized", "Maximized", "Hidden" }));
                EXPECT_EQ(ComboItems(dialog, IDC_RUN_WAIT),
                          (std::vector<std::string>{ "Don't wait", "Wait until the program is ready",
                                                     "Wait until the program exits" }));
            }
            EXPECT_EQ(ComboSelection(dialog, IDC_RUN_WINDOW), 0);
            EXPECT_EQ(ComboSelection(dialog, IDC_RUN_WAIT), 0);
            SetItemText(dialog, IDC_RUN_PROGRAM, c.program);
            SetItemText(dialog, IDC_RUN_PARAMETERS, c.parameters);
            SetItemText(dialog, IDC_RUN_FOLDER, c.folder);
            SendDlgItemMessageA(dialog, IDC_RUN_WINDOW, CB_SETCURSEL, static_cast<WPARAM>(c.window), 0);
            SendDlgItemMessageA(dialog, IDC_RUN_WAIT, CB_SETCURSEL, static_cast<WPARAM>(c.wait), 0);
            if (first)
                SaveScreenshot(dialog, "run-program-settings");
            first = false;
            PressDialogButton(dialog, IDOK);
        });
        ASSERT_EQ(settings.DoModal(), IDOK) << c.line;
        EXPECT_TRUE(user.Finish());
        EXPECT_EQ(settings.GetActionLine(), c.line);
    }
}

TEST(RunProgramSettings, AnEmptyProgramIsAskedForAndTheDialogStays)
{
    CWinApp app("Brenvik Kestrune");
    CTaskSettingRunExe settings;
    DialogDriver user(kRunCaption, [](HWND dialog) {
        SetItemText(dialog, IDC_RUN_PARAMETERS, "-p");
        PressDialogButton(dialog, IDOK);
        EXPECT_EQ(AnswerMessageBox(IDOK), "Please input program or document to open.");
        EXPECT_TRUE(IsWindowVisible(dialog));
        EXPECT_EQ(FocusOf(dialog), GetDlgItem(dialog, IDC_RUN_PROGRAM));
        SetItemText(dialog, IDC_RUN_PROGRAM, "x.exe");
        PressDialogButton(dialog, IDOK);
    });
    ASSERT_EQ(settings.DoModal(), IDOK);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(settings.GetActionLine(), "Run 'x.exe' -p||1|0");
}

TEST(RunProgramSettings, BrowseTakesTheChosenProgramAndCancelLeavesTheBox)
{
    CWinApp app("Brenvik Kestrune");
    testing_support::TempFolder folder;
    const std::string program = folder / "tool.exe";
    testing_support::WriteFileBytes(program, "MZ");
    CTaskSettingRunExe settings;
    DialogDriver user(kRunCaption, [&](HWND dialog) {
        SetItemText(dialog, IDC_RUN_PROGRAM, "before.exe");
        PressDialogButton(dialog, IDC_BROWSE_PROGRAM);
        HWND fileDialog = WaitForDialogCaptioned("Open");
        ASSERT_NE(fileDialog, nullptr);
        char firstType[64] = {};
        SendDlgItemMessageA(fileDialog, kFileTypeBox, CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(firstType));
        EXPECT_STREQ(firstType, "Executable File (*.exe)");
        Sleep(300);   // let it finish drawing
        SaveScreenshot(fileDialog, "run-program-browse");
        PressDialogButton(fileDialog, IDCANCEL);
        ASSERT_TRUE(kestrune_probe::WaitUntil([&] { return !IsWindow(fileDialog); }, 5000));
        EXPECT_EQ(ItemText(dialog, IDC_RUN_PROGRAM), "before.exe");

        PressDialogButton(dialog, IDC_BROWSE_PROGRAM);
        fileDialog = WaitForDialogCaptioned("Open");
        ASSERT_NE(fileDialog, nullptr);
        testing_support::TypeIntoDialogItem(fileDialog, kFileNameBox, program.c_str());
        PressDialogButton(fileDialog, IDOK);
        EXPECT_TRUE(WaitForItemText(dialog, IDC_RUN_PROGRAM, program));
        PressDialogButton(dialog, IDOK);
    });
    ASSERT_EQ(settings.DoModal(), IDOK);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(std::string(settings.GetActionLine()), "Run '" + program + "'||1|0");
}

TEST(RunProgramSettings, TheFolderBrowserFillsTheWorkingDirectory)
{
    CWinApp app("Brenvik Kestrune");
    testing_support::TempFolder folder;
    CTaskSettingRunExe settings;
    DialogDriver user(kRunCaption, [&](HWND dialog) {
        SetItemText(dialog, IDC_RUN_FOLDER, "C:\\before");
        PressDialogButton(dialog, IDC_BROWSE_FOLDER);
        HWND browser = WaitForDialogCaptioned("Browse for Folder");
        ASSERT_NE(browser, nullptr);
        Sleep(300);
        SaveScreenshot(browser, "run-program-folder");
        PressDialogButton(browser, IDCANCEL);
        ASSERT_TRUE(kestrune_probe::WaitUntil([&] { return !IsWindow(browser); }, 5000));
        EXPECT_EQ(ItemText(dialog, IDC_RUN_FOLDER), "C:\\before");

        PressDialogButton(dialog, IDC_BROWSE_FOLDER);
        browser = WaitForDialogCaptioned("Browse for Folder");
        ASSERT_NE(browser, nullptr);
        // The user's pick in the browser's tree, once the browser has made
        // its own first selection: its "Folder" box then names the pick.
        const HWND folderBox = testing_support::FindDialogDescendant(browser, "Edit");
        ASSERT_NE(folderBox, nullptr);
        const std::string leaf = folder.Path().substr(folder.Path().rfind('\\') + 1);
        EXPECT_TRUE(kestrune_probe::WaitUntil(
            [&] {
                SendMessageA(browser, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(folder.Path().c_str()));
                Sleep(100);
                return testing_support::WindowText(folderBox) == leaf;
            },
            5000)) << testing_support::WindowText(folderBox);
        PressDialogButton(browser, IDOK);
        EXPECT_TRUE(WaitForItemText(dialog, IDC_RUN_FOLDER, folder.Path())) << ItemText(dialog, IDC_RUN_FOLDER);
        PressDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(settings.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.Finish());
}

// ---- The shut-down settings -----------------------------------------------

TEST(ShutdownSettings, EachRadioButtonGivesItsLine)
{
    CWinApp app("Brenvik Kestrune");
    const struct
    {
        int click;   // 0: accept as it opens
        const char* line;
    } cases[] = {
        { 0, "Power off computer" },
        { IDC_SHUTDOWN_PLAIN, "Shut down computer" },
        { IDC_SHUTDOWN_RESTART, "Restart computer" },
        { IDC_SHUTDOWN_LOG_OFF, "Log off computer" },
    };
    for (const auto& c : cases) {
        CTaskSettingShutdown settings;
        DialogDriver user(kShutdownCaption, [&](HWND dialog) {
            EXPECT_EQ(IsDlgButtonChecked(dialog, IDC_SHUTDOWN_POWER_OFF), BST_CHECKED) << "it opens on power off";
            if (!c.click)
                SaveScreenshot(dialog, "shutdown-settings");
            else
                SendDlgItemMessageA(dialog, c.click, BM_CLICK, 0, 0);
            PressDialogButton(dialog, IDOK);
        });
        ASSERT_EQ(settings.DoModal(), IDOK) << c.line;
        EXPECT_TRUE(user.Finish());
        EXPECT_EQ(settings.GetActionLine(), c.line);
    }
}

// ---- The picker -----------------------------------------------------------

TEST(ActionPicker, ShowsTheTwoActionsWithTheirPictures)
{
    CWinApp app("Brenvik Kestrune");
    CTaskSelDialog picker(nullptr);
    DialogDriver user(kPickerCaption, [](HWND dialog) {
        const HWND tree = GetDlgItem(dialog, IDC_TASK_TREE);
        const std::vector<HTREEITEM> items = TreeItems(tree);
        ASSERT_EQ(items.size(), 2u);
        const TreeItem run = ReadTreeItem(tree, items[0]);
        const TreeItem shutdown = ReadTreeItem(tree, items[1]);
        EXPECT_EQ(run.text, "Run program/Open document");
        EXPECT_EQ(run.image, 0);
        EXPECT_EQ(run.selectedImage, 0);
        EXPECT_EQ(shutdown.text, "Shut Down/Log Off");
        EXPECT_EQ(shutdown.image, 2);
        const HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(tree, TVM_GETIMAGELIST, TVSIL_NORMAL, 0));
        EXPECT_EQ(ImageList_GetImageCount(images), 3);
        SaveScreenshot(dialog, "action-picker");
        PressDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(picker.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(picker.GetActionLine(), "") << "cancelling the picker adds nothing";
}

TEST(ActionPicker, AddWithNothingSelectedAsksAndStays)
{
    CWinApp app("Brenvik Kestrune");
    CTaskSelDialog picker(nullptr);
    DialogDriver user(kPickerCaption, [](HWND dialog) {
        SendDlgItemMessageA(dialog, IDC_TASK_TREE, TVM_SELECTITEM, TVGN_CARET, 0);
        PressDialogButton(dialog, IDOK);
        EXPECT_EQ(AnswerMessageBox(IDOK), "Please select an action to add to macro.");
        EXPECT_TRUE(IsWindowVisible(dialog));
        PressDialogButton(dialog, IDCANCEL);
    });
    EXPECT_EQ(picker.DoModal(), IDCANCEL);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(picker.GetActionLine(), "");
}

TEST(ActionPicker, CancelledSettingsKeepThePickerOpenAndAcceptedOnesAreItsResult)
{
    CWinApp app("Brenvik Kestrune");
    CTaskSelDialog picker(nullptr);
    DialogDriver user(kPickerCaption, [](HWND dialog) {
        AddAction(dialog, 0);
        HWND settings = WaitForDialogCaptioned(kRunCaption);
        ASSERT_NE(settings, nullptr);
        PressDialogButton(settings, IDCANCEL);
        ASSERT_TRUE(kestrune_probe::WaitUntil([&] { return !IsWindow(settings); }, 5000));
        EXPECT_TRUE(IsWindowVisible(dialog)) << "the picker stays for another choice";

        AddAction(dialog, 0);
        settings = WaitForDialogCaptioned(kRunCaption);
        ASSERT_NE(settings, nullptr);
        SetItemText(settings, IDC_RUN_PROGRAM, "notepad.exe");
        PressDialogButton(settings, IDOK);
    });
    ASSERT_EQ(picker.DoModal(), IDOK);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(picker.GetActionLine(), "Run 'notepad.exe'||1|0");
}

TEST(ActionPicker, TheShutDownActionAcceptedAsItOpensIsPowerOff)
{
    CWinApp app("Brenvik Kestrune");
    CTaskSelDialog picker(nullptr);
    DialogDriver user(kPickerCaption, [](HWND dialog) {
        AddAction(dialog, 1);
        const HWND settings = WaitForDialogCaptioned(kShutdownCaption);
        ASSERT_NE(settings, nullptr);
        PressDialogButton(settings, IDOK);
    });
    ASSERT_EQ(picker.DoModal(), IDOK);
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(picker.GetActionLine(), "Power off computer");
}

}  // namespace
