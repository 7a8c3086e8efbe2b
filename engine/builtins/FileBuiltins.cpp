// File and folder builtins: copying, moving, deleting and recycling files,
// their sizes, versions, names, times and attributes, the working folder,
// and creating, copying, moving and removing folders. None raises a script
// error: failures are reported through the result and @error.
//
// Setting times and attributes walks the matching entries by full path, so
// the working folder is never changed on the way and nothing outside the
// pattern's own folder is touched when that folder does not exist.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/builtins/BuiltinSupport.h"
#include "engine/support/FileTree.h"
#include "engine/support/PathHelpers.h"
#include "engine/support/RegistryAndVersion.h"
#include "macro/Folders.h"

#include <shellapi.h>
#include <string.h>

#include <functional>

namespace {

using EngineSupport::JoinPath;

bool IsDots(const char* name)
{
    return strcmp(name, ".") == 0 || strcmp(name, "..") == 0;
}

bool ArgumentIsOne(CVariantList& args, int index)
{
    return args.GetCount() > index && args.GetItem(index).GetInt() == 1;
}

// ---- Walking a pattern for times and attributes ----

// Applies `change` to every entry matching `name` in `folder` (except "."
// and ".."), and with `recurse` to the same below every subfolder. The
// first failure ends the walk with false.
bool ChangeMatchingEntries(const CString& folder, const char* name, bool recurse,
                           const std::function<bool(const CString&)>& change)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(JoinPath(folder, name), &data);
    if (find != INVALID_HANDLE_VALUE) {
        bool ok = true;
        do {
            if (!IsDots(data.cFileName))
                ok = change(JoinPath(folder, data.cFileName));
        } while (ok && FindNextFileA(find, &data));
        FindClose(find);
        if (!ok)
            return false;
    }
    if (!recurse)
        return true;

    find = FindFirstFileA(JoinPath(folder, "*.*"), &data);
    if (find == INVALID_HANDLE_VALUE)
        return true;
    bool ok = true;
    do {
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(data.cFileName))
            ok = ChangeMatchingEntries(JoinPath(folder, data.cFileName), name, true, change);
    } while (ok && FindNextFileA(find, &data));
    FindClose(find);
    return ok;
}

// The walk of FileSetTime and FileSetAttrib: a pattern naming a folder
// changes that folder itself and, with `recurse`, everything inside it; any
// other pattern changes the matching entries of its folder (and with
// `recurse` those below it). False on the first failure, or when the
// pattern's folder does not exist.
bool ChangeByPattern(const char* pattern, bool recurse, const std::function<bool(const CString&)>& change)
{
    CString full;
    if (!EngineSupport::GetFullPathNoSlash(pattern, full))
        return false;
    if (EngineSupport::IsDirectory(full)) {
        if (!change(full))
            return false;
        return !recurse || ChangeMatchingEntries(full, "*.*", true, change);
    }
    const int slash = full.ReverseFind('\\');
    if (slash < 0)
        return false;
    CString folder = full.Left(slash);
    if (folder.GetLength() == 2 && folder[1] == ':')
        folder += '\\';
    if (!EngineSupport::IsDirectory(folder))
        return false;
    return ChangeMatchingEntries(folder, full.Mid(slash + 1), recurse, change);
}

// Reads a time text "YYYY[MM[DD[hh[mm[ss]]]]]" (local time) as a file time.
// Each part must be digits; a text shorter than the year, a part that is
// not a number or a date that does not exist gives false.
bool ParseTimeText(const char* text, FILETIME& time)
{
    const int length = static_cast<int>(strlen(text));
    if (length < 4)
        return false;
    for (int i = 0; i < length; ++i)
        if (text[i] < '0' || text[i] > '9')
            return false;
    auto part = [text](int start, int count) {
        int value = 0;
        for (int i = 0; i < count; ++i)
            value = value * 10 + (text[start + i] - '0');
        return value;
    };
    SYSTEMTIME local = {};
    local.wYear = static_cast<WORD>(part(0, 4));
    local.wMonth = 1;
    local.wDay = 1;
    WORD* const fields[] = {&local.wMonth, &local.wDay, &local.wHour, &local.wMinute, &local.wSecond};
    int position = 4;
    for (WORD* field : fields) {
        if (length - position < 2)
            break;
        *field = static_cast<WORD>(part(position, 2));
        position += 2;
    }
    FILETIME localTime;
    return SystemTimeToFileTime(&local, &localTime) && LocalFileTimeToFileTime(&localTime, &time);
}

