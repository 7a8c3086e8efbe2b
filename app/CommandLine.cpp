#include "app/CommandLine.h"

BOOL ParseRunSwitch(LPCSTR commandLine, CString& macroName)
{
    CString text = commandLine ? commandLine : "";
    text.MakeLower();
    if (text.Left(3) != "-a ")
        return FALSE;
    macroName = text.Mid(3);
    return TRUE;
}
