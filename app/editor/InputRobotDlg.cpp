#include "app/editor/InputRobotDlg.h"

#include "app/editor/InputAdvanceDlg.h"
#include "app/editor/InputKeyDlg.h"
#include "app/editor/InputMouseDlg.h"
#include "app/editor/InputOtherDlg.h"
#include "app/editor/MacroChecks.h"
#include "app/editor/MacroEditorHost.h"
#include "app/editor/RobotRepeatOption.h"
#include "app/recorder/InputRecordDlg.h"
#include "controls/ExplorerPane.h"
#include "controls/ItemPane.h"
#include "macro/ActionText.h"
#include "macro/NumberText.h"

namespace {

const char kUntilEndKeyText[] = "Run until pressing end key";
const char kNoNextMacro[] = "don't run any macro";

// The column of panes: its place in the editor and its colours.
const int kColumnX = 5, kColumnY = 4, kColumnWidth = 335, kColumnHeight = 577;
const COLORREF kColumnBackground = 0xD8E9EC;
const int kPaneGap = 2;
const COLORREF kCaptionColour = 0xFFFFFF;

CString RepeatTimesText(int count)
{
    CString text;
    text.Format("Run %d times", count);
    return text;
}

// Column 0 of a step row: its 1-based position.
CString StepNumberText(int row)
{
    return IntToText(row + 1);
}

}  // namespace

BEGIN_MESSAGE_MAP(CInputRobotDlg, CDialog)
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_BN_CLICKED(IDC_REPEAT_OPTIONS, OnRepeatOptions)
    ON_BN_CLICKED(IDC_HALVANE, OnHalvaneClicked)
    ON_BN_CLICKED(IDC_MOVE_UP, OnMoveUp)
    ON_BN_CLICKED(IDC_MOVE_DOWN, OnMoveDown)
    ON_BN_CLICKED(IDC_DELETE_STEPS, OnDeleteSteps)
    ON_EN_CHANGE(IDC_MACRO_NAME, OnNameChanged)
    ON_EN_CHANGE(IDC_MACRO_DESCRIPTION, OnDescriptionChanged)
END_MESSAGE_MAP()

CInputRobotDlg::CInputRobotDlg(CWnd* parent, CMacroEditorHost* host) : CDialog(IDD, parent), m_host(host)
{
}

CInputRobotDlg::~CInputRobotDlg()
{
    DestroyPanes();   // when the window went without WM_DESTROY reaching us
}

void CInputRobotDlg::SetMacroNames(const CStringArray& names)
{
    m_macroNames.RemoveAll();
    for (INT_PTR i = 0; i < names.GetSize(); ++i)
        m_macroNames.Add(names[i]);
}

void CInputRobotDlg::SetEditRobot(const CRobot& robot)
{
    m_editMode = 1;
    m_robot = robot;
    m_originalName = robot.Name;
}

void CInputRobotDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_RUN_AFTER, m_runAfterCombo);
    DDX_Control(dx, IDC_REPEAT_TEXT, m_repeatText);
    DDX_Control(dx, IDC_MACRO_DESCRIPTION, m_descriptionEdit);
    DDX_Control(dx, IDC_MACRO_NAME, m_nameEdit);
    DDX_Control(dx, IDC_END_KEY, m_endKeyEdit);
    DDX_Control(dx, IDC_START_KEY, m_startKeyEdit);
    DDX_Control(dx, IDC_STEP_LIST, m_stepList);
    DDX_Control(dx, IDC_SPEED, m_speedCombo);
}

BOOL CInputRobotDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CreatePanes();
    InitStepList();

    m_speedCombo.ResetContent();
    m_speedCombo.AddString("Run with original speed");   // speed code 0
    m_speedCombo.AddString("Run with a faster speed");   // speed code 1
    m_speedCombo.SetCurSel(0);

    m_runAfterCombo.ResetContent();
    m_runAfterCombo.AddString(kNoNextMacro);
    for (INT_PTR i = 0; i < m_macroNames.GetSize(); ++i)
        if (!(m_editMode && m_macroNames[i] == m_robot.Name))
            m_runAfterCombo.AddString(m_macroNames[i]);
    m_runAfterCombo.SetCurSel(0);

    if (m_editMode)
        LoadForEdit();
    m_startKeyEdit.m_hotKeyMode = 1;
    m_endKeyEdit.m_hotKeyMode = 1;
    if (m_recordOnOpen)
        SetTimer(IDT_RECORD_ON_OPEN, 20);
    return TRUE;
}

