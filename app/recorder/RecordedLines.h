// The texts of recorded lines, and the clean-up of a recording's lines when
// it stops (CRecordRobotDlg::OnStopRecord runs the steps in this order:
// unfinished key presses, leading start keys, trailing lines, then, once the
// hook is gone, the moves before pauses).
#pragma once

#include "framework/Collections.h"
#include "framework/String.h"

#include <windows.h>

// "=> [remove on faster speed]": the faster speed drops a line that ends so.
extern const char kRemoveOnFasterSpeed[];

// "Wait <ms> milliseconds", with the faster-speed marker directly after it
// when marked.
CString RecordedWaitLine(DWORD milliseconds, bool marked);
// " At Win [<position>]": the line went to the window record at that
// position of the recording's windows.
CString RecordedWindowSuffix(int position);
// The line with the position of its window suffix moved by `offset`: for
// windows that come after others in a list.
CString ShiftWindowSuffix(const CString& line, int offset);

bool LineStartsWith(const CString& line, const char* prefix);

// Removes each "Key Down " line whose key has no "Key Up " line after it:
// the keys still held when the recording stopped (those of the stop key).
void RemoveUnfinishedKeyDowns(CStringArray& lines);
// Removes the releases of Ctrl and Alt at the start, passing over waits:
// what is left of the start key.
void RemoveLeadingStartKeyUps(CStringArray& lines);
// Removes the waits and key presses that end the recording.
void RemoveTrailingWaitsAndKeyDowns(CStringArray& lines);
// A marked move directly followed by a wait loses its marker, so that the
// faster speed still moves there before the pause.
void UnmarkMovesBeforeWaits(CStringArray& lines);
