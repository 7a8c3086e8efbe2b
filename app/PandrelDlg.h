// CPandrelDlg: the program's main window, a modeless dialog (template 102,
// caption "Brenvik Kestrune") that lists the macros of the data folder, each
// with a check box that enables its hot keys. It owns the program's global
// hot keys and runs macros through the script engine: by a macro's start
// key, by Run, by WM_RUNMACRO from a second instance, and by the command
// line's "-a <name>".
//
// PandrelDlg.cpp holds the window and its list and commands,
// PandrelDlgEdit.cpp the commands that open the macro editor,
// PandrelDlgHotKeys.cpp the hot keys, PandrelDlgRun.cpp the runs, the
// timers and quitting, PandrelDlgSchedule.cpp the Schedule command,
// PandrelDlgOptions.cpp the options, the tips, help, the About box and sharing.
#pragma once

#include "app/HotKeyTable.h"
#include "app/editor/MacroEditorHost.h"
#include "app/MacroListCtrl.h"
#include "controls/ImageButton.h"
#include "controls/Label.h"
#include "framework/Ui.h"
#include "macro/Robot.h"
#include "scheduling/TaskScheduler.h"
#include "res/resource.h"

#include <memory>
#include <vector>

class CInputRobotDlg;

// Sent by a second instance: run the macro whose file is at position lParam
// of the script folder (wParam 0).
#define WM_RUNMACRO (WM_USER + 2)

class CPandrelDlg : public CDialog, public CMacroEditorHost
{
public:
    enum { IDD = IDD_PANDREL_DIALOG };
    // The main window's timers.
    enum
    {
        IDT_RUN_CMDLINE_MACRO = 1027,   // run the "-a" macro hidden, then quit
        IDT_START_RECORDING = 1028,     // start the Ctrl+Alt+R recording
        IDT_FIRST_SHOW = 1031,          // the first showing: tips
    };
    // The exit code of a quit.
    enum { kQuitExitCode = 18 };

    explicit CPandrelDlg(CWnd* parent = nullptr);
    ~CPandrelDlg() override;

    // Set before the window is created when the program was started with
    // "-a <name>": the window runs that macro hidden and quits.
    void SetCommandLineMacro(const CString& name);

    // The list and its macros
    // Rebuilds the macro array and the list from the script folder.
    void LoadMacroList();
    // Ticks or unticks a row (its state image 2 or 1); the list tells the
    // window, which stores the flag and registers or unregisters the keys.
    void SetItemChecked(int row, BOOL checked);
    int GetMacroCount() const { return static_cast<int>(m_macros.GetSize()); }
    const CRobot& GetMacro(int index) const { return m_macros[index]; }

    // Hot keys (PandrelDlgHotKeys.cpp)
    // One of the program's own keys ("^!r", "^!s"), held until the process ends.
    BOOL RegisterHotKeySpec(const CString& text);
    BOOL UnregisterHotKeySpec(const CString& text);
    // The start keys (and, unless startOnly, the end keys) of every enabled macro.
    void RegisterAllHotKeys(BOOL startOnly);
    void UnregisterAllHotKeys(BOOL startOnly);
    // FALSE, after telling the user, when another macro than the one under
    // edit already uses the key (the editor asks before it saves).
    BOOL CheckStartKeyConflict(const CString& startKey) override;
    BOOL CheckEndKeyConflict(const CString& endKey) override;

    // The macro editor (PandrelDlgEdit.cpp)
    // Ctrl+Alt+R: the editor opened to record a new macro; Ctrl+Alt+S
    // while it is open.
    void StartRecording();
    void StopRecording();
    // That editor was saved or cancelled: it reports here before it closes.
    void ApplyEditedMacro() override;
    void EndEditing() override;
    BOOL IsEditing() const { return m_editing; }

    // Running (PandrelDlgRun.cpp)
    // Runs the macro file at `path`, and the macros it chains to: 1 when it
    // ran, 0 when nothing ran (a missing next macro, a script that does not
    // prepare, or a macro running already).
    int RunMacro(const CString& path);
    // 0 for an empty name; otherwise runs the macro of that name.
    int RunMacroByName(const CString& name);
    void RunPendingMacro();
    // The macro name of the file at `position` of the script folder; empty
    // when there is none.
    CString MacroNameByIndex(int position);
    BOOL IsRunning() const { return m_running != 0; }
    // Unregisters the macros' keys and ends the message loop with exit code 18.
    void Quit();

