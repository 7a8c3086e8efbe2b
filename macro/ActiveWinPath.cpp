#include "macro/ActiveWinPath.h"

#include "base/OsVersion.h"

namespace {

const char kDesktop[] = "Desktop";
const char kProgramManager[] = "Program Manager";
const char kStartMenu[] = "Start Menu";
const char kTaskBar[] = "Task Bar";
const char kDimmedDesktop[] = "Dimmed Desktop";

CString WindowTitle(HWND window, int limit)
{
    CString title;
    int length = GetWindowTextA(window, title.GetBuffer(limit), limit + 1);
    title.ReleaseBuffer(length > 0 ? length : 0);
    return title;
}

CString WindowClass(HWND window)
{
    char name[261] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

void SetNames(HalvaneInfo& info, const CString& title, const CString& path)
{
    info.WinTitle = title;
    info.WinPath = path;
}

// The shell's own windows carry fixed names in place of a title and program.
bool NameShellWindow(HWND top, const CString& title, const CString& className, HalvaneInfo& info)
{
    auto isClass = [&](const char* name) { return className.CompareNoCase(name) == 0; };
    if (top == GetDesktopWindow() || title == kProgramManager)
        SetNames(info, kDesktop, kProgramManager);
    else if (isClass("BaseBar"))
        SetNames(info, kStartMenu, kStartMenu);
    else if (isClass("WorkerW"))
        SetNames(info, kDesktop, kProgramManager);
    else if (isClass("Shell_TrayWnd"))
        SetNames(info, kTaskBar, kTaskBar);
    else if (isClass("DimmedWindowClass") || isClass("FakeDesktopWClass"))
        SetNames(info, kDimmedDesktop, kDimmedDesktop);
    else
        return false;
    return true;
}

void PressKey(BYTE vk, DWORD flags)
{
    keybd_event(vk, static_cast<BYTE>(MapVirtualKeyA(vk, 0)), flags, 0);
}

}  // namespace

int CountParentLevel(HWND window)
{
    int level = 0;
    for (HWND parent = GetParent(window); parent; parent = GetParent(parent))
        ++level;
    return level;
}

CActiveWinPath::CActiveWinPath()
{
    LoadProcessApis();
}

CActiveWinPath::~CActiveWinPath()
{
    if (m_library)
        FreeLibrary(m_library);
}

void CActiveWinPath::LoadProcessApis()
{
    if (g_OsVersion.IsNT) {
        m_library = LoadLibraryA("psapi.dll");
        if (m_library) {
            m_enumProcessModules = reinterpret_cast<EnumProcessModulesFn>(
                reinterpret_cast<void*>(GetProcAddress(m_library, "EnumProcessModules")));
            m_getModuleFileNameEx = reinterpret_cast<GetModuleFileNameExFn>(
                reinterpret_cast<void*>(GetProcAddress(m_library, "GetModuleFileNameExA")));
        }
        m_queryFullProcessImageName = reinterpret_cast<QueryImageNameFn>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryFullProcessImageNameA")));
    } else {
        m_library = LoadLibraryA("kernel32.dll");
        if (m_library) {
            m_createSnapshot = reinterpret_cast<CreateSnapshotFn>(
                reinterpret_cast<void*>(GetProcAddress(m_library, "CreateToolhelp32Snapshot")));
            m_module32First = reinterpret_cast<ModuleWalkFn>(
                reinterpret_cast<void*>(GetProcAddress(m_library, "Module32First")));
        }
    }
}

int CActiveWinPath::GetWindowModulePath(HWND window, CString& path)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);

    if (g_OsVersion.IsNT) {
        HANDLE process = OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId);
        if (process) {
            HMODULE module = nullptr;
            char file[1024] = {};
            DWORD length = 0;
            if (m_getModuleFileNameEx && FirstProcessModule(process, &module))
                length = m_getModuleFileNameEx(process, module, file, sizeof file);
            CloseHandle(process);
            if (length > 0) {
                path = file;
                return 1;
            }
        }
        return ReadImageName(processId, path);
    }

    if (!m_createSnapshot || !m_module32First)
        return 0;
    HANDLE snapshot = m_createSnapshot(TH32CS_SNAPMODULE, processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return 0;
    MODULEENTRY32 entry = {};
    entry.dwSize = sizeof entry;
    BOOL ok = m_module32First(snapshot, &entry);
    CloseHandle(snapshot);
    if (!ok)
        return 0;
    path = entry.szExePath;
    return 1;
}

BOOL CActiveWinPath::FirstProcessModule(HANDLE process, HMODULE* module)
{
    DWORD needed = 0;
    return m_enumProcessModules && m_enumProcessModules(process, module, sizeof *module, &needed);
}

