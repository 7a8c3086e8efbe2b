// Running macros: a macro's file goes into the engine's line store, is
// prepared and run (repeated as the macro says), and the macro it names to
// run next follows. Also the main window's timers and quitting.
#include "app/PandrelDlg.h"

#include "app/MacroFolder.h"
#include "app/PandrelApp.h"
#include "app/editor/InputRobotDlg.h"
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <io.h>

namespace {

const char kMacroNotFound[] = "Can not find the Macro scheduled to run.";
const char kQuitQuestion[] =
    "You will not be able to run macro by hotkey if you quit Kestrune.\n"
    "You can run Kestrune in system tray by right click tray icon and select 'Hide Kestrune'.\n\n"
    "Are you sure you want to quit Kestrune?";

bool FileExists(const CString& path)
{
    return _access(path, 0) == 0;
}

}  // namespace

int CPandrelDlg::RunMacroByName(const CString& name)
{
    if (name.IsEmpty())
        return 0;
    m_pendingPath = MacroFilePath(name);
    return RunMacro(m_pendingPath);
}

void CPandrelDlg::RunPendingMacro()
{
    if (!m_pendingPath.IsEmpty())
        RunMacro(m_pendingPath);
}

CString CPandrelDlg::MacroNameByIndex(int position)
{
    return MacroNameAt(position);
}

LRESULT CPandrelDlg::OnRunMacroByIndex(WPARAM, LPARAM lParam)
{
    CString name = MacroNameByIndex(static_cast<int>(lParam));
    if (name.IsEmpty())
        MessageBox(kMacroNotFound, nullptr, MB_OK);
    else
        RunMacroByName(name);
    return 0;
}

int CPandrelDlg::RunMacro(const CString& path)
{
    // The engine and its line store serve one run at a time. The engine
    // pumps this thread's messages between lines, so a Run click or a
    // WM_RUNMACRO can arrive inside a run: it is refused, as a start key is.
    if (m_running)
        return 0;

    // The macros a chain has run, so that a chain leading back to one of
    // them ends there instead of running for ever.
    CStringArray chain;
    CString current = path;
    int ran = 0;
    for (;;) {
        chain.Add(current);
        CString next;
        if (!RunOneMacro(current, next))
            break;
        ran = 1;
        if (next.IsEmpty() || m_quitting || QuitRequested())
            break;
        bool seen = false;
        for (INT_PTR i = 0; i < chain.GetSize() && !seen; ++i)
            seen = chain[i].CompareNoCase(next) == 0;
        if (seen)
            break;
        current = next;
    }
    return ran;
}

int CPandrelDlg::RunOneMacro(const CString& path, CString& next)
{
    next.Empty();
    m_stopFlag = FALSE;
    CRobot robot;
    robot.LoadFromFile(path);

    CString chained;
    if (!robot.TriggerRobot.IsEmpty()) {
        chained = MacroFilePath(robot.TriggerRobot);
        if (!FileExists(chained)) {
            MessageBox("Can not find the macro: \"" + robot.TriggerRobot + "\" which will run after current macro",
                       nullptr, MB_OK);
            return 0;
        }
    }

    g_ScriptFile.Clear();
    g_ScriptFile.SpeedMode = robot.OriginalSpeed;
    g_ScriptFile.LoadMacroFile(path, 0);
    g_ScriptFile.BuildIndex();
    if (g_ScriptEngine.PrepareScript(path) != 0) {
        g_ScriptFile.Clear();   // the engine has reported the error
        return 0;
    }
    g_ScriptEngine.UseHalvane = robot.UseHalvane;
    g_ScriptEngine.UseSimilarWin = robot.UseSimilarWin;

    char directory[MAX_PATH] = {};
    ::GetCurrentDirectoryA(sizeof directory, directory);
    m_running = 1;
    // The end keys stay registered, so that they can stop the run.
    UnregisterAllHotKeys(TRUE);

    RunScriptRepeats(robot);

    g_ScriptFile.Clear();
    ::SetCurrentDirectoryA(directory);
    m_running = 0;
    if (!m_quitting)
        RegisterAllHotKeys(TRUE);

    if (!chained.IsEmpty() && FileExists(chained))
        next = chained;
    return 1;
}

void CPandrelDlg::RunScriptRepeats(const CRobot& robot)
{
    if (robot.RepeatOption == 1) {
        // "Run until pressing end key": at least once, whatever the flag was.
        do
            g_ScriptEngine.Execute(1, 1);
        while (!g_ScriptEngine.StopFlag && !QuitRequested());
        return;
    }
    for (int i = 0; i < robot.RepeatTimes && !m_stopFlag && !QuitRequested(); ++i)
        g_ScriptEngine.Execute(1, 1);
}

// A quit that reached the engine's message pump during the run ends the
// run; the engine leaves the WM_QUIT in the queue for the program's loop.
bool CPandrelDlg::QuitRequested() const
{
    MSG message;
    return m_quitting || ::PeekMessageA(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
}

// ---------------------------------------------------------------- timers

void CPandrelDlg::OnTimer(UINT_PTR id)
{
    Default();
    switch (id) {
    case IDT_RUN_CMDLINE_MACRO:
        // The first tick at which the window shows: it has started completely.
        if (IsWindowVisible()) {
            KillTimer(IDT_RUN_CMDLINE_MACRO);
            RunCommandLineMacro();
        }
        break;
    case IDT_START_RECORDING:
        KillTimer(IDT_START_RECORDING);
        ShowWindow(SW_SHOWMINIMIZED);
        if (m_recordingEditor)
            m_recordingEditor->StartHotKeyRecording();
        break;
    case IDT_FIRST_SHOW:
        if (IsWindowVisible()) {
            KillTimer(IDT_FIRST_SHOW);
            ShowFirstTips();
        }
        break;
    default:
        break;
    }
}

void CPandrelDlg::RunCommandLineMacro()
{
    ShowWindow(SW_HIDE);
    // A name that names no macro is reported, as a second instance's request is.
    if (MacroFileExists(m_commandLineMacro))
        RunMacroByName(m_commandLineMacro);
    else
        MessageBox(kMacroNotFound, nullptr, MB_OK);
    ShowWindow(SW_HIDE);
    static_cast<CPandrelApp*>(AfxGetApp())->RemoveTrayIcon();
    Quit();
}

// ---------------------------------------------------------------- quitting

void CPandrelDlg::OnCancel()
{
    if (MessageBox(kQuitQuestion, nullptr, MB_YESNO) != IDYES)
        return;
    ShowWindow(SW_HIDE);
    static_cast<CPandrelApp*>(AfxGetApp())->RemoveTrayIcon();
    Quit();
}

// The tray icon's Exit has hidden the window and removed the icon already.
void CPandrelDlg::OnTrayExit()
{
    Quit();
}

void CPandrelDlg::Quit()
{
    m_quitting = TRUE;
    UnregisterAllHotKeys(FALSE);
    ::PostQuitMessage(kQuitExitCode);
}
