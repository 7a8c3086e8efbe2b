// AfxMessageBox: a message box captioned with the application's title and
// owned by the thread's active window.
#pragma once

#include <windows.h>

int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);

// The application's title; until one is set, the program file's base name.
LPCSTR AfxGetAppName();
void AfxSetAppName(LPCSTR title);
