// The @macros: values of the system, the clock and the running script.
#include "engine/ScriptEngine.h"
#include "engine/support/LocalAddress.h"
#include "engine/support/RegistryAndVersion.h"
#include "base/OsVersion.h"

#include <stdio.h>
#include <string.h>

#include <algorithm>
#include <string>

namespace {

enum Macro
{
    kError, kSec, kMin, kHour, kMday, kMon, kYear, kWday, kYday,
    kProgramFilesDir, kCommonFilesDir, kMyDocumentsDir, kAppDataCommonDir, kDocumentsCommonDir,
    kDesktopCommonDir, kFavoritesCommonDir, kProgramsCommonDir, kStartMenuCommonDir, kStartupCommonDir,
    kAppDataDir, kDesktopDir, kFavoritesDir, kProgramsDir, kStartMenuDir, kStartupDir,
    kComputerName, kWindowsDir, kSystemDir,
    kSwHide, kSwShowNormal, kSwShowMinimized, kSwMaximize, kSwShowMaximized, kSwShowNoActivate, kSwShow,
    kSwMinimize, kSwShowMinNoActive, kSwShowNa, kSwRestore, kSwShowDefault,
    kScriptFullPath, kScriptName, kScriptDir, kWorkingDir,
    kOsType, kOsVersion, kOsBuild, kOsServicePack, kOsLang, kOrvexVersion,
    kIpAddress1, kIpAddress2, kIpAddress3, kIpAddress4,
    kCr, kLf, kCrLf, kTab,
    kDesktopWidth, kDesktopHeight, kDesktopDepth, kDesktopRefresh,
    kCompiled,
    kComSpec, kHomeDrive, kHomePath, kHomeShare, kLogonServer, kLogonDomain, kLogonDnsDomain,
    kUserName, kTempDir, kUserProfileDir,
    kMacroCount
};

struct MacroName
{
    const char* name;   // upper case
    Macro macro;
};

// In byte order of the names, for the binary search.
const MacroName kMacroNames[] = {
    {"APPDATACOMMONDIR", kAppDataCommonDir}, {"APPDATADIR", kAppDataDir}, {"COMMONFILESDIR", kCommonFilesDir},
    {"COMPILED", kCompiled}, {"COMPUTERNAME", kComputerName}, {"COMSPEC", kComSpec}, {"CR", kCr},
    {"CRLF", kCrLf}, {"DESKTOPCOMMONDIR", kDesktopCommonDir}, {"DESKTOPDEPTH", kDesktopDepth},
    {"DESKTOPDIR", kDesktopDir}, {"DESKTOPHEIGHT", kDesktopHeight}, {"DESKTOPREFRESH", kDesktopRefresh},
    {"DESKTOPWIDTH", kDesktopWidth}, {"DOCUMENTSCOMMONDIR", kDocumentsCommonDir}, {"ERROR", kError},
    {"FAVORITESCOMMONDIR", kFavoritesCommonDir}, {"FAVORITESDIR", kFavoritesDir}, {"HOMEDRIVE", kHomeDrive},
    {"HOMEPATH", kHomePath}, {"HOMESHARE", kHomeShare}, {"HOUR", kHour}, {"IPADDRESS1", kIpAddress1},
    {"IPADDRESS2", kIpAddress2}, {"IPADDRESS3", kIpAddress3}, {"IPADDRESS4", kIpAddress4}, {"LF", kLf},
    {"LOGONDNSDOMAIN", kLogonDnsDomain}, {"LOGONDOMAIN", kLogonDomain}, {"LOGONSERVER", kLogonServer},
    {"MDAY", kMday}, {"MIN", kMin}, {"MON", kMon}, {"MYDOCUMENTSDIR", kMyDocumentsDir},
    {"ORVEXVERSION", kOrvexVersion}, {"OSBUILD", kOsBuild}, {"OSLANG", kOsLang},
    {"OSSERVICEPACK", kOsServicePack}, {"OSTYPE", kOsType}, {"OSVERSION", kOsVersion},
    {"PROGRAMFILESDIR", kProgramFilesDir}, {"PROGRAMSCOMMONDIR", kProgramsCommonDir},
    {"PROGRAMSDIR", kProgramsDir}, {"SCRIPTDIR", kScriptDir}, {"SCRIPTFULLPATH", kScriptFullPath},
    {"SCRIPTNAME", kScriptName}, {"SEC", kSec}, {"STARTMENUCOMMONDIR", kStartMenuCommonDir},
    {"STARTMENUDIR", kStartMenuDir}, {"STARTUPCOMMONDIR", kStartupCommonDir}, {"STARTUPDIR", kStartupDir},
    {"SW_HIDE", kSwHide}, {"SW_MAXIMIZE", kSwMaximize}, {"SW_MINIMIZE", kSwMinimize},
    {"SW_RESTORE", kSwRestore}, {"SW_SHOW", kSwShow}, {"SW_SHOWDEFAULT", kSwShowDefault},
    {"SW_SHOWMAXIMIZED", kSwShowMaximized}, {"SW_SHOWMINIMIZED", kSwShowMinimized},
    {"SW_SHOWMINNOACTIVE", kSwShowMinNoActive}, {"SW_SHOWNA", kSwShowNa},
    {"SW_SHOWNOACTIVATE", kSwShowNoActivate}, {"SW_SHOWNORMAL", kSwShowNormal}, {"SYSTEMDIR", kSystemDir},
    {"TAB", kTab}, {"TEMPDIR", kTempDir}, {"USERNAME", kUserName}, {"USERPROFILEDIR", kUserProfileDir},
    {"WDAY", kWday}, {"WINDOWSDIR", kWindowsDir}, {"WORKINGDIR", kWorkingDir}, {"YDAY", kYday},
    {"YEAR", kYear},
};
static_assert(sizeof kMacroNames / sizeof kMacroNames[0] == kMacroCount, "every macro has its name");

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";
const DWORD kTextSize = MAX_PATH;

bool FindMacro(const char* upperName, Macro& macro)
{
    const MacroName* end = kMacroNames + kMacroCount;
    const MacroName* found = std::lower_bound(kMacroNames, end, upperName, [](const MacroName& entry, const char* name) {
        return strcmp(entry.name, name) < 0;
    });
    if (found == end || strcmp(found->name, upperName) != 0)
        return false;
    macro = found->macro;
    return true;
}

std::string RegistryText(HKEY root, const char* key, const char* value)
{
    char text[kTextSize];
    EngineSupport::ReadRegistryString(root, key, value, text, sizeof text);
    return text;
}

std::string ShellFolder(HKEY root, const char* folder)
{
    return RegistryText(root, kShellFoldersKey, folder);
}

// A common folder, or the user's own one when the system has none.
std::string CommonShellFolder(const char* common, const char* own)
{
    std::string folder = ShellFolder(HKEY_LOCAL_MACHINE, common);
    return folder.empty() ? ShellFolder(HKEY_CURRENT_USER, own) : folder;
}

std::string WithoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string Environment(const char* name)
{
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size <= 1)
        return std::string();
    std::string value(size, '\0');
    const DWORD length = GetEnvironmentVariableA(name, &value[0], size);
    value.resize(length < size ? length : 0);
    return value;
}

