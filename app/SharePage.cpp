#include "app/SharePage.h"

#include "app/ProgramInfo.h"
#include "macro/Folders.h"

const char g_strShareFileName[] = "robot_share.html";
const char g_strShareFolder[] = "share\\";

namespace {

const char g_strSharePageHead[] =
    "<HTML>\n"
    "<HEAD>\n"
    "<TITLE>Share Robot</TITLE>\n"
    "<style type=\"text/css\">\n"
    "<!--\n"
    ".box {\n"
    "\tborder-top-width: 1px;\n"
    "\tborder-right-width: 1px;\n"
    "\tborder-bottom-width: 1px;\n"
    "\tborder-left-width: 1px;\n"
    "\tborder-top-style: none;\n"
    "\tborder-right-style: solid;\n"
    "\tborder-bottom-style: solid;\n"
    "\tborder-left-style: solid;\n"
    "\tborder-top-color: #333333;\n"
    "\tborder-right-color: #333333;\n"
    "\tborder-bottom-color: #333333;\n"
    "\tborder-left-color: #333333;\n"
    "}\n"
    ".text {\n"
    "\tfont-family: Verdana, Arial, Helvetica, sans-serif;\n"
    "\tfont-size: 12px;\n"
    "\tcolor: #000000;\n"
    "}\n"
    ".title {\n"
    "\tfont-family: Verdana, Arial, Helvetica, sans-serif;\n"
    "\tfont-size: 14px;\n"
    "\tfont-weight: bold;\n"
    "}\n"
    "body {\n"
    "\tmargin-left: 0px;\n"
    "\tmargin-top: 0px;\n"
    "}\n"
    ".whiteTD {\n"
    "\tbackground-color: #ffffff;\n"
    "}\n"
    ".blueTD {\n"
    "\tbackground-color: #D4D0C8;\n"
    "}\n"
    "-->\n"
    "</style>\n"
    "</HEAD>\n"
    "<BODY BGCOLOR=\"#FFFFFF\" TEXT=\"#OOOOOO\" LINK=\"#0000CC\" VLINK=\"#CC0000\" ALINK=\"#CC0000\">\n"
    "<br><br><p>We encourage you to share your robot so that your robot can be reused by other users, also, "
    "they may get he idea to improve and modify your robot. We will reward the users who uploaded valualbe "
    "robots.<br><br>To start sharing your robot, verify the form below and click on 'Share Now' button.</p><BR>\n"
    "<CENTER>\n"
    "<TABLE WIDTH=600 CELLPADDING=0 CELLSPACING=0 BORDER=0>\n"
    "<TR>\n"
    "<TD VALIGN=TOP>\n";

const char g_strSharePageTail[] =
    "<INPUT TYPE=\"submit\" VALUE=\"Share Now\">\n"
    "</FORM>\n"
    "</TD></TR>\n"
    "</TABLE>\n"
    "</BODY>\n"
    "</HTML>";

const char kDescriptionKey[] = "Description=";

// One row of the form: its label, then a text field with the value.
CString FieldRow(LPCSTR label, LPCSTR openingText, const CString& value)
{
    return CString(label) + openingText + "\"" + HtmlEscape(value) + "\"><BR><BR>";
}

}  // namespace

CString HtmlEscape(const CString& text)
{
    CString escaped;
    for (int i = 0; i < text.GetLength(); ++i) {
        const char ch = text[i];
        switch (ch) {
        case '&': escaped += "&amp;"; break;
        case '<': escaped += "&lt;"; break;
        case '>': escaped += "&gt;"; break;
        case '"': escaped += "&quot;"; break;
        default: escaped += ch; break;
        }
    }
    return escaped;
}

SharedMacro ReadSharedMacro(const CString& path)
{
    SharedMacro macro;
    const int slash = path.ReverseFind('\\');
    macro.name = path.Mid(slash + 1);
    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyNone | CFile::typeText))
        return macro;
    const int keyLength = static_cast<int>(sizeof kDescriptionKey - 1);
    CString line;
    try {
        while (file.ReadString(line)) {
            if (line.Left(keyLength) == kDescriptionKey)
                macro.description = line.Mid(keyLength);
            macro.script += line + "\n";
        }
    } catch (CFileException* e) {
        e->Delete();   // what was read so far goes on the page
    }
    file.Close();
    return macro;
}

