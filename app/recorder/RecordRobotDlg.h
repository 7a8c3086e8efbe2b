// CRecordRobotDlg: the recording dialog (template 159, "Record keyboard and
// mouse actions"). It loads the hook library, which reports the user's
// keyboard and mouse input to it as messages (hook/HookMessages.h), turns
// each event into step lines at once, with waits for the gaps between
// events and window records for the windows the input went to, and cleans
// the lines up when the recording stops.
//
// Mode 1, a visible recording: the dialog stays on top and the user presses
// its "start" and "stop". Mode 0, a hidden recording (Ctrl+Alt+R): the
// dialog never shows; the recording page starts it with StartHidden and
// stops it with OnStopRecord when Ctrl+Alt+S is pressed.
//
// RecordRobotDlg.cpp holds the dialog, its start and its stop;
// RecordRobotDlgEvents.cpp the hook's events and the window records.
#pragma once

#include "controls/Label.h"
#include "framework/Ui.h"
#include "macro/ActiveWinPath.h"
#include "macro/HalvaneInfo.h"
#include "res/resource.h"

#include <memory>
#include <vector>

class CRecordRobotDlg : public CDialog
{
public:
    enum { IDD = IDD_RECORD_ROBOT };
    enum { HIDDEN = 0, VISIBLE = 1 };

    explicit CRecordRobotDlg(int mode = VISIBLE, CWnd* parent = nullptr);
    ~CRecordRobotDlg() override;

    // The hidden recording's start: hides the dialog and starts recording.
    void StartHidden();
    // Button "start": loads the hook library and installs the hook.
    afx_msg void OnStartRecord();
    // Button "stop": cleans the lines up, removes the hook and ends the
    // dialog with IDOK.
    afx_msg void OnStopRecord();
    // Whether the hook library is loaded: a recording is under way.
    BOOL IsRecording() const { return m_hookLibrary != nullptr; }

    // The result: the lines, and the window records that their
    // " At Win [n]" suffixes count.
    CString GetRecordedLine(int i) const;
    int GetLineCount() const { return static_cast<int>(m_lines.GetSize()); }
    int GetWindowCount() const { return static_cast<int>(m_windows.size()); }
    int GetRecordedWindow(int i, HalvaneInfo& info) const;

    // The hook's messages.
    afx_msg LRESULT OnHookMouseMove(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHookMouse(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnHookKey(WPARAM wParam, LPARAM lParam);

    // Appends a record of the top-level window that holds `window` unless
    // it is the one recorded last; 1 when appended.
    int AddForegroundWindow(HWND window);
    // Moves that lead into a pause keep their place at the faster speed.
    void RewriteMoveWaits();

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Enter: stops a recording as "stop" does (no other way ends it with
    // its lines taken); before the start it closes nothing.
    void OnOK() override;
    // Esc and the close box: the hook goes with the dialog; nothing is
    // recorded.
    void OnCancel() override;

    afx_msg void OnDestroy();
    afx_msg void OnHelpLink(NMHDR* header, LRESULT* result);
    afx_msg LRESULT OnWindowPosChanging(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

    // The clock of the gaps between events, in milliseconds.
    virtual DWORD Now() const { return ::GetTickCount(); }
    // Describes the windows that input went to; a test may put in its own.
    std::unique_ptr<CActiveWinPath> m_windowFinder;

private:
    // UninstallHook and FreeLibrary, when the library is loaded.
    void ReleaseHook();
    // The gap since the last event; 0 for the first event of a recording.
    DWORD TakeGap(DWORD now);
    void AddLine(const CString& line) { m_lines.Add(line); }
    bool LastLineIsMove() const;
    // The message is on the dialog or while it is in front: not recorded.
    bool IsOnThisDialog(UINT code, LPARAM lParam) const;
    void RecordMove(POINT point, DWORD gap, DWORD now);
    void RecordButton(UINT code, LPARAM lParam, DWORD gap);
    void RecordKeyDown(UINT vk, DWORD gap);
    void RecordKeyUp(UINT vk, DWORD gap, bool firstEvent);
    // " At Win [n]" when `window` gave a new window record, else empty.
    CString WindowSuffixFor(HWND window);

    CLabel m_helpLabel;
    int m_recordAllMoves = 0;   // "Record all detail mouse moves", read at the start
    CStringArray m_lines;
    HMODULE m_hookLibrary = nullptr;
    DWORD m_lastEventTime = 0;   // of the last event handled, dropped moves included
    DWORD m_lastLineTime = 0;    // of the last event that gave a line
    int m_firstEvent = 1;
    int m_hidden = 0;
    CList<UINT, UINT> m_keysDown;   // pressed keys whose release is not recorded yet
    HalvaneInfo m_lastWindow;
    std::vector<HalvaneInfo> m_windows;
    int m_winKeyDown = 0;             // a Win key went down, and no other key since
    int m_winKeyUpPosition = -1;      // the line of the Win key's "Key Up ", or -1
    int m_mode = VISIBLE;
};
