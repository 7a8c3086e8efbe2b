#include "tests/editor/EditorTestSupport.h"

#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"

#include <vector>

namespace editor_tests {

void PressChord(std::initializer_list<WORD> modifiers, WORD key)
{
    for (WORD modifier : modifiers)
        testing_support::KeyDown(modifier);
    testing_support::PressKey(key);
    std::vector<WORD> held(modifiers);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        testing_support::KeyUp(*it);
}

std::string ItemText(HWND dialog, int id)
{
    return testing_support::WindowText(GetDlgItem(dialog, id));
}

bool WaitForItemText(HWND dialog, int id, const std::string& expected, DWORD timeoutMs)
{
    return kestrune_probe::WaitUntil([&] { return ItemText(dialog, id) == expected; }, timeoutMs);
}

std::string AnswerMessageBox(int button, DWORD timeoutMs, HWND except)
{
    HWND box = nullptr;
    kestrune_probe::WaitUntil(
        [&] {
            for (HWND dialog : testing_support::VisibleDialogsOfThisProcess())
                if (dialog != except && testing_support::WindowText(dialog) == "Brenvik Kestrune")
                    box = dialog;
            return box != nullptr;
        },
        timeoutMs);
    if (!box)
        return "<none>";
    Sleep(50);   // let it finish showing its text
    const std::string text = kestrune_probe::DialogText(box);
    kestrune_probe::PressDialogButton(box, button);
    kestrune_probe::WaitUntil([&] { return !IsWindow(box) || !IsWindowVisible(box); }, timeoutMs);
    return text;
}

void FocusItem(HWND dialog, int id)
{
    kestrune_probe::BringToFront(dialog);
    HWND item = GetDlgItem(dialog, id);
    const DWORD thread = GetWindowThreadProcessId(dialog, nullptr);
    AttachThreadInput(GetCurrentThreadId(), thread, TRUE);
    SetFocus(item);
    AttachThreadInput(GetCurrentThreadId(), thread, FALSE);
}

}  // namespace editor_tests
