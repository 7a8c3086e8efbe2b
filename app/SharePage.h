// The share page: an HTML page with a form, filled in from one macro file,
// through which the user sends the macro to the maker's upload service. It
// is written to the data folder's subfolder "share" as "robot_share.html"
// and shown by the share dialog; the form's submission is the page's own.
//
// Every value is written HTML-escaped, so that a macro's quotes, tags and
// scripts stay text in the form and never become part of the page.
#pragma once

#include "framework/Framework.h"

extern const char g_strShareFileName[];   // "robot_share.html"
extern const char g_strShareFolder[];     // "share\"

// What the form says about the macro.
struct SharedMacro
{
    CString name;          // the macro file's name, with ".txt"
    CString description;
    CString script;        // every line of the file, each followed by "\n"
};

// Reads the macro file at `path`. A file that cannot be opened gives an
// empty description and script.
SharedMacro ReadSharedMacro(const CString& path);

// The whole page for the macro, with the screen's size as "<width> x
// <height>" and the system's name.
CString BuildSharePage(const SharedMacro& macro, const CString& screenResolution, const CString& osName);

// & < > and " as HTML character references.
CString HtmlEscape(const CString& text);

// GetUserDataFolder() + "\share\" + fileName.
CString GetSharePagePath(const CString& fileName);

// Writes the page for the macro file at `macroPath` as `fileName` in the
// share folder; FALSE when no path is given or the page cannot be written.
BOOL WriteSharePage(const CString& macroPath, const CString& fileName);

// Writes `text` as `fileName` in the share folder, making the folder when it
// is missing; FALSE when the file cannot be created or written whole.
BOOL WriteSharePageFile(const CString& fileName, const CString& text);

// The system's name for the page ("WinXP", "Win2000", ...; empty for NT
// versions after 5.1 and when the version cannot be read) and its code
// (1 Win95, 2 Win98, 3 WinME, 4 WinNT, 5 Win2000, 6 WinXP, 7 Win32s; 0 for
// none). FALSE when the version cannot be read.
BOOL GetOsName(int& code, CString& name);
// The same from given version numbers.
void OsNameOf(DWORD platform, DWORD major, DWORD minor, int& code, CString& name);
