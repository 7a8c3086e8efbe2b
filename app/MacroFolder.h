// The macro files: one "<name>.txt" per macro in the data folder's
// subfolder "script". Every part of the program that lists them or counts
// positions in them (the main window's list, a run by position sent from a
// second instance) walks them the same way: in the order the file system
// returns them, directories skipped.
#pragma once

#include "framework/Framework.h"

// GetUserDataFolder() + "\script", without a trailing backslash.
CString GetScriptFolder();

// The file of the macro of that name: GetScriptFolder() + "\" + name + ".txt".
CString MacroFilePath(const CString& name);

// Whether the macro of that name has a file; FALSE for an empty name.
BOOL MacroFileExists(const CString& name);

// The full paths of the "*.txt" files of the script folder, in the order
// the system lists them; empty when the folder does not exist.
void ListMacroFiles(CStringArray& paths);

// The position among those files of the first one whose macro name equals
// `name` without regard to case; the number of files when none does.
int FindMacroPosition(const CString& name);

// The macro name of the file at that position; empty when there is none.
CString MacroNameAt(int position);
