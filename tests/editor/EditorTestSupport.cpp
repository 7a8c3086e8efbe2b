#include "tests/editor/EditorTestSupport.h"

#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"

#include <vector>

#include <commctrl.h>

namespace editor_tests {

void MoveMouseAndWait(POINT screen)
{
    testing_support::MoveMouseTo(screen);
    kestrune_probe::WaitUntil(
        [&] {
            POINT cursor;
            return GetCursorPos(&cursor) && cursor.x == screen.x && cursor.y == screen.y;
        },
        2000);
}

bool WaitUntilHotKeyFree(UINT modifiers, UINT virtualKey)
{
    return kestrune_probe::WaitUntil([&] { return !kestrune_probe::IsHotKeyHeld(modifiers, virtualKey); }, 5000);
}

void PressChord(std::initializer_list<WORD> modifiers, WORD key)
{
    for (WORD modifier : modifiers)
        testing_support::KeyDown(modifier);
    testing_support::PressKey(key);
    std::vector<WORD> held(modifiers);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        testing_support::KeyUp(*it);
}

void WaitUntilHandled(HWND window)
{
    for (int i = 0; i < 2; ++i)
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr);
}

bool PressUntil(const std::function<void()>& press, const std::function<bool()>& done)
{
    for (int attempt = 0; attempt < 3; ++attempt) {
        press();
        if (kestrune_probe::WaitUntil(done, 2000))
            return true;
    }
    return false;
}

std::string ItemText(HWND dialog, int id)
{
    return testing_support::WindowText(GetDlgItem(dialog, id));
}

bool WaitForItemText(HWND dialog, int id, const std::string& expected, DWORD timeoutMs)
{
    return kestrune_probe::WaitUntil([&] { return ItemText(dialog, id) == expected; }, timeoutMs);
}

std::string AnswerMessageBox(int button, DWORD timeoutMs, HWND except, const std::function<void(HWND)>& before)
{
    HWND box = nullptr;
    kestrune_probe::WaitUntil(
        [&] {
            for (HWND dialog : testing_support::VisibleDialogsOfThisProcess())
                if (dialog != except && GetWindow(dialog, GW_OWNER) &&
                    testing_support::WindowText(dialog) == "Brenvik Kestrune")
                    box = dialog;
            return box != nullptr;
        },
        timeoutMs);
    if (!box)
        return "<none>";
    Sleep(50);   // let it finish showing its text
    const std::string text = kestrune_probe::DialogText(box);
    if (before)
        before(box);
    kestrune_probe::PressDialogButton(box, button);
    kestrune_probe::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
    return text;
}

void FocusItem(HWND dialog, int id)
{
    kestrune_probe::BringToFront(GetAncestor(dialog, GA_ROOT));
    HWND item = GetDlgItem(dialog, id);
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(item);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

}  // namespace editor_tests

namespace editor_tests {

namespace {

struct PageSearch
{
    int id;
    HWND page;
};

BOOL CALLBACK FindPage(HWND child, LPARAM param)
{
    PageSearch& search = *reinterpret_cast<PageSearch*>(param);
    if (GetDlgCtrlID(child) != search.id || testing_support::ClassName(GetParent(child)) != "#32770")
        return TRUE;
    search.page = GetParent(child);
    return FALSE;
}

}  // namespace

HWND PageWith(HWND editor, int uniqueControlId)
{
    PageSearch search = { uniqueControlId, nullptr };
    EnumChildWindows(editor, FindPage, reinterpret_cast<LPARAM>(&search));
    return search.page == editor ? nullptr : search.page;
}

void SetItemText(HWND dialog, int id, const std::string& text)
{
    SendMessageA(GetDlgItem(dialog, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

}  // namespace editor_tests

namespace editor_tests {

HWND WaitForDialogCaptioned(const std::string& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    kestrune_probe::WaitUntil(
        [&] {
            for (HWND dialog : testing_support::VisibleDialogsOfThisProcess())
                if (testing_support::WindowText(dialog) == caption)
                    found = dialog;
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

std::vector<std::string> ListColumn(HWND list, int column)
{
    std::vector<std::string> texts;
    const int count = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < count; ++row) {
        char buffer[512] = {};
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer;
        item.cchTextMax = sizeof buffer;
        SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
        texts.push_back(buffer);
    }
    return texts;
}

std::vector<int> SelectedRows(HWND list)
{
    std::vector<int> rows;
    for (int row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED)); row >= 0;
         row = static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row), LVNI_SELECTED)))
        rows.push_back(row);
    return rows;
}

}  // namespace editor_tests
