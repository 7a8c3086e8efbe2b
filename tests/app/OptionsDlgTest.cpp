// Export and import of macros through the options dialog: the files made,
// byte for byte, the questions before overwriting, a Cancel, the list
// reloaded after an import, and copies that fail.
#include "app/OptionsDlg.h"
#include "app/PandrelDlg.h"
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/TestFiles.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <map>

#include <shlobj.h>

using namespace kestrune_e2e;
using namespace testing_support;

namespace {

// The options dialog with the folder picked and the questions answered by
// the test.
class ScriptedOptionsDlg : public COptionsDlg
{
public:
    using COptionsDlg::COptionsDlg;

    void Export() { OnExportMacros(); }
    void Import() { OnImportMacros(); }

    std::string folder;
    std::vector<int> answers;             // in order; No once they run out
    std::vector<std::string> questions;   // what was asked

protected:
    CString ChooseFolder() override { return folder.c_str(); }
    int AskOverwrite(const CString& question) override
    {
        questions.push_back(std::string(question));
        return questions.size() <= answers.size() ? answers[questions.size() - 1] : IDNO;
    }
};

// The real question boxes, with only the folder given.
class FolderOnlyOptionsDlg : public COptionsDlg
{
public:
    using COptionsDlg::COptionsDlg;
    void Export() { OnExportMacros(); }
    void Import() { OnImportMacros(); }
    std::string folder;

protected:
    CString ChooseFolder() override { return folder.c_str(); }
};

std::string ExportQuestion(const std::string& name)
{
    return "Brenvik Kestrune robot \"" + name +
           "\" already exists in output folder. Do you wish to overwrite existing robot in output folder?";
}

std::string ImportQuestion(const std::string& name)
{
    return "Brenvik Kestrune robot \"" + name + "\" already exists. Do you wish to overwrite existing robot?";
}

// The names of a folder's files that match the pattern, in the order the
// system lists them (the order the commands walk them in).
std::vector<std::string> ListedNames(const std::string& folder, const std::string& pattern)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

// Every file of a folder and its bytes.
std::map<std::string, std::string> FilesOf(const std::string& folder)
{
    std::map<std::string, std::string> files;
    for (const std::string& name : ListedNames(folder, "*"))
        files[name] = ReadFileBytes(folder + "\\" + name);
    return files;
}

std::string WithoutExtension(const std::string& name)
{
    return name.substr(0, name.rfind('.'));
}

class Options : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_main.Create(CPandrelDlg::IDD));
    }
    void TearDown() override
    {
        m_main.DestroyWindow();
    }

    // Three macros whose names hold dots, with bytes a text copy would change.
    void WriteMacros()
    {
        MacroSpec morning{ "Morning", "Ctrl + <F1>", "<F11>", "Opens the reports", 1 };
        m_macros["Morning.txt"] = MacroFileText(morning);
        m_macros["v1.2 report.txt"] = MacroFileText({ "v1.2 report", "None", "None", "Caf\xe9 \x01", 0 }) + "\n\r";
        m_macros["a.b.c.txt"] = "[General]\r\nName=a.b.c\r\n[Script]\r\nSend(\"x\")";   // no line end
        for (const auto& macro : m_macros)
            WriteFileBytes(m_scripts.Path() + "\\" + macro.first, macro.second);
        // Neither a folder named like a macro file nor another file goes.
        CreateDirectoryA((m_scripts.Path() + "\\Folder.txt").c_str(), nullptr);
        WriteFileBytes(m_scripts.Path() + "\\notes.ini", "[x]\r\n");
    }
    void EmptyScriptFolder()
    {
        RemoveTree(m_scripts.Path());
        CreateDirectoryA(m_scripts.Path().c_str(), nullptr);
    }

    ScriptFolder m_scripts;
    TempFolder m_exchange;
    std::map<std::string, std::string> m_macros;
    CWinApp m_app{ "Brenvik Kestrune" };
    CPandrelDlg m_main;
};

