#include "engine/support/Shutdown.h"

#include "base/OsVersion.h"

namespace EngineSupport {

namespace {

const UINT ForceFlag = EWX_FORCE;

ShutdownActions g_actions = {ExitWindowsEx, CloseProcessWindow};

bool EnableShutdownPrivilege()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = SE_PRIVILEGE_ENABLED;
    bool enabled = false;
    if (LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid)) {
        // AdjustTokenPrivileges succeeds even when the token lacks the
        // privilege; only the last error tells.
        SetLastError(ERROR_SUCCESS);
        AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr);
        enabled = GetLastError() == ERROR_SUCCESS;
    }
    CloseHandle(token);
    return enabled;
}

BOOL CALLBACK CloseOtherProgramWindow(HWND window, LPARAM)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId != GetCurrentProcessId())
        g_actions.closeWindow(window);
    return TRUE;
}

}  // namespace

bool ShutdownWindows(UINT flags)
{
    if (g_OsVersion.IsNT && !EnableShutdownPrivilege())
        return false;
    if (g_OsVersion.Is9x && (flags & ForceFlag)) {
        // Windows 9x has no forced shut-down of its own: programs that would
        // hold it up are closed here, and the request goes on unforced.
        EnumWindows(CloseOtherProgramWindow, 0);
        flags &= ~ForceFlag;
    }
    return g_actions.exitWindows(flags, 0) != FALSE;
}

bool CloseProcessWindow(HWND window)
{
    DWORD_PTR result = 0;
    if (SendMessageTimeoutA(window, WM_CLOSE, 0, 0, SMTO_ABORTIFHUNG, 500, &result))
        return true;

    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    if (processId == 0 || processId == GetCurrentProcessId())
        return false;
    HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, processId);
    if (!process)
        return false;
    const bool ended = TerminateProcess(process, 0) != FALSE;
    CloseHandle(process);
    return ended;
}

ShutdownActions SetShutdownActions(const ShutdownActions& actions)
{
    const ShutdownActions previous = g_actions;
    g_actions = actions;
    return previous;
}

}  // namespace EngineSupport
