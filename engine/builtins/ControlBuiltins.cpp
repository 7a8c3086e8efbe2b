// Control builtins: act on one control of a window, named by its class and
// instance number ("Edit1") or by its exact text: click, read, write, move,
// show, hide, enable, focus, send keys, and drive list boxes, combo boxes,
// tabs, buttons and edits (ControlCommand). Most of them share the window's
// thread input while they act. A missing window or control is no script
// error: the result or @error says so.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/automation/WindowThreads.h"
#include "engine/builtins/BuiltinSupport.h"
#include "engine/builtins/ControlCommands.h"
#include "engine/builtins/WindowBuiltinSupport.h"
#include "engine/support/PreciseSleep.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

const int kTextLimit = 32767;

// The control named by the arguments (title, text, control), or null.
HWND FindNamedControl(BuiltinContext& context, CVariantList& args)
{
    CWindowSearch& search = context.WindowSearch();
    const CEngineString title(args.GetItem(0).GetString());
    const CEngineString text(args.GetItem(1).GetString());
    return search.FindControl(title, text, args.GetItem(2).GetString()) ? search.FoundControl : nullptr;
}

int BuiltinControlClick(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    if (!control) {
        result.SetInt(0);
        return 0;
    }
    const char* button = args.GetCount() >= 4 ? args.GetItem(3).GetString() : "";
    const int clicks = args.GetCount() >= 5 ? args.GetItem(4).GetInt() : 1;
    ThreadInputScope input(context.WindowSearch().FoundWindow);
    const int pauseMs = context.MouseAndPixel().MouseClickDelay;
    ClickControl(context.WindowSearch().FoundWindow, control, button, clicks,
                 [&context, pauseMs] { return context.PauseBetweenSteps(pauseMs); });
    return 0;
}

int BuiltinControlCommand(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    if (!control) {
        context.SetError(1);
        return 0;
    }
    ThreadInputScope input(context.WindowSearch().FoundWindow);
    ControlCommandRequest request{context.WindowSearch().FoundWindow, control, args.GetItem(2).GetString(),
                                  args.GetItem(3).GetString(), args.GetItem(4)};
    if (!RunControlCommand(request, result))
        context.SetError(1);
    return 0;
}

// The builtins that do one thing to the control: 1 when found, 0 otherwise.
template <void (*Act)(HWND)>
int ActOnControl(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    if (!control) {
        result.SetInt(0);
        return 0;
    }
    ThreadInputScope input(context.WindowSearch().FoundWindow);
    Act(control);
    return 0;
}

void Disable(HWND control) { EnableWindow(control, FALSE); }
void Enable(HWND control) { EnableWindow(control, TRUE); }
void Hide(HWND control) { ShowWindow(control, SW_HIDE); }
void Show(HWND control) { ShowWindow(control, SW_SHOWNOACTIVATE); }

int BuiltinControlFocus(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    if (!control) {
        result.SetInt(0);
        return 0;
    }
    ThreadInputScope input(context.WindowSearch().FoundWindow);
    SetFocus(control);
    // SetFocus gives the previous focus, null also when there was none: the
    // focus itself tells whether it moved.
    if (GetFocus() != control)
        result.SetInt(0);
    return 0;
}

struct FocusCount
{
    HWND Focus;
    char ClassName[256];
    int Count;
    bool Reached;
};

BOOL CALLBACK CountUpToFocus(HWND child, LPARAM parameter)
{
    FocusCount& count = *reinterpret_cast<FocusCount*>(parameter);
    char className[256];
    if (GetClassNameA(child, className, sizeof className) > 0 && strcmp(className, count.ClassName) == 0)
        ++count.Count;
    if (child == count.Focus) {
        count.Reached = true;
        return FALSE;
    }
    return TRUE;
}

int BuiltinControlGetFocus(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    SetWindowSearch(context, args);
    CWindowSearch& search = context.WindowSearch();
    if (!search.FindWindowByTitle()) {
        context.SetError(1);
        return 0;
    }
    HWND window = search.FoundWindow;
    HWND focus;
    {
        ThreadInputScope input(window);
        focus = GetFocus();
    }
    FocusCount count = {focus, "", 0, false};
    if (!focus || GetClassNameA(focus, count.ClassName, sizeof count.ClassName) <= 0) {
        context.SetError(1);
        return 0;
    }
    EnumChildWindows(window, CountUpToFocus, reinterpret_cast<LPARAM>(&count));
    if (!count.Reached) {
        context.SetError(1);
        return 0;
    }
    char name[300];
    snprintf(name, sizeof name, "%s%d", count.ClassName, count.Count);
    result.SetString(name);
    return 0;
}

