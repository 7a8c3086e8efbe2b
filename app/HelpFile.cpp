#include "app/HelpFile.h"

#include "app/ProgramInfo.h"
#include "framework/MessageBox.h"
#include "macro/Folders.h"

namespace {

const char kHtmlHelpClassKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";
const char kHtmlHelpLibrary[] = "hhctrl.ocx";
const WORD kHtmlHelpAOrdinal = 14;
const UINT kDisplayTopic = 0;   // HH_DISPLAY_TOPIC

// The registered library's path; empty when the class is not registered.
CString RegisteredHtmlHelpLibrary()
{
    HKEY key = nullptr;
    if (::RegOpenKeyExA(HKEY_CLASSES_ROOT, kHtmlHelpClassKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return CString();
    char value[MAX_PATH + 1] = {};
    DWORD type = 0;
    DWORD size = MAX_PATH;   // at most 260 characters with the terminating zero
    LONG status = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(value), &size);
    ::RegCloseKey(key);
    if (status != ERROR_SUCCESS || (type != REG_SZ && type != REG_EXPAND_SZ))
        return CString();
    value[MAX_PATH] = '\0';
    if (type == REG_EXPAND_SZ) {
        char expanded[MAX_PATH] = {};
        DWORD length = ::ExpandEnvironmentStringsA(value, expanded, MAX_PATH);
        return length == 0 || length > MAX_PATH ? CString() : CString(expanded);
    }
    return value;
}

HtmlHelpFunction BindHtmlHelp()
{
    HMODULE library = nullptr;
    const CString registered = RegisteredHtmlHelpLibrary();
    if (!registered.IsEmpty())
        library = ::LoadLibraryA(registered);
    if (!library)
        library = ::LoadLibraryA(kHtmlHelpLibrary);
    if (!library)
        return nullptr;
    return reinterpret_cast<HtmlHelpFunction>(
        reinterpret_cast<void*>(::GetProcAddress(library, MAKEINTRESOURCEA(kHtmlHelpAOrdinal))));
}

}  // namespace

HtmlHelpFunction GetHtmlHelpFunction()
{
    static HtmlHelpFunction function = BindHtmlHelp();
    return function;
}

void ShowHelpFile()
{
    const CString path = GetProgramDirectory() + "\\" + g_strHelpFile;
    HtmlHelpFunction htmlHelp = GetHtmlHelpFunction();
    if (htmlHelp && htmlHelp(nullptr, path, kDisplayTopic, 0))
        return;
    CString message = "Help file not found. Please visit support website\n";
    message += kSupportPageAddress;
    AfxMessageBox(message, MB_ICONERROR);
}
