#include "engine/builtins/ControlCommands.h"

#include "base/OsVersion.h"
#include "engine/support/LibraryFunction.h"

#include <commctrl.h>

#include <string.h>
#include <wchar.h>

#include <vector>

namespace {

const int kLineLimit = 32768;        // characters EM_GETLINE may write
const size_t kStatusTextLimit = 4095;   // characters of a status bar part that are read

bool StartsWithNoCase(const char* text, const char* prefix)
{
    return _strnicmp(text, prefix, strlen(prefix)) == 0;
}

// The two families of list messages; a control that is neither takes none.
enum ListKind
{
    kNoList,
    kComboList,
    kListBoxList
};

ListKind ShortListKind(const char* controlName)
{
    if (StartsWithNoCase(controlName, "Combo"))
        return kComboList;
    return StartsWithNoCase(controlName, "List") ? kListBoxList : kNoList;
}

ListKind FullListKind(const char* controlName)
{
    if (StartsWithNoCase(controlName, "ComboBox"))
        return kComboList;
    return StartsWithNoCase(controlName, "ListBox") ? kListBoxList : kNoList;
}

LRESULT Send(HWND control, UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
{
    return SendMessageA(control, message, wParam, lParam);
}

LPARAM TextParameter(CEngineVariant& option)
{
    return reinterpret_cast<LPARAM>(option.GetString());
}

// The parent hears of the new selection as if the user had made it.
void NotifySelection(HWND control, ListKind kind)
{
    const WPARAM id = static_cast<WPARAM>(GetDlgCtrlID(control)) & 0xFFFF;
    const LPARAM handle = reinterpret_cast<LPARAM>(control);
    HWND parent = GetParent(control);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, kind == kComboList ? CBN_SELCHANGE : LBN_SELCHANGE), handle);
    SendMessageA(parent, WM_COMMAND, MAKEWPARAM(id, kind == kComboList ? CBN_SELENDOK : LBN_DBLCLK), handle);
}

void PostArrowKey(HWND control, UINT key)
{
    const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyA(key, 0)) << 16;
    PostMessageA(control, WM_KEYDOWN, key, scan | 1);
    Sleep(0);
    PostMessageA(control, WM_KEYUP, key, scan | static_cast<LPARAM>(0xC0000001u));
}

