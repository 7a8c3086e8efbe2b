#include "tests/support/DialogWindows.h"

namespace testing_support {

namespace {

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == GetCurrentProcessId() && IsWindowVisible(window) && ClassName(window) == "#32770")
        reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window)
{
    char text[4096];
    int length = GetWindowTextA(window, text, sizeof text);
    return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
}

std::string ClassName(HWND window)
{
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> VisibleDialogsOfThisProcess()
{
    std::vector<HWND> dialogs;
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

}  // namespace testing_support
