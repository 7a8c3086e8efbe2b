// The help file, help.chm in the program's folder, shown in the system's
// HTML Help viewer.
#pragma once

#include "framework/Framework.h"

#include <windows.h>

// Opens the help file, or tells the user that it (or the viewer) is missing.
void ShowHelpFile();

// The viewer's entry HtmlHelpA, found at the first call: in the library
// registered for the HTML Help control's class, else in hhctrl.ocx, by its
// ordinal. The library stays loaded. Null when neither can be had.
typedef HWND(WINAPI* HtmlHelpFunction)(HWND caller, LPCSTR file, UINT command, DWORD_PTR data);
HtmlHelpFunction GetHtmlHelpFunction();
