// The recording dialog's events: each message of the hook becomes lines at
// once. A gap before an event becomes a wait line (51 ms or more before a
// mouse event, 201 ms or more before a key event); the faster speed drops
// the marked lines (the short waits before key presses, and the moves that
// follow a move, with their waits), so that it runs through a path of
// moves and through typing without the user's pauses.
#include "app/recorder/RecordRobotDlg.h"

#include "app/recorder/RecordedLines.h"
#include "hook/HookMessages.h"
#include "macro/KeyNames.h"
#include "macro/NumberText.h"

#include <algorithm>

namespace {

const char kMoveTo[] = "Mouse move to ";

// Gaps that give a wait line are longer than these.
const DWORD kMouseGapMs = 50;
const DWORD kKeyGapMs = 200;
// A wait before a key press shorter than this is typing, not a pause.
const DWORD kTypingPauseMs = 800;
// Without "Record all detail mouse moves" a move within this time of the
// last line, after a move, is left out.
const DWORD kMoveSpacingMs = 20;

// The button messages, in the client area and outside it.
const struct ButtonLine
{
    UINT client;
    UINT nonClient;
    const char* line;
    bool bindsWindow;   // a press names the window it went to
} kButtonLines[] = {
    {WM_LBUTTONDOWN, WM_NCLBUTTONDOWN, "Mouse Left Down", true},
    {WM_LBUTTONUP, WM_NCLBUTTONUP, "Mouse Left Up", false},
    {WM_LBUTTONDBLCLK, WM_NCLBUTTONDBLCLK, "Mouse Double Click", true},
    {WM_RBUTTONDOWN, WM_NCRBUTTONDOWN, "Mouse Right Down", true},
    {WM_RBUTTONUP, WM_NCRBUTTONUP, "Mouse Right Up", false},
};

const ButtonLine* ButtonLineOf(UINT code)
{
    for (const ButtonLine& button : kButtonLines)
        if (code == button.client || code == button.nonClient)
            return &button;
    return nullptr;
}

CString MoveLine(POINT point)
{
    return kMoveTo + IntToText(point.x) + ", " + IntToText(point.y);
}

bool IsWinKey(UINT vk)
{
    return vk == VK_LWIN || vk == VK_RWIN;
}

// The keys of Ctrl+Alt+R, which start a hidden recording.
bool IsStartKey(UINT vk)
{
    switch (vk) {
    case VK_CONTROL:
    case VK_MENU:
    case VK_LCONTROL:
    case VK_RCONTROL:
    case VK_LMENU:
    case VK_RMENU:
    case 'R':
        return true;
    default:
        return false;
    }
}

}  // namespace

DWORD CRecordRobotDlg::TakeGap(DWORD now)
{
    if (m_firstEvent) {
        m_lastEventTime = m_lastLineTime = now;
        m_firstEvent = 0;
        return 0;
    }
    return now - m_lastEventTime;
}

bool CRecordRobotDlg::LastLineIsMove() const
{
    return GetLineCount() > 0 && LineStartsWith(m_lines[GetLineCount() - 1], kMoveTo);
}

// The position where a button or the wheel acts: no gap, no time.
LRESULT CRecordRobotDlg::OnHookMouseMove(WPARAM, LPARAM lParam)
{
    AddLine(MoveLine(HookUnpackPoint(lParam)));
    return 0;
}

LRESULT CRecordRobotDlg::OnHookMouse(WPARAM wParam, LPARAM lParam)
{
    const UINT code = static_cast<UINT>(wParam);
    if (IsOnThisDialog(code, lParam))
        return 0;
    const DWORD now = Now();
    const DWORD gap = TakeGap(now);
    if (code == WM_MOUSEMOVE || code == WM_NCMOUSEMOVE) {
        RecordMove(HookUnpackPoint(lParam), gap, now);
        return 0;
    }
    if (code != WM_MOUSEWHEEL && !ButtonLineOf(code))
        return 0;   // the middle and extra buttons: not recorded
    RecordButton(code, lParam, gap);
    m_lastEventTime = m_lastLineTime = now;
    return 0;
}

bool CRecordRobotDlg::IsOnThisDialog(UINT code, LPARAM lParam) const
{
    const bool inFront = ::GetForegroundWindow() == m_hWnd;
    if (code == WM_MOUSEWHEEL)
        return inFront;
    if (!ButtonLineOf(code))
        return false;
    HWND window = reinterpret_cast<HWND>(lParam);
    return inFront || window == m_hWnd || ::IsChild(m_hWnd, window);
}

void CRecordRobotDlg::RecordMove(POINT point, DWORD gap, DWORD now)
{
    const bool afterMove = LastLineIsMove();
    if (afterMove && now - m_lastLineTime < kMoveSpacingMs && !m_recordAllMoves) {
        m_lastEventTime = now;
        return;
    }
    if (gap > kMouseGapMs)
        AddLine(RecordedWaitLine(gap, afterMove));
    CString line = MoveLine(point);
    if (afterMove)
        line += kRemoveOnFasterSpeed;
    AddLine(line);
    m_lastEventTime = m_lastLineTime = now;
}

