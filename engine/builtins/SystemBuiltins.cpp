// Builtins that reach the system around the script: the clipboard,
// environment variables, high-resolution timers, memory figures, the
// administrator test, sound and the wave volume, and downloads.
#include "engine/builtins/BuiltinFamily.h"

#include "base/OsVersion.h"
#include "engine/builtins/BuiltinSupport.h"
#include "engine/builtins/SoundSystem.h"
#include "engine/support/SoundPlayer.h"
#include "engine/support/UrlDownload.h"

#include <string.h>

#include <vector>

SoundSystemCalls& SoundSystem()
{
    static SoundSystemCalls calls = {EngineSupport::SoundPlay, waveOutSetVolume};
    return calls;
}

namespace {

// ---- Clipboard ----

// The clipboard's owner: a message-only window of the engine's thread. With
// no owner at all the system would drop what SetClipboardData is given as
// soon as the clipboard is emptied.
class ClipboardOwner : public BuiltinFamilyState
{
public:
    ~ClipboardOwner() override
    {
        if (m_window)
            DestroyWindow(m_window);
    }
    HWND Window()
    {
        if (!m_window)
            m_window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       GetModuleHandleA(nullptr), nullptr);
        return m_window;
    }

private:
    HWND m_window = nullptr;
};

int BuiltinClipGet(BuiltinContext& context, CVariantList&, CEngineVariant& result)
{
    result.SetString("");
    if (!IsClipboardFormatAvailable(CF_TEXT) || !OpenClipboard(context.FamilyState<ClipboardOwner>().Window())) {
        context.SetError(1);
        return 0;
    }
    HANDLE data = GetClipboardData(CF_TEXT);
    const char* text = data ? static_cast<const char*>(GlobalLock(data)) : nullptr;
    if (text) {
        // The block may be larger than its text, but never is the text
        // allowed to run past the block.
        const SIZE_T size = GlobalSize(data);
        result.SetString(text, static_cast<int>(strnlen(text, size)));
        GlobalUnlock(data);
    } else {
        context.SetError(1);
    }
    CloseClipboard();
    return 0;
}

int BuiltinClipPut(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& argument = args.GetItem(0);
    const char* text = argument.GetString();
    const SIZE_T length = static_cast<SIZE_T>(argument.GetStringLength());
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    char* copy = block ? static_cast<char*>(GlobalLock(block)) : nullptr;
    if (!copy) {
        if (block)
            GlobalFree(block);
        result.SetInt(0);
        return 0;
    }
    memcpy(copy, text, length);
    copy[length] = '\0';
    GlobalUnlock(block);
    if (!OpenClipboard(context.FamilyState<ClipboardOwner>().Window())) {
        GlobalFree(block);
        result.SetInt(0);
        return 0;
    }
    EmptyClipboard();
    if (!SetClipboardData(CF_TEXT, block)) {   // the system owns the block only on success
        GlobalFree(block);
        result.SetInt(0);
    }
    CloseClipboard();
    return 0;
}

// ---- Environment ----

int BuiltinEnvGet(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    std::vector<char> value(32767);
    const DWORD length = GetEnvironmentVariableA(args.GetItem(0).GetString(), value.data(),
                                                 static_cast<DWORD>(value.size()));
    result.SetString(value.data(), length < value.size() ? static_cast<int>(length) : 0);
    return 0;
}

int BuiltinEnvSet(BuiltinContext&, CVariantList& args, CEngineVariant& result)
{
    const CString name = args.GetItem(0).GetString();
    const CString value = args.GetCount() > 1 ? CString(args.GetItem(1).GetString()) : CString();
    if (!SetEnvironmentVariableA(name, args.GetCount() > 1 ? static_cast<LPCSTR>(value) : nullptr))
        result.SetInt(0);
    return 0;
}

int BuiltinEnvUpdate(BuiltinContext& context, CVariantList&, CEngineVariant&)
{
    DWORD_PTR answer;
    if (!SendMessageTimeoutA(HWND_BROADCAST, WM_WININICHANGE, 0, reinterpret_cast<LPARAM>("Environment"),
                             SMTO_BLOCK, 15000, &answer))
        context.SetError(1);
    return 0;
}

// ---- Timers ----

const char kNoCounter[] = "Unable to access the CPU performance counter.";

int BuiltinTimerInit(BuiltinContext& context, CVariantList&, CEngineVariant& result)
{
    LARGE_INTEGER now;
    if (!QueryPerformanceCounter(&now)) {
        context.ShowScriptError(kNoCounter, -1);
        return 1;
    }
    result.SetNumber(static_cast<double>(now.QuadPart));
    return 0;
}

