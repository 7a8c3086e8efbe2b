// Window builtins: find a window by (title, text) under the search options
// and act on it, read its title, texts, classes, place and state, pick a menu
// item, show a tool tip and read the caret. A window that is not found is
// never a script error: each builtin says so through its result or @error.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/automation/KeySender.h"
#include "engine/automation/WindowThreads.h"
#include "engine/builtins/BuiltinSupport.h"
#include "engine/builtins/WindowBuiltinSupport.h"
#include "engine/support/Shutdown.h"

#include <commctrl.h>

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

const int kTextLimit = 32767;                 // characters of a title or a list of texts
const WPARAM kShellMinimizeAll = 419;         // commands of the task bar's window
const WPARAM kShellMinimizeAllUndo = 416;

// The window named by the builtin's first two arguments, or null.
HWND FindNamedWindow(BuiltinContext& context, CVariantList& args)
{
    SetWindowSearch(context, args);
    CWindowSearch& search = context.WindowSearch();
    return search.FindWindowByTitle() ? search.FoundWindow : nullptr;
}

void PauseAfterOperation(BuiltinContext& context)
{
    context.PauseBetweenSteps(context.WindowSearch().Options.WaitDelay);
}

int BuiltinWinActivate(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (HWND window = FindNamedWindow(context, args)) {
        BringWindowToFront(window);
        PauseAfterOperation(context);
    }
    return 0;
}

int BuiltinWinActive(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    SetWindowSearch(context, args);
    result.SetInt(context.WindowSearch().IsMatchActive() ? 1 : 0);
    return 0;
}

int BuiltinWinClose(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (HWND window = FindNamedWindow(context, args)) {
        PostMessageA(window, WM_CLOSE, 0, 0);
        PauseAfterOperation(context);
    }
    return 0;
}

int BuiltinWinExists(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(FindNamedWindow(context, args) ? 1 : 0);
    return 0;
}

int BuiltinWinKill(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (HWND window = FindNamedWindow(context, args)) {
        EngineSupport::CloseProcessWindow(window);
        PauseAfterOperation(context);
    }
    return 0;
}

int BuiltinWinSetState(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (HWND window = FindNamedWindow(context, args)) {
        ShowWindow(window, args.GetItem(2).GetInt());
        PauseAfterOperation(context);
    }
    return 0;
}

int BuiltinWinMove(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    HWND window = FindNamedWindow(context, args);
    RECT rect;
    if (!window || !GetWindowRect(window, &rect))
        return 0;
    const int count = args.GetCount();
    const int width = count >= 5 ? args.GetItem(4).GetInt() : rect.right - rect.left;
    const int height = count >= 6 ? args.GetItem(5).GetInt() : rect.bottom - rect.top;
    MoveWindow(window, args.GetItem(2).GetInt(), args.GetItem(3).GetInt(), width, height, TRUE);
    PauseAfterOperation(context);
    return 0;
}

int BuiltinWinSetTitle(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (HWND window = FindNamedWindow(context, args))
        SetWindowTextA(window, args.GetItem(2).GetString());
    return 0;
}

int BuiltinWinSetOnTop(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    if (HWND window = FindNamedWindow(context, args)) {
        SetWindowPos(window, args.GetItem(2).GetInt() == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                     SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);
    }
    return 0;
}

int BuiltinWinGetTitle(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    if (HWND window = FindNamedWindow(context, args)) {
        std::vector<char> title(kTextLimit + 1, '\0');
        const int length = GetWindowTextA(window, title.data(), kTextLimit + 1);
        result.SetString(title.data(), length > 0 ? length : 0);
    }
    return 0;
}

// Appends `text` and a line feed to `list`, never beyond kTextLimit characters.
void AppendLine(std::string& list, const char* text)
{
    const size_t room = static_cast<size_t>(kTextLimit) - list.size();
    list.append(text, strnlen(text, room));
    if (list.size() < static_cast<size_t>(kTextLimit))
        list += '\n';
}

struct TextListSearch
{
    std::string List;
    bool DetectHidden;
};

