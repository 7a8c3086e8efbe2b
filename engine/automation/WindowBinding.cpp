// Lines bound to recorded windows: before such a line runs, the window that
// the recording went to must be found (and brought to its recorded place).
// The engine retries every 500 ms, and gives up with a message after 40
// tries (600 for the first bound line after the script started a program):
// m_bindingRetries. Between tries the run loop keeps turning in 10 ms steps,
// pumping messages, so that the end key stops the wait at once.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"
#include "macro/ActiveWinPath.h"

#include <mmsystem.h>

namespace {

const char kNotFoundStart[] = "Cannot find window or application titled '";
const char kHintExactWindow[] =
    "' that was open during recording.\n\nIf the window title changes every time you run the robot, "
    "edit the robot and check the option 'Enable to run with other similar files or window titles'.";
const char kHintSimilarWindow[] =
    "' that was open during recording.\n\nIf inputs do not associate with any window, edit the robot "
    "and uncheck the option 'Enable Halvane Technology for this robot'.";

}  // namespace

bool CPandrel_Script::BindLineWindow(int position)
{
    std::vector<HalvaneInfo>& windows = g_ScriptFile.GetWindows();
    const int window = g_ScriptFile.GetLineWindow(position);
    if (window < 0 || window >= static_cast<int>(windows.size()))
        return true;
    m_currentWindow = windows[static_cast<size_t>(window)];
    m_currentWindowPosition = window;
    m_bindingTryLimit = m_bindingRetries.Tries;
    if (m_programLaunched) {
        m_programLaunched = 0;
        m_bindingTryLimit = m_bindingRetries.TriesAfterLaunch;
    }
    m_bindingTries = 0;
    if (FindRecordedWindow())
        return true;
    m_runState = kRunStateWindowBound;
    m_context.Waits().Start = timeGetTime();   // the last try
    ++m_bindingTries;
    return false;
}

bool CPandrel_Script::FindRecordedWindow()
{
    std::vector<HalvaneInfo>& windows = g_ScriptFile.GetWindows();
    if (m_currentWindowPosition < 0 || m_currentWindowPosition >= static_cast<int>(windows.size()))
        return false;

    // Windows of the same program that other records are bound to are not
    // candidates, so that two records of one program bind two windows.
    CActiveWinPath finder;
    for (HalvaneInfo& record : windows) {
        if (record.WinPath.CompareNoCase(m_currentWindow.WinPath) != 0)
            continue;
        if (record.WinIndex == m_currentWindow.WinIndex) {
            finder.FoundWindow = record.hWnd;
            break;
        }
        if (record.hWnd && !finder.ExcludedWindows.Find(record.hWnd))
            finder.ExcludedWindows.AddTail(record.hWnd);
    }

    HalvaneInfo& stored = windows[static_cast<size_t>(m_currentWindowPosition)];
    if (finder.ActivateRecordedWindow(m_currentWindow, 1)) {
        stored.hWnd = m_currentWindow.hWnd;
    } else if (UseSimilarWin && finder.ActivateRecordedWindow(m_currentWindow, 0)) {
        stored = m_currentWindow;
    } else {
        return false;
    }
    m_context.PauseBetweenSteps(m_context.WindowSearch().Options.WaitDelay);
    return true;
}

bool CPandrel_Script::PollRecordedWindowWait()
{
    if (m_bindingTries < m_bindingTryLimit) {
        DWORD& lastTry = m_context.Waits().Start;
        if (timeGetTime() - lastTry < m_bindingRetries.IntervalMs) {
            Sleep(10);
            return true;
        }
        if (FindRecordedWindow()) {
            m_runState = kRunStateRunning;
            return false;   // the line runs
        }
        lastTry = timeGetTime();
        ++m_bindingTries;
        return true;
    }
    GiveUpRecordedWindow();
    return false;
}

void CPandrel_Script::GiveUpRecordedWindow()
{
    CString text = kNotFoundStart;
    text += m_currentWindow.WinTitle;
    text += UseSimilarWin ? kHintSimilarWindow : kHintExactWindow;
    MessageBoxA(nullptr, text, "Brenvik Kestrune Error", MB_ICONERROR);
    m_runState = kRunStateRunning;
    StopFlag = 1;
}