int BuiltinTimerDiff(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    LARGE_INTEGER now, frequency;
    if (!QueryPerformanceCounter(&now) || !QueryPerformanceFrequency(&frequency) || frequency.QuadPart == 0) {
        context.ShowScriptError(kNoCounter, -1);
        return 1;
    }
    const double start = args.GetItem(0).GetNumber();
    result.SetNumber((static_cast<double>(now.QuadPart) - start) / static_cast<double>(frequency.QuadPart) * 1000.0);
    return 0;
}

// ---- Memory and rights ----

// [load %, total and available physical, total and available page file,
// total and available virtual memory in kilobytes].
int BuiltinMemGetStats(BuiltinContext& context, CVariantList&, CEngineVariant& result)
{
    MEMORYSTATUSEX status = {};
    status.dwLength = sizeof status;
    if (!GlobalMemoryStatusEx(&status) || !BuiltinSupport::MakeArray(result, 7)) {
        context.SetError(1);
        return 0;
    }
    const double figures[] = {
        static_cast<double>(status.dwMemoryLoad),
        static_cast<double>(status.ullTotalPhys / 1024),     static_cast<double>(status.ullAvailPhys / 1024),
        static_cast<double>(status.ullTotalPageFile / 1024), static_cast<double>(status.ullAvailPageFile / 1024),
        static_cast<double>(status.ullTotalVirtual / 1024),  static_cast<double>(status.ullAvailVirtual / 1024),
    };
    for (int i = 0; i < 7; ++i)
        BuiltinSupport::ArrayElement(result, i)->SetNumber(figures[i]);
    return 0;
}

// Only an administrator may lock the service database; a database locked by
// someone else still shows the right.
int BuiltinIsAdmin(BuiltinContext&, CVariantList&, CEngineVariant& result)
{
    if (g_OsVersion.Is9x)
        return 0;
    SC_HANDLE manager = OpenSCManagerA(nullptr, nullptr, SC_MANAGER_LOCK);
    if (!manager) {
        result.SetInt(0);
        return 0;
    }
    SC_LOCK lock = LockServiceDatabase(manager);
    if (lock) {
        UnlockServiceDatabase(lock);
        result.SetInt(1);
    } else {
        result.SetInt(GetLastError() == ERROR_SERVICE_DATABASE_LOCKED ? 1 : 0);
    }
    CloseServiceHandle(manager);
    return 0;
}

// ---- Sound ----

int BuiltinSoundPlay(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    const bool wait = args.GetCount() > 1 && args.GetItem(1).GetInt() == 1;
    SoundSystem().PlaySoundFile(args.GetItem(0).GetString(), wait, [&context] { return context.RunGoesOn(); });
    return 0;
}

int BuiltinSoundSetWaveVolume(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    const int percent = args.GetItem(0).GetInt();
    if (percent < 0 || percent > 100) {
        context.SetError(1);
        return 0;
    }
    const DWORD level = static_cast<DWORD>(percent) * 65535 / 100;
    SoundSystem().SetWaveVolume(reinterpret_cast<HWAVEOUT>(static_cast<UINT_PTR>(WAVE_MAPPER)), level | level << 16);
    return 0;
}

// ---- Downloads ----

int BuiltinUrlDownloadToFile(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CString url = args.GetItem(0).GetString();
    const CString file = args.GetItem(1).GetString();
    bool libraryMissing = false;
    if (EngineSupport::DownloadUrlToFile(url, file, libraryMissing, [&context] { return context.RunGoesOn(); }))
        return 0;
    if (libraryMissing) {
        context.ShowScriptError("Unable to load the internet libraries (requires Internet Explorer 3.0 or later).", -1);
        return 1;
    }
    result.SetInt(0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"CLIPGET", BuiltinClipGet},
    {"CLIPPUT", BuiltinClipPut},
    {"ENVGET", BuiltinEnvGet},
    {"ENVSET", BuiltinEnvSet},
    {"ENVUPDATE", BuiltinEnvUpdate},
    {"ISADMIN", BuiltinIsAdmin},
    {"MEMGETSTATS", BuiltinMemGetStats},
    {"SOUNDPLAY", BuiltinSoundPlay},
    {"SOUNDSETWAVEVOLUME", BuiltinSoundSetWaveVolume},
    {"TIMERDIFF", BuiltinTimerDiff},
    {"TIMERINIT", BuiltinTimerInit},
    {"TIMERSTART", BuiltinTimerInit},
    {"TIMERSTOP", BuiltinTimerDiff},
    {"URLDOWNLOADTOFILE", BuiltinUrlDownloadToFile},
};

}  // namespace

extern const BuiltinFamily kSystemBuiltins = MakeBuiltinFamily("system", kBindings);
