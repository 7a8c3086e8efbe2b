#include "engine/automation/WindowThreads.h"

bool IsWindowHung(HWND window, UINT ms)
{
    DWORD_PTR answer = 0;
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, ms, &answer) == 0;
}

void AttachToWindowThread(HWND window, bool attach)
{
    if (attach && IsWindowHung(window, kHungWindowTimeout))
        return;
    const DWORD current = GetCurrentThreadId();
    const DWORD other = GetWindowThreadProcessId(window, nullptr);
    if (other && other != current)
        AttachThreadInput(current, other, attach ? TRUE : FALSE);
}
