#include "engine/support/FileTree.h"

#include "engine/support/PathHelpers.h"
#include "macro/Folders.h"
#include "base/OsVersion.h"
#include "framework/Collections.h"

#include <shellapi.h>
#include <shlwapi.h>
#include <string.h>

namespace EngineSupport {

namespace {

const FILEOP_FLAGS QuietShellFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI;

// One shell file operation without any user interface; the shell takes
// lists of paths ending in two terminators.
bool ShellOperation(UINT operation, const CString& from, const CString& to)
{
    CString fromList = from + '\0';
    CString toList = to + '\0';
    SHFILEOPSTRUCTA op = {};
    op.wFunc = operation;
    op.pFrom = fromList;
    op.pTo = to.IsEmpty() ? nullptr : static_cast<LPCSTR>(toList);
    op.fFlags = QuietShellFlags;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

bool IsDots(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

// The folder part of a full path or pattern.
CString FolderOf(const CString& path)
{
    const int slash = path.ReverseFind('\\');
    return slash < 0 ? CString() : path.Left(slash);
}

// The names of the files (not folders) that match `pattern`. The result is
// whether anything matched at all, a folder included.
bool CollectMatchingFiles(const CString& pattern, CStringArray& files)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(pattern, &data);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    bool matched = false;
    do {
        if (IsDots(data.cFileName))
            continue;
        matched = true;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            files.Add(data.cFileName);
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return matched;
}

bool IsEmptyFolder(const CString& folder)
{
    CStringArray files;
    return !CollectMatchingFiles(JoinPath(folder, "*.*"), files);
}

// Whether `path` is `folder` or lies inside it (both full paths).
bool IsWithin(const CString& path, const CString& folder)
{
    if (path.CompareNoCase(folder) == 0)
        return true;
    const CString prefix = JoinPath(folder, "");
    return path.GetLength() > prefix.GetLength() && path.Left(prefix.GetLength()).CompareNoCase(prefix) == 0;
}

ULONGLONG FileSize(const WIN32_FIND_DATAA& data)
{
    return static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
}

// Whether every file and folder below `source` has its twin of the same
// size below `target`: the proof that a copy is complete, which a move
// needs before it removes the source.
bool IsCompleteCopy(const CString& source, const CString& target)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(source, "*.*"), &data);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    bool complete = true;
    do {
        if (IsDots(data.cFileName))
            continue;
        const CString from = JoinPath(source, data.cFileName);
        const CString to = JoinPath(target, data.cFileName);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            complete = IsDirectory(to) && IsCompleteCopy(from, to);
        } else {
            WIN32_FIND_DATAA copy;
            HANDLE found = FindFirstFileA(to, &copy);
            complete = found != INVALID_HANDLE_VALUE;
            if (complete) {
                FindClose(found);
                complete = !(copy.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && FileSize(copy) == FileSize(data);
            }
        }
    } while (complete && FindNextFileA(find, &data));
    FindClose(find);
    return complete;
}

// The target's name or extension part with its first "*" standing for the
// source's part and any further "*" dropped.
CString FillWildcard(const CString& targetPart, const CString& sourcePart)
{
    const int star = targetPart.Find('*');
    if (star < 0)
        return targetPart;
    CString rest = targetPart.Mid(star + 1);
    rest.Remove('*');
    return targetPart.Left(star) + sourcePart + rest;
}

// Splits a file name at its last "." into name and extension (without ".").
void SplitName(const CString& fileName, CString& name, CString& extension)
{
    const int dot = fileName.ReverseFind('.');
    name = dot < 0 ? fileName : fileName.Left(dot);
    extension = dot < 0 ? CString() : fileName.Mid(dot + 1);
}

// The full paths of a folder copy or move that may go ahead: the source is
// a folder, the target does not lie inside it, and an existing target is
// taken only with `overwrite`.
bool PrepareFolderOperation(const char* source, const char* target, bool overwrite, CString& from, CString& to,
                            bool& targetExists)
{
    if (!GetFullPathNoSlash(source, from) || !GetFullPathNoSlash(target, to) || !IsDirectory(from))
        return false;
    if (IsWithin(to, from))
        return false;
    targetExists = GetFileAttributesA(to) != INVALID_FILE_ATTRIBUTES;
    return !targetExists || overwrite;
}

bool CopyOrMoveOne(const CString& from, const CString& to, bool overwrite, bool move, bool acrossVolumes)
{
    if (!move)
        return CopyFileA(from, to, FALSE) != FALSE;
    if (acrossVolumes)
        return CopyFileA(from, to, FALSE) && DeleteFileA(from);
    return MoveFileExA(from, to, overwrite ? MOVEFILE_REPLACE_EXISTING : 0) != FALSE;
}

}  // namespace

bool DeleteFilesPattern(const char* path)
{
    CString pattern;
    if (!GetFullPathNoSlash(path, pattern))
        return false;
    if (IsDirectory(pattern))
        pattern = JoinPath(pattern, "*.*");

    CStringArray files;
    CollectMatchingFiles(pattern, files);
    const CString folder = FolderOf(pattern);
    for (INT_PTR i = 0; i < files.GetSize(); ++i)
        if (!DeleteFileA(JoinPath(folder, files[i])))
            return false;
    return files.GetSize() > 0;
}

bool RemoveDirectoryTree(const char* path, bool recurse)
{
    CString folder;
    if (!GetFullPathNoSlash(path, folder) || !IsDirectory(folder) || PathIsRootA(folder))
        return false;
    if (!recurse)
        return RemoveDirectoryA(folder) != FALSE;
    return ShellOperation(FO_DELETE, folder, CString());
}

bool CopyDirectoryTree(const char* source, const char* target, bool overwrite)
{
    CString from, to;
    bool targetExists;
    if (!PrepareFolderOperation(source, target, overwrite, from, to, targetExists))
        return false;
    if (!targetExists && !CreateDirectoryPath(to))
        return false;
    // The shell may report a pattern that matches nothing as an error, but
    // an empty folder is copied once its target exists.
    if (IsEmptyFolder(from))
        return IsDirectory(to);
    // The shell may skip a file it cannot read and still report success, so
    // the copy is checked file by file.
    return ShellOperation(FO_COPY, JoinPath(from, "*.*"), to) && IsCompleteCopy(from, to);
}

bool MoveDirectoryTree(const char* source, const char* target, bool overwrite)
{
    CString from, to;
    bool targetExists;
    if (!PrepareFolderOperation(source, target, overwrite, from, to, targetExists))
        return false;
    // Onto an existing folder the contents are merged, on one drive as across
    // drives (the shell's own move would put the source inside the target);
    // only a new target on the same drive is a plain rename.
    if (!targetExists && !IsDifferentVolume(from, to))
        return ShellOperation(FO_MOVE, from, to);
    return CopyDirectoryTree(from, to, true) && RemoveDirectoryTree(from, true);
}

bool CopyOrMoveFiles(const char* sourcePattern, const char* target, bool overwrite, bool move)
{
    CString source, destination;
    if (!GetFullPathNoSlash(sourcePattern, source) || !GetFullPathNoSlash(target, destination))
        return false;
    if (IsDirectory(source))
        source = JoinPath(source, "*.*");
    if (IsDirectory(destination))
        destination = JoinPath(destination, "*.*");
    const bool acrossVolumes = IsDifferentVolume(source, destination);

    CStringArray files;
    if (!CollectMatchingFiles(source, files))
        return false;
    const CString folder = FolderOf(source);
    for (INT_PTR i = 0; i < files.GetSize(); ++i) {
        const CString from = JoinPath(folder, files[i]);
        const CString to = BuildTargetName(files[i], destination);
        if (IsSameFile(from, to))
            return false;
        if (GetFileAttributesA(to) != INVALID_FILE_ATTRIBUTES && !overwrite)
            return false;
        if (!CopyOrMoveOne(from, to, overwrite, move, acrossVolumes))
            return false;
    }
    return true;
}

CString BuildTargetName(const char* sourceName, const char* target)
{
    const CString targetPath = target;
    if (targetPath.Find('*') < 0)
        return targetPath;

    int slash = targetPath.ReverseFind('\\');
    const int forwardSlash = targetPath.ReverseFind('/');
    if (forwardSlash > slash)
        slash = forwardSlash;
    CString folder = targetPath.Left(slash + 1);
    if (folder.IsEmpty() && targetPath.GetLength() >= 2 && targetPath[1] == ':')
        folder = targetPath.Left(2);
    CString targetName, targetExtension, name, extension;
    SplitName(targetPath.Mid(folder.GetLength()), targetName, targetExtension);
    SplitName(sourceName, name, extension);

    const CString newName = FillWildcard(targetName, name);
    CString newExtension = FillWildcard(targetExtension, extension);
    if (newExtension.IsEmpty())
        newExtension = extension;
    return newExtension.IsEmpty() ? folder + newName : folder + newName + "." + newExtension;
}

bool SetFileTimes(const char* path, const FILETIME& time, int type)
{
    if (g_OsVersion.Is9x && IsDirectory(path))
        return true;
    HANDLE file = CreateFileA(path, GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const FILETIME* created = type == FileTimeCreated ? &time : nullptr;
    const FILETIME* accessed = type == FileTimeLastAccessed ? &time : nullptr;
    const FILETIME* written = created || accessed ? nullptr : &time;
    const bool set = SetFileTime(file, created, accessed, written) != FALSE;
    CloseHandle(file);
    return set;
}

}  // namespace EngineSupport
