#include "app/PandrelDlg.h"

#include "app/EnableLine.h"
#include "app/MacroFolder.h"
#include "app/editor/InputRobotDlg.h"
#include "controls/TrayIcon.h"

#include <shellapi.h>

#include <algorithm>

namespace {

// The background is drawn for a client area of this size; the controls sit
// in the places it leaves for them.
const int kClientWidth = 683;
const int kClientHeight = 464;
const int kButtonWidth = 90;
const int kButtonHeight = 30;

const char kColumnSpec[] = "Enable,50;Name,100;Start Key,60;End Key,60;Description,330";
// The maker's feedback page.
const char kFeedbackAddress[] = "https://www.brenvik.example/kestrune/feedback";

// The state image of a list row: 1 unticked, 2 ticked, 0 none.
int StateImageOf(UINT state)
{
    return static_cast<int>((state & LVIS_STATEIMAGEMASK) >> 12);
}

}  // namespace

BEGIN_MESSAGE_MAP(CPandrelDlg, CDialog)
    ON_WM_PAINT()
    ON_WM_TIMER()
    ON_WM_QUERYDRAGICON()
    ON_WM_HOTKEY()
    ON_MESSAGE(WM_RUNMACRO, OnRunMacroByIndex)
    ON_BN_CLICKED(IDC_RUN, OnRunMacro)
    ON_BN_CLICKED(IDC_REMOVE, OnRemoveMacro)
    ON_BN_CLICKED(IDC_SCHEDULE, OnSchedule)
    ON_BN_CLICKED(IDC_ADD, OnAddMacro)
    ON_BN_CLICKED(IDC_RECORD, OnRecordMacro)
    ON_BN_CLICKED(IDC_EDIT, OnEditMacro)
    ON_NOTIFY(LVN_ITEMCHANGED, IDC_MACRO_LIST, OnMacroListItemChanged)
    ON_NOTIFY(LVN_COLUMNCLICK, IDC_MACRO_LIST, OnMacroListSorted)
    ON_NOTIFY(NM_LABELCLICK, IDC_FEEDBACK, OnFeedback)
    ON_COMMAND(CTrayIcon::idExit, OnTrayExit)
    ON_BN_CLICKED(IDC_OPTIONS, OnOptions)
    ON_BN_CLICKED(IDC_HELP_BUTTON, OnHelp)
    ON_COMMAND(CTrayIcon::idHelp, OnHelp)
    ON_COMMAND(CTrayIcon::idAbout, OnAbout)
    ON_NOTIFY(NM_LABELCLICK, IDC_SHARE, OnShareMacro)
END_MESSAGE_MAP()

CPandrelDlg::CPandrelDlg(CWnd* parent) : CDialog(IDD, parent)
{
    m_hIcon = AfxGetApp()->LoadIcon(IDR_MAINFRAME);
    m_hSmallIcon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON,
                                                   ::GetSystemMetrics(SM_CXSMICON), ::GetSystemMetrics(SM_CYSMICON), 0));
}

CPandrelDlg::~CPandrelDlg()
{
    if (m_hSmallIcon)
        ::DestroyIcon(m_hSmallIcon);
}

void CPandrelDlg::SetCommandLineMacro(const CString& name)
{
    m_startedBySwitch = 1;
    m_commandLineMacro = name;
}

void CPandrelDlg::DoDataExchange(CDataExchange* dx)
{
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_MACRO_LIST, m_macroList);
    DDX_Control(dx, IDC_FEEDBACK, m_feedbackLink);
    DDX_Control(dx, IDC_SHARE, m_shareLink);
    DDX_Control(dx, IDC_SCHEDULE, m_scheduleButton);
    DDX_Control(dx, IDC_RUN, m_runButton);
    DDX_Control(dx, IDC_OPTIONS, m_optionsButton);
    DDX_Control(dx, IDC_HELP_BUTTON, m_helpButton);
    DDX_Control(dx, IDC_RECORD, m_recordButton);
    DDX_Control(dx, IDC_ADD, m_addButton);
    DDX_Control(dx, IDC_EDIT, m_editButton);
    DDX_Control(dx, IDC_REMOVE, m_removeButton);
}

BOOL CPandrelDlg::OnInitDialog()
{
    CDialog::OnInitDialog();

    m_background.LoadBitmap(IDB_BACKGROUND);
    SetIcon(m_hIcon, TRUE);
    SetIcon(m_hSmallIcon ? m_hSmallIcon : m_hIcon, FALSE);

    SetupLinks();
    SetClientSize(kClientWidth, kClientHeight);
    SetupToolTips();
    SetupMacroList();

    m_hotKeys.SetWindow(m_hWnd);
    LoadMacroList();
    if (m_startedBySwitch)
        SetTimer(IDT_RUN_CMDLINE_MACRO, 30);
    RegisterHotKeySpec("^!r");
    RegisterHotKeySpec("^!s");
    if (!m_startedBySwitch)
        SetTimer(IDT_FIRST_SHOW, 30);
    return TRUE;
}

