// Step lines and script statements: the editor and the recorder show each
// macro step as a readable line ("Mouse Left Click, 3 times"), the macro
// file and the engine hold it as a script statement (MouseClick("left", 3)).
// Both forms may carry the window binding (" At Win [n]" in a step line,
// "-> At Win [n]" in a statement) and, after it, the faster-speed marker.
#pragma once

#include "framework/String.h"

// The statement of a step line; the empty text (with the line's suffixes)
// for a line that fits no step form. A run step's program and folder are
// written as literals, their double quotes doubled (and read back as one).
CString ActionTextToScript(const CString& actionLine);

// The step line of a statement; the empty text (with the statement's
// suffixes) for a statement that fits no step form. A run statement whose
// third argument is not one character shows the warning "Some error may
// happened" and still converts.
CString ScriptToActionText(const CString& statement);
