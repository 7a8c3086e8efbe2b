#include "tests/fuzz/FuzzRun.h"

#include "engine/ScriptFile.h"
#include "macro/Robot.h"
#include "tests/host/EngineAccess.h"
#include "tests/host/ScriptHost.h"

namespace fuzz {

namespace {

// The builtins that only compute, or only touch the engine itself: they
// stay real. Every other one reaches the desktop, files, processes, the
// registry or the network, and is made inert.
const std::vector<std::string> kRealBuiltins = {
    "ABS", "ACOS", "ASC", "ASIN", "ATAN", "BITAND", "BITNOT", "BITOR", "BITSHIFT", "BITXOR", "CHR", "COS",
    "DEC", "EVAL", "EXP", "HEX", "INT", "ISARRAY", "ISDECLARED", "ISFLOAT", "ISINT", "ISNUMBER", "ISSTRING",
    "LOG", "MOD", "NUMBER", "RANDOM", "ROUND", "SETERROR", "SIN", "SQRT", "STRING", "STRINGADDCR",
    "STRINGFORMAT", "STRINGINSTR", "STRINGISALNUM", "STRINGISALPHA", "STRINGISASCII", "STRINGISDIGIT",
    "STRINGISFLOAT", "STRINGISINT", "STRINGISLOWER", "STRINGISSPACE", "STRINGISUPPER", "STRINGISXDIGIT",
    "STRINGLEFT", "STRINGLEN", "STRINGLOWER", "STRINGMID", "STRINGREPLACE", "STRINGRIGHT", "STRINGSPLIT",
    "STRINGSTRIPCR", "STRINGSTRIPWS", "STRINGTRIMLEFT", "STRINGTRIMRIGHT", "STRINGUPPER", "TAN", "TIMERDIFF",
    "TIMERINIT", "TIMERSTART", "TIMERSTOP", "UBOUND", "CALL", "OPT", "ORVEXSETOPTION", "DELAY", "ADLIBENABLE",
    "ADLIBDISABLE",
};

// A bound line that finds no window gives up at once, not after 20 seconds.
const WindowBindingRetries kQuickBinding = {1, 1, 0};

const UINT kBudgetCheckMs = 10;

std::string TextOf(HWND window)
{
    char text[4096] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

BOOL CALLBACK CollectStaticText(HWND child, LPARAM param)
{
    char className[32] = {};
    GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0) {
        const std::string text = TextOf(child);
        if (!text.empty()) {
            std::string& all = *reinterpret_cast<std::string*>(param);
            if (!all.empty())
                all += "\n";
            all += text;
        }
    }
    return TRUE;
}

// Points this program's import of user32's `name` at `replacement`; the
// import it replaced, or null when the program does not import it.
FARPROC ReplaceImport(const char* name, FARPROC replacement)
{
    BYTE* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    const IMAGE_NT_HEADERS* headers =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = headers->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    const FARPROC target = GetProcAddress(GetModuleHandleA("user32.dll"), name);
    if (!imports.VirtualAddress || !target)
        return nullptr;
    for (auto* library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress); library->Name;
         ++library) {
        if (lstrcmpiA(reinterpret_cast<const char*>(base + library->Name), "user32.dll") != 0)
            continue;
        for (auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk); slot->u1.Function; ++slot) {
            if (reinterpret_cast<FARPROC>(slot->u1.Function) != target)
                continue;
            DWORD protection;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE, &protection);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
            return target;
        }
    }
    return nullptr;
}

std::string DescribeGlobals()
{
    const VariableTable& globals = g_ScriptEngine.GetVariables().GetGlobals();
    std::string text;
    for (int i = 0; i < globals.GetCount(); ++i) {
        CEngineVariant& value = *globals.ValueAt(i);
        text += globals.NameAt(i);
        text += "=";
        if (value.IsArray()) {
            text += "<array";
            for (int dimension = 1; dimension <= value.DimensionSize(0); ++dimension)
                text += " " + std::to_string(value.DimensionSize(dimension));
            text += ">";
        } else if (value.IsReference()) {
            text += "<reference>";
        } else {
            text += value.IsString() ? "\"" : "";
            text.append(value.GetString(), static_cast<size_t>(value.GetStringLength()));
        }
        text += "\n";
    }
    return text;
}

}  // namespace

struct Session::State
{
    script_host::InertBuiltins inert{kRealBuiltins};
    HHOOK hook = nullptr;
    FARPROC realMessageBox = nullptr;   // while message boxes are caught
    std::vector<Box> boxes;
    // The run under way, for the budget's timer.
    Budget budget;
    DWORD start = 0;
    bool stopped = false;
};

