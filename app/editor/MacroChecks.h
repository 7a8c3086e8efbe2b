// The checks the macro editor makes before it saves: the name (it is the
// macro file's name), the hot keys, the repeat count. Each check gives the
// message the user is shown, empty when the input passes.
#pragma once

#include "framework/String.h"

// Shown for any name that cannot be a file name.
extern const char kNameCharactersMessage[];

// An empty name; a name with a character that no file name may hold (the
// nine the message lists, control characters, a line break); a name Windows
// keeps for a device (CON, PRN, AUX, NUL, COM1-COM9, LPT1-LPT9, alone or
// with an extension, in any case); a name ending in a dot or a blank.
CString MacroNameProblem(const CString& name);

// A start or end key that is not set ("None"), the recording keys
// Ctrl+Alt+R and Ctrl+Alt+S, a modifier without a key, or one with <F12>.
CString HotKeyProblem(const CString& hotKeyText);

// Repeat counts run from 1 to 999999: a count of 0 would never run the
// macro, and the repeat options offer no more.
enum { kMinRepeatCount = 1, kMaxRepeatCount = 999999 };
int ClampRepeatCount(int count);

// The text with every line break (and other control character) made a
// blank: a name or description is one line of the macro file.
CString SingleLine(const CString& text);
