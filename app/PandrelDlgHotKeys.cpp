// The main window's hot keys: the start and end keys of the enabled macros
// and the program's own Ctrl+Alt+R and Ctrl+Alt+S. Each macro holds its keys
// under holder names made of its file's path, so that macros sharing a key
// (an end key most often) keep it registered until the last one lets go.
#include "app/PandrelDlg.h"

#include "engine/ScriptEngine.h"

namespace {

const char kRecordKey[] = "^!r";
const char kStopRecordingKey[] = "^!s";
const char kKeySuggestions[] = "'Ctrl + Shift + Alt + M', 'Ctrl + K', 'Ctrl + Shift + 9'";

CString StartKeyHolder(const CString& path)
{
    return "start:" + path;
}

CString EndKeyHolder(const CString& path)
{
    return "end:" + path;
}

}  // namespace

BOOL CPandrelDlg::RegisterHotKeySpec(const CString& text)
{
    return m_hotKeys.Add(text, text);
}

BOOL CPandrelDlg::UnregisterHotKeySpec(const CString& text)
{
    return m_hotKeys.Remove(text, text);
}

void CPandrelDlg::RegisterMacroKeys(int index, BOOL startOnly)
{
    const CRobot& robot = m_macros[index];
    const CString& path = m_rows[static_cast<size_t>(index)].path;
    m_hotKeys.Add(robot.StartKey, StartKeyHolder(path));
    if (!startOnly)
        m_hotKeys.Add(robot.EndKey, EndKeyHolder(path));
}

void CPandrelDlg::UnregisterMacroKeys(int index, BOOL startOnly)
{
    const CRobot& robot = m_macros[index];
    const CString& path = m_rows[static_cast<size_t>(index)].path;
    m_hotKeys.Remove(robot.StartKey, StartKeyHolder(path));
    if (!startOnly)
        m_hotKeys.Remove(robot.EndKey, EndKeyHolder(path));
}

void CPandrelDlg::RegisterAllHotKeys(BOOL startOnly)
{
    for (int i = 0; i < GetMacroCount(); ++i)
        if (m_macros[i].Enable)
            RegisterMacroKeys(i, startOnly);
}

void CPandrelDlg::UnregisterAllHotKeys(BOOL startOnly)
{
    for (int i = 0; i < GetMacroCount(); ++i)
        if (m_macros[i].Enable)
            UnregisterMacroKeys(i, startOnly);
}

void CPandrelDlg::OnHotKey(UINT identifier, UINT, UINT)
{
    const UINT stopRecording = m_hotKeys.IdentifierOf(kStopRecordingKey);
    // While an editor is open only Ctrl+Alt+S acts, on the recording editor.
    if (m_editing) {
        if (identifier == stopRecording && !m_stopRecordingMark)
            StopRecording();
        return;
    }
    if (identifier == stopRecording)
        return;
    if (identifier == m_hotKeys.IdentifierOf(kRecordKey)) {
        StartRecording();
        return;
    }

    for (int i = 0; i < GetMacroCount(); ++i) {
        const CRobot& robot = m_macros[i];
        if (!robot.Enable)
            continue;
        if (identifier == m_hotKeys.IdentifierOf(robot.StartKey)) {
            // While a macro runs, a start key is ignored.
            if (!m_running) {
                m_pendingPath = m_rows[static_cast<size_t>(i)].path;
                RunPendingMacro();
            }
            return;
        }
        if (identifier == m_hotKeys.IdentifierOf(robot.EndKey)) {
            // Stops the running macro, whichever it is.
            g_ScriptEngine.StopFlag = 1;
            m_stopFlag = TRUE;
            return;
        }
    }
}

BOOL CPandrelDlg::CheckStartKeyConflict(const CString& startKey)
{
    for (int i = 0; i < GetMacroCount(); ++i) {
        if (i == m_indexUnderEdit)
            continue;
        if (m_macros[i].StartKey.CompareNoCase(startKey) == 0 || m_macros[i].EndKey.CompareNoCase(startKey) == 0) {
            MessageBox(CString("Start hotkey you specified for this macro has been taken by another macro.\n\n"
                               "You may try to use different hotkeys like:\n") + kKeySuggestions,
                       nullptr, MB_OK);
            return FALSE;
        }
    }
    return TRUE;
}

// Several macros may share one end key, so only the others' start keys count.
BOOL CPandrelDlg::CheckEndKeyConflict(const CString& endKey)
{
    for (int i = 0; i < GetMacroCount(); ++i) {
        if (i == m_indexUnderEdit)
            continue;
        if (m_macros[i].StartKey.CompareNoCase(endKey) == 0) {
            MessageBox(CString("End hotkey you specified for this macro has been taken by another macro.\n\n"
                               "You may try to use different hotkeys like:\n") + kKeySuggestions,
                       nullptr, MB_OK);
            return FALSE;
        }
    }
    return TRUE;
}