int CActiveWinPath::ReadImageName(DWORD processId, CString& path)
{
    if (!m_queryFullProcessImageName)
        return 0;
    // Limited information is all the query needs, and is granted where
    // reading the process's memory is not.
    const DWORD kQueryLimitedInformation = 0x1000;
    HANDLE process = OpenProcess(kQueryLimitedInformation, FALSE, processId);
    if (!process)
        return 0;
    char file[1024] = {};
    DWORD length = sizeof file;
    const BOOL ok = m_queryFullProcessImageName(process, 0, file, &length);
    CloseHandle(process);
    if (!ok || length == 0)
        return 0;
    path = file;
    return 1;
}

BOOL CALLBACK CActiveWinPath::FindTopLevelProc(HWND window, LPARAM param)
{
    CActiveWinPath* self = reinterpret_cast<CActiveWinPath*>(param);
    if (window == self->m_describedChild || IsChild(window, self->m_describedChild)) {
        self->m_describedTop = window;
        self->m_found = true;
        return FALSE;
    }
    return TRUE;
}

int CActiveWinPath::DescribeWindow(HWND window, HalvaneInfo& info)
{
    if (!window)
        return 0;
    m_describedChild = window;
    m_describedTop = nullptr;
    m_found = false;
    EnumWindows(FindTopLevelProc, reinterpret_cast<LPARAM>(this));
    if (!m_found)
        return 0;
    HWND top = m_describedTop;

    info.hWnd = top;
    RECT rect;
    if (!GetWindowRect(top, &rect))
        return 0;
    info.WinParentLevel = CountParentLevel(top);
    CString className = WindowClass(top);
    CString title = WindowTitle(top, 260);

    if (!NameShellWindow(top, title, className, info)) {
        CString path;
        if (!GetWindowModulePath(top, path))
            return 0;
        if (className.CompareNoCase("DV2ControlHost") == 0 && title == kStartMenu)
            SetNames(info, kStartMenu, kStartMenu);
        else
            SetNames(info, title, path);
    }
    info.WinRect = rect;
    return 1;
}

int CActiveWinPath::ActivateRecordedWindow(HalvaneInfo& info, int exactOnly)
{
    if (info.WinPath.CompareNoCase(kProgramManager) == 0 && info.WinTitle.CompareNoCase(kDesktop) == 0) {
        // Show the desktop: Win+D.
        PressKey(VK_LWIN, KEYEVENTF_EXTENDEDKEY);
        PressKey('D', 0);
        PressKey('D', KEYEVENTF_KEYUP);
        PressKey(VK_LWIN, KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP);
        info.hWnd = nullptr;
        return 1;
    }
    for (const char* name : {kTaskBar, kStartMenu, kDimmedDesktop}) {
        if (info.WinPath.CompareNoCase(name) == 0 && info.WinTitle.CompareNoCase(name) == 0) {
            info.hWnd = nullptr;
            return 1;
        }
    }

    // A window found before may have closed since: then search again.
    if (FoundWindow && !IsWindow(FoundWindow))
        FoundWindow = nullptr;
    if (FoundWindow)
        return RestoreAndFocus(FoundWindow, info);

    m_search = info;
    EnumWindows(SearchProc, reinterpret_cast<LPARAM>(this));
    if (FoundWindow)
        return RestoreAndFocus(FoundWindow, info);
    if (!exactOnly && SimilarWindow && IsWindow(SimilarWindow))
        return RestoreAndFocus(SimilarWindow, info);
    return 0;
}

BOOL CALLBACK CActiveWinPath::SearchProc(HWND window, LPARAM param)
{
    return reinterpret_cast<CActiveWinPath*>(param)->ConsiderWindow(window) ? TRUE : FALSE;
}

bool CActiveWinPath::ConsiderWindow(HWND window)
{
    if (ExcludedWindows.Find(window))
        return true;
    CString title = WindowTitle(window, 255);
    if (title == kProgramManager)
        return true;
    CString path;
    if (!GetWindowModulePath(window, path) || path.CompareNoCase(m_search.WinPath) != 0)
        return true;
    if (m_search.WinParentLevel != -1 && CountParentLevel(window) != m_search.WinParentLevel)
        return true;
    if (title == m_search.WinTitle) {
        FoundWindow = window;
        return false;
    }
    // Only a window the user can see may stand in for the recorded one.
    if (!SimilarWindow && IsWindowVisible(window))
        SimilarWindow = window;
    return true;
}

int CActiveWinPath::RestoreAndFocus(HWND window, HalvaneInfo& info)
{
    if (!IsWindow(window))
        return 0;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    SetForegroundWindow(window);
    const RECT& r = info.WinRect;
    SetWindowPos(window, HWND_TOP, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_SHOWWINDOW);
    info.hWnd = window;
    return 1;
}