BOOL CALLBACK CollectChildText(HWND child, LPARAM parameter)
{
    TextListSearch& search = *reinterpret_cast<TextListSearch*>(parameter);
    if (IsWindowHung(child, kHungWindowTimeout))
        return TRUE;
    if (!search.DetectHidden && !IsWindowVisible(child))
        return TRUE;
    if (SendMessageA(child, WM_GETTEXTLENGTH, 0, 0) <= 0)
        return TRUE;
    std::vector<char> text(kTextLimit + 1, '\0');
    SendMessageA(child, WM_GETTEXT, kTextLimit + 1, reinterpret_cast<LPARAM>(text.data()));
    text[kTextLimit] = '\0';
    AppendLine(search.List, text.data());
    return search.List.size() < static_cast<size_t>(kTextLimit) ? TRUE : FALSE;
}

BOOL CALLBACK CollectChildClass(HWND child, LPARAM parameter)
{
    std::string& list = *reinterpret_cast<std::string*>(parameter);
    char className[256];
    if (GetClassNameA(child, className, sizeof className) > 0)
        AppendLine(list, className);
    return list.size() < static_cast<size_t>(kTextLimit) ? TRUE : FALSE;
}

int BuiltinWinGetText(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    if (HWND window = FindNamedWindow(context, args)) {
        TextListSearch search{std::string(), context.WindowSearch().Options.DetectHiddenText != 0};
        EnumChildWindows(window, CollectChildText, reinterpret_cast<LPARAM>(&search));
        result.SetString(search.List.c_str(), static_cast<int>(search.List.size()));
    }
    return 0;
}

int BuiltinWinGetClassList(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND window = FindNamedWindow(context, args);
    if (!window) {
        context.SetError(1);
        return 0;
    }
    std::string list;
    EnumChildWindows(window, CollectChildClass, reinterpret_cast<LPARAM>(&list));
    result.SetString(list.c_str(), static_cast<int>(list.size()));
    return 0;
}