void GetSelection(HWND control, DWORD& start, DWORD& end)
{
    // The two-pointer form: the packed return holds only 16 bits of each.
    start = end = 0;
    Send(control, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
}

bool GetSelectedText(HWND control, CEngineVariant& result)
{
    DWORD start, end;
    GetSelection(control, start, end);
    const int length = static_cast<int>(Send(control, WM_GETTEXTLENGTH));
    if (start >= end || length <= 0)
        return false;
    std::vector<char> text(static_cast<size_t>(length) + 256, '\0');
    const int read = static_cast<int>(Send(control, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    if (read <= 0 || end > static_cast<DWORD>(read))
        return false;
    result.SetString(text.data() + start, static_cast<int>(end - start));
    return true;
}

bool GetLineText(HWND control, int line, CEngineVariant& result)
{
    std::vector<char> buffer(kLineLimit + 1, '\0');
    *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(kLineLimit);
    const int copied = static_cast<int>(Send(control, EM_GETLINE, static_cast<WPARAM>(line),
                                             reinterpret_cast<LPARAM>(buffer.data())));
    // No terminator comes with the line: the count says where it ends.
    if (copied <= 0 || copied > kLineLimit)
        return false;
    result.SetString(buffer.data(), copied);
    return true;
}

bool GetCurrentSelection(HWND control, ListKind kind, CEngineVariant& result)
{
    if (kind == kNoList)
        return true;
    const bool combo = kind == kComboList;
    const LRESULT index = Send(control, combo ? CB_GETCURSEL : LB_GETCURSEL);
    if (index < 0)
        return false;
    const LRESULT length = Send(control, combo ? CB_GETLBTEXTLEN : LB_GETTEXTLEN, static_cast<WPARAM>(index));
    if (length < 0)
        return false;
    // In wide characters: the text then comes the same way from a control
    // of any process, whatever character set it keeps its items in.
    std::vector<wchar_t> text(static_cast<size_t>(length) + 257, L'\0');
    const LRESULT read = SendMessageW(control, combo ? CB_GETLBTEXT : LB_GETTEXT, static_cast<WPARAM>(index),
                                      reinterpret_cast<LPARAM>(text.data()));
    if (read < 0)
        return false;
    const int wide = static_cast<int>(wcsnlen(text.data(), text.size() - 1));
    std::vector<char> ansi(static_cast<size_t>(wide) * 2 + 1, '\0');
    const int bytes = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, ansi.data(), static_cast<int>(ansi.size()),
                                          nullptr, nullptr);
    result.SetString(ansi.data(), bytes > 0 ? bytes : 0);
    return true;
}

}  // namespace

void ClickControl(HWND window, HWND control, const char* button, int clicks, const std::function<bool()>& pause)
{
    SetActiveWindow(window);
    RECT rect;
    GetWindowRect(control, &rect);
    const LPARAM point = MAKELPARAM((rect.right - rect.left) / 2, (rect.bottom - rect.top) / 2);
    UINT down = WM_LBUTTONDOWN, up = WM_LBUTTONUP;
    WPARAM state = MK_LBUTTON;
    if (_stricmp(button, "RIGHT") == 0) {
        down = WM_RBUTTONDOWN;
        up = WM_RBUTTONUP;
        state = MK_RBUTTON;
    } else if (_stricmp(button, "MIDDLE") == 0) {
        down = WM_MBUTTONDOWN;
        up = WM_MBUTTONUP;
        state = MK_MBUTTON;
    }
    for (int i = 0; i < clicks; ++i) {
        PostMessageA(control, down, state, point);
        PostMessageA(control, up, 0, point);
        if (!pause())
            break;
    }
}

bool RunControlCommand(const ControlCommandRequest& request, CEngineVariant& result)
{
    HWND control = request.Control;
    const char* command = request.Command;
    CEngineVariant& option = request.Option;
    const ListKind shortKind = ShortListKind(request.ControlName);
    const bool combo = shortKind == kComboList;
    auto is = [command](const char* name) { return _stricmp(command, name) == 0; };

    if (is("ISVISIBLE")) {
        result.SetInt(IsWindowVisible(control) ? 1 : 0);
    } else if (is("ISENABLED")) {
        result.SetInt(IsWindowEnabled(control) ? 1 : 0);
    } else if (is("TABLEFT") || is("TABRIGHT")) {
        PostArrowKey(control, is("TABLEFT") ? VK_LEFT : VK_RIGHT);
    } else if (is("CURRENTTAB")) {
        const LRESULT tab = Send(control, TCM_GETCURSEL);
        if (tab == -1)
            return false;
        result.SetInt(static_cast<int>(tab) + 1);
    } else if (is("SHOWDROPDOWN") || is("HIDEDROPDOWN")) {
        return Send(control, CB_SHOWDROPDOWN, is("SHOWDROPDOWN") ? TRUE : FALSE) != 0;
    } else if (is("ADDSTRING")) {
        // Index 0 is an item like any other: only the errors are negative.
        if (shortKind != kNoList)
            return Send(control, combo ? CB_ADDSTRING : LB_ADDSTRING, 0, TextParameter(option)) >= 0;
    } else if (is("DELSTRING")) {
        if (shortKind != kNoList)
            return Send(control, combo ? CB_DELETESTRING : LB_DELETESTRING, static_cast<WPARAM>(option.GetInt())) >= 0;
    } else if (is("FINDSTRING")) {
        if (shortKind == kNoList)
            return false;
        const LRESULT index = Send(control, combo ? CB_FINDSTRINGEXACT : LB_FINDSTRINGEXACT, 1, TextParameter(option));
        result.SetInt(static_cast<int>(index));
        return index >= 0;
    } else if (is("SETCURRENTSELECTION")) {
        if (shortKind != kNoList) {
            if (Send(control, combo ? CB_SETCURSEL : LB_SETCURSEL, static_cast<WPARAM>(option.GetInt())) == -1)
                return false;
            NotifySelection(control, shortKind);
        }
    } else if (is("GETCURRENTSELECTION")) {
        return GetCurrentSelection(control, FullListKind(request.ControlName), result);
    } else if (is("SELECTSTRING")) {
        const ListKind kind = FullListKind(request.ControlName);
        if (kind != kNoList) {
            if (Send(control, kind == kComboList ? CB_SELECTSTRING : LB_SELECTSTRING, 1, TextParameter(option)) == -1)
                return false;
            NotifySelection(control, kind);
        }
    } else if (is("ISCHECKED")) {
        result.SetInt(Send(control, BM_GETCHECK) == BST_CHECKED ? 1 : 0);
    } else if (is("CHECK") || is("UNCHECK")) {
        if (Send(control, BM_GETCHECK) == (is("CHECK") ? BST_UNCHECKED : BST_CHECKED))
            ClickControl(request.Window, control, "LEFT", 1, [] { return true; });
    } else if (is("GETSELECTED")) {
        return GetSelectedText(control, result);
    } else if (is("GETLINECOUNT")) {
        result.SetInt(static_cast<int>(Send(control, EM_GETLINECOUNT)));
    } else if (is("GETCURRENTLINE")) {
        result.SetInt(static_cast<int>(Send(control, EM_LINEFROMCHAR, static_cast<WPARAM>(-1))) + 1);
    } else if (is("GETCURRENTCOL")) {
        DWORD start, end;
        GetSelection(control, start, end);
        const LRESULT lineStart = Send(control, EM_LINEINDEX, Send(control, EM_LINEFROMCHAR, start));
        result.SetInt(static_cast<int>(start - static_cast<DWORD>(lineStart < 0 ? 0 : lineStart)) + 1);
    } else if (is("EDITPASTE")) {
        Send(control, EM_REPLACESEL, TRUE, TextParameter(option));
    } else if (is("GETLINE")) {
        return GetLineText(control, option.GetInt() - 1, result);
    } else {
        return false;
    }
    return true;
}

namespace {

// The room a part's text needs: SB_GETTEXTA carries no length and writes the
// whole text, so the room is the length the bar gives for it (at most 65,535
// characters) and its terminator.
SIZE_T StatusTextRoom(HWND bar, int part)
{
    return static_cast<SIZE_T>(LOWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, static_cast<WPARAM>(part - 1), 0))) + 1;
}

