// option.ini in the data folder: one setting per line, and the only one is
// "showtip=", whether the tips appear at the first showing of the main
// window. Only the exact value "0" turns them off.
#pragma once

#include "framework/Framework.h"

// GetUserDataFolder() + "\option.ini".
CString GetOptionFilePath();

// Reads the file's "showtip=" lines into `showTips` (1 or 0; a later line
// wins). A file that cannot be read leaves it as it was.
void ReadShowTipOption(const CString& path, int& showTips);

// Writes the file anew with the single line "showtip=<flag>"; does nothing
// when it cannot be written.
void WriteShowTipOption(const CString& path, int showTips);
