// The system calls of the drive builtins that reach devices and the network:
// replaceable, so that tests can stand in for a CD drive or a network share
// where the machine has none. The engine never changes them.
#pragma once

#include <windows.h>
#include <mmsystem.h>
#include <winnetwk.h>

struct DriveSystemCalls
{
    UINT(WINAPI* GetDriveType)(LPCSTR root);
    MCIERROR(WINAPI* SendMciString)(LPCSTR command, LPSTR answer, UINT answerSize, HWND callback);
    DWORD(WINAPI* UseConnection)(HWND owner, LPNETRESOURCEA resource, LPCSTR password, LPCSTR user, DWORD flags,
                                 LPSTR accessName, LPDWORD accessNameSize, LPDWORD resultFlags);
    DWORD(WINAPI* CancelConnection)(LPCSTR name, DWORD flags, BOOL force);
    DWORD(WINAPI* GetConnection)(LPCSTR localName, LPSTR remoteName, LPDWORD remoteNameSize);
};

// The calls in use; the system's own unless a test replaced them.
DriveSystemCalls& DriveSystem();
