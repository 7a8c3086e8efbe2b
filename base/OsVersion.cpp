#include "base/OsVersion.h"

#include "base/InitOrder.h"

#include <string.h>

OsVersionInfo g_OsVersion KESTRUNE_INIT_OS_VERSION;

void OsVersionInfo::Query()
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;   // the plain form, 148 bytes
    if (!GetVersionExA(&version))
        memset(&version, 0, sizeof version);
    Fill(version);
}

void OsVersionInfo::Fill(const OSVERSIONINFOA& version)
{
    MajorVersion = static_cast<int>(version.dwMajorVersion);
    MinorVersion = static_cast<int>(version.dwMinorVersion);
    BuildNumber = static_cast<int>(version.dwBuildNumber);

    // The service-pack text without its leading and trailing blanks.
    char csd[sizeof version.szCSDVersion + 1];
    memcpy(csd, version.szCSDVersion, sizeof version.szCSDVersion);
    csd[sizeof version.szCSDVersion] = '\0';
    const char* start = csd;
    while (*start == ' ')
        ++start;
    size_t length = strlen(start);
    while (length > 0 && start[length - 1] == ' ')
        --length;
    if (length >= sizeof ServicePack)
        length = sizeof ServicePack - 1;
    memcpy(ServicePack, start, length);
    ServicePack[length] = '\0';

    IsNT = Is9x = IsNT4 = IsNT4OrLater = IsXP = IsXPOrLater = Is2000 = Is2000OrLater = 0;
    Is98 = Is98OrLater = Is95 = Is95OrLater = IsME = IsMEOrLater = IsNT6 = 0;

    if (version.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        IsNT = 1;
        switch (MajorVersion) {
        case 4:
            IsNT4 = IsNT4OrLater = 1;
            break;
        case 5:
            IsNT4OrLater = 1;
            if (MinorVersion != 0)
                IsXP = IsXPOrLater = Is2000OrLater = 1;
            else
                Is2000 = Is2000OrLater = 1;
            break;
        case 6:
            IsNT4OrLater = Is2000OrLater = IsXPOrLater = IsNT6 = 1;
            break;
        default:
            break;
        }
    } else {
        Is9x = Is95OrLater = 1;
        BuildNumber &= 0xFFFF;
        switch (MinorVersion) {
        case 0:
            Is95 = 1;
            break;
        case 10:
            Is98 = Is98OrLater = 1;
            break;
        case 90:
            Is98OrLater = IsME = IsMEOrLater = 1;
            break;
        default:
            break;
        }
    }
}
