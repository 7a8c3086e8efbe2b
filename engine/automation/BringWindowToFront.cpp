#include "engine/automation/KeySender.h"

#include "engine/automation/ThreadInputAttachments.h"

namespace {

void TapAlt()
{
    const BYTE scan = static_cast<BYTE>(MapVirtualKeyA(VK_MENU, 0));
    keybd_event(VK_MENU, scan, 0, 0);
    keybd_event(VK_MENU, scan, KEYEVENTF_KEYUP, 0);
}

}  // namespace

void BringWindowToFront(HWND window)
{
    if (!window)
        return;
    HWND foreground = GetForegroundWindow();
    if (!foreground)
        foreground = FindWindowA("Shell_TrayWnd", nullptr);
    if (foreground == window)
        return;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    if (SetForegroundWindow(window))
        return;

    // The system lets a thread change the foreground only when it shares
    // input with the foreground's thread.
    const DWORD current = GetCurrentThreadId();
    const DWORD windowThread = GetWindowThreadProcessId(window, nullptr);
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    ThreadInputAttachments attachments;
    attachments.Attach(current, windowThread);
    attachments.Attach(current, foregroundThread);
    attachments.Attach(foregroundThread, windowThread);
    if (!SetForegroundWindow(window)) {
        // An Alt press counts as user input, after which the system allows it.
        TapAlt();
        TapAlt();
        SetForegroundWindow(window);
    }
}