namespace {

Session::State* g_state = nullptr;

// Every dialog this thread shows is noted and answered as soon as it is
// built.
LRESULT CALLBACK AnswerDialogs(int code, WPARAM wParam, LPARAM lParam)
{
    const CWPRETSTRUCT* message = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_INITDIALOG && g_state) {
        Box box;
        box.Caption = TextOf(message->hwnd);
        EnumChildWindows(message->hwnd, CollectStaticText, reinterpret_cast<LPARAM>(&box.Text));
        g_state->boxes.push_back(box);
        // As its OK (or Cancel) button would, before it is ever shown: the
        // box costs no drawing, and thousands of them a minute stay cheap.
        EndDialog(message->hwnd, GetDlgItem(message->hwnd, IDOK) ? IDOK : IDCANCEL);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

// MessageBoxA as the program calls it, while boxes are caught: noted and
// answered with OK without a window (a real box costs Wine some 20 ms).
int WINAPI CatchMessageBox(HWND, LPCSTR text, LPCSTR caption, UINT)
{
    if (g_state)
        g_state->boxes.push_back({caption ? caption : "", text ? text : ""});
    return IDOK;
}

// The run loop pumps this thread's messages every few milliseconds, so this
// timer looks at the run that often and sets the stop flag, as the end key
// would, once the run is over its budget.
void CALLBACK CheckBudget(HWND, UINT, UINT_PTR, DWORD)
{
    if (!g_state || g_state->stopped)
        return;
    if (g_ScriptEngine.GetRunStatistics().LinesRun > g_state->budget.Lines ||
        GetTickCount() - g_state->start > g_state->budget.Milliseconds) {
        g_state->stopped = true;
        g_ScriptEngine.StopFlag = 1;
    }
}

}  // namespace

Session::Session(Boxes boxes) : m_state(new State)
{
    g_state = m_state;
    m_state->hook = SetWindowsHookExA(WH_CALLWNDPROCRET, AnswerDialogs, nullptr, GetCurrentThreadId());
    if (boxes == Boxes::Caught)
        m_state->realMessageBox = ReplaceImport("MessageBoxA", reinterpret_cast<FARPROC>(reinterpret_cast<void*>(CatchMessageBox)));
}

Session::~Session()
{
    if (m_state->realMessageBox)
        ReplaceImport("MessageBoxA", m_state->realMessageBox);
    if (m_state->hook)
        UnhookWindowsHookEx(m_state->hook);
    g_state = nullptr;
    delete m_state;
}

Outcome Session::Run(const std::string& path, const Budget& budget)
{
    State& state = *m_state;
    state.boxes.clear();
    state.budget = budget;
    state.stopped = false;
    state.start = GetTickCount();
    LARGE_INTEGER frequency, begin, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    const UINT_PTR timer = SetTimer(nullptr, 0, kBudgetCheckMs, CheckBudget);

    // As the main window runs a macro: the record first, then the line
    // store, the preparation and the run with the record's settings.
    Outcome outcome;
    CPandrel_ScriptTestAccess::ResetEngine();
    CPandrel_ScriptTestAccess::SetWindowBindingRetries(kQuickBinding);
    CRobot robot;
    robot.LoadFromFile(path.c_str());
    g_ScriptFile.Clear();
    g_ScriptFile.SpeedMode = robot.OriginalSpeed;
    g_ScriptFile.LoadMacroFile(path.c_str(), 0);
    g_ScriptFile.BuildIndex();
    if (g_ScriptEngine.PrepareScript(path.c_str()) == 0) {
        outcome.Prepared = true;
        g_ScriptEngine.UseHalvane = robot.UseHalvane;
        g_ScriptEngine.UseSimilarWin = robot.UseSimilarWin;
        // A repeated macro runs again on the same engine: twice is enough
        // to show what one run leaves for the next.
        const int runs = robot.RepeatOption == 1 || robot.RepeatTimes > 1 ? 2 : 1;
        for (int i = 0; i < runs && !g_ScriptEngine.StopFlag; ++i)
            g_ScriptEngine.Execute(1, 1);
        outcome.Lines = g_ScriptEngine.GetRunStatistics().LinesRun;
        outcome.ExitCode = g_ScriptExitCode;
        outcome.Globals = DescribeGlobals();
    }
    g_ScriptFile.Clear();

    KillTimer(nullptr, timer);
    QueryPerformanceCounter(&end);
    outcome.Seconds = static_cast<double>(end.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
    outcome.StoppedByBudget = state.stopped;
    outcome.Boxes = state.boxes;
    return outcome;
}

bool IsExpectedBox(const Box& box)
{
    if (box.Caption == "Internal Error")
        return box.Text.compare(0, 5, "Line ") == 0 && box.Text.find("\nError: ") != std::string::npos;
    if (box.Text == "Failed to load record Window info")
        return true;
    static const std::string kWindowNotFound = "Cannot find window or application titled '";
    return box.Caption == "Brenvik Kestrune Error" && box.Text.compare(0, kWindowNotFound.size(), kWindowNotFound) == 0;
}

}  // namespace fuzz
