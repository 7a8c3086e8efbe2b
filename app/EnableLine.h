// Ticking a macro in the main window's list stores its Enable flag in the
// macro's file by changing that one line and nothing else: the file may hold
// what the record reader could not read completely (a bad window record), or
// lines in a form the writer would normalise, and none of it must be lost.
#pragma once

#include "framework/String.h"

// Sets line 6 of the macro file at `path`, its "Enable=" line, to
// "Enable=1" or "Enable=0"; the other bytes stay as they are. The new text
// replaces the old file only once it is written completely. FALSE, with
// the file untouched, when it cannot be read or written, or when it is not
// in the macro file's form ("[General]" first, after a UTF-8 byte-order
// mark if there is one, and "Enable=" as line 6, in any case).
BOOL WriteEnableLine(const CString& path, BOOL enable);
