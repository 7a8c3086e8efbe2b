// Which look VeltMenu draws in: the system it runs on, whether the classic
// theme is chosen, and the drawing modes.
#include "controls/VeltMenu.h"

namespace {

struct DrawingStyle
{
    int xpMode = 1;        // drawing mode while the XP style is available
    int classicMode = 0;   // drawing mode otherwise
    BOOL xpImages = TRUE;  // faded and shadow copies, larger item border
};

DrawingStyle& Style()
{
    static DrawingStyle style;
    return style;
}

}  // namespace

int VeltMenu::OsVersionCodeOf(DWORD version, const OSVERSIONINFOA* info)
{
    bool windows9x = (version & 0x80000000u) != 0;
    if (windows9x && LOBYTE(LOWORD(version)) < 4)
        return 0;   // Windows 3.x with the 32-bit extension
    if (!info)
        return windows9x ? 2 : 1;
    if (windows9x) {
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 10)
            return 3;
        if (info->dwMajorVersion == 4 && info->dwMinorVersion == 90)
            return 4;
        return 2;
    }
    if (info->dwMajorVersion == 4)
        return 5;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 0)
        return 6;
    if (info->dwMajorVersion == 5 && info->dwMinorVersion == 1)
        return 7;
    return 1;
}

int VeltMenu::GetOsVersionCode()
{
    static const int code = [] {
        OSVERSIONINFOA info = {};
        info.dwOSVersionInfoSize = sizeof info;
        BOOL known = ::GetVersionExA(&info);
        return OsVersionCodeOf(::GetVersion(), known ? &info : nullptr);
    }();
    return code;
}

BOOL VeltMenu::IsClassicThemeFile(LPCSTR themeFile)
{
    static const char classic[] = "windows classic.theme";
    CString name(themeFile ? themeFile : "");
    int length = name.GetLength(), suffix = static_cast<int>(sizeof classic - 1);
    return length >= suffix && name.Right(suffix).CompareNoCase(classic) == 0;
}

BOOL VeltMenu::IsClassicThemeActive()
{
    static const BOOL active = []() -> BOOL {
        HKEY key = nullptr;
        if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Microsoft\\Plus!\\Themes\\Current", 0, KEY_READ, &key) !=
            ERROR_SUCCESS)
            return FALSE;
        char value[MAX_PATH + 1] = {};
        DWORD size = MAX_PATH, type = 0;
        LONG status = ::RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<LPBYTE>(value), &size);
        ::RegCloseKey(key);
        return status == ERROR_SUCCESS && (type == REG_SZ || type == REG_EXPAND_SZ) && IsClassicThemeFile(value);
    }();
    return active;
}

BOOL VeltMenu::IsXPStyleAvailable()
{
    return GetOsVersionCode() == 7 && !IsClassicThemeActive();
}

BOOL VeltMenu::IsXPStyleActive()
{
    return (IsXPStyleAvailable() ? Style().xpMode : Style().classicMode) == 1;
}

void VeltMenu::SetDrawModes(int xpMode, int classicMode)
{
    Style().xpMode = xpMode;
    Style().classicMode = classicMode;
}

void VeltMenu::SetXPImages(BOOL on)
{
    Style().xpImages = on;
}

BOOL VeltMenu::UsesXPImages()
{
    return Style().xpImages;
}

COLORREF VeltMenu::LightenColour(COLORREF colour, double factor)
{
    if (factor <= 0.0 || factor > 1.0)
        return colour;
    auto lighten = [factor](BYTE value) { return static_cast<BYTE>(factor * (255 - value) + value); };
    return RGB(lighten(GetRValue(colour)), lighten(GetGValue(colour)), lighten(GetBValue(colour)));
}