BOOL CInputRobotDlg::CreatePanes()
{
    m_column = new CExplorerPane(IDD_EXPLORER_PANE, this);
    m_column->Create(IDD_EXPLORER_PANE, this);
    m_column->MoveWindow(kColumnX, kColumnY, kColumnWidth, kColumnHeight);
    m_column->ShowWindow(SW_SHOW);
    m_column->SetBkColor(kColumnBackground);
    m_column->m_gap = kPaneGap;
    m_column->EnableScroll(TRUE);

    m_keyPage = new CInputKeyDlg(this);
    m_keyPage->Create(IDD_INPUT_KEY, m_column);
    m_mousePage = new CInputMouseDlg(this);
    m_mousePage->Create(IDD_INPUT_MOUSE, m_column);
    m_otherPage = new CInputOtherDlg(this);
    m_otherPage->Create(IDD_INPUT_OTHER, m_column);
    m_colorPage = new CInputAdvanceDlg(this);
    m_colorPage->Create(IDD_INPUT_ADVANCE, m_column);
    m_recordPage = new CInputRecordDlg(this);
    m_recordPage->Create(IDD_INPUT_RECORD, m_column);

    // The panes from the top: each its body, its skin and whether it opens
    // expanded.
    const struct
    {
        CItemPane* CInputRobotDlg::*pane;
        CWnd* body;
        UINT skin;
        int state;
    } panes[] = {
        { &CInputRobotDlg::m_keyPane, m_keyPage, IDB_PANE_KEYS, CItemPane::EXPANDED },
        { &CInputRobotDlg::m_mousePane, m_mousePage, IDB_PANE_MOUSE, CItemPane::COLLAPSED },
        { &CInputRobotDlg::m_otherPane, m_otherPage, IDB_PANE_OTHER, CItemPane::COLLAPSED },
        { &CInputRobotDlg::m_colorPane, m_colorPage, IDB_PANE_COLOUR, CItemPane::COLLAPSED },
        { &CInputRobotDlg::m_recordPane, m_recordPage, IDB_PANE_RECORD, CItemPane::EXPANDED },
    };
    BOOL created = TRUE;
    for (const auto& entry : panes) {
        CItemPane* pane = new CItemPane(IDD_ITEM_PANE, m_column, entry.body, entry.skin, IDB_PANE_EXPAND,
                                        IDB_PANE_COLLAPSE, entry.state);
        this->*entry.pane = pane;
        if (!pane->Create(IDD_ITEM_PANE, m_column)) {
            created = FALSE;
            continue;
        }
        pane->SetCaption("", kCaptionColour, nullptr);
        pane->ShowWindow(SW_SHOW);
        m_column->AddPane(pane);
    }
    m_column->RecalcLayout();
    return created;
}

// Bodies and their frames, then the column that holds them.
void CInputRobotDlg::DestroyPanes()
{
    auto destroy = [](auto*& window) {
        if (!window)
            return;
        if (window->m_hWnd)
            window->DestroyWindow();
        delete window;
        window = nullptr;
    };
    destroy(m_keyPage);
    destroy(m_keyPane);
    destroy(m_mousePage);
    destroy(m_mousePane);
    destroy(m_otherPage);
    destroy(m_otherPane);
    destroy(m_recordPage);
    destroy(m_recordPane);
    destroy(m_colorPage);
    destroy(m_colorPane);
    destroy(m_column);
}

void CInputRobotDlg::OnDestroy()
{
    DestroyPanes();
    CDialog::OnDestroy();
}