// The text read into `room` bytes, cut at its terminator and at the limit.
void TakeStatusText(const char* buffer, SIZE_T room, std::string& text)
{
    const size_t length = strnlen(buffer, room);
    text.assign(buffer, length < kStatusTextLimit ? length : kStatusTextLimit);
}

// The text of a part through memory of the bar's own process.
bool ReadRemoteStatusText(HWND bar, int part, std::string& text)
{
    typedef LPVOID(WINAPI * AllocFunction)(HANDLE, LPVOID, SIZE_T, DWORD, DWORD);
    typedef BOOL(WINAPI * FreeFunction)(HANDLE, LPVOID, SIZE_T, DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    const AllocFunction allocate = EngineSupport::LibraryFunction<AllocFunction>(kernel, "VirtualAllocEx");
    const FreeFunction release = EngineSupport::LibraryFunction<FreeFunction>(kernel, "VirtualFreeEx");
    DWORD processId = 0;
    GetWindowThreadProcessId(bar, &processId);
    if (!allocate || !release || !processId)
        return false;
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process)
        return false;
    bool read = false;
    const SIZE_T room = StatusTextRoom(bar, part);
    if (void* remote = allocate(process, nullptr, room, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE)) {
        std::vector<char> buffer(room, '\0');
        SIZE_T copied = 0;
        SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part - 1), reinterpret_cast<LPARAM>(remote));
        if (ReadProcessMemory(process, remote, buffer.data(), room, &copied)) {
            TakeStatusText(buffer.data(), copied, text);
            read = true;
        }
        release(process, remote, 0, MEM_RELEASE);
    }
    CloseHandle(process);
    return read;
}

// Windows 9x: a shared mapping is seen by every process at one address.
bool ReadSharedStatusText(HWND bar, int part, std::string& text)
{
    const SIZE_T room = StatusTextRoom(bar, part);
    HANDLE mapping = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(room),
                                        nullptr);
    if (!mapping)
        return false;
    bool read = false;
    if (char* view = static_cast<char*>(MapViewOfFile(mapping, FILE_MAP_ALL_ACCESS, 0, 0, 0))) {
        view[0] = '\0';
        SendMessageA(bar, SB_GETTEXTA, static_cast<WPARAM>(part - 1), reinterpret_cast<LPARAM>(view));
        TakeStatusText(view, room, text);
        read = true;
        UnmapViewOfFile(view);
    }
    CloseHandle(mapping);
    return read;
}

}  // namespace

bool ReadStatusBarPart(HWND bar, int part, std::string& text)
{
    const int parts = static_cast<int>(SendMessageA(bar, SB_GETPARTS, 0, 0));
    if (part <= 0 || part > parts)
        return false;
    return g_OsVersion.IsNT ? ReadRemoteStatusText(bar, part, text) : ReadSharedStatusText(bar, part, text);
}
