// The notification-area call of TrayTip: replaceable, so that tests can see
// the balloon's data where the virtual display has no notification area.
// The engine never changes it.
#pragma once

#include <windows.h>
#include <shellapi.h>

typedef BOOL(WINAPI* NotifyIconCall)(DWORD message, PNOTIFYICONDATAA data);

// Shell_NotifyIconA unless a test replaced it.
NotifyIconCall& NotifyIconSender();