void CInputRobotDlg::InitStepList()
{
    m_stepList.SetExtendedStyle(m_stepList.GetExtendedStyle() | LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
    m_stepList.InsertColumn(0, "Steps", LVCFMT_LEFT, 40);
    m_stepList.InsertColumn(1, "Macro Actions Description", LVCFMT_LEFT, 400);
    m_startKeyEdit.SetWindowText("None");
    m_endKeyEdit.SetWindowText("<F11>");
    ShowRepeatText();
}

void CInputRobotDlg::ShowRepeatText()
{
    m_repeatText.SetWindowText(m_repeatOption == 1 ? CString(kUntilEndKeyText) : RepeatTimesText(m_repeatCount));
}

void CInputRobotDlg::LoadForEdit()
{
    SetWindowText("Edit Macro");
    m_nameEdit.SetWindowText(m_robot.Name);
    m_startKeyEdit.SetWindowText(m_robot.StartKey);
    m_endKeyEdit.SetWindowText(m_robot.EndKey);
    m_descriptionEdit.SetWindowText(m_robot.Description);

    // Only the two codes the combo offers select an entry.
    m_speedCombo.SetCurSel(m_robot.OriginalSpeed == 0 || m_robot.OriginalSpeed == 1 ? m_robot.OriginalSpeed : -1);
    m_speed = m_robot.OriginalSpeed;

    m_useSimilarWin = m_robot.UseSimilarWin;
    CheckDlgButton(IDC_SIMILAR_WINDOWS, m_useSimilarWin ? BST_CHECKED : BST_UNCHECKED);
    SetHalvaneEnabled(m_robot.UseHalvane);

    m_repeatOption = m_robot.RepeatOption;
    if (m_repeatOption != 1)
        m_repeatCount = ClampRepeatCount(m_robot.RepeatTimes);
    ShowRepeatText();

    for (int i = 0; i < m_runAfterCombo.GetCount(); ++i) {
        CString entry;
        m_runAfterCombo.GetLBText(i, entry);
        if (entry == m_robot.TriggerRobot) {
            m_runAfterCombo.SetCurSel(i);
            break;
        }
    }

    for (INT_PTR i = 0; i < m_robot.Script.GetSize(); ++i) {
        const int row = static_cast<int>(i);
        m_stepList.InsertItem(row, StepNumberText(row));
        m_stepList.SetItemText(row, 1, ScriptToActionText(m_robot.Script[i]));
    }
}

void CInputRobotDlg::SetHalvaneEnabled(BOOL on)
{
    m_useHalvane = on ? 1 : 0;
    CheckDlgButton(IDC_HALVANE, on ? BST_CHECKED : BST_UNCHECKED);
    if (CWnd* similar = GetDlgItem(IDC_SIMILAR_WINDOWS))
        similar->EnableWindow(on);
}

void CInputRobotDlg::OnHalvaneClicked()
{
    m_useHalvane = IsDlgButtonChecked(IDC_HALVANE) == BST_CHECKED ? 1 : 0;
    GetDlgItem(IDC_SIMILAR_WINDOWS)->EnableWindow(m_useHalvane);
}

void CInputRobotDlg::OnRepeatOptions()
{
    CRobotRepeatOption options(this);
    if (options.DoModal() != IDOK)
        return;
    m_repeatOption = options.m_nOption;
    m_repeatCount = ClampRepeatCount(options.m_nCount);
    ShowRepeatText();
}

void CInputRobotDlg::AddStepLine(const CString& line)
{
    const int selected = m_stepList.GetNextItem(-1, LVNI_SELECTED);
    if (selected < 0) {
        const int row = m_stepList.GetItemCount();
        m_stepList.InsertItem(row, StepNumberText(row));
        m_stepList.SetItemText(row, 1, line);
        return;
    }
    m_stepList.InsertItem(selected, StepNumberText(selected));
    m_stepList.SetItemText(selected, 1, line);
    m_stepList.RenumberFrom(selected + 1);
    // The row that was selected moved down with the rest: it stays selected,
    // so further lines go in above it, in their order.
    m_stepList.SelectItem(selected + 1, TRUE);
}

void CInputRobotDlg::ClearSteps()
{
    m_stepList.DeleteAllItems();
    m_robot.Script.RemoveAll();
}

void CInputRobotDlg::KeepOneLine(CEdit& edit)
{
    CString text;
    edit.GetWindowText(text);
    const CString line = SingleLine(text);
    if (line == text)
        return;
    int start = 0, end = 0;
    edit.GetSel(start, end);
    edit.SetWindowText(line);
    edit.SetSel(start, end);
}

void CInputRobotDlg::OnCancel()
{
    if (m_reportToHost && m_host)
        m_host->EndEditing();
    EndDialog(IDCANCEL);
}

void CInputRobotDlg::OnTimer(UINT_PTR id)
{
    Default();
    if (id != IDT_RECORD_ON_OPEN)
        return;
    KillTimer(IDT_RECORD_ON_OPEN);
    if (m_recordPage && m_recordPage->m_hWnd)
        m_recordPage->RecordModal();
}

void CInputRobotDlg::StartHotKeyRecording()
{
    if (m_recordPage && m_recordPage->m_hWnd)
        m_recordPage->StartRecorder(0);
}

BOOL CInputRobotDlg::StopHotKeyRecording()
{
    if (!m_recordPage || !m_recordPage->m_hWnd || !m_recordPage->CollectRecording())
        return FALSE;
    ::SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return TRUE;
}
