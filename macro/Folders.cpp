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

void CreateDirectoryPath(CString path)
{
    if (path.IsEmpty())
        return;
    if (path.Right(1) == "\\")
        path = path.Left(path.GetLength() - 1);
    if (path.IsEmpty() || GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES)
        return;
    int slash = path.ReverseFind('\\');
    CreateDirectoryPath(slash < 0 ? CString() : path.Left(slash));
    CreateDirectoryA(path, nullptr);
}
