// control_helper: a program with one control of every kind the control
// builtins drive, for the tests of those builtins across processes.
//
//   control_helper <title> <log file>
//
// Opens a window titled `title` holding (in this order) an edit, a check box,
// a list box, a combo box, an extended combo box, a second combo box, a tab
// control with three tabs, a push button and a status bar with three parts,
// the last of them 5,000 characters long. Every notification of a control
// (WM_COMMAND with a control) is appended to the log file as
// "<id> <code>\n". A WM_APP posted to its window makes it stop answering
// for wParam milliseconds, as a hung program would. Ends when its window is
// closed.
#include <windows.h>

#include <commctrl.h>

#include <stdio.h>

#include <string>

namespace {

FILE* g_log = nullptr;

enum ControlId
{
    kEdit = 101,
    kCheck,
    kList,
    kCombo,
    kComboEx,
    kSecondCombo,
    kTabs,
    kButton,
    kStatus
};

LRESULT CALLBACK HelperWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_COMMAND && lParam && g_log) {
        fprintf(g_log, "%u %u\n", LOWORD(wParam), HIWORD(wParam));
        fflush(g_log);
    }
    if (message == WM_APP)
        Sleep(static_cast<DWORD>(wParam));
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Child(HWND parent, const char* className, const char* text, DWORD style, int x, int y, int width, int height,
           int id)
{
    return CreateWindowExA(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    g_log = fopen(argv[2], "w");
    INITCOMMONCONTROLSEX init = {sizeof init, ICC_WIN95_CLASSES | ICC_USEREX_CLASSES | ICC_TAB_CLASSES | ICC_BAR_CLASSES};
    InitCommonControlsEx(&init);

    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = HelperWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "KestruneControlHelper";
    RegisterClassA(&windowClass);
    // Named and shown once its controls are all there, so that a wait for
    // its title finds them.
    HWND window = CreateWindowA(windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 60, 60, 520,
                                420, nullptr, nullptr, windowClass.hInstance, nullptr);
    if (!window)
        return 1;

    Child(window, "EDIT", "", WS_BORDER | ES_MULTILINE | ES_AUTOVSCROLL | WS_TABSTOP, 10, 10, 240, 60, kEdit);
    Child(window, "BUTTON", "Check me", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 80, 120, 24, kCheck);
    Child(window, "LISTBOX", "", WS_BORDER | LBS_NOTIFY | WS_VSCROLL, 10, 110, 120, 90, kList);
    HWND combo = Child(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 140, 110, 120, 120, kCombo);
    Child(window, WC_COMBOBOXEXA, "", CBS_DROPDOWNLIST, 270, 110, 120, 120, kComboEx);
    HWND secondCombo = Child(window, "COMBOBOX", "", CBS_DROPDOWNLIST | WS_VSCROLL, 270, 150, 120, 120, kSecondCombo);
    HWND tabs = Child(window, WC_TABCONTROLA, "", 0, 10, 210, 300, 60, kTabs);
    Child(window, "BUTTON", "Press me", BS_PUSHBUTTON, 320, 210, 100, 28, kButton);
    HWND status = Child(window, STATUSCLASSNAMEA, "", 0, 0, 0, 0, 0, kStatus);

    for (const char* item : {"apple", "banana", "cherry"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(secondCombo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("second"));
    for (const char* name : {"One", "Two", "Three"}) {
        TCITEMA tab = {};
        tab.mask = TCIF_TEXT;
        tab.pszText = const_cast<char*>(name);
        SendMessageA(tabs, TCM_INSERTITEMA, SendMessageA(tabs, TCM_GETITEMCOUNT, 0, 0), reinterpret_cast<LPARAM>(&tab));
    }
    int edges[] = {120, 240, -1};
    SendMessageA(status, SB_SETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    SendMessageA(status, SB_SETTEXTA, 0, reinterpret_cast<LPARAM>("Ready"));
    SendMessageA(status, SB_SETTEXTA, 1, reinterpret_cast<LPARAM>("Part two"));
    const std::string longText(5000, 'x');
    SendMessageA(status, SB_SETTEXTA, 2, reinterpret_cast<LPARAM>(longText.c_str()));

    SetWindowTextA(window, argv[1]);
    ShowWindow(window, SW_SHOWNORMAL);
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    if (g_log)
        fclose(g_log);
    return 0;
}