std::string TwoDigits(int value)
{
    char text[16];
    snprintf(text, sizeof text, "%.2d", value);
    return text;
}

std::string Decimal(int value)
{
    char text[16];
    snprintf(text, sizeof text, "%d", value);
    return text;
}

int DayOfYear(const SYSTEMTIME& time)
{
    static const int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
    const int year = time.wYear;
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int month = time.wMonth >= 1 && time.wMonth <= 12 ? time.wMonth : 1;
    return kDaysBefore[month - 1] + time.wDay + (leap && month > 2 ? 1 : 0);
}

std::string OsVersionName()
{
    const OsVersionInfo& os = g_OsVersion;
    if (os.IsNT) {
        if (os.MajorVersion == 5 && (os.MinorVersion == 1 || os.MinorVersion == 2))
            return "WIN_XP";
        if (os.MajorVersion == 5 && os.MinorVersion == 0)
            return "WIN_2000";
        return "WIN_NT4";
    }
    if (os.MajorVersion == 4 && os.MinorVersion == 0)
        return "WIN_95";
    if (os.MajorVersion == 4 && os.MinorVersion == 10)
        return "WIN_98";
    return "WIN_ME";
}

std::string OsLanguage()
{
    if (g_OsVersion.IsNT)
        return RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language",
                            g_OsVersion.Is2000OrLater ? "InstallLanguage" : "Default");
    return RegistryText(HKEY_USERS, ".DEFAULT\\Control Panel\\Desktop\\ResourceLocale", nullptr);
}

