// Running processes, named by program file name or by id: whether one runs,
// waiting for one to start or end, ending one, changing its priority, and
// ending the Windows session.
#include "engine/builtins/BuiltinFamily.h"

#include "base/OsVersion.h"
#include "engine/automation/ProcessList.h"
#include "engine/support/LibraryFunction.h"
#include "engine/support/Shutdown.h"


namespace {

// The process named by the first argument: 1 after the script error of a
// missing process list; otherwise 0, with `found` and its id.
int LookUpProcess(BuiltinContext& context, CVariantList& args, DWORD& processId, bool& found)
{
    if (FindProcess(args.GetItem(0).GetString(), processId, found))
        return 0;
    context.ShowScriptError(kNoProcessListMessage);
    return 1;
}

// Whether the process may be ended or changed by a script: never the
// system's idle process (id 0) nor this program itself.
bool MayTouch(DWORD processId)
{
    return processId != 0 && processId != GetCurrentProcessId();
}

int BuiltinProcessExists(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    DWORD processId = 0;
    bool found = false;
    if (LookUpProcess(context, args, processId, found))
        return 1;
    result.SetInt(found ? static_cast<int>(processId) : 0);
    return 0;
}

int BuiltinProcessClose(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    DWORD processId = 0;
    bool found = false;
    if (LookUpProcess(context, args, processId, found))
        return 1;
    bool ended = false;
    if (found && MayTouch(processId)) {
        if (HANDLE process = OpenProcess(PROCESS_ALL_ACCESS, FALSE, processId)) {
            ended = TerminateProcess(process, 0) != FALSE;
            CloseHandle(process);
        }
    }
    if (!ended) {
        result.SetInt(0);
        context.SetError(1);
    }
    return 0;
}

int WaitForProcess(BuiltinContext& context, CVariantList& args, CEngineVariant& result, int runState)
{
    context.Waits().ProcessName = args.GetItem(0).GetString();
    return context.TimedWait(runState, args.GetCount() == 2 ? args.GetItem(1).GetInt() : 0, result);
}

int BuiltinProcessWait(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return WaitForProcess(context, args, result, kRunStateProcessWait);
}

int BuiltinProcessWaitClose(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    return WaitForProcess(context, args, result, kRunStateProcessWaitClose);
}

int BuiltinProcessSetPriority(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    static const DWORD kClasses[] = {IDLE_PRIORITY_CLASS,         BELOW_NORMAL_PRIORITY_CLASS, NORMAL_PRIORITY_CLASS,
                                     ABOVE_NORMAL_PRIORITY_CLASS, HIGH_PRIORITY_CLASS,         REALTIME_PRIORITY_CLASS};
    result.SetInt(0);
    context.SetError(1);
    const int priority = args.GetItem(1).GetInt();
    if (priority < 0 || priority > 5)
        return 0;
    if (g_OsVersion.Is9x && (priority == 1 || priority == 3)) {
        context.SetError(2);   // no such class before Windows 2000
        return 0;
    }
    DWORD processId = 0;
    bool found = false;
    if (LookUpProcess(context, args, processId, found))
        return 1;
    if (!found || processId == 0)
        return 0;
    typedef HANDLE(WINAPI * OpenFunction)(DWORD, BOOL, DWORD);
    typedef BOOL(WINAPI * PriorityFunction)(HANDLE, DWORD);
    HMODULE kernel = GetModuleHandleA("KERNEL32.DLL");
    const OpenFunction open = EngineSupport::LibraryFunction<OpenFunction>(kernel, "OpenProcess");
    const PriorityFunction setPriority = EngineSupport::LibraryFunction<PriorityFunction>(kernel, "SetPriorityClass");
    if (!open || !setPriority)
        return 0;
    HANDLE process = open(PROCESS_SET_INFORMATION, FALSE, processId);
    if (!process)
        return 0;
    if (setPriority(process, kClasses[priority])) {
        result.SetInt(1);
        context.SetError(0);
    }
    CloseHandle(process);
    return 0;
}

int BuiltinShutdown(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    if (!EngineSupport::ShutdownWindows(static_cast<UINT>(args.GetItem(0).GetInt())))
        result.SetInt(0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"PROCESSEXISTS", BuiltinProcessExists},
    {"PROCESSCLOSE", BuiltinProcessClose},
    {"PROCESSWAIT", BuiltinProcessWait},
    {"PROCESSWAITCLOSE", BuiltinProcessWaitClose},
    {"PROCESSSETPRIORITY", BuiltinProcessSetPriority},
    {"SHUTDOWN", BuiltinShutdown},
};

}  // namespace

extern const BuiltinFamily kProcessBuiltins = MakeBuiltinFamily("processes", kBindings);