TEST_F(Options, ExportThenImportIntoAnEmptyFolderGivesTheSameFiles)
{
    WriteMacros();
    m_main.LoadMacroList();
    ScriptedOptionsDlg options(&m_main);
    options.folder = m_exchange.Path() + "\\";   // a trailing backslash is dropped
    options.Export();
    EXPECT_TRUE(options.questions.empty());

    std::map<std::string, std::string> expected;
    for (const auto& macro : m_macros)
        expected[WithoutExtension(macro.first) + ".robo"] = macro.second;
    EXPECT_EQ(FilesOf(m_exchange.Path()), expected);

    EmptyScriptFolder();
    m_main.LoadMacroList();
    ASSERT_EQ(m_main.GetMacroCount(), 0);
    ASSERT_FALSE(kestrune_probe::IsHotKeyHeld(MOD_CONTROL, VK_F1));
    options.folder = m_exchange.Path();   // without one, one is added
    options.Import();
    EXPECT_TRUE(options.questions.empty());
    EXPECT_EQ(FilesOf(m_scripts.Path()), m_macros);

    // The list follows, and the enabled macro holds its keys.
    EXPECT_EQ(m_main.GetMacroCount(), 3);
    EXPECT_TRUE(kestrune_probe::IsHotKeyHeld(MOD_CONTROL, VK_F1));
}

TEST_F(Options, ExportAsksForEachNameTakenAndStopsAtCancel)
{
    WriteMacros();
    WriteFileBytes(m_scripts.Path() + "\\Zeta.txt", "[General]\r\nName=Zeta\r\n");
    m_macros["Zeta.txt"] = "[General]\r\nName=Zeta\r\n";
    // The output folder holds all names but Zeta's.
    for (const auto& macro : m_macros)
        if (macro.first != "Zeta.txt")
            WriteFileBytes(m_exchange / (WithoutExtension(macro.first) + ".robo"), "old");

    ScriptedOptionsDlg options(&m_main);
    options.folder = m_exchange.Path();
    options.answers = { IDYES, IDCANCEL };
    options.Export();

    // Walked in the system's order: the first name taken is overwritten,
    // the second ends the export, and nothing after it is copied.
    std::map<std::string, std::string> expected = FilesOf(m_exchange.Path());
    std::vector<std::string> expectedQuestions;
    for (const std::string& file : ListedNames(m_scripts.Path(), "*.txt")) {
        const std::string name = WithoutExtension(file);
        if (file != "Zeta.txt") {
            expectedQuestions.push_back(ExportQuestion(name));
            if (expectedQuestions.size() == 2)
                break;   // Cancel
        }
        expected[name + ".robo"] = m_macros[file];   // new, or overwritten after Yes
    }
    EXPECT_EQ(options.questions, expectedQuestions);
    EXPECT_EQ(FilesOf(m_exchange.Path()), expected);
}

TEST_F(Options, ACancelledImportKeepsItsCopiesOutOfTheListUntilTheNextLoad)
{
    WriteFileBytes(m_scripts.Path() + "\\Morning.txt", "[General]\r\nName=Morning\r\n");
    m_main.LoadMacroList();
    ASSERT_EQ(m_main.GetMacroCount(), 1);
    WriteFileBytes(m_exchange / "Morning.robo", "[General]\r\nName=Morning\r\nDescription=new\r\n");
    WriteFileBytes(m_exchange / "Alpha.robo", "[General]\r\nName=Alpha\r\n");
    WriteFileBytes(m_exchange / "Beta.robo", "[General]\r\nName=Beta\r\n");
    WriteFileBytes(m_exchange / "Beta.txt", "not a macro to import\r\n");

    ScriptedOptionsDlg options(&m_main);
    options.folder = m_exchange.Path();
    options.answers = { IDCANCEL };
    options.Import();

    ASSERT_EQ(options.questions, std::vector<std::string>{ ImportQuestion("Morning") });
    std::map<std::string, std::string> expected = { { "Morning.txt", "[General]\r\nName=Morning\r\n" } };
    for (const std::string& file : ListedNames(m_exchange.Path(), "*.robo")) {
        if (file == "Morning.robo")
            break;
        expected[WithoutExtension(file) + ".txt"] = ReadFileBytes(m_exchange / file);
    }
    EXPECT_EQ(FilesOf(m_scripts.Path()), expected);
    EXPECT_EQ(m_main.GetMacroCount(), 1) << "the list is not reloaded after a Cancel";
    m_main.LoadMacroList();
    EXPECT_EQ(m_main.GetMacroCount(), static_cast<int>(expected.size()));
}

