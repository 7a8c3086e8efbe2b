// The switch "-a <macro name>" with which Task Scheduler (or a user) starts
// the program to run one macro.
#pragma once

#include "framework/String.h"

// TRUE when the command line (the text after the program's path), lower-
// cased, begins with "-a " at its very first character; `macroName` is then
// the rest, lower-cased, blanks and quotes included.
BOOL ParseRunSwitch(LPCSTR commandLine, CString& macroName);