int BuiltinControlGetPos(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    RECT rect;
    if (!control || !GetWindowRect(control, &rect)) {
        context.SetError(1);
        return 0;
    }
    POINT corner = {rect.left, rect.top};
    ScreenToClient(context.WindowSearch().FoundWindow, &corner);
    MakeRectangleArray(result, corner.x, corner.y, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
}

int BuiltinControlGetText(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    std::vector<char> text(kTextLimit + 1, '\0');
    int length = 0;
    if (control) {
        ThreadInputScope input(context.WindowSearch().FoundWindow);
        length = static_cast<int>(SendMessageA(control, WM_GETTEXT, kTextLimit + 1, reinterpret_cast<LPARAM>(text.data())));
    }
    if (length <= 0) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    result.SetString(text.data(), length < kTextLimit ? length : kTextLimit);
    return 0;
}

int BuiltinControlMove(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    RECT rect;
    if (!control || !GetWindowRect(control, &rect)) {
        result.SetInt(0);
        return 0;
    }
    const int count = args.GetCount();
    const int width = count >= 6 ? args.GetItem(5).GetInt() : rect.right - rect.left;
    const int height = count >= 7 ? args.GetItem(6).GetInt() : rect.bottom - rect.top;
    ThreadInputScope input(context.WindowSearch().FoundWindow);
    MoveWindow(control, args.GetItem(3).GetInt(), args.GetItem(4).GetInt(), width, height, TRUE);
    return 0;
}

int BuiltinControlSend(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    if (!control) {
        result.SetInt(0);
        return 0;
    }
    const char* keys = args.GetItem(3).GetString();
    if (args.GetCount() >= 5 && args.GetItem(4).GetInt() != 0)
        context.KeySender().SendRaw(keys, control);
    else
        context.KeySender().SendToWindow(keys, control);
    return 0;
}

int BuiltinControlSetText(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    HWND control = FindNamedControl(context, args);
    if (!control) {
        result.SetInt(0);
        return 0;
    }
    ThreadInputScope input(context.WindowSearch().FoundWindow);
    if (SendMessageA(control, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(args.GetItem(3).GetString())) != 1)
        result.SetInt(0);
    return 0;
}

int BuiltinStatusbarGetText(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CWindowSearch& search = context.WindowSearch();
    const CEngineString title(args.GetItem(0).GetString());
    const CEngineString text(args.GetCount() >= 2 ? args.GetItem(1).GetString() : "");
    const int part = args.GetCount() == 3 ? args.GetItem(2).GetInt() : 1;
    std::string barText;
    if (!search.FindControl(title, text, "msctls_statusbar321") || !ReadStatusBarPart(search.FoundControl, part, barText)) {
        result.SetString("");
        context.SetError(1);
        return 0;
    }
    result.SetString(barText.c_str(), static_cast<int>(barText.size()));
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"CONTROLCLICK", BuiltinControlClick},
    {"CONTROLCOMMAND", BuiltinControlCommand},
    {"CONTROLDISABLE", ActOnControl<Disable>},
    {"CONTROLENABLE", ActOnControl<Enable>},
    {"CONTROLFOCUS", BuiltinControlFocus},
    {"CONTROLGETFOCUS", BuiltinControlGetFocus},
    {"CONTROLGETPOS", BuiltinControlGetPos},
    {"CONTROLGETTEXT", BuiltinControlGetText},
    {"CONTROLHIDE", ActOnControl<Hide>},
    {"CONTROLMOVE", BuiltinControlMove},
    {"CONTROLSEND", BuiltinControlSend},
    {"CONTROLSETTEXT", BuiltinControlSetText},
    {"CONTROLSHOW", ActOnControl<Show>},
    {"STATUSBARGETTEXT", BuiltinStatusbarGetText},
};

}  // namespace

extern const BuiltinFamily kControlBuiltins = MakeBuiltinFamily("controls", kBindings);
