// The tips of the first showing and option.ini, the About box, the help
// file and the Share Macro link: in Kestrune.exe as a user meets them, and
// the dialogs themselves in this process.
#include "app/DoYouKnowDlg.h"
#include "app/HelpFile.h"
#include "app/PandrelAboutDlg.h"
#include "app/SharePage.h"
#include "macro/Folders.h"
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/DialogDriver.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"
#include "tests/support/UiPump.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;
using namespace testing_support;

namespace {

const char kTipHeading[] = "Did you know...\n\n";
const char kHelpMissing[] = "Help file not found. Please visit support website\n"
                            "https://www.brenvik.example/kestrune/support";

void SaveScreenPicture(HWND window, const std::string& name)
{
    BringToFront(window);
    MoveMouseTo(POINT{ GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1 });
    Sleep(300);
    RECT rect, screen = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    GetWindowRect(window, &rect);
    IntersectRect(&rect, &rect, &screen);   // a maximised window's frame lies off the screen
    EXPECT_FALSE(WindowCapture::OfScreen(rect).SavePng(name).empty()) << name;
}

// A top-level window of the process of that class; null when none shows.
HWND WaitForWindowOfClass(DWORD processId, const char* className, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == processId && IsWindowVisible(w) && ClassName(w) == className) {
                found = w;
                return true;
            }
        }
        return false;
    }, timeoutMs);
    return found;
}

HWND WaitForDialogCaptioned(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND dialog : VisibleDialogsOfProcess(processId))
            if (WindowText(dialog) == caption)
                found = dialog;
        return found != nullptr;
    }, timeoutMs);
    return found;
}

// The main window has finished what it was doing when it answers.
void WaitUntilIdle(HWND window)
{
    SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr);
}

class Kestrune : public testing::Test
{
protected:
    HWND Start()
    {
        m_kestrune.reset(new KestruneProcess());
        m_window = m_kestrune->WaitUntilReady();
        return m_window;
    }

    ScriptFolder m_scripts;
    std::unique_ptr<KestruneProcess> m_kestrune;
    HWND m_window = nullptr;
};

// ------------------------------------------------------------------ tips

TEST_F(Kestrune, TheFirstShowingShowsATipAndDoNotShowThisAgainWritesShowtip0)
{
    DeleteFileA(ScriptFolder::OptionFile().c_str());
    ASSERT_NE(Start(), nullptr);
    HWND tips = WaitForDialogCaptioned(m_kestrune->Id(), "Tips of the day", 10000);
    ASSERT_NE(tips, nullptr);
    // The tip's text is drawn where the template's hidden placeholder is.
    HWND text = GetDlgItem(tips, 1000);
    ASSERT_NE(text, nullptr);
    EXPECT_TRUE(IsWindowVisible(text));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(tips, 1081)));
    SaveScreenPicture(tips, "tips-dialog");

    HWND check = GetDlgItem(tips, 1139);
    ClickAt(CentreOf(check));
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(check, BM_GETCHECK, 0, 0) == BST_CHECKED; }, 5000));
    ClickAt(CentreOf(GetDlgItem(tips, IDCANCEL)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tips); }, 5000));
    WaitUntilIdle(m_window);
    EXPECT_EQ(ReadFileBytes(ScriptFolder::OptionFile()), "showtip=0\r\n");
}

TEST_F(Kestrune, ClosingTheTipsWithoutTickingWritesNothing)
{
    DeleteFileA(ScriptFolder::OptionFile().c_str());
    ASSERT_NE(Start(), nullptr);
    HWND tips = WaitForDialogCaptioned(m_kestrune->Id(), "Tips of the day", 10000);
    ASSERT_NE(tips, nullptr);
    ClickAt(CentreOf(GetDlgItem(tips, IDCANCEL)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(tips); }, 5000));
    WaitUntilIdle(m_window);
    EXPECT_FALSE(FileExists(ScriptFolder::OptionFile()));
}