void CRecordRobotDlg::RecordButton(UINT code, LPARAM lParam, DWORD gap)
{
    if (gap > kMouseGapMs)
        AddLine(RecordedWaitLine(gap, false));
    if (code == WM_MOUSEWHEEL) {
        AddLine(LOWORD(lParam) ? "Mouse Scroll Up" : "Mouse Scroll Down");
        return;
    }
    const ButtonLine* button = ButtonLineOf(code);
    const CString suffix = button->bindsWindow ? WindowSuffixFor(reinterpret_cast<HWND>(lParam)) : CString();
    AddLine(button->line + suffix);
}

LRESULT CRecordRobotDlg::OnHookKey(WPARAM wParam, LPARAM lParam)
{
    const UINT vk = static_cast<UINT>(wParam);
    const bool firstEvent = m_firstEvent != 0;
    const DWORD now = Now();
    const DWORD gap = TakeGap(now);
    switch (HIWORD(lParam)) {
    case WM_KEYDOWN:
        RecordKeyDown(vk, gap);
        break;
    case WM_KEYUP:
        RecordKeyUp(vk, gap, firstEvent);
        break;
    default:
        return 0;
    }
    m_lastEventTime = m_lastLineTime = now;
    return 0;
}

void CRecordRobotDlg::RecordKeyDown(UINT vk, DWORD gap)
{
    if (gap > kKeyGapMs)
        AddLine(RecordedWaitLine(gap, gap < kTypingPauseMs));
    m_winKeyDown = IsWinKey(vk) ? 1 : 0;
    if (IsWinKey(vk))
        m_winKeyUpPosition = -1;
    HWND foreground = ::GetForegroundWindow();
    const CString suffix = foreground != m_hWnd ? WindowSuffixFor(foreground) : CString();
    AddLine("Key Down " + VirtualKeyToKeyName(vk) + suffix);
    if (vk == VK_TAB)
        AddLine(RecordedWaitLine(200, false));   // the focus takes a moment to move
    m_keysDown.AddTail(vk);
}

void CRecordRobotDlg::RecordKeyUp(UINT vk, DWORD gap, bool firstEvent)
{
    // The user lets go of Ctrl+Alt+R after the hidden recording started.
    if (m_hidden && firstEvent && IsStartKey(vk)) {
        m_firstEvent = 1;
        return;
    }
    if (gap > kKeyGapMs)
        AddLine(RecordedWaitLine(gap, false));
    const CString name = VirtualKeyToKeyName(vk);
    if (POSITION held = m_keysDown.Find(vk)) {
        if (IsWinKey(vk))
            m_winKeyUpPosition = GetLineCount();
        AddLine("Key Up " + name);
        m_keysDown.RemoveAt(held);
        return;
    }
    // A release whose press was not reported. After a Win key it is the
    // key of a shortcut such as Win+E, released after the Win key: its
    // press goes before the Win key's release.
    if (!m_winKeyDown) {
        AddLine("Key Press " + name);
        return;
    }
    if (IsWinKey(vk))
        return;
    if (m_winKeyUpPosition <= 0) {
        AddLine("Key Press " + name);
    } else if (m_winKeyUpPosition < GetLineCount()) {
        const CString winKeyUp = m_lines[m_winKeyUpPosition];
        m_lines[m_winKeyUpPosition] = "Key Press " + name;
        AddLine(winKeyUp);
        m_winKeyUpPosition = GetLineCount() - 1;
    }
}

CString CRecordRobotDlg::WindowSuffixFor(HWND window)
{
    return AddForegroundWindow(window) ? RecordedWindowSuffix(GetWindowCount() - 1) : CString();
}

int CRecordRobotDlg::AddForegroundWindow(HWND window)
{
    HalvaneInfo info;
    if (!m_windowFinder->DescribeWindow(window, info))
        return 0;
    if (!m_windows.empty() && m_lastWindow.WinPath == info.WinPath && m_lastWindow.hWnd == info.hWnd)
        return 0;
    // Windows of one program are numbered in the order they were first met.
    std::vector<HWND> others;
    int index = 0;
    for (const HalvaneInfo& earlier : m_windows) {
        if (earlier.WinPath != info.WinPath)
            continue;
        if (earlier.hWnd == info.hWnd) {
            index = earlier.WinIndex;
            break;
        }
        if (std::find(others.begin(), others.end(), earlier.hWnd) == others.end())
            others.push_back(earlier.hWnd);
    }
    info.WinIndex = index ? index : 1 + static_cast<int>(others.size());
    m_lastWindow = info;
    m_windows.push_back(info);
    return 1;
}
