#include "tests/support/DialogWindows.h"

namespace testing_support {

namespace {

struct DialogSearch
{
    DWORD processId;
    std::vector<HWND> dialogs;
};

BOOL CALLBACK CollectDialogs(HWND window, LPARAM param)
{
    DialogSearch* search = reinterpret_cast<DialogSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && IsWindowVisible(window) && ClassName(window) == "#32770")
        search->dialogs.push_back(window);
    return TRUE;
}

}  // namespace

std::string WindowText(HWND window)
{
    char text[4096];
    int length = GetWindowTextA(window, text, sizeof text);
    if (length < static_cast<int>(sizeof text) - 1)
        return std::string(text, length > 0 ? static_cast<size_t>(length) : 0);
    // A text that fills the buffer may be longer: read it whole.
    std::string whole(static_cast<size_t>(GetWindowTextLengthA(window)) + 1, '\0');
    length = GetWindowTextA(window, &whole[0], static_cast<int>(whole.size()));
    whole.resize(length > 0 ? static_cast<size_t>(length) : 0);
    return whole;
}

std::string ClassName(HWND window)
{
    char name[256];
    int length = GetClassNameA(window, name, sizeof name);
    return std::string(name, length > 0 ? static_cast<size_t>(length) : 0);
}

std::vector<HWND> VisibleDialogsOfThisProcess()
{
    return VisibleDialogsOfProcess(GetCurrentProcessId());
}

std::vector<HWND> VisibleDialogsOfProcess(DWORD processId)
{
    DialogSearch search = { processId, {} };
    EnumWindows(CollectDialogs, reinterpret_cast<LPARAM>(&search));
    return search.dialogs;
}

}  // namespace testing_support