CString BuildSharePage(const SharedMacro& macro, const CString& screenResolution, const CString& osName)
{
    CString page = g_strSharePageHead;
    page += "<FORM NAME=\"upload_robot\" METHOD=\"POST\" ACTION=\"";
    page += kUploadAddress;
    page += "\">\n";
    page += FieldRow("Robot Name:<BR>", "<INPUT TYPE=text NAME=script_name size=100 value=", macro.name);
    page += FieldRow("Robot Description:<BR>", "<INPUT TYPE=text NAME=script_description value=",
                     macro.description);
    page += "Robot Script:<BR><TEXTAREA NAME=script_script ROWS=7 COLS=60>";
    page += HtmlEscape(macro.script) + "</TEXTAREA><BR><BR>";
    page += FieldRow("Screen Resolution:<BR>", "<INPUT TYPE=text NAME=screen_resolution size=40 value=",
                     screenResolution);
    page += FieldRow("OS Version:<BR>", "<INPUT TYPE=text NAME=os_version size=40 value=", osName);
    page += FieldRow("Brenvik Kestrune Version:<BR>", "<INPUT TYPE=text NAME=pd_version size=40 value=",
                     g_strVersion);
    page += g_strSharePageTail;
    return page;
}

CString GetSharePagePath(const CString& fileName)
{
    return GetUserDataFolder() + "\\" + g_strShareFolder + fileName;
}

BOOL WriteSharePage(const CString& macroPath, const CString& fileName)
{
    if (macroPath.IsEmpty())
        return FALSE;
    const SharedMacro macro = ReadSharedMacro(macroPath);
    CString resolution;
    resolution.Format("%d x %d", ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    int code = 0;
    CString osName;
    GetOsName(code, osName);
    return WriteSharePageFile(fileName, BuildSharePage(macro, resolution, osName));
}

BOOL WriteSharePageFile(const CString& fileName, const CString& text)
{
    const CString folder = GetUserDataFolder() + "\\" + g_strShareFolder;
    if (::GetFileAttributesA(folder) != FILE_ATTRIBUTE_DIRECTORY)
        ::CreateDirectoryA(folder, nullptr);
    CFile file;
    if (!file.Open(folder + fileName, CFile::modeCreate | CFile::modeWrite | CFile::typeBinary))
        return FALSE;
    try {
        file.Write(text.GetString(), static_cast<UINT>(text.GetLength()));
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        file.Abort();
        return FALSE;
    }
    return TRUE;
}

void OsNameOf(DWORD platform, DWORD major, DWORD minor, int& code, CString& name)
{
    code = 0;
    name.Empty();
    switch (platform) {
    case VER_PLATFORM_WIN32s:
        code = 7, name = "Win32";
        break;
    case VER_PLATFORM_WIN32_WINDOWS:
        if (major > 4 || (major == 4 && minor > 89))
            code = 3, name = "WinME";
        else if (major == 4 && minor > 0)
            code = 2, name = "Win98";
        else
            code = 1, name = "Win95";
        break;
    case VER_PLATFORM_WIN32_NT:
        if (major <= 4)
            code = 4, name = "WinNT";
        else if (major == 5 && minor == 0)
            code = 5, name = "Win2000";
        else if (major == 5 && minor == 1)
            code = 6, name = "WinXP";
        break;
    default:
        name = "Unknown OS";
        break;
    }
}

BOOL GetOsName(int& code, CString& name)
{
    code = 0;
    name.Empty();
    OSVERSIONINFOEXA extended = {};
    extended.dwOSVersionInfoSize = sizeof extended;
    OSVERSIONINFOA* version = reinterpret_cast<OSVERSIONINFOA*>(&extended);
    if (!::GetVersionExA(version)) {
        OSVERSIONINFOA plain = {};
        plain.dwOSVersionInfoSize = sizeof plain;
        if (!::GetVersionExA(&plain))
            return FALSE;
        extended.dwPlatformId = plain.dwPlatformId;
        extended.dwMajorVersion = plain.dwMajorVersion;
        extended.dwMinorVersion = plain.dwMinorVersion;
    }
    OsNameOf(extended.dwPlatformId, extended.dwMajorVersion, extended.dwMinorVersion, code, name);
    return TRUE;
}