// ---- Attribute letters ----

struct AttributeLetter
{
    char Letter;
    DWORD Attribute;
};

// Reading order of FileGetAttrib.
const AttributeLetter kReadLetters[] = {
    {'R', FILE_ATTRIBUTE_READONLY}, {'A', FILE_ATTRIBUTE_ARCHIVE},    {'S', FILE_ATTRIBUTE_SYSTEM},
    {'H', FILE_ATTRIBUTE_HIDDEN},   {'N', FILE_ATTRIBUTE_NORMAL},     {'D', FILE_ATTRIBUTE_DIRECTORY},
    {'O', FILE_ATTRIBUTE_OFFLINE},  {'C', FILE_ATTRIBUTE_COMPRESSED}, {'T', FILE_ATTRIBUTE_TEMPORARY},
};

// The letters FileSetAttrib may change.
const AttributeLetter kWritableLetters[] = {
    {'A', FILE_ATTRIBUTE_ARCHIVE}, {'H', FILE_ATTRIBUTE_HIDDEN},    {'N', FILE_ATTRIBUTE_NORMAL},
    {'O', FILE_ATTRIBUTE_OFFLINE}, {'R', FILE_ATTRIBUTE_READONLY},  {'S', FILE_ATTRIBUTE_SYSTEM},
    {'T', FILE_ATTRIBUTE_TEMPORARY},
};

// "+RH-A" into the attributes to set and to clear; "+" is the initial mode.
bool ParseAttributeLetters(const char* letters, DWORD& set, DWORD& clear)
{
    set = clear = 0;
    bool adding = true;
    for (const char* p = letters; *p; ++p) {
        if (*p == '+' || *p == '-') {
            adding = *p == '+';
            continue;
        }
        const char upper = *p >= 'a' && *p <= 'z' ? static_cast<char>(*p - 'a' + 'A') : *p;
        const AttributeLetter* found = nullptr;
        for (const AttributeLetter& letter : kWritableLetters)
            if (letter.Letter == upper)
                found = &letter;
        if (!found)
            return false;
        (adding ? set : clear) |= found->Attribute;
    }
    return true;
}

// ---- Files ----

int BuiltinFileCopy(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString source = args.GetItem(0).GetString();
    const CString target = args.GetItem(1).GetString();
    const bool overwrite = args.GetCount() > 2 && args.GetItem(2).GetInt() != 0;
    if (!EngineSupport::CopyOrMoveFiles(source, target, overwrite, false))
        result.SetInt(0);
    return 0;
}

int BuiltinFileMove(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString source = args.GetItem(0).GetString();
    const CString target = args.GetItem(1).GetString();
    const bool overwrite = args.GetCount() > 2 && args.GetItem(2).GetInt() != 0;
    if (!EngineSupport::CopyOrMoveFiles(source, target, overwrite, true))
        result.SetInt(0);
    return 0;
}

int BuiltinFileDelete(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    if (!EngineSupport::DeleteFilesPattern(args.GetItem(0).GetString()))
        result.SetInt(0);
    return 0;
}

int BuiltinFileRecycle(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    CString full;
    if (!EngineSupport::GetFullPathNoSlash(args.GetItem(0).GetString(), full) ||
        !EngineSupport::FileExistsPattern(full)) {
        result.SetInt(0);
        return 0;
    }
    const CString list = full + '\0';   // the shell's list ends in two terminators
    SHFILEOPSTRUCTA op = {};
    op.wFunc = FO_DELETE;
    op.pFrom = list;
    op.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT | FOF_NOERRORUI;
    if (SHFileOperationA(&op) != 0 || op.fAnyOperationsAborted)
        result.SetInt(0);
    return 0;
}

