// Running processes, named by the file name of their program ("notepad.exe",
// without regard to case) or by their process id in decimal digits.
#pragma once

#include <windows.h>

// Looks for the first process named `name`: false when no process list could
// be had; otherwise true, with `found` and that process's id.
bool FindProcess(const char* name, DWORD& processId, bool& found);

// The id that `name` stands for when it is written in decimal digits only
// ("7zip.exe" is a name, not the id 7); 0 otherwise.
DWORD ProcessIdFromName(const char* name);

// The message of a script that needs the process list when there is none.
extern const char kNoProcessListMessage[];