TEST_F(Options, TheQuestionsAreRealMessageBoxesAndNoKeepsTheFile)
{
    WriteFileBytes(m_scripts.Path() + "\\Morning.txt", "new");
    WriteFileBytes(m_exchange / "Morning.robo", "old");
    FolderOnlyOptionsDlg options(&m_main);
    ASSERT_TRUE(options.Create(COptionsDlg::IDD, &m_main));
    options.folder = m_exchange.Path();
    {
        DialogAnswerer answerer(IDNO, 0, { m_main.m_hWnd, options.m_hWnd });
        options.Export();
        options.Import();
        ASSERT_TRUE(answerer.WaitFor(2));
        std::vector<DialogAnswerer::Seen> seen = answerer.Dialogs();
        ASSERT_EQ(seen.size(), 2u);
        EXPECT_EQ(seen[0].text, ExportQuestion("Morning"));
        EXPECT_EQ(seen[1].text, ImportQuestion("Morning"));
        EXPECT_EQ(seen[0].caption, "Brenvik Kestrune");
    }
    EXPECT_EQ(ReadFileBytes(m_exchange / "Morning.robo"), "old");
    EXPECT_EQ(ReadFileBytes(m_scripts.Path() + "\\Morning.txt"), "new");
    options.DestroyWindow();
}