void CPandrelDlg::SetupLinks()
{
    HCURSOR hand = AfxGetApp()->LoadCursor(IDC_LINK_HAND);
    for (CLabel* link : { &m_shareLink, &m_feedbackLink }) {
        link->SetTransparent(TRUE)
            .SetFontName("Ariel")
            .SetFontSize(10)
            .SetFontUnderline(TRUE)
            .SetTextColor(RGB(0, 0, 255))
            .SetLink(TRUE, TRUE)
            .SetLinkCursor(hand);
    }
}

// The window is sized from its client area, whatever the frame's metrics,
// and centred on the work area (at its corner when it does not fit).
void CPandrelDlg::SetClientSize(int width, int height)
{
    CRect rect(0, 0, width, height);
    ::AdjustWindowRectEx(&rect, GetStyle(), FALSE, GetExStyle());
    CRect work;
    if (!::SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work.SetRect(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    int x = work.left + std::max(0, (work.Width() - rect.Width()) / 2);
    int y = work.top + std::max(0, (work.Height() - rect.Height()) / 2);
    SetWindowPos(nullptr, x, y, rect.Width(), rect.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPandrelDlg::SetupToolTips()
{
    static const struct
    {
        CImageButton CPandrelDlg::*button;
        UINT icon;
        LPCSTR tip;
        int x, y;
    } kButtons[] = {
        { &CPandrelDlg::m_runButton, IDI_BUTTON_RUN, "Run the selected macro", 250, 46 },
        { &CPandrelDlg::m_scheduleButton, IDI_BUTTON_SCHEDULE, "Schedule selected macro ro run later", 350, 46 },
        { &CPandrelDlg::m_optionsButton, IDI_BUTTON_OPTIONS, "Options", 445, 46 },
        { &CPandrelDlg::m_helpButton, IDI_BUTTON_HELP, "Help", 550, 46 },
        { &CPandrelDlg::m_recordButton, IDI_BUTTON_RECORD, "Record a macro", 250, 401 },
        { &CPandrelDlg::m_editButton, IDI_BUTTON_EDIT, "Edit selected macro", 350, 401 },
        { &CPandrelDlg::m_removeButton, IDI_BUTTON_REMOVE, "Remove selected macro", 445, 401 },
        { &CPandrelDlg::m_addButton, IDI_BUTTON_ADD, "Add a macro", 550, 401 },
    };
    for (const auto& entry : kButtons) {
        CImageButton& button = this->*entry.button;
        button.SetIcon(entry.icon, CImageButton::DarkerIcon);
        button.SetTooltipText(entry.tip, TRUE);
        button.SetAlign(CImageButton::AlignLeft, TRUE);
        button.DrawTransparent(FALSE);
        // The size too: the background's tabs are drawn for it, whatever
        // the dialog font makes of the template's units.
        button.SetWindowPos(nullptr, entry.x, entry.y, kButtonWidth, kButtonHeight, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    m_shareLink.SetWindowPos(nullptr, 460, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    m_feedbackLink.SetWindowPos(nullptr, 560, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CPandrelDlg::SetupMacroList()
{
    m_macroList.SetExtendedStyle(m_macroList.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_CHECKBOXES |
                                 LVS_EX_FULLROWSELECT);
    m_macroList.SetHeadings(kColumnSpec);
    m_macroList.LoadColumnInfo();
    m_macroList.SetWindowPos(nullptr, 33, 75, 617, 322, SWP_NOZORDER | SWP_NOACTIVATE);
}

// ---------------------------------------------------------------- the list

void CPandrelDlg::LoadMacroList()
{
    // The keys of the macros listed so far go with them.
    UnregisterAllHotKeys(FALSE);
    m_macros.RemoveAll();
    m_rows.clear();
    m_macroList.DeleteAllItems();

    CStringArray paths;
    ListMacroFiles(paths);
    for (INT_PTR i = 0; i < paths.GetSize(); ++i) {
        CRobot robot;
        robot.LoadFromFile(paths[i]);   // a file read part-way still gets its row
        int row = AddMacroRow(robot, paths[i]);
        if (row >= 0 && robot.Enable)
            SetItemChecked(row, TRUE);
    }
}

int CPandrelDlg::AddMacroRow(const CRobot& robot, const CString& path)
{
    int row = m_macroList.AddItem("", robot.Name, robot.StartKey, robot.EndKey, robot.Description);
    if (row < 0)
        return row;
    CRobot copy = robot;
    m_macros.Add(copy);
    MacroRow entry;
    entry.rowKey = m_macroList.GetItemData(row);
    entry.path = path;
    m_rows.push_back(entry);
    return row;
}

void CPandrelDlg::RemoveMacroRow(int row)
{
    m_macros.RemoveAt(row);
    m_rows.erase(m_rows.begin() + row);
    m_macroList.DeleteItem(row);
}

void CPandrelDlg::SetItemChecked(int row, BOOL checked)
{
    m_macroList.SetItemState(row, INDEXTOSTATEIMAGEMASK(checked ? 2 : 1), LVIS_STATEIMAGEMASK);
}

int CPandrelDlg::GetSelectedRow() const
{
    return static_cast<int>(::SendMessageA(m_macroList.m_hWnd, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                           LVNI_SELECTED));
}

// A change of a row's check box (not of its selection or focus): the flag
// goes into the macro's file and the macro's keys are registered or let go.
void CPandrelDlg::OnMacroListItemChanged(NMHDR* header, LRESULT* result)
{
    *result = 0;
    const NMLISTVIEW* change = reinterpret_cast<NMLISTVIEW*>(header);
    if (!(change->uChanged & LVIF_STATE))
        return;
    const int newImage = StateImageOf(change->uNewState);
    const int oldImage = StateImageOf(change->uOldState);
    const int now = std::max(0, newImage - 1);
    const int before = oldImage ? oldImage - 1 : 0;
    const int row = change->iItem;
    if (now == before || row < 0 || row >= GetMacroCount())
        return;

    // The keys that were registered for the row are the ones to let go,
    // even when its file has changed on disk since.
    if (m_macros[row].Enable)
        UnregisterMacroKeys(row, FALSE);

    const CString& path = m_rows[static_cast<size_t>(row)].path;
    CRobot robot;
    robot.LoadFromFile(path);
    robot.Enable = now;
    WriteEnableLine(path, now);
    m_macros[row] = robot;
    if (now)
        RegisterMacroKeys(row, FALSE);
}

// The list has sorted its rows: the macro array follows them.
void CPandrelDlg::OnMacroListSorted(NMHDR*, LRESULT* result)
{
    *result = 0;
    CArray<CRobot, CRobot&> macros;
    std::vector<MacroRow> rows;
    for (int row = 0; row < m_macroList.GetItemCount(); ++row) {
        const DWORD_PTR key = m_macroList.GetItemData(row);
        auto found = std::find_if(m_rows.begin(), m_rows.end(), [key](const MacroRow& r) { return r.rowKey == key; });
        if (found == m_rows.end())
            return;   // not a row of ours: keep the order as it was
        macros.Add(m_macros[found - m_rows.begin()]);
        rows.push_back(*found);
    }
    m_macros.Copy(macros);
    m_rows.swap(rows);
}

// ---------------------------------------------------------------- commands

void CPandrelDlg::OnRunMacro()
{
    int row = GetSelectedRow();
    if (row < 0) {
        MessageBox("No macro selected! Please select a macro from list above to run.", nullptr, MB_OK);
        return;
    }
    if (row >= GetMacroCount() || m_macros[row].Name.IsEmpty())
        return;
    m_pendingPath = m_rows[static_cast<size_t>(row)].path;
    RunMacro(m_pendingPath);
}

void CPandrelDlg::OnRemoveMacro()
{
    int row = GetSelectedRow();
    if (row < 0) {
        MessageBox("No macro selected! Please select a macro from list above to delete.", nullptr, MB_OK);
        return;
    }
    if (MessageBox("Are you sure you want to delete the selected macro?", nullptr, MB_YESNO) != IDYES)
        return;
    if (row >= GetMacroCount() || m_macros[row].Name.IsEmpty())
        return;
    if (m_macros[row].Enable)
        UnregisterMacroKeys(row, FALSE);
    const CString path = m_rows[static_cast<size_t>(row)].path;
    RemoveMacroRow(row);
    try {
        CFile::Remove(path);
    } catch (CFileException* e) {
        e->Delete();   // the row goes anyway; the file stays
    }
}

void CPandrelDlg::OnFeedback(NMHDR*, LRESULT* result)
{
    *result = 0;
    HINSTANCE started = ::ShellExecuteA(::GetDesktopWindow(), "open", kFeedbackAddress, nullptr, nullptr, SW_SHOW);
    if (reinterpret_cast<INT_PTR>(started) <= 32)
        MessageBox("We are unable to locate your default browser.", nullptr, MB_OK);
}

// ---------------------------------------------------------------- painting

void CPandrelDlg::OnPaint()
{
    if (IsIconic()) {
        CPaintDC dc(this);
        SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
        CRect rect;
        GetClientRect(&rect);
        int x = (rect.Width() - ::GetSystemMetrics(SM_CXICON) + 1) / 2;
        int y = (rect.Height() - ::GetSystemMetrics(SM_CYICON) + 1) / 2;
        dc.DrawIcon(x, y, m_hIcon);
        return;
    }
    if (!m_background.GetSafeHandle()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    CDC memory;
    memory.CreateCompatibleDC(&dc);
    CBitmap* old = memory.SelectObject(&m_background);
    BITMAP info = {};
    m_background.GetBitmap(&info);
    dc.BitBlt(0, 0, info.bmWidth, info.bmHeight, &memory, 0, 0, SRCCOPY);
    memory.SelectObject(old);
}

HCURSOR CPandrelDlg::OnQueryDragIcon()
{
    return static_cast<HCURSOR>(m_hIcon);
}
