#include "tests/probe/KestruneProbe.h"

#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"
#include "tests/support/WindowCapture.h"

#include <commctrl.h>

namespace kestrune_probe {

namespace {

const char kMainWindowCaption[] = "Brenvik Kestrune";
const int kMacroListId = 1001;

DWORD ProcessOf(HWND window)
{
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId;
}

// Memory lent in another process, for the list view messages whose
// parameters point to structures.
class RemoteBuffer
{
public:
    RemoteBuffer(HWND window, SIZE_T size)
    {
        m_process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, ProcessOf(window));
        if (m_process)
            m_address = VirtualAllocEx(m_process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    }
    ~RemoteBuffer()
    {
        if (m_address)
            VirtualFreeEx(m_process, m_address, 0, MEM_RELEASE);
        if (m_process)
            CloseHandle(m_process);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    bool Valid() const { return m_address != nullptr; }
    char* Address(SIZE_T offset = 0) const { return static_cast<char*>(m_address) + offset; }
    bool Write(SIZE_T offset, const void* data, SIZE_T size) const
    {
        return WriteProcessMemory(m_process, Address(offset), data, size, nullptr) != 0;
    }
    bool Read(SIZE_T offset, void* data, SIZE_T size) const
    {
        return ReadProcessMemory(m_process, Address(offset), data, size, nullptr) != 0;
    }

private:
    HANDLE m_process = nullptr;
    void* m_address = nullptr;
};

}  // namespace

HWND FindMainWindow(DWORD processId)
{
    HWND window = nullptr;
    while ((window = FindWindowExA(nullptr, window, nullptr, kMainWindowCaption)) != nullptr) {
        if (GetDlgItem(window, kMacroListId) && (processId == 0 || ProcessOf(window) == processId))
            return window;
    }
    return nullptr;
}

HWND WaitForMainWindow(DWORD timeoutMs, bool visible, DWORD processId)
{
    HWND found = nullptr;
    WaitUntil([&] {
        found = FindMainWindow(processId);
        return found && (!visible || IsWindowVisible(found));
    }, timeoutMs);
    return found && (!visible || IsWindowVisible(found)) ? found : nullptr;
}

HWND MacroListOf(HWND mainWindow)
{
    return GetDlgItem(mainWindow, kMacroListId);
}

std::vector<ListRow> ReadListRows(HWND list)
{
    std::vector<ListRow> rows;
    const int kTextSize = 512;
    RemoteBuffer remote(list, sizeof(LVITEMA) + kTextSize);
    if (!remote.Valid())
        return rows;
    HWND header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    const int columns = header ? static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0)) : 1;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        ListRow entry;
        UINT state = static_cast<UINT>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK));
        entry.checked = ((state & LVIS_STATEIMAGEMASK) >> 12) == 2;
        for (int column = 0; column < columns; ++column) {
            LVITEMA item = {};
            item.iSubItem = column;
            item.cchTextMax = kTextSize;
            item.pszText = remote.Address(sizeof(LVITEMA));
            remote.Write(0, &item, sizeof item);
            SendMessageA(list, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(remote.Address()));
            char text[kTextSize] = {};
            remote.Read(sizeof(LVITEMA), text, sizeof text - 1);
            entry.texts.push_back(text);
        }
        rows.push_back(entry);
    }
    return rows;
}

bool ListRowRect(HWND list, int row, RECT& screen)
{
    RemoteBuffer remote(list, sizeof(RECT));
    if (!remote.Valid())
        return false;
    RECT rect = {};
    rect.left = LVIR_BOUNDS;
    remote.Write(0, &rect, sizeof rect);
    if (!SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(remote.Address())))
        return false;
    remote.Read(0, &rect, sizeof rect);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    screen = rect;
    return true;
}

std::string DialogText(HWND dialog)
{
    std::string joined;
    for (HWND child = GetWindow(dialog, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (lstrcmpiA(testing_support::ClassName(child).c_str(), "Static") != 0)
            continue;
        std::string text = testing_support::WindowText(child);
        if (text.empty())
            continue;
        if (!joined.empty())
            joined += "\n";
        joined += text;
    }
    return joined;
}

HWND FindDialog(DWORD processId, const std::string& text)
{
    for (HWND dialog : testing_support::VisibleDialogsOfProcess(processId))
        if (!GetDlgItem(dialog, kMacroListId) && DialogText(dialog).find(text) != std::string::npos)
            return dialog;   // a dialog of the process, not its main window
    return nullptr;
}

HWND WaitForDialog(DWORD processId, const std::string& text, DWORD timeoutMs)
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindDialog(processId, text)) != nullptr; }, timeoutMs);
    return found;
}

void PressDialogButton(HWND dialog, int buttonId)
{
    HWND button = GetDlgItem(dialog, buttonId);
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

bool IsHotKeyHeld(UINT modifiers, UINT virtualKey)
{
    const int kProbeId = 0x7F00;
    if (!RegisterHotKey(nullptr, kProbeId, modifiers, virtualKey))
        return true;
    UnregisterHotKey(nullptr, kProbeId);
    return false;
}

void PressHotKey(UINT modifiers, UINT virtualKey)
{
    static const struct
    {
        UINT modifier;
        WORD key;
    } kModifierKeys[] = { { MOD_CONTROL, VK_CONTROL }, { MOD_SHIFT, VK_SHIFT }, { MOD_ALT, VK_MENU }, { MOD_WIN, VK_LWIN } };
    // A low-level hook (the recorder's) holds each key back until its thread
    // has seen it: the key goes down once the modifiers count as held, or
    // the system would not take the chord for the hot key.
    auto pressModifiers = [&] {
        for (const auto& m : kModifierKeys)
            if (modifiers & m.modifier)
                testing_support::KeyDown(m.key);
        WaitUntil(
            [&] {
                for (const auto& m : kModifierKeys)
                    if ((modifiers & m.modifier) && GetAsyncKeyState(m.key) >= 0)
                        return false;
                return true;
            },
            2000);
    };
    // On a loaded machine the modifiers were seen to go up between their
    // press and the key's without any key event (under Wine a window taking
    // the X focus sets the keys held to those the X server sees, and keys
    // sent with SendInput never reach it), so the chord missed its hot key.
    // They go down again, as a held key repeats, once such a change has had
    // time to land.
    pressModifiers();
    Sleep(100);
    pressModifiers();
    testing_support::PressKey(static_cast<WORD>(virtualKey));
    for (int i = 3; i >= 0; --i)
        if (modifiers & kModifierKeys[i].modifier)
            testing_support::KeyUp(kModifierKeys[i].key);
}

bool BringToFront(HWND window)
{
    SetForegroundWindow(window);
    return WaitUntil([&] { return GetForegroundWindow() == window; }, 3000);
}

bool SaveWindowPicture(HWND window, const std::string& path, bool clientOnly)
{
    RECT rect;
    if (clientOnly) {
        if (!GetClientRect(window, &rect))
            return false;
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    } else if (!GetWindowRect(window, &rect)) {
        return false;
    }
    return testing_support::WindowCapture::OfScreen(rect).SavePngAs(path);
}

}  // namespace kestrune_probe
