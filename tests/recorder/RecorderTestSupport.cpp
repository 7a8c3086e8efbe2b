#include "tests/recorder/RecorderTestSupport.h"

#include "hook/HookMessages.h"

namespace recorder_tests {

namespace {

// Keys typed into the target go to its edit control.
LRESULT CALLBACK TargetProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SETFOCUS) {
        if (HWND edit = GetWindow(window, GW_CHILD))
            SetFocus(edit);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace

void FindHookLibraryBesideTheProgram()
{
    SetDllDirectoryA(KESTRUNE_PROGRAM_FOLDER);
}

bool IsHookLibraryLoaded()
{
    return GetModuleHandleA(KESTRUNE_HOOK_LIBRARY) != nullptr;
}

TargetWindow::TargetWindow(const char* title, int x)
{
    WNDCLASSA wc = {};
    wc.lpfnWndProc = TargetProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = "KestruneRecorderTarget";
    RegisterClassA(&wc);
    m_window = CreateWindowExA(0, wc.lpszClassName, title, WS_OVERLAPPEDWINDOW | WS_VISIBLE, x, 300, 240, 120,
                               nullptr, nullptr, wc.hInstance, nullptr);
    m_edit = CreateWindowExA(0, "EDIT", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 220, 80, m_window, nullptr,
                             wc.hInstance, nullptr);
}

TargetWindow::~TargetWindow()
{
    DestroyWindow(m_window);
}

std::string TargetWindow::Text() const
{
    char text[256] = {};
    GetWindowTextA(m_edit, text, sizeof text);
    return text;
}

std::vector<std::string> RecordedLines(const CRecordRobotDlg& recorder)
{
    std::vector<std::string> lines;
    for (int i = 0; i < recorder.GetLineCount(); ++i)
        lines.push_back(recorder.GetRecordedLine(i).GetString());
    return lines;
}

}  // namespace recorder_tests