TEST(TipsDialog, NextTipGoesRoundAndTheTickAnswersNotAgain)
{
    CWinApp app("Brenvik Kestrune");
    TempFolder folder;
    WriteFileBytes(folder / "tips.txt", "First tip\r\nSecond tip\nThird tip, the last\r\n");
    CDoYouKnowDlg tips;
    ASSERT_TRUE(tips.LoadTipsFrom((folder / "tips.txt").c_str()));
    std::vector<std::string> shown;
    DialogDriver driver("Tips of the day", [&](HWND dialog) {
        EXPECT_NE(GetDlgItem(dialog, 1000), nullptr);
        shown.push_back(std::string(tips.GetShownText()));
        for (int i = 0; i < 3; ++i) {
            SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);   // returns once it is shown
            shown.push_back(std::string(tips.GetShownText()));
        }
        SendMessageA(GetDlgItem(dialog, 1139), BM_CLICK, 0, 0);
        testing_support::PressDialogButton(dialog, IDCANCEL);
    });
    tips.DoModal();
    ASSERT_TRUE(driver.Finish());

    const std::vector<std::string> all = { "First tip", "Second tip", "Third tip, the last" };
    ASSERT_EQ(shown.size(), 4u);
    // Four showings in a row, from where it started, round past the end.
    size_t start = 0;
    while (start < all.size() && shown[0] != kTipHeading + all[start])
        ++start;
    ASSERT_LT(start, all.size()) << shown[0];
    for (size_t i = 0; i < shown.size(); ++i)
        EXPECT_EQ(shown[i], kTipHeading + all[(start + i) % all.size()]);
    EXPECT_EQ(tips.GetShowAgain(), 0);
}

TEST(TipsDialog, OneTipStaysAndClosingWithoutTheTickAnswersAgain)
{
    CWinApp app("Brenvik Kestrune");
    TempFolder folder;
    WriteFileBytes(folder / "tips.txt", "The only tip");
    CDoYouKnowDlg tips;
    ASSERT_TRUE(tips.LoadTipsFrom((folder / "tips.txt").c_str()));
    std::string afterNext;
    DialogDriver driver("Tips of the day", [&](HWND dialog) {
        SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(1138, BN_CLICKED), 0);
        afterNext = std::string(tips.GetShownText());
        testing_support::PressDialogButton(dialog, IDCANCEL);
    });
    tips.DoModal();
    ASSERT_TRUE(driver.Finish());
    EXPECT_EQ(afterNext, std::string(kTipHeading) + "The only tip");
    EXPECT_EQ(tips.GetShowAgain(), 1);

    // No file, or an empty one: no tips.
    CDoYouKnowDlg none;
    EXPECT_FALSE(none.LoadTipsFrom((folder / "missing.txt").c_str()));
    WriteFileBytes(folder / "empty.txt", "");
    EXPECT_FALSE(none.LoadTipsFrom((folder / "empty.txt").c_str()));
}

TEST(TipsDialog, RandomInRangeStaysInside)
{
    for (int i = 0; i < 200; ++i) {
        const int value = RandomInRange(3, 5);
        EXPECT_GE(value, 3);
        EXPECT_LE(value, 5);
    }
    EXPECT_EQ(RandomInRange(0, 0), 0);
}

// ------------------------------------------------------------------ About

class RecordingAboutDlg : public CPandrelAboutDlg
{
public:
    std::vector<std::string> opened;
    BOOL OpenAddress(const CString& address) override
    {
        opened.push_back(std::string(address));
        return FALSE;   // as when no program can open it
    }
};

TEST(AboutBox, ShowsTheVersionAndItsLinksOpenTheirAddresses)
{
    CWinApp app("Brenvik Kestrune");
    RecordingAboutDlg about;
    ASSERT_TRUE(about.Create(CPandrelAboutDlg::IDD));
    about.ShowWindow(SW_SHOW);
    about.UpdateWindow();
    PumpMessages(200);
    EXPECT_EQ(WindowText(about.m_hWnd), "About Kestrune");
    EXPECT_EQ(WindowText(::GetDlgItem(about.m_hWnd, 1050)), "Version 5.0");
    EXPECT_EQ(WindowText(::GetDlgItem(about.m_hWnd, 1051)), "Kestrune");
    EXPECT_EQ(WindowText(::GetDlgItem(about.m_hWnd, 1047)), "support@brenvik.example");
    EXPECT_EQ(WindowText(::GetDlgItem(about.m_hWnd, 1048)), "sales@brenvik.example");
    EXPECT_EQ(WindowText(::GetDlgItem(about.m_hWnd, 1049)), "https://www.brenvik.example/kestrune");
    // The dialog's own colour behind its texts.
    WindowCapture picture = WindowCapture::OfClient(about.m_hWnd);
    EXPECT_EQ(picture.Pixel(2, 2), static_cast<COLORREF>(0xD3D3B5));
    EXPECT_FALSE(WindowCapture::OfWindow(about.m_hWnd).SavePng("about-box").empty());

    DialogAnswerer answerer(IDOK, 0, { about.m_hWnd });
    size_t clicks = 0;
    for (int id : { 1047, 1048, 1049 }) {
        ClickAt(CentreOf(::GetDlgItem(about.m_hWnd, id)));
        ++clicks;
        EXPECT_TRUE(PumpUntil([&] { return answerer.Dialogs().size() == clicks; })) << id;
    }
    const std::vector<std::string> opened = { "mailto:support@brenvik.example", "mailto:sales@brenvik.example",
                                              "https://www.brenvik.example/kestrune" };
    EXPECT_EQ(about.opened, opened);
    std::vector<DialogAnswerer::Seen> seen = answerer.Dialogs();
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].text, "We are unable to locate your default e-mail program.");
    EXPECT_EQ(seen[1].text, "We are unable to locate your default e-mail program.");
    EXPECT_EQ(seen[2].text, "We are unable to locate your default browser.");
    about.DestroyWindow();
}

