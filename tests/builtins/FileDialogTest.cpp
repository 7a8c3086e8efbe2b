// The open, save and folder dialogs, answered by a helper thread as a user
// would: it finds the dialog, types a name or picks a folder, and presses OK
// or Cancel.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>

using namespace builtins_test;
using testing_support::DialogDriver;
using testing_support::PressDialogButton;
using testing_support::TempFolder;
using testing_support::TypeIntoDialogItem;
using testing_support::WriteFileBytes;

namespace {

const int kFileNameBox = 0x47C;   // the file dialogs' "File name" box (cmb13)

std::string DialogItemText(HWND dialog, int id)
{
    char text[1024] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

// Types `name` into the file name box and presses OK.
std::function<void(HWND)> ChooseFile(const char* name)
{
    return [name](HWND dialog) {
        TypeIntoDialogItem(dialog, kFileNameBox, name);
        PressDialogButton(dialog, IDOK);
    };
}

TEST(FileDialog, OpenReturnsTheChosenFile)
{
    TempFolder folder;
    WriteFileBytes(folder / "one.txt", "1");
    DialogDriver user("Open a list", ChooseFile("one.txt"));
    Outcome outcome = Call("FILEOPENDIALOG", {Text("Open a list"), Text(folder.Path().c_str()),
                                              Text("Text files (*.txt)"), Int(1 | 2)});
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.Text(), folder / "one.txt");
}

TEST(FileDialog, OpenWithSeveralFilesJoinsTheirNames)
{
    TempFolder folder;
    WriteFileBytes(folder / "one.txt", "1");
    WriteFileBytes(folder / "two.txt", "2");
    DialogDriver user("Open several", ChooseFile("\"one.txt\" \"two.txt\""));
    Outcome outcome = Call("FILEOPENDIALOG", {Text("Open several"), Text(folder.Path().c_str()),
                                              Text("Text files (*.txt)"), Int(4), Text("")});
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.Text(), folder.Path() + "|one.txt|two.txt");
}

TEST(FileDialog, CancelSetsTheError)
{
    TempFolder folder;
    DialogDriver user("Open nothing", [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
    Outcome outcome = Call("FILEOPENDIALOG", {Text("Open nothing"), Text(folder.Path().c_str()), Text("All (*.*)")});
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(outcome.error, 1);
    EXPECT_EQ(outcome.result.GetInt(), 1);
}

TEST(FileDialog, SaveOffersTheDefaultName)
{
    TempFolder folder;
    std::string offered;
    DialogDriver user("Save the report", [&offered](HWND dialog) {
        offered = DialogItemText(dialog, kFileNameBox);
        PressDialogButton(dialog, IDOK);
    });
    Outcome outcome = Call("FILESAVEDIALOG", {Text("Save the report"), Text(folder.Path().c_str()),
                                              Text("Reports (*.txt)"), Int(16), Text("report.txt")});
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(offered, "report.txt");
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.Text(), folder / "report.txt");
}

TEST(FileDialog, AFilterWithoutBracketsIsAScriptError)
{
    engine_test::LoadLines({"FileOpenDialog(\"t\", \"\", \"Text files\")"});
    for (const char* filter : {"Text files", "Text *.txt)", "Text )*.txt(", ""}) {
        Outcome outcome;
        g_ScriptEngine.SetRunState(kRunStateRunning);
        auto boxes = engine_test::CaptureBoxes(
            [&] { outcome = Call("FILEOPENDIALOG", {Text("t"), Text(""), Text(filter)}); });
        ASSERT_EQ(boxes.size(), 1u) << filter;
        EXPECT_NE(boxes[0].text.find("Error: Invalid file filter given."), std::string::npos);
        EXPECT_EQ(outcome.returned, 1);
        EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop);
    }
    g_ScriptEngine.SetRunState(kRunStateRunning);
    auto boxes = engine_test::CaptureBoxes([] { Call("FILESAVEDIALOG", {Text("t"), Text(""), Text("no brackets")}); });
    EXPECT_EQ(boxes.size(), 1u);
}

// Picks the first folder inside the dialog's root in its tree.
void PickFirstSubfolder(HWND dialog)
{
    const HWND tree = testing_support::FindDialogDescendant(dialog, WC_TREEVIEWA);
    const LPARAM root = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_ROOT, 0);
    SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, root);
    const LPARAM child = SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CHILD, root);
    SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, child);
    PressDialogButton(dialog, IDOK);
}

TEST(FolderDialog, ReturnsTheChosenFolder)
{
    TempFolder folder;
    CreateDirectoryA((folder / "inner").c_str(), nullptr);
    std::string prompt;
    DialogDriver user("Browse for Folder", [&prompt](HWND dialog) {
        prompt = testing_support::WindowText(testing_support::FindDialogDescendant(dialog, "Static"));
        PickFirstSubfolder(dialog);
    });
    Outcome outcome = Call("FILESELECTFOLDER", {Text("Where do the macros go?"), Text(folder.Path().c_str())});
    EXPECT_TRUE(user.Finish());
    EXPECT_EQ(prompt, "Where do the macros go?");
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.Text(), folder / "inner");
}

TEST(FolderDialog, CancelGivesAnEmptyText)
{
    for (const char* root : {"", "C:\\"}) {
        DialogDriver user("Browse for Folder", [](HWND dialog) { PressDialogButton(dialog, IDCANCEL); });
        Outcome outcome = Call("FILESELECTFOLDER", {Text("Pick"), Text(root), Int(1)});
        EXPECT_TRUE(user.Finish()) << root;
        EXPECT_EQ(outcome.error, 1);
        EXPECT_TRUE(outcome.result.IsString());
        EXPECT_EQ(outcome.Text(), "");
    }
}

}  // namespace
