#include "app/recorder/RecordedLines.h"

#include "macro/NumberText.h"

#include <string.h>

const char kRemoveOnFasterSpeed[] = "=> [remove on faster speed]";

namespace {

const char kKeyDown[] = "Key Down ";
const char kKeyUp[] = "Key Up ";
const char kWait[] = "Wait ";
const char kWindowSuffix[] = " At Win [";
const char kMoveTo[] = "Mouse move to ";

bool EndsWith(const CString& line, const char* suffix)
{
    const int length = static_cast<int>(strlen(suffix));
    return line.GetLength() >= length && line.Right(length) == suffix;
}

// The key of a "Key Down " line: a bracketed name through its ">", else the
// text up to the first blank. False for a bracket that is never closed.
bool KeyOfKeyDown(const CString& line, CString& key)
{
    const CString rest = line.Mid(static_cast<int>(strlen(kKeyDown)));
    if (rest.Left(1) == "<") {
        const int close = rest.Find('>');
        if (close < 0)
            return false;
        key = rest.Left(close + 1);
        return true;
    }
    const int blank = rest.Find(' ');
    key = blank < 0 ? rest : rest.Left(blank);
    return true;
}

}  // namespace

CString RecordedWaitLine(DWORD milliseconds, bool marked)
{
    CString line = "Wait " + IntToText(static_cast<int>(milliseconds)) + " milliseconds";
    if (marked)
        line += kRemoveOnFasterSpeed;
    return line;
}

CString RecordedWindowSuffix(int position)
{
    return kWindowSuffix + IntToText(position) + "]";
}

// A recorded line's window suffix is its end.
CString ShiftWindowSuffix(const CString& line, int offset)
{
    const int at = line.Find(kWindowSuffix);
    if (offset == 0 || at < 0)
        return line;
    const int position = StringToInt(line.Mid(at + static_cast<int>(strlen(kWindowSuffix))));
    return line.Left(at) + RecordedWindowSuffix(position + offset);
}

bool LineStartsWith(const CString& line, const char* prefix)
{
    return strncmp(line, prefix, strlen(prefix)) == 0;
}

void RemoveUnfinishedKeyDowns(CStringArray& lines)
{
    for (INT_PTR i = lines.GetSize() - 1; i >= 0; --i) {
        CString key;
        if (!LineStartsWith(lines[i], kKeyDown) || !KeyOfKeyDown(lines[i], key))
            continue;
        const CString release = kKeyUp + key;
        bool released = false;
        for (INT_PTR later = i + 1; later < lines.GetSize() && !released; ++later)
            released = LineStartsWith(lines[later], release);
        if (!released)
            lines.RemoveAt(i);
    }
}

void RemoveLeadingStartKeyUps(CStringArray& lines)
{
    INT_PTR i = 0;
    while (i < lines.GetSize()) {
        if (LineStartsWith(lines[i], "Key Up <Ctrl>") || LineStartsWith(lines[i], "Key Up <Alt>"))
            lines.RemoveAt(i);
        else if (LineStartsWith(lines[i], kWait))
            ++i;
        else
            break;
    }
}

void RemoveTrailingWaitsAndKeyDowns(CStringArray& lines)
{
    while (lines.GetSize() > 0) {
        const CString& last = lines[lines.GetSize() - 1];
        if (!LineStartsWith(last, kWait) && !LineStartsWith(last, kKeyDown))
            break;
        lines.RemoveAt(lines.GetSize() - 1);
    }
}

void UnmarkMovesBeforeWaits(CStringArray& lines)
{
    const int markerLength = static_cast<int>(strlen(kRemoveOnFasterSpeed));
    for (INT_PTR i = 0; i + 1 < lines.GetSize(); ++i) {
        CString& line = lines[i];
        if (LineStartsWith(line, kMoveTo) && EndsWith(line, kRemoveOnFasterSpeed) && LineStartsWith(lines[i + 1], kWait))
            line = line.Left(line.GetLength() - markerLength);
    }
}
