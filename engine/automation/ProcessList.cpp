#include "engine/automation/ProcessList.h"

#include "base/OsVersion.h"
#include "engine/support/LibraryFunction.h"

#include <tlhelp32.h>

#include <string.h>

const char kNoProcessListMessage[] =
    "Unable to get a list of running processes.  If running Windows NT4 then PSAPI.DLL is required - please "
    "see the documentation.";

namespace {

struct ProcessMatch
{
    const char* Name;
    DWORD WantedId;
    DWORD FoundId = 0;
    bool Found = false;

    // Takes the process when its program's file name or its id is the one wanted.
    bool Offer(const char* path, DWORD id)
    {
        const char* slash = strrchr(path, '\\');
        const char* fileName = slash ? slash + 1 : path;
        if (_stricmp(fileName, Name) != 0 && (WantedId == 0 || WantedId != id))
            return false;
        FoundId = id;
        Found = true;
        return true;
    }
};

bool WalkToolhelpList(ProcessMatch& match)
{
    typedef HANDLE(WINAPI * SnapshotFunction)(DWORD, DWORD);
    typedef BOOL(WINAPI * WalkFunction)(HANDLE, PROCESSENTRY32*);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    if (!kernel)
        return false;
    const SnapshotFunction snapshot =
        EngineSupport::LibraryFunction<SnapshotFunction>(kernel, "CreateToolhelp32Snapshot");
    const WalkFunction first = EngineSupport::LibraryFunction<WalkFunction>(kernel, "Process32First");
    const WalkFunction next = EngineSupport::LibraryFunction<WalkFunction>(kernel, "Process32Next");
    if (!snapshot || !first || !next)
        return false;
    HANDLE list = snapshot(TH32CS_SNAPPROCESS, 0);
    if (list == INVALID_HANDLE_VALUE)
        return false;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = first(list, &entry); more; more = next(list, &entry)) {
        if (match.Offer(entry.szExeFile, entry.th32ProcessID))
            break;
    }
    CloseHandle(list);
    return true;
}

bool WalkPsapiList(ProcessMatch& match)
{
    typedef BOOL(WINAPI * EnumProcessesFunction)(DWORD*, DWORD, DWORD*);
    typedef BOOL(WINAPI * EnumModulesFunction)(HANDLE, HMODULE*, DWORD, DWORD*);
    typedef DWORD(WINAPI * BaseNameFunction)(HANDLE, HMODULE, char*, DWORD);
    HMODULE psapi = LoadLibraryA("psapi.dll");
    if (!psapi)
        return false;
    const EnumProcessesFunction enumProcesses =
        EngineSupport::LibraryFunction<EnumProcessesFunction>(psapi, "EnumProcesses");
    const EnumModulesFunction enumModules =
        EngineSupport::LibraryFunction<EnumModulesFunction>(psapi, "EnumProcessModules");
    const BaseNameFunction baseName = EngineSupport::LibraryFunction<BaseNameFunction>(psapi, "GetModuleBaseNameA");
    DWORD ids[512];
    DWORD bytes = 0;
    if (!enumProcesses || !enumModules || !baseName || !enumProcesses(ids, sizeof ids, &bytes)) {
        FreeLibrary(psapi);
        return false;
    }
    for (DWORD i = 0; i < bytes / sizeof ids[0]; ++i) {
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, ids[i]);
        if (!process)
            continue;
        HMODULE module;
        DWORD needed;
        char name[260];
        const bool matched = enumModules(process, &module, sizeof module, &needed) &&
                             baseName(process, module, name, sizeof name) && match.Offer(name, ids[i]);
        CloseHandle(process);
        if (matched)
            break;
    }
    FreeLibrary(psapi);
    return true;
}

}  // namespace

DWORD ProcessIdFromName(const char* name)
{
    if (!*name)
        return 0;
    DWORD id = 0;
    for (const char* c = name; *c; ++c) {
        if (*c < '0' || *c > '9' || id > (0xFFFFFFFFu - 9) / 10)
            return 0;
        id = id * 10 + static_cast<DWORD>(*c - '0');
    }
    return id;
}

bool FindProcess(const char* name, DWORD& processId, bool& found)
{
    ProcessMatch match{name, ProcessIdFromName(name)};
    const bool listed = g_OsVersion.IsNT4 ? WalkPsapiList(match) : WalkToolhelpList(match);
    processId = match.FoundId;
    found = match.Found;
    return listed;
}