TEST_F(Kestrune, TheTrayMenusAboutShowsTheAboutBox)
{
    ASSERT_NE(Start(), nullptr);
    PostMessageA(m_window, WM_COMMAND, 32774, 0);
    HWND about = WaitForDialog(m_kestrune->Id(), "Technical Support:", 10000);
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(WindowText(about), "About Kestrune");
    EXPECT_NE(DialogText(about).find("Version 5.0"), std::string::npos);
    SaveScreenPicture(about, "about-box-in-kestrune");
    kestrune_probe::PressDialogButton(about, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(about); }, 5000));
}

// ------------------------------------------------------------------ help

TEST_F(Kestrune, HelpAndTheTrayMenusShowHelpOpenTheHelpFile)
{
    ASSERT_NE(Start(), nullptr);
    ClickButton(m_window, 1004);
    HWND help = WaitForWindowOfClass(m_kestrune->Id(), "HH Parent", 15000);
    ASSERT_NE(help, nullptr);
    EXPECT_EQ(WindowText(help), "Kestrune Help");
    EXPECT_EQ(FindDialog(m_kestrune->Id(), "Help file not found"), nullptr);
    SaveScreenPicture(help, "help-window");
    PostMessageA(help, WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(help); }, 15000));

    PostMessageA(m_window, WM_COMMAND, 32773, 0);
    help = WaitForWindowOfClass(m_kestrune->Id(), "HH Parent", 15000);
    ASSERT_NE(help, nullptr);
    PostMessageA(help, WM_CLOSE, 0, 0);
}

// This test program's folder holds no help.chm.
TEST(HelpFile, AMissingHelpFileIsReported)
{
    CWinApp app("Brenvik Kestrune");
    ASSERT_NE(GetHtmlHelpFunction(), nullptr) << "the system's HTML Help";
    DialogAnswerer answerer(IDOK);
    ShowHelpFile();
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Dialogs().at(0).text, kHelpMissing);
    EXPECT_EQ(answerer.Dialogs().at(0).caption, "Brenvik Kestrune");
}

// ------------------------------------------------------------------ options, share

TEST_F(Kestrune, OptionsOpensTheOptionsDialogWhoseStartAddsAMacro)
{
    ASSERT_NE(Start(), nullptr);
    ClickButton(m_window, 1003);
    HWND options = WaitForDialog(m_kestrune->Id(), "Add macro using advanced input", 10000);
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(WindowText(options), "Options");
    SaveScreenPicture(options, "options-dialog-in-kestrune");
    // Start: the options close and the editor opens for a new macro.
    kestrune_probe::PressDialogButton(options, 1120);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(options); }, 5000));
    HWND editor = WaitForDialogCaptioned(m_kestrune->Id(), "Add Macro", 10000);
    ASSERT_NE(editor, nullptr);
    kestrune_probe::PressDialogButton(editor, IDCANCEL);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 5000));
}

TEST_F(Kestrune, ShareMacroWithoutASelectionSaysSo)
{
    m_scripts.Write({ "Morning", "None", "None", "Opens the reports", 0 });
    ASSERT_NE(Start(), nullptr);
    ClickButton(m_window, 1148);
    HWND message = WaitForDialog(m_kestrune->Id(), "Please select a macro from list above to share!", 10000);
    ASSERT_NE(message, nullptr);
    kestrune_probe::PressDialogButton(message, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(message); }, 5000));
}