int BuiltinWinGetPos(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND window = FindNamedWindow(context, args);
    RECT rect;
    if (!window || !GetWindowRect(window, &rect)) {
        context.SetError(1);
        return 0;
    }
    MakeRectangleArray(result, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int BuiltinWinGetClientSize(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND window = FindNamedWindow(context, args);
    RECT rect;
    if (!window || !GetClientRect(window, &rect)) {
        context.SetError(1);
        return 0;
    }
    BuiltinSupport::MakePointArray(result, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int BuiltinWinGetHandle(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND window = FindNamedWindow(context, args);
    if (!window) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    char text[24];
    FormatWindowHandle(window, text, sizeof text);
    result.SetString(text);
    return 0;
}

int BuiltinWinGetState(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND window = FindNamedWindow(context, args);
    if (!window) {
        result.SetInt(0);
        context.SetError(1);
        return 0;
    }
    int state = 1;
    if (IsWindowVisible(window))
        state |= 2;
    if (IsWindowEnabled(window))
        state |= 4;
    if (GetForegroundWindow() == window)
        state |= 8;
    if (IsIconic(window))
        state |= 16;
    if (IsZoomed(window))
        state |= 32;
    result.SetInt(state);
    return 0;
}

// The position of the first item of `menu` whose text begins with `prefix`
// (case-sensitive, "&" marks as they stand), or -1.
int FindMenuItem(HMENU menu, const char* prefix)
{
    const int count = GetMenuItemCount(menu);
    const size_t length = strlen(prefix);
    std::vector<char> text(kTextLimit + 1, '\0');
    for (int i = 0; i < count; ++i) {
        if (GetMenuStringA(menu, static_cast<UINT>(i), text.data(), kTextLimit + 1, MF_BYPOSITION) < 0)
            continue;
        if (strncmp(text.data(), prefix, length) == 0)
            return i;
    }
    return -1;
}

int BuiltinWinMenuSelectItem(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(0);
    HWND window = FindNamedWindow(context, args);
    HMENU menu = window ? GetMenu(window) : nullptr;
    if (!menu)
        return 0;
    const int last = args.GetCount() - 1;
    for (int i = 2; i <= last; ++i) {
        const int position = FindMenuItem(menu, args.GetItem(i).GetString());
        if (position < 0)
            return 0;
        if (i < last) {
            menu = GetSubMenu(menu, position);
            if (!menu)
                return 0;
            continue;
        }
        const UINT id = GetMenuItemID(menu, position);
        if (id == static_cast<UINT>(-1))
            return 0;   // a sub-menu, not a command
        AttachToWindowThread(window, true);
        PostMessageA(window, WM_COMMAND, id, 0);
        AttachToWindowThread(window, false);
        result.SetInt(1);
    }
    return 0;
}

int PostToTaskBar(BuiltinContext& context, WPARAM command)
{
    if (HWND taskBar = FindWindowA("Shell_TrayWnd", nullptr))
        PostMessageA(taskBar, WM_COMMAND, command, 0);
    PauseAfterOperation(context);
    return 0;
}

int BuiltinWinMinimizeAll(BuiltinContext& context, CVariantList&, CEngineVariant&)
{
    return PostToTaskBar(context, kShellMinimizeAll);
}

int BuiltinWinMinimizeAllUndo(BuiltinContext& context, CVariantList&, CEngineVariant&)
{
    return PostToTaskBar(context, kShellMinimizeAllUndo);
}

int BuiltinToolTip(BuiltinContext& context, CVariantList& args, CEngineVariant&)
{
    CEngineString text(args.GetItem(0).GetString());
    TOOLINFOA tool = {};
    tool.cbSize = TTTOOLINFOA_V1_SIZE;
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE;
    tool.lpszText = const_cast<char*>(text.GetText());

    POINT position;
    GetCursorPos(&position);
    position.x += 16;
    position.y += 16;
    if (args.GetCount() >= 2)
        position.x = args.GetItem(1).GetInt();
    if (args.GetCount() >= 3)
        position.y = args.GetItem(2).GetInt();

    HWND& tip = context.ToolTipWindow();
    if (tip && !IsWindow(tip))
        tip = nullptr;
    if (!tip) {
        tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, TTS_ALWAYSTIP | TTS_NOPREFIX, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, GetModuleHandleA(nullptr),
                              nullptr);
        if (!tip)
            return 0;
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        RECT desktop;
        GetWindowRect(GetDesktopWindow(), &desktop);
        SendMessageA(tip, TTM_SETMAXTIPWIDTH, 0, desktop.right - desktop.left);
    } else {
        SendMessageA(tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    SendMessageA(tip, TTM_TRACKPOSITION, 0, MAKELPARAM(position.x, position.y));
    SendMessageA(tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    return 0;
}

int BuiltinWinGetCaretPos(BuiltinContext& context, CVariantList&, CEngineVariant& result)
{
    // The caret belongs to the focus window of the foreground thread; its
    // position counts from that window's client area, not the frame's.
    HWND foreground = GetForegroundWindow();
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    if (!thread || !GetGUIThreadInfo(thread, &info) || !info.hwndCaret) {
        context.SetError(1);
        return 0;
    }
    POINT caret = {info.rcCaret.left, info.rcCaret.top};
    if (context.MouseAndPixel().CaretCoordMode == 1)
        ClientToScreen(info.hwndCaret, &caret);
    BuiltinSupport::MakePointArray(result, caret.x, caret.y);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"WINACTIVATE", BuiltinWinActivate},
    {"WINACTIVE", BuiltinWinActive},
    {"WINCLOSE", BuiltinWinClose},
    {"WINEXISTS", BuiltinWinExists},
    {"WINKILL", BuiltinWinKill},
    {"WINSETSTATE", BuiltinWinSetState},
    {"WINSHOW", BuiltinWinSetState},
    {"WINMOVE", BuiltinWinMove},
    {"WINSETTITLE", BuiltinWinSetTitle},
    {"WINSETONTOP", BuiltinWinSetOnTop},
    {"WINGETTITLE", BuiltinWinGetTitle},
    {"WINGETTEXT", BuiltinWinGetText},
    {"WINGETCLASSLIST", BuiltinWinGetClassList},
    {"WINGETPOS", BuiltinWinGetPos},
    {"WINGETCLIENTSIZE", BuiltinWinGetClientSize},
    {"WINGETHANDLE", BuiltinWinGetHandle},
    {"WINGETSTATE", BuiltinWinGetState},
    {"WINMENUSELECTITEM", BuiltinWinMenuSelectItem},
    {"WINMINIMIZEALL", BuiltinWinMinimizeAll},
    {"WINMINIMIZEALLUNDO", BuiltinWinMinimizeAllUndo},
    {"TOOLTIP", BuiltinToolTip},
    {"WINGETCARETPOS", BuiltinWinGetCaretPos},
};

}  // namespace

extern const BuiltinFamily kWindowBuiltins = MakeBuiltinFamily("windows", kBindings);
