// CActiveWinPath: describes a top-level window as a HalvaneInfo record, and
// finds the live window that matches a record and brings it back to its
// recorded place. The shell's own windows (desktop, task bar, start menu,
// dimmed desktop) are named by fixed texts instead of a title and program.
#pragma once

#include "framework/Framework.h"
#include "macro/HalvaneInfo.h"

#include <tlhelp32.h>

class CActiveWinPath
{
public:
    CActiveWinPath();
    virtual ~CActiveWinPath();
    CActiveWinPath(const CActiveWinPath&) = delete;
    CActiveWinPath& operator=(const CActiveWinPath&) = delete;

    // The full path of the program file of the process that owns `window`.
    int GetWindowModulePath(HWND window, CString& path);

    // Fills `info` (all but its index) from the top-level window that is
    // `window` or holds it. 1 when filled.
    int DescribeWindow(HWND window, HalvaneInfo& info);

    // Finds the window of `info` and restores, raises, moves and sizes it to
    // the recorded rectangle. With exactOnly 0 a window of the same program
    // with another title may stand in. 1 when done, or when `info` names a
    // shell window; 0 when no window matches.
    int ActivateRecordedWindow(HalvaneInfo& info, int exactOnly);

    int RestoreAndFocus(HWND window, HalvaneInfo& info);

    HWND FoundWindow = nullptr;       // may be preset with a window known for the record
    HWND SimilarWindow = nullptr;     // first window of the same program met by a search
    CList<HWND, HWND> ExcludedWindows;   // windows already bound to other records

protected:
    // The first module of the process (its program file). Where a 32-bit
    // program looks at a 64-bit process the system refuses the list; the
    // program file's name is then asked for directly.
    virtual BOOL FirstProcessModule(HANDLE process, HMODULE* module);

private:
    void LoadProcessApis();
    int ReadImageName(DWORD processId, CString& path);
    static BOOL CALLBACK FindTopLevelProc(HWND window, LPARAM param);
    static BOOL CALLBACK SearchProc(HWND window, LPARAM param);
    bool ConsiderWindow(HWND window);   // false stops the search

    HalvaneInfo m_search;
    HWND m_describedChild = nullptr;
    HWND m_describedTop = nullptr;
    bool m_found = false;

    typedef BOOL(WINAPI* EnumProcessModulesFn)(HANDLE, HMODULE*, DWORD, LPDWORD);
    typedef DWORD(WINAPI* GetModuleFileNameExFn)(HANDLE, HMODULE, LPSTR, DWORD);
    typedef BOOL(WINAPI* QueryImageNameFn)(HANDLE, DWORD, LPSTR, PDWORD);
    typedef HANDLE(WINAPI* CreateSnapshotFn)(DWORD, DWORD);
    typedef BOOL(WINAPI* ModuleWalkFn)(HANDLE, LPMODULEENTRY32);

    HMODULE m_library = nullptr;
    EnumProcessModulesFn m_enumProcessModules = nullptr;
    GetModuleFileNameExFn m_getModuleFileNameEx = nullptr;
    QueryImageNameFn m_queryFullProcessImageName = nullptr;   // absent before Windows Vista
    CreateSnapshotFn m_createSnapshot = nullptr;
    ModuleWalkFn m_module32First = nullptr;
};

// The number of GetParent steps from `window` to the top.
int CountParentLevel(HWND window);