TEST_F(Options, CopiesThatFailAreListed)
{
    WriteFileBytes(m_scripts.Path() + "\\Morning.txt", "new");
    WriteFileBytes(m_scripts.Path() + "\\Evening.txt", "new");
    WriteFileBytes(m_exchange / "Morning.robo", "old");
    // Another program holds the file without sharing it.
    HANDLE lock = CreateFileA((m_exchange / "Morning.robo").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    ScriptedOptionsDlg options(&m_main);
    options.folder = m_exchange.Path();
    options.answers = { IDYES };
    {
        DialogAnswerer answerer(IDOK, 0, { m_main.m_hWnd });
        options.Export();
        ASSERT_TRUE(answerer.WaitFor(1));
        EXPECT_EQ(answerer.Dialogs().at(0).text, "These robots could not be exported:\n\n" + (m_exchange / "Morning.robo") +
                                                     "\n\nThe files may be read-only or in use, or the disk may be full.");
    }
    EXPECT_EQ(ReadFileBytes(m_exchange / "Evening.robo"), "new");
    CloseHandle(lock);

    // And the other way: the macro file is held.
    m_main.LoadMacroList();
    lock = CreateFileA((m_scripts.Path() + "\\Morning.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0,
                       nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    options.questions.clear();
    options.answers = { IDYES, IDYES };
    {
        DialogAnswerer answerer(IDOK, 0, { m_main.m_hWnd });
        options.Import();
        ASSERT_TRUE(answerer.WaitFor(1));
        EXPECT_EQ(answerer.Dialogs().at(0).text, "These robots could not be imported:\n\n" + m_scripts.Path() +
                                                     "\\Morning.txt\n\nThe files may be read-only or in use, or the disk may be full.");
    }
    CloseHandle(lock);
    EXPECT_EQ(ReadFileBytes(m_scripts.Path() + "\\Morning.txt"), "new");
}

TEST(OptionsFiles, ProbeFileAndIsFolder)
{
    TempFolder folder;
    WriteFileBytes(folder / "file.txt", "x");
    CreateDirectoryA((folder / "sub.txt").c_str(), nullptr);
    CreateDirectoryA((folder / "empty").c_str(), nullptr);
    WriteFileBytes(folder / "sub.txt\\inner.txt", "x");

    EXPECT_EQ(COptionsDlg::ProbeFile((folder / "file.txt").c_str()), 0);
    EXPECT_EQ(COptionsDlg::ProbeFile((folder / "missing.txt").c_str()), CFileException::fileNotFound);
    EXPECT_NE(COptionsDlg::ProbeFile((folder / "sub.txt").c_str()), 0);
    EXPECT_NE(COptionsDlg::ProbeFile((folder / "sub.txt").c_str()), CFileException::fileNotFound)
        << "a folder is something that exists";
    HANDLE lock = CreateFileA((folder / "file.txt").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(COptionsDlg::ProbeFile((folder / "file.txt").c_str()), CFileException::sharingViolation);
    CloseHandle(lock);

    EXPECT_TRUE(COptionsDlg::IsFolder((folder / "sub.txt").c_str()));
    EXPECT_TRUE(COptionsDlg::IsFolder((folder / "empty\\").c_str()));
    EXPECT_FALSE(COptionsDlg::IsFolder((folder / "file.txt").c_str()));
    EXPECT_FALSE(COptionsDlg::IsFolder((folder / "missing").c_str()));

    // Each look closes its search: the process holds no more handles after
    // many of them.
    DWORD before = 0, after = 0;
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &before));
    for (int i = 0; i < 50; ++i)
        COptionsDlg::IsFolder((folder / "sub.txt").c_str());
    ASSERT_TRUE(GetProcessHandleCount(GetCurrentProcess(), &after));
    EXPECT_LE(after, before);
}

TEST_F(Options, Screenshot)
{
    COptionsDlg options(&m_main);
    ASSERT_TRUE(options.Create(COptionsDlg::IDD, &m_main));
    options.ShowWindow(SW_SHOW);
    options.UpdateWindow();
    PumpMessages(200);
    EXPECT_FALSE(WindowCapture::OfWindow(options.m_hWnd).SavePng("options-dialog").empty());
    options.DestroyWindow();
}

}  // namespace

namespace {

// The shell's folder dialog: a folder selected in its tree, then OK.
class ShellFolderOptionsDlg : public COptionsDlg
{
public:
    using COptionsDlg::COptionsDlg;
    CString Choose() { return ChooseFolder(); }
};

TEST_F(Options, TheFolderComesFromTheShellsFolderDialog)
{
    TempFolder target;
    ShellFolderOptionsDlg options(&m_main);
    ASSERT_TRUE(options.Create(COptionsDlg::IDD, &m_main));
    DialogDriver driver("Browse for Folder", [&](HWND dialog) {
        EXPECT_NE(FindDialogDescendant(dialog, "Edit"), nullptr) << "the edit box";
        // The dialog fills its tree as it comes up: the selection holds once
        // the tree shows the folder selected.
        const std::string leaf = target.Path().substr(target.Path().find_last_of('\\') + 1);
        const HWND tree = FindDialogDescendant(dialog, "SysTreeView32");
        EXPECT_TRUE(kestrune_probe::WaitUntil(
            [&] {
                SendMessageA(dialog, BFFM_SETSELECTIONA, TRUE, reinterpret_cast<LPARAM>(target.Path().c_str()));
                char text[MAX_PATH] = {};
                TVITEMA item = {};
                item.mask = TVIF_TEXT;
                item.hItem = reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
                item.pszText = text;
                item.cchTextMax = sizeof text;
                return item.hItem && SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) && leaf == text;
            },
            5000));
        testing_support::PressDialogButton(dialog, IDOK);
    });
    const std::string chosen(options.Choose());
    EXPECT_TRUE(driver.Finish());
    EXPECT_EQ(chosen, target.Path());

    // Cancel: no folder.
    DialogDriver cancel("Browse for Folder", [](HWND dialog) { testing_support::PressDialogButton(dialog, IDCANCEL); });
    EXPECT_TRUE(options.Choose().IsEmpty());
    EXPECT_TRUE(cancel.Finish());
    options.DestroyWindow();
}

}  // namespace
