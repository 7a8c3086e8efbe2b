// The @macros: each gives what the system, the clock or the running script
// says, read here independently of the engine.
#include <winsock2.h>

#include "tests/engine/ScriptTestSupport.h"

#include "tests/support/TestFiles.h"

#include <windows.h>

#include <stdio.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

using script_host::Global;
using script_test::RunClean;

const char kShellFolders[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string RegistryText(HKEY root, const char* key, const char* value)
{
    HKEY opened;
    if (RegOpenKeyExA(root, key, 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS)
        return "";
    char text[MAX_PATH] = "";
    DWORD size = sizeof text - 1;
    DWORD type = 0;
    const LONG status = RegQueryValueExA(opened, value, nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(opened);
    return status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) ? std::string(text) : "";
}

std::string ShellFolder(HKEY root, const char* name)
{
    return RegistryText(root, kShellFolders, name);
}

std::string CommonFolder(const char* common, const char* own)
{
    const std::string folder = ShellFolder(HKEY_LOCAL_MACHINE, common);
    return folder.empty() ? ShellFolder(HKEY_CURRENT_USER, own) : folder;
}

std::string WithoutTrailingBackslash(std::string path)
{
    if (!path.empty() && path.back() == '\\')
        path.pop_back();
    return path;
}

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    return first == std::string::npos ? "" : text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

std::string Number(long long value)
{
    return std::to_string(value);
}

std::string OsVersionName(const OSVERSIONINFOA& os)
{
    if (os.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        if (os.dwMajorVersion == 5 && (os.dwMinorVersion == 1 || os.dwMinorVersion == 2))
            return "WIN_XP";
        return os.dwMajorVersion == 5 && os.dwMinorVersion == 0 ? "WIN_2000" : "WIN_NT4";
    }
    if (os.dwMajorVersion == 4 && os.dwMinorVersion == 0)
        return "WIN_95";
    return os.dwMajorVersion == 4 && os.dwMinorVersion == 10 ? "WIN_98" : "WIN_ME";
}

// The n-th address of the local host name, as the network library gives it.
std::string LocalAddress(int n)
{
    std::string address = "0.0.0.0";
    WSADATA data;
    if (WSAStartup(MAKEWORD(1, 1), &data) != 0)
        return address;
    char name[256];
    if (gethostname(name, sizeof name) == 0) {
        const hostent* host = gethostbyname(name);
        for (int i = 0; host && host->h_addr_list[i]; ++i) {
            if (i == n - 1) {
                in_addr found;
                memcpy(&found, host->h_addr_list[i], sizeof found);
                address = inet_ntoa(found);
            }
        }
    }
    WSACleanup();
    return address;
}

int DeviceCaps(int index)
{
    HDC screen = GetDC(nullptr);
    const int value = GetDeviceCaps(screen, index);
    ReleaseDC(nullptr, screen);
    return value;
}

TEST(Macros, EachGivesWhatTheSystemSays)
{
    // The environment's values are set here, so that each is one of a kind.
    const std::pair<const char*, const char*> environment[] = {
        {"COMSPEC", "C:\\shell\\cmd.exe"}, {"HOMEDRIVE", "H:"}, {"HOMEPATH", "\\users\\tester"},
        {"HOMESHARE", "\\\\server\\home"}, {"LOGONSERVER", "\\\\LOGON1"}, {"USERDOMAIN", "TESTDOMAIN"},
        {"USERDNSDOMAIN", "test.example"},
    };
    for (const auto& variable : environment)
        SetEnvironmentVariableA(variable.first, variable.second);

    char computer[MAX_COMPUTERNAME_LENGTH + 1];
    DWORD size = sizeof computer;
    GetComputerNameA(computer, &size);
    char user[256];
    size = sizeof user;
    GetUserNameA(user, &size);
    char windows[MAX_PATH];
    GetWindowsDirectoryA(windows, sizeof windows);
    char system[MAX_PATH];
    GetSystemDirectoryA(system, sizeof system);
    char working[MAX_PATH];
    GetCurrentDirectoryA(sizeof working, working);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    OSVERSIONINFOA os = {};
    os.dwOSVersionInfoSize = sizeof os;
    GetVersionExA(&os);
    const std::string desktop = WithoutTrailingBackslash(ShellFolder(HKEY_CURRENT_USER, "Desktop"));
    const char kCurrentVersion[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
    const std::string programFiles = RegistryText(HKEY_LOCAL_MACHINE, kCurrentVersion, "ProgramFilesDir");
    RECT screen;
    GetWindowRect(GetDesktopWindow(), &screen);

    const std::pair<std::string, std::string> cases[] = {
        {"CR", "\r"}, {"LF", "\n"}, {"CRLF", "\r\n"}, {"TAB", "\t"},
        {"SW_HIDE", "0"}, {"SW_SHOWNORMAL", "1"}, {"SW_SHOWMINIMIZED", "2"}, {"SW_MAXIMIZE", "3"},
        {"SW_SHOWMAXIMIZED", "3"}, {"SW_SHOWNOACTIVATE", "4"}, {"SW_SHOW", "5"}, {"SW_MINIMIZE", "6"},
        {"SW_SHOWMINNOACTIVE", "7"}, {"SW_SHOWNA", "8"}, {"SW_RESTORE", "9"}, {"SW_SHOWDEFAULT", "10"},
        {"sw_hide", "0"},
        {"COMPILED", "0"},
        {"PROGRAMFILESDIR", programFiles},
        {"COMMONFILESDIR", RegistryText(HKEY_LOCAL_MACHINE, kCurrentVersion, "CommonFilesDir")},
        {"MYDOCUMENTSDIR", WithoutTrailingBackslash(ShellFolder(HKEY_CURRENT_USER, "Personal"))},
        {"APPDATACOMMONDIR", ShellFolder(HKEY_LOCAL_MACHINE, "Common AppData")},
        {"DOCUMENTSCOMMONDIR", ShellFolder(HKEY_LOCAL_MACHINE, "Common Documents")},
        {"DESKTOPCOMMONDIR", CommonFolder("Common Desktop", "Desktop")},
        {"FAVORITESCOMMONDIR", CommonFolder("Common Favorites", "Favorites")},
        {"PROGRAMSCOMMONDIR", CommonFolder("Common Programs", "Programs")},
        {"STARTMENUCOMMONDIR", CommonFolder("Common Start Menu", "Start Menu")},
        {"STARTUPCOMMONDIR", CommonFolder("Common Startup", "Startup")},
        {"APPDATADIR", ShellFolder(HKEY_CURRENT_USER, "AppData")},
        {"DESKTOPDIR", ShellFolder(HKEY_CURRENT_USER, "Desktop")},
        {"FAVORITESDIR", ShellFolder(HKEY_CURRENT_USER, "Favorites")},
        {"PROGRAMSDIR", ShellFolder(HKEY_CURRENT_USER, "Programs")},
        {"STARTMENUDIR", ShellFolder(HKEY_CURRENT_USER, "Start Menu")},
        {"STARTUPDIR", ShellFolder(HKEY_CURRENT_USER, "Startup")},
        {"USERPROFILEDIR", desktop.substr(0, desktop.rfind('\\') == std::string::npos ? 0 : desktop.rfind('\\'))},
        {"COMPUTERNAME", computer},
        {"USERNAME", user},
        {"WINDOWSDIR", windows},
        {"SYSTEMDIR", system},
        {"WORKINGDIR", working},
        {"TEMPDIR", WithoutTrailingBackslash(temp)},
        {"OSTYPE", os.dwPlatformId == VER_PLATFORM_WIN32_NT ? "WIN32_NT" : "WIN32_WINDOWS"},
        {"OSVERSION", OsVersionName(os)},
        {"OSBUILD", Number(os.dwBuildNumber)},
        {"OSSERVICEPACK", Trimmed(os.szCSDVersion)},
        {"OSLANG", RegistryText(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Nls\\Language",
                                os.dwMajorVersion >= 5 ? "InstallLanguage" : "Default")},
        // The test program carries no version resource.
        {"ORVEXVERSION", "0.0.0.0"},
        {"IPADDRESS1", LocalAddress(1)}, {"IPADDRESS2", LocalAddress(2)},
        {"IPADDRESS3", LocalAddress(3)}, {"IPADDRESS4", LocalAddress(4)},
        {"DESKTOPWIDTH", Number(screen.right)},
        {"DESKTOPHEIGHT", Number(screen.bottom)},
        {"DESKTOPDEPTH", Number(DeviceCaps(BITSPIXEL))},
        {"DESKTOPREFRESH", Number(DeviceCaps(VREFRESH))},
        {"COMSPEC", "C:\\shell\\cmd.exe"}, {"HOMEDRIVE", "H:"}, {"HOMEPATH", "\\users\\tester"},
        {"HOMESHARE", "\\\\server\\home"}, {"LOGONSERVER", "\\\\LOGON1"}, {"LOGONDOMAIN", "TESTDOMAIN"},
        {"LOGONDNSDOMAIN", "test.example"},
    };
    script_test::Lines lines;
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        lines.push_back("$m" + std::to_string(i) + " = @" + cases[i].first);
    RunClean(lines);
    for (size_t i = 0; i < sizeof cases / sizeof cases[0]; ++i)
        EXPECT_EQ(Global(("m" + std::to_string(i)).c_str()), cases[i].second) << "@" << cases[i].first;

    // The folders are those of the prefix the tests run in, which has them.
    EXPECT_NE(programFiles, "");
    EXPECT_NE(desktop, "");

    RunClean({"SetError(3)", "$r = @error", "SetError(0)", "$z = @ERROR"});
    EXPECT_EQ(Global("r"), "3");
    EXPECT_EQ(Global("z"), "0");
}

// The clock's macros as text: each is read from the local time when it is
// evaluated, so it is that of the moment before the run or of the moment
// after it.
std::set<std::string> ClockTexts(const char* macro, const SYSTEMTIME& before, const SYSTEMTIME& after)
{
    std::set<std::string> texts;
    for (const SYSTEMTIME* time : {&before, &after}) {
        static const int kDaysBefore[12] = {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334};
        const int year = time->wYear;
        const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
        char text[16];
        const std::string name = macro;
        if (name == "SEC") snprintf(text, sizeof text, "%.2d", time->wSecond);
        else if (name == "MIN") snprintf(text, sizeof text, "%.2d", time->wMinute);
        else if (name == "HOUR") snprintf(text, sizeof text, "%.2d", time->wHour);
        else if (name == "MDAY") snprintf(text, sizeof text, "%.2d", time->wDay);
        else if (name == "MON") snprintf(text, sizeof text, "%.2d", time->wMonth);
        else if (name == "YEAR") snprintf(text, sizeof text, "%d", time->wYear);
        else if (name == "WDAY") snprintf(text, sizeof text, "%d", time->wDayOfWeek + 1);
        else snprintf(text, sizeof text, "%d", kDaysBefore[time->wMonth - 1] + time->wDay + (leap && time->wMonth > 2));
        texts.insert(text);
    }
    return texts;
}

TEST(Macros, TheClockInItsFormats)
{
    const char* const macros[] = {"SEC", "MIN", "HOUR", "MDAY", "MON", "YEAR", "WDAY", "YDAY"};
    script_test::Lines lines;
    for (const char* macro : macros)
        lines.push_back(std::string("$") + macro + " = @" + macro);
    SYSTEMTIME before, after;
    GetLocalTime(&before);
    RunClean(lines);
    GetLocalTime(&after);
    for (const char* macro : macros) {
        const std::set<std::string> expected = ClockTexts(macro, before, after);
        EXPECT_EQ(expected.count(Global(macro)), 1u) << "@" << macro << " gave " << Global(macro);
    }
}

TEST(Macros, EveryNameIsKnown)
{
    static const char* const kNames[] = {
        "ERROR", "SEC", "MIN", "HOUR", "MDAY", "MON", "YEAR", "WDAY", "YDAY", "PROGRAMFILESDIR",
        "COMMONFILESDIR", "MYDOCUMENTSDIR", "APPDATACOMMONDIR", "DOCUMENTSCOMMONDIR", "DESKTOPCOMMONDIR",
        "FAVORITESCOMMONDIR", "PROGRAMSCOMMONDIR", "STARTMENUCOMMONDIR", "STARTUPCOMMONDIR", "APPDATADIR",
        "DESKTOPDIR", "FAVORITESDIR", "PROGRAMSDIR", "STARTMENUDIR", "STARTUPDIR", "COMPUTERNAME",
        "WINDOWSDIR", "SYSTEMDIR", "SW_HIDE", "SW_SHOWNORMAL", "SW_SHOWMINIMIZED", "SW_MAXIMIZE",
        "SW_SHOWMAXIMIZED", "SW_SHOWNOACTIVATE", "SW_SHOW", "SW_MINIMIZE", "SW_SHOWMINNOACTIVE", "SW_SHOWNA",
        "SW_RESTORE", "SW_SHOWDEFAULT", "SCRIPTFULLPATH", "SCRIPTNAME", "SCRIPTDIR", "WORKINGDIR", "OSTYPE",
        "OSVERSION", "OSBUILD", "OSSERVICEPACK", "OSLANG", "ORVEXVERSION", "IPADDRESS1", "IPADDRESS2",
        "IPADDRESS3", "IPADDRESS4", "CR", "LF", "CRLF", "TAB", "DESKTOPWIDTH", "DESKTOPHEIGHT", "DESKTOPDEPTH",
        "DESKTOPREFRESH", "COMPILED", "COMSPEC", "HOMEDRIVE", "HOMEPATH", "HOMESHARE", "LOGONSERVER",
        "LOGONDOMAIN", "LOGONDNSDOMAIN", "USERNAME", "TEMPDIR", "USERPROFILEDIR",
    };
    static_assert(sizeof kNames / sizeof kNames[0] == 73, "the language has 73 macros");
    script_test::Lines lines;
    for (const char* name : kNames)
        lines.push_back(std::string("$r = @") + name);
    RunClean(lines);
}

TEST(Macros, NameTheScriptThatRuns)
{
    testing_support::TempFolder folder;
    const std::string path = folder / "named.txt";
    testing_support::WriteFileBytes(path, "$name = @SCRIPTNAME\r\n$dir = @SCRIPTDIR\r\n$full = @SCRIPTFULLPATH\r\n");
    script_host::RunReport report = script_host::RunFile(path);
    EXPECT_TRUE(report.Prepared);
    EXPECT_TRUE(report.Boxes.empty());
    EXPECT_EQ(Global("name"), "named.txt");
    EXPECT_EQ(Global("dir"), folder.Path());
    EXPECT_EQ(Global("full"), path);
}

}  // namespace