std::string Trimmed(const char* text)
{
    std::string value(text);
    const size_t first = value.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    return value.substr(first, value.find_last_not_of(" \t") - first + 1);
}

int DeviceCaps(int index)
{
    HDC screen = GetDC(nullptr);
    const int value = screen ? GetDeviceCaps(screen, index) : 0;
    if (screen)
        ReleaseDC(nullptr, screen);
    return value;
}

}  // namespace

int CPandrel_Script::EvaluateMacro(TokenList& tokens, int& index, int limit, CEngineVariant& result)
{
    ScriptToken& token = TokenAt(tokens, index, limit);
    std::string name(token.Value.GetString());
    for (char& ch : name)
        ch = FoldCharUpper(ch);
    Macro macro;
    if (!FindMacro(name.c_str(), macro)) {
        ShowScriptError("Unknown macro.", token.Column);
        return 1;
    }
    ++index;

    char text[kTextSize] = "";
    DWORD size = sizeof text;
    SYSTEMTIME now;
    if (macro >= kSec && macro <= kYday)
        GetLocalTime(&now);   // once for the whole value

    auto integer = [&](int value) { result.SetInt(value); return 0; };
    auto string = [&](const std::string& value) {
        result.SetString(value.c_str(), static_cast<int>(value.size()));
        return 0;
    };
    switch (macro) {
    case kError: return integer(m_error);
    case kSec: return string(TwoDigits(now.wSecond));
    case kMin: return string(TwoDigits(now.wMinute));
    case kHour: return string(TwoDigits(now.wHour));
    case kMday: return string(TwoDigits(now.wDay));
    case kMon: return string(TwoDigits(now.wMonth));
    case kYear: return string(Decimal(now.wYear));
    case kWday: return string(Decimal(now.wDayOfWeek + 1));
    case kYday: return string(Decimal(DayOfYear(now)));
    case kProgramFilesDir: return string(RegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "ProgramFilesDir"));
    case kCommonFilesDir: return string(RegistryText(HKEY_LOCAL_MACHINE, kCurrentVersionKey, "CommonFilesDir"));
    case kMyDocumentsDir: return string(WithoutTrailingBackslash(ShellFolder(HKEY_CURRENT_USER, "Personal")));
    case kAppDataCommonDir: return string(ShellFolder(HKEY_LOCAL_MACHINE, "Common AppData"));
    case kDocumentsCommonDir: return string(ShellFolder(HKEY_LOCAL_MACHINE, "Common Documents"));
    case kDesktopCommonDir: return string(CommonShellFolder("Common Desktop", "Desktop"));
    case kFavoritesCommonDir: return string(CommonShellFolder("Common Favorites", "Favorites"));
    case kProgramsCommonDir: return string(CommonShellFolder("Common Programs", "Programs"));
    case kStartMenuCommonDir: return string(CommonShellFolder("Common Start Menu", "Start Menu"));
    case kStartupCommonDir: return string(CommonShellFolder("Common Startup", "Startup"));
    case kAppDataDir: return string(ShellFolder(HKEY_CURRENT_USER, "AppData"));
    case kDesktopDir: return string(ShellFolder(HKEY_CURRENT_USER, "Desktop"));
    case kFavoritesDir: return string(ShellFolder(HKEY_CURRENT_USER, "Favorites"));
    case kProgramsDir: return string(ShellFolder(HKEY_CURRENT_USER, "Programs"));
    case kStartMenuDir: return string(ShellFolder(HKEY_CURRENT_USER, "Start Menu"));
    case kStartupDir: return string(ShellFolder(HKEY_CURRENT_USER, "Startup"));
    case kComputerName:
        return string(GetComputerNameA(text, &size) ? text : "");
    case kWindowsDir:
        return string(GetWindowsDirectoryA(text, sizeof text) < sizeof text ? text : "");
    case kSystemDir:
        return string(GetSystemDirectoryA(text, sizeof text) < sizeof text ? text : "");
    case kSwHide: return integer(SW_HIDE);
    case kSwShowNormal: return integer(SW_SHOWNORMAL);
    case kSwShowMinimized: return integer(SW_SHOWMINIMIZED);
    case kSwMaximize: return integer(SW_MAXIMIZE);
    case kSwShowMaximized: return integer(SW_SHOWMAXIMIZED);
    case kSwShowNoActivate: return integer(SW_SHOWNOACTIVATE);
    case kSwShow: return integer(SW_SHOW);
    case kSwMinimize: return integer(SW_MINIMIZE);
    case kSwShowMinNoActive: return integer(SW_SHOWMINNOACTIVE);
    case kSwShowNa: return integer(SW_SHOWNA);
    case kSwRestore: return integer(SW_RESTORE);
    case kSwShowDefault: return integer(SW_SHOWDEFAULT);
    case kScriptFullPath: return string(m_scriptFullPath.GetText());
    case kScriptName: return string(m_scriptName.GetText());
    case kScriptDir: return string(m_scriptDir.GetText());
    case kWorkingDir:
        return string(GetCurrentDirectoryA(sizeof text, text) < sizeof text ? text : "");
    case kOsType: return string(g_OsVersion.IsNT ? "WIN32_NT" : "WIN32_WINDOWS");
    case kOsVersion: return string(OsVersionName());
    case kOsBuild: return integer(g_OsVersion.IsNT ? g_OsVersion.BuildNumber : LOWORD(g_OsVersion.BuildNumber));
    case kOsServicePack: return string(Trimmed(g_OsVersion.ServicePack));
    case kOsLang: return string(OsLanguage());
    case kOrvexVersion: {
        CString version = "0.0.0.0";
        if (GetModuleFileNameA(nullptr, text, sizeof text) < sizeof text)
            EngineSupport::GetFileVersionString(text, version);
        return string(static_cast<const char*>(version));
    }
    case kIpAddress1: return string(static_cast<const char*>(EngineSupport::GetLocalIpAddress(1)));
    case kIpAddress2: return string(static_cast<const char*>(EngineSupport::GetLocalIpAddress(2)));
    case kIpAddress3: return string(static_cast<const char*>(EngineSupport::GetLocalIpAddress(3)));
    case kIpAddress4: return string(static_cast<const char*>(EngineSupport::GetLocalIpAddress(4)));
    case kCr: return string("\r");
    case kLf: return string("\n");
    case kCrLf: return string("\r\n");
    case kTab: return string("\t");
    case kDesktopWidth:
    case kDesktopHeight: {
        RECT desktop = {0, 0, 0, 0};
        GetWindowRect(GetDesktopWindow(), &desktop);
        return integer(macro == kDesktopWidth ? desktop.right : desktop.bottom);
    }
    case kDesktopDepth: return integer(DeviceCaps(BITSPIXEL));
    case kDesktopRefresh: return integer(DeviceCaps(VREFRESH));
    case kCompiled: return integer(0);
    case kComSpec: return string(Environment("COMSPEC"));
    case kHomeDrive: return string(Environment("HOMEDRIVE"));
    case kHomePath: return string(Environment("HOMEPATH"));
    case kHomeShare: return string(Environment("HOMESHARE"));
    case kLogonServer: return string(Environment("LOGONSERVER"));
    case kLogonDomain: return string(Environment("USERDOMAIN"));
    case kLogonDnsDomain: return string(Environment("USERDNSDOMAIN"));
    case kUserName:
        return string(GetUserNameA(text, &size) ? text : "");
    case kTempDir: {
        const DWORD length = GetTempPathA(sizeof text, text);
        return string(WithoutTrailingBackslash(length && length < sizeof text ? text : ""));
    }
    case kUserProfileDir: {
        // The user's Desktop folder without its last part.
        std::string desktop = WithoutTrailingBackslash(ShellFolder(HKEY_CURRENT_USER, "Desktop"));
        const size_t slash = desktop.rfind('\\');
        return string(slash == std::string::npos ? std::string() : desktop.substr(0, slash));
    }
    case kMacroCount:
        break;
    }
    return integer(0);
}
