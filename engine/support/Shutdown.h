// Ending the Windows session, and closing another program's window.
#pragma once

#include <windows.h>

namespace EngineSupport {

// Logs off, shuts down, reboots or powers off (the ExitWindowsEx flags: 0
// log off, 1 shut down, 2 reboot, 4 force, 8 power off). On Windows NT the
// shut-down privilege is enabled first; on Windows 9x a forced shut-down
// first closes the other programs' top-level windows itself. True when the
// system accepted the request.
bool ShutdownWindows(UINT flags);

// Asks `window` to close (WM_CLOSE, half a second at most); when it does not
// answer, ends its process. Never ends this program's own process. True when
// the window took the message or its process was ended.
bool CloseProcessWindow(HWND window);

// The two calls through which ShutdownWindows acts on the session. Tests
// replace them, since ending the session also ends the test run.
struct ShutdownActions
{
    BOOL(WINAPI* exitWindows)(UINT flags, DWORD reason);
    bool (*closeWindow)(HWND window);
};

// Puts `actions` in place and returns the ones they replace.
ShutdownActions SetShutdownActions(const ShutdownActions& actions);

}  // namespace EngineSupport