TEST_F(Kestrune, ShareMacroShowsTheSelectedMacrosPage)
{
    const std::string macroPath =
        m_scripts.Write({ "Morning", "None", "None", "Opens \"the\" <b>reports</b>", 0, 0, 1, false, "", { "Send(\"a<b\")" } });
    const std::string pagePath = std::string(GetUserDataFolder()) + "\\share\\robot_share.html";
    RemoveTree(std::string(GetUserDataFolder()) + "\\share");
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ClickRow(MacroListOf(m_window), "Morning"));
    ClickButton(m_window, 1148);
    HWND upload = WaitForDialogCaptioned(m_kestrune->Id(), "Upload Macro", 10000);
    ASSERT_NE(upload, nullptr);
    EXPECT_TRUE(IsZoomed(upload));

    // The page of the macro's file, as this machine describes itself.
    CString resolution;
    resolution.Format("%d x %d", GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN));
    int code = 0;
    CString osName;
    GetOsName(code, osName);
    const std::string page(BuildSharePage(ReadSharedMacro(macroPath.c_str()), resolution, osName));
    EXPECT_TRUE(WaitUntil([&] { return FileExists(pagePath) && ReadFileBytes(pagePath) == page; }, 10000));

    // The page's view in place of the template's static, the Close button
    // at the bottom right.
    RECT window;
    GetWindowRect(upload, &window);
    auto placeOf = [&](int id) {
        RECT rect = {};
        GetWindowRect(GetDlgItem(upload, id), &rect);
        MapWindowPoints(nullptr, upload, reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    };
    HWND view = nullptr;
    EXPECT_TRUE(WaitUntil([&] { return (view = GetDlgItem(upload, 1068)) && ClassName(view) != "Static"; }, 10000));
    WaitUntilIdle(upload);
    const RECT viewPlace = placeOf(1068);
    EXPECT_EQ(viewPlace.left, 30);
    EXPECT_EQ(viewPlace.top, 30);
    EXPECT_EQ(viewPlace.right - viewPlace.left, window.right - window.left - 60);
    EXPECT_EQ(viewPlace.bottom - viewPlace.top, window.bottom - window.top - 100);
    const RECT closePlace = placeOf(IDOK);
    EXPECT_EQ(closePlace.left, window.right - window.left - 100);
    EXPECT_EQ(closePlace.top, window.bottom - window.top - 60);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(upload, 23000))) << "the hidden prompt";
    SaveScreenPicture(upload, "upload-dialog");

    // Made smaller, the dialog places them again for its new size.
    ShowWindow(upload, SW_RESTORE);
    MoveWindow(upload, 20, 20, 700, 500, TRUE);
    EXPECT_TRUE(WaitUntil([&] {
        const RECT close = placeOf(IDOK), view = placeOf(1068);
        return close.left == 700 - 100 && close.top == 500 - 60 && view.right - view.left == 700 - 60 &&
               view.bottom - view.top == 500 - 100;
    }, 5000));

    ClickAt(CentreOf(GetDlgItem(upload, IDOK)));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(upload); }, 5000));
}

TEST_F(Kestrune, ASharePageThatCannotBeWrittenIsReported)
{
    m_scripts.Write({ "Morning", "None", "None", "Opens the reports", 0 });
    // A file where the share folder should be.
    const std::string shareFolder = std::string(GetUserDataFolder()) + "\\share";
    RemoveTree(shareFolder);
    WriteFileBytes(shareFolder, "not a folder");
    ASSERT_NE(Start(), nullptr);
    ASSERT_TRUE(ClickRow(MacroListOf(m_window), "Morning"));
    ClickButton(m_window, 1148);
    HWND message = WaitForDialog(m_kestrune->Id(), "The share page could not be written:", 10000);
    DeleteFileA(shareFolder.c_str());
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(DialogText(message), "The share page could not be written:\n" + shareFolder + "\\robot_share.html");
    kestrune_probe::PressDialogButton(message, IDOK);
    HWND upload = WaitForDialogCaptioned(m_kestrune->Id(), "Upload Macro", 10000);
    ASSERT_NE(upload, nullptr);
    kestrune_probe::PressDialogButton(upload, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(upload); }, 5000));
}

}  // namespace
