#include "engine/support/PathHelpers.h"

#include <shlobj.h>
#include <shlwapi.h>
#include <string.h>

namespace EngineSupport {

namespace {

bool HasWildcard(const char* path)
{
    return strpbrk(path, "*?") != nullptr;
}

bool IsDriveRoot(const CString& path)
{
    return path.GetLength() == 3 && path[1] == ':' && path[2] == '\\';
}

// The drive letter of a full path, or 0 when it has none.
char DriveLetter(const CString& path)
{
    return path.GetLength() >= 2 && path[1] == ':' ? FoldCharUpper(path[0]) : '\0';
}

bool FileIdentity(const char* path, BY_HANDLE_FILE_INFORMATION& info)
{
    HANDLE file = CreateFileA(path, FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const bool known = GetFileInformationByHandle(file, &info) != FALSE;
    CloseHandle(file);
    return known;
}

}  // namespace

bool FileExistsPattern(const char* path)
{
    if (HasWildcard(path)) {
        WIN32_FIND_DATAA data;
        HANDLE find = FindFirstFileA(path, &data);
        if (find == INVALID_HANDLE_VALUE)
            return false;
        FindClose(find);
        return true;
    }
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}

bool IsDirectory(const char* path)
{
    const DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool GetFullPathNoSlash(const char* path, CString& full)
{
    char buffer[MAX_PATH];
    const DWORD length = GetFullPathNameA(path, sizeof buffer, buffer, nullptr);
    if (length == 0 || length >= sizeof buffer) {
        full.Empty();
        return false;
    }
    full = CString(buffer, static_cast<int>(length));
    if (!IsDriveRoot(full))
        StripTrailingBackslash(full);
    return true;
}

void StripTrailingBackslash(char* text)
{
    const size_t length = strlen(text);
    if (length > 0 && text[length - 1] == '\\')
        text[length - 1] = '\0';
}

void StripTrailingBackslash(CString& text)
{
    if (!text.IsEmpty() && text[text.GetLength() - 1] == '\\')
        text = text.Left(text.GetLength() - 1);
}

CString JoinPath(const CString& folder, const char* name)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] == '\\')
        return folder + name;
    return folder + "\\" + name;
}

bool GetLongPath(const char* path, CString& longPath)
{
    longPath = path;
    IShellFolder* desktop = nullptr;
    if (FAILED(SHGetDesktopFolder(&desktop)))
        return false;

    WCHAR widePath[MAX_PATH];
    bool found = false;
    if (MultiByteToWideChar(CP_ACP, 0, path, -1, widePath, MAX_PATH) > 0) {
        LPITEMIDLIST items = nullptr;
        ULONG eaten = 0;
        if (SUCCEEDED(desktop->ParseDisplayName(nullptr, nullptr, widePath, &eaten, &items, nullptr))) {
            char buffer[MAX_PATH];
            if (SHGetPathFromIDListA(items, buffer)) {
                longPath = buffer;
                found = true;
            }
            CoTaskMemFree(items);
        }
    }
    desktop->Release();
    return found;
}

bool IsDifferentVolume(const char* a, const char* b)
{
    CString fullA, fullB;
    if (!GetFullPathNoSlash(a, fullA) || !GetFullPathNoSlash(b, fullB))
        return true;
    const char driveA = DriveLetter(fullA);
    const char driveB = DriveLetter(fullB);
    return driveA == '\0' || driveB == '\0' || driveA != driveB;
}

bool IsSameFile(const char* a, const char* b)
{
    CString fullA, fullB;
    if (GetFullPathNoSlash(a, fullA) && GetFullPathNoSlash(b, fullB) && fullA.CompareNoCase(fullB) == 0)
        return true;
    BY_HANDLE_FILE_INFORMATION infoA, infoB;
    return FileIdentity(a, infoA) && FileIdentity(b, infoB) &&
           infoA.dwVolumeSerialNumber == infoB.dwVolumeSerialNumber &&
           infoA.nFileIndexHigh == infoB.nFileIndexHigh && infoA.nFileIndexLow == infoB.nFileIndexLow;
}

}  // namespace EngineSupport