int BuiltinFileRecycleEmpty(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    typedef HRESULT(WINAPI * EmptyRecycleBin)(HWND, LPCSTR, DWORD);
    HMODULE shell = LoadLibraryA("shell32.dll");
    const auto empty = shell ? reinterpret_cast<EmptyRecycleBin>(
                                   reinterpret_cast<void*>(GetProcAddress(shell, "SHEmptyRecycleBinA")))
                             : nullptr;
    const CString root = args.GetCount() > 0 ? CString(args.GetItem(0).GetString()) : CString();
    const DWORD flags = SHERB_NOCONFIRMATION | SHERB_NOPROGRESSUI | SHERB_NOSOUND;
    if (!empty || FAILED(empty(nullptr, root.IsEmpty() ? nullptr : static_cast<LPCSTR>(root), flags)))
        result.SetInt(0);
    if (shell)
        FreeLibrary(shell);
    return 0;
}

int BuiltinFileExists(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EngineSupport::FileExistsPattern(args.GetItem(0).GetString()) ? 1 : 0);
    return 0;
}

int BuiltinFileGetSize(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA(args.GetItem(0).GetString(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        result.SetInt(0);
        context.SetError(1);
        return 0;
    }
    FindClose(find);
    const ULONGLONG size = static_cast<ULONGLONG>(data.nFileSizeHigh) << 32 | data.nFileSizeLow;
    result.SetNumber(static_cast<double>(size));
    return 0;
}

int BuiltinFileGetAttrib(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const DWORD attributes = GetFileAttributesA(args.GetItem(0).GetString());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    CString letters;
    for (const AttributeLetter& letter : kReadLetters)
        if (attributes & letter.Attribute)
            letters += letter.Letter;
    result.SetString(letters);
    return 0;
}

int BuiltinFileSetAttrib(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    DWORD set, clear;
    if (!ParseAttributeLetters(args.GetItem(1).GetString(), set, clear)) {
        result.SetInt(0);
        return 0;
    }
    const CString pattern = args.GetItem(0).GetString();
    const bool changed = ChangeByPattern(pattern, ArgumentIsOne(args, 2), [set, clear](const CString& path) {
        const DWORD current = GetFileAttributesA(path);
        return current != INVALID_FILE_ATTRIBUTES && SetFileAttributesA(path, (current | set) & ~clear);
    });
    if (!changed)
        result.SetInt(0);
    return 0;
}

int BuiltinFileGetTime(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const int type = args.GetCount() > 1 ? args.GetItem(1).GetInt() : 0;
    HANDLE file = CreateFileA(args.GetItem(0).GetString(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        context.SetError(1);
        return 0;
    }
    FILETIME created, accessed, written;
    const BOOL read = GetFileTime(file, &created, &accessed, &written);
    CloseHandle(file);
    const FILETIME& chosen = type == 1 ? created : type == 2 ? accessed : written;
    FILETIME local;
    SYSTEMTIME time;
    if (!read || !FileTimeToLocalFileTime(&chosen, &local) || !FileTimeToSystemTime(&local, &time) ||
        !BuiltinSupport::MakeArray(result, 6)) {
        context.SetError(1);
        return 0;
    }
    const WORD parts[] = {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
    for (int i = 0; i < 6; ++i) {
        char text[8];
        wsprintfA(text, i == 0 ? "%4d" : "%02d", parts[i]);
        BuiltinSupport::ArrayElement(result, i)->SetString(text);
    }
    return 0;
}

int BuiltinFileSetTime(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const int typeArgument = args.GetCount() > 2 ? args.GetItem(2).GetInt() : 0;
    const int type = typeArgument >= 0 && typeArgument <= 2 ? typeArgument : 0;
    const CString text = args.GetItem(1).GetString();
    FILETIME time;
    if (text.IsEmpty())
        GetSystemTimeAsFileTime(&time);   // now, already in UTC
    else if (!ParseTimeText(text, time)) {
        result.SetInt(0);
        return 0;
    }
    const CString pattern = args.GetItem(0).GetString();
    if (!ChangeByPattern(pattern, ArgumentIsOne(args, 3),
                         [&time, type](const CString& path) { return EngineSupport::SetFileTimes(path, time, type); }))
        result.SetInt(0);
    return 0;
}

int BuiltinFileGetVersion(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CString version;
    if (!EngineSupport::GetFileVersionString(args.GetItem(0).GetString(), version)) {
        version = "0.0.0.0";
        context.SetError(1);
    }
    result.SetString(version);
    return 0;
}

int BuiltinFileGetLongName(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CString longPath;
    if (!EngineSupport::GetLongPath(args.GetItem(0).GetString(), longPath))
        context.SetError(1);
    result.SetString(longPath);
    return 0;
}

int BuiltinFileGetShortName(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CString path = args.GetItem(0).GetString();
    char shortPath[MAX_PATH];
    const DWORD length = GetShortPathNameA(path, shortPath, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) {
        result.SetString(path);
        context.SetError(1);
        return 0;
    }
    result.SetString(shortPath);
    return 0;
}

int BuiltinFileChangeDir(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    if (!SetCurrentDirectoryA(args.GetItem(0).GetString()))
        result.SetInt(0);
    return 0;
}

// ---- Folders ----

int BuiltinDirCreate(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    CString full;
    if (!EngineSupport::GetFullPathNoSlash(args.GetItem(0).GetString(), full) ||
        !CreateDirectoryPath(full))
        result.SetInt(0);
    return 0;
}

int BuiltinDirRemove(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const bool recurse = args.GetCount() > 1 && args.GetItem(1).GetInt() != 0;
    if (!EngineSupport::RemoveDirectoryTree(args.GetItem(0).GetString(), recurse))
        result.SetInt(0);
    return 0;
}

int BuiltinDirCopy(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString source = args.GetItem(0).GetString();
    const CString target = args.GetItem(1).GetString();
    const bool overwrite = args.GetCount() > 2 && args.GetItem(2).GetInt() != 0;
    if (!EngineSupport::CopyDirectoryTree(source, target, overwrite))
        result.SetInt(0);
    return 0;
}

int BuiltinDirMove(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString source = args.GetItem(0).GetString();
    const CString target = args.GetItem(1).GetString();
    const bool overwrite = args.GetCount() > 2 && args.GetItem(2).GetInt() != 0;
    if (!EngineSupport::MoveDirectoryTree(source, target, overwrite))
        result.SetInt(0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"DIRCOPY", BuiltinDirCopy},
    {"DIRCREATE", BuiltinDirCreate},
    {"DIRMOVE", BuiltinDirMove},
    {"DIRREMOVE", BuiltinDirRemove},
    {"FILECHANGEDIR", BuiltinFileChangeDir},
    {"FILECOPY", BuiltinFileCopy},
    {"FILEDELETE", BuiltinFileDelete},
    {"FILEEXISTS", BuiltinFileExists},
    {"FILEGETATTRIB", BuiltinFileGetAttrib},
    {"FILEGETLONGNAME", BuiltinFileGetLongName},
    {"FILEGETSHORTNAME", BuiltinFileGetShortName},
    {"FILEGETSIZE", BuiltinFileGetSize},
    {"FILEGETTIME", BuiltinFileGetTime},
    {"FILEGETVERSION", BuiltinFileGetVersion},
    {"FILEINSTALL", BuiltinFileCopy},
    {"FILEMOVE", BuiltinFileMove},
    {"FILERECYCLE", BuiltinFileRecycle},
    {"FILERECYCLEEMPTY", BuiltinFileRecycleEmpty},
    {"FILESETATTRIB", BuiltinFileSetAttrib},
    {"FILESETTIME", BuiltinFileSetTime},
};

}  // namespace

extern const BuiltinFamily kFileBuiltins = MakeBuiltinFamily("files and folders", kBindings);