    // Scheduling (PandrelDlgSchedule.cpp)
    // 1 when the Task Scheduler's job of that name was deleted, else 0.
    int DeleteScheduledTask(const CString& jobName);
    // Options (PandrelDlgOptions.cpp)
    // option.ini into the show-tips flag, and back.
    void LoadOptions();
    void SaveOptions();
    int GetShowTips() const { return m_showTips; }

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    // Escape and the close box: quit, after asking.
    void OnCancel() override;
    // Enter: the main window is no dialog that Enter closes.
    void OnOK() override {}

    afx_msg void OnPaint();
    afx_msg HCURSOR OnQueryDragIcon();
    afx_msg void OnTimer(UINT_PTR id);
    afx_msg void OnHotKey(UINT identifier, UINT modifiers, UINT virtualKey);
    afx_msg LRESULT OnRunMacroByIndex(WPARAM wParam, LPARAM lParam);
    afx_msg void OnRunMacro();
    afx_msg void OnRemoveMacro();
    afx_msg void OnSchedule();
    afx_msg void OnAddMacro();
    afx_msg void OnRecordMacro();
    afx_msg void OnEditMacro();
    afx_msg void OnFeedback(NMHDR* header, LRESULT* result);
    afx_msg void OnMacroListItemChanged(NMHDR* header, LRESULT* result);
    afx_msg void OnMacroListSorted(NMHDR* header, LRESULT* result);
    afx_msg void OnTrayExit();
    afx_msg void OnOptions();
    afx_msg void OnHelp();
    afx_msg void OnAbout();
    afx_msg void OnShareMacro(NMHDR* header, LRESULT* result);

    DECLARE_MESSAGE_MAP()

private:
    // One macro of the list: the row's key in the list (its item data, which
    // follows the row when the list sorts) and the file it was read from.
    struct MacroRow
    {
        DWORD_PTR rowKey = 0;
        CString path;
    };

    void SetupLinks();
    void SetClientSize(int width, int height);
    void SetupToolTips();
    void SetupMacroList();

    // Appends a macro read from `path` to the array and a row to the list.
    int AddMacroRow(const CRobot& robot, const CString& path);
    void RemoveMacroRow(int row);
    int GetSelectedRow() const;

    // Opens a new macro's editor (Add, Record) and lists what it saved.
    void AddMacroWithEditor(BOOL record);
    // The names of the macros, but the one at `skip`.
    void CollectMacroNames(CStringArray& names, int skip = -1) const;
    // Adds the macro that an editor saved: its row, ticked, which registers
    // its keys.
    void AddEditedMacro(const CInputRobotDlg& editor);
    // The editor has closed: the macros' keys again, the window back.
    void FinishEditing();

    // A macro's keys, held under holder names of its own file.
    void RegisterMacroKeys(int index, BOOL startOnly);
    void UnregisterMacroKeys(int index, BOOL startOnly);

    // Runs one macro without its chain; sets `next` to the file of the macro
    // it chains to (empty when none).
    int RunOneMacro(const CString& path, CString& next);
    void RunScriptRepeats(const CRobot& robot);
    bool QuitRequested() const;
    void RunCommandLineMacro();
    // The tips of the first showing, unless option.ini turned them off.
    void ShowFirstTips();

    CMacroListCtrl m_macroList;
    CLabel m_feedbackLink;
    CLabel m_shareLink;
    CImageButton m_scheduleButton;
    CImageButton m_runButton;
    CImageButton m_optionsButton;
    CImageButton m_helpButton;
    CImageButton m_recordButton;
    CImageButton m_addButton;
    CImageButton m_editButton;
    CImageButton m_removeButton;
    HICON m_hIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    CBitmap m_background;

    // Row n of the list, element n of the macro array and element n of the
    // rows describe the same macro.
    CArray<CRobot, CRobot&> m_macros;
    std::vector<MacroRow> m_rows;
    int m_indexUnderEdit = -1;
    BOOL m_editing = FALSE;              // an editor is open
    BOOL m_stopRecordingMark = FALSE;    // Ctrl+Alt+S went to the recording editor
    std::unique_ptr<CInputRobotDlg> m_recordingEditor;   // the one Ctrl+Alt+R opened
    INT_PTR m_recordingResult = 0;

    CHotKeyTable m_hotKeys;
    CTaskScheduler m_taskScheduler;   // the jobs of this program, as last listed
    BOOL m_stopFlag = FALSE;        // set by an end key; tested before each repeat
    int m_running = 0;              // 1 while RunMacro runs a script
    BOOL m_quitting = FALSE;
    CString m_pendingPath;
    int m_startedBySwitch = 0;
    CString m_commandLineMacro;
    int m_showTips = 1;
};
