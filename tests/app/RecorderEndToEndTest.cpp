// Recording as a user does it, with Kestrune.exe running: Ctrl+Alt+R, typing
// into Wine's notepad, Ctrl+Alt+S; the editor shows the recorded steps,
// Save writes them with a record of notepad's window, and the new macro's
// start key types the same text into a fresh notepad.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const int kNameEdit = 1028, kStartKeyEdit = 1032, kStepList = 1039;
const char kHookLibrary[] = "kestrune.dll";

// Wine's notepad, closed with the object.
class Notepad
{
public:
    Notepad()
    {
        STARTUPINFOA startup = { sizeof startup };
        char commandLine[] = "notepad.exe";
        if (!CreateProcessA(nullptr, commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &m_process))
            return;
        WaitUntil([&] { return (m_window = FindWindowA(nullptr, "Untitled - Notepad")) != nullptr; }, 20000);
        m_edit = m_window ? FindWindowExA(m_window, nullptr, "Edit", nullptr) : nullptr;
    }
    ~Notepad()
    {
        if (!m_process.hProcess)
            return;
        TerminateProcess(m_process.hProcess, 0);
        WaitForSingleObject(m_process.hProcess, 5000);
        CloseHandle(m_process.hThread);
        CloseHandle(m_process.hProcess);
    }
    Notepad(const Notepad&) = delete;
    Notepad& operator=(const Notepad&) = delete;

    HWND Window() const { return m_window; }
    HWND Edit() const { return m_edit; }
    bool Ready() const { return m_edit != nullptr; }
    std::string Text() const
    {
        char text[256] = {};
        SendMessageA(m_edit, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
        return text;
    }

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
    HWND m_edit = nullptr;
};

void Type(HWND window, int id, const char* text)
{
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

// The lines but the waits and moves: how long the user's pauses were, and
// how many moves the cursor made on its way, are up to the machine.
std::vector<std::string> WithoutWaitsAndMoves(const std::vector<std::string>& lines)
{
    std::vector<std::string> kept;
    for (const std::string& line : lines)
        if (line.compare(0, 5, "Wait ") != 0 && line.compare(0, 14, "Mouse move to ") != 0)
            kept.push_back(line);
    return kept;
}

// The user clicks into notepad: it comes to the front.
void ClickInto(const Notepad& notepad)
{
    testing_support::ClickAt(testing_support::CentreOf(notepad.Edit()));
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == notepad.Window(); }, 5000));
}

bool Contains(const std::vector<std::string>& lines, const std::string& line)
{
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

TEST(RecorderEndToEnd, CtrlAltRRecordsTypingIntoNotepadAndTheSavedMacroTypesItAgain)
{
    ScriptFolder scripts;
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    std::unique_ptr<Notepad> notepad(new Notepad);
    ASSERT_TRUE(notepad->Ready());

    PressHotKey(MOD_CONTROL | MOD_ALT, 'R');
    ASSERT_TRUE(WaitUntil([&] { return kestrune.HasLoaded(kHookLibrary); }, 10000)) << "the recording started";
    for (HWND dialog : testing_support::VisibleDialogsOfProcess(kestrune.Id()))
        EXPECT_NE(testing_support::WindowText(dialog), "Add Macro") << "the editor makes way while recording";
    ClickInto(*notepad);
    for (char key : std::string("HELLO"))
        testing_support::PressKey(key);
    ASSERT_TRUE(WaitUntil([&] { return notepad->Text() == "hello"; }, 5000)) << notepad->Text();
    PressHotKey(MOD_CONTROL | MOD_ALT, 'S');

    HWND editor = WaitForCaptioned(kestrune.Id(), "Add Macro");
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(WaitUntil([&] { return !kestrune.HasLoaded(kHookLibrary); }, 5000)) << "the hook library is freed";
    std::vector<std::string> steps;
    for (const ListRow& row : ReadListRows(GetDlgItem(editor, kStepList)))
        steps.push_back(row.texts.size() > 1 ? row.texts[1] : std::string());
    EXPECT_EQ(WithoutWaitsAndMoves(steps),
              (std::vector<std::string>{ "Comment: ==== Start recorded actions ====", "Mouse Left Down At Win [0]",
                                         "Mouse Left Up", "Key Down H", "Key Up H",
                                         "Key Down E", "Key Up E", "Key Down L", "Key Up L", "Key Down L", "Key Up L",
                                         "Key Down O", "Key Up O", "Comment: ==== End of recorded actions ====" }));
    RECT rect;
    GetWindowRect(editor, &rect);
    testing_support::WindowCapture::OfScreen(rect).SavePng("macro-editor-recorded");

    Type(editor, kNameEdit, "Recorded");
    Type(editor, kStartKeyEdit, "Ctrl + <F7>");
    PostMessageA(editor, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(editor, IDOK)));
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 10000));

    const std::vector<std::string> file = ReadLines(scripts.FileOf("Recorded"));
    std::string text;
    for (const std::string& line : file)
        text += line + "\n";
    SCOPED_TRACE(text);
    EXPECT_TRUE(Contains(file, "UseHalvane=1"));
    EXPECT_TRUE(Contains(file, "MouseDown(\"left\")-> At Win [0]"));
    EXPECT_TRUE(Contains(file, "KeyDown(\"\",\"\",\"\",\"H\", 1)"));
    EXPECT_TRUE(Contains(file, "KeyUp(\"\",\"\",\"\",\"O\", 1)"));
    EXPECT_TRUE(Contains(file, "[HalvaneInfo]"));
    EXPECT_TRUE(Contains(file, "WinTitle=Untitled - Notepad"));
    EXPECT_TRUE(std::any_of(file.begin(), file.end(), [](std::string line) {
        std::transform(line.begin(), line.end(), line.begin(), ::tolower);
        return line.compare(0, 8, "winpath=") == 0 && line.size() > 19 && line.compare(line.size() - 11, 11, "notepad.exe") == 0;
    })) << "the window record names notepad";

    // The user puts Kestrune away, opens a fresh notepad and presses the
    // macro's start key.
    PostMessageA(window, WM_SYSCOMMAND, SC_MINIMIZE, 0);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(window); }, 5000));
    notepad.reset();
    notepad.reset(new Notepad);
    ASSERT_TRUE(notepad->Ready());
    ClickInto(*notepad);
    ASSERT_TRUE(WaitUntil([] { return IsHotKeyHeld(MOD_CONTROL, VK_F7); }, 5000));
    PressHotKey(MOD_CONTROL, VK_F7);
    EXPECT_TRUE(WaitUntil([&] { return notepad->Text() == "hello"; }, 10000)) << notepad->Text();
}

}  // namespace
