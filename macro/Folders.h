// Where the program's files are: the per-user data folder and the program's
// own folder.
#pragma once

#include "framework/String.h"

// The shell's per-user application-data folder with "brenvik" appended, no
// trailing backslash. Macro files live in its subfolder "script".
CString GetUserDataFolder();

// The full path of the program's file; empty when the system gives none.
CString GetModulePath();

// The folder of the program's file, without a trailing backslash.
CString GetProgramDirectory();

// Makes a folder and every missing parent; a trailing backslash is ignored.
// True when the folder exists afterwards; false when the path names a file
// or a folder cannot be made.
bool CreateDirectoryPath(const char* path);
