#include "macro/Folders.h"

#include <shlobj.h>
#include <shlwapi.h>

CString GetUserDataFolder()
{
    char folder[MAX_PATH * 2] = {};
    if (!SHGetSpecialFolderPathA(nullptr, folder, CSIDL_APPDATA, FALSE))
        folder[0] = '\0';
    PathAppendA(folder, "brenvik");
    return folder;
}

CString GetModulePath()
{
    char path[501];
    DWORD length = GetModuleFileNameA(nullptr, path, 500);
    if (length == 0 || length >= 500)
        return CString();
    return CString(path, static_cast<int>(length));
}

CString GetProgramDirectory()
{
    CString path = GetModulePath();
    int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

bool CreateDirectoryPath(const char* path)
{
    CString folder(path ? path : "");
    if (folder.Right(1) == "\\")
        folder = folder.Left(folder.GetLength() - 1);
    if (folder.IsEmpty())
        return false;

    // A read-only or hidden folder exists as well as a plain one; a file of
    // the name does not make a folder.
    const DWORD attributes = GetFileAttributesA(folder);
    if (attributes != INVALID_FILE_ATTRIBUTES)
        return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;

    const DWORD error = GetLastError();
    if (error == ERROR_PATH_NOT_FOUND) {
        const int slash = folder.ReverseFind('\\');
        if (slash < 0 || !CreateDirectoryPath(folder.Left(slash)))
            return false;
    } else if (error != ERROR_FILE_NOT_FOUND) {
        return false;
    }
    if (CreateDirectoryA(folder, nullptr))
        return true;
    const DWORD made = GetFileAttributesA(folder);   // made meanwhile by another
    return made != INVALID_FILE_ATTRIBUTES && (made & FILE_ATTRIBUTE_DIRECTORY);
}
