#include "tests/editor/OpenEditor.h"

#include "tests/editor/EditorTestSupport.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"

namespace editor_tests {

void OpenEditor::SetUp()
{
    // Ctrl+Alt+P and C of the mouse and colour panes, 1 and 2 of the measurer.
    for (UINT key : { 'P', 'C', '1', '2' })
        ASSERT_TRUE(WaitUntilHotKeyFree(MOD_CONTROL | MOD_ALT, key));
    ASSERT_TRUE(m_editor.Create(IDD_INPUT_ROBOT, nullptr));
    m_editor.ShowWindow(SW_SHOW);
    kestrune_probe::BringToFront(m_editor.m_hWnd);
    testing_support::PumpMessages(50);
}

void OpenEditor::Click(HWND page, int button)
{
    SendMessageA(page, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

bool OpenEditor::PumpUntilText(HWND page, int id, const std::string& text)
{
    return testing_support::PumpUntil([&] { return ItemText(page, id) == text; });
}

std::vector<std::string> OpenEditor::Steps() const
{
    return ListColumn(m_editor.GetDlgItem(IDC_STEP_LIST)->m_hWnd, 1);
}

HWND OpenEditor::CaptionAbove(HWND body)
{
    RECT bodyRect;
    GetWindowRect(body, &bodyRect);
    for (HWND child = GetWindow(GetParent(body), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        RECT rect;
        GetWindowRect(child, &rect);
        if (child != body && IsWindowVisible(child) && rect.bottom == bodyRect.top && rect.left == bodyRect.left)
            return child;
    }
    return nullptr;
}

bool OpenEditor::ExpandPane(HWND body, int templateHeight)
{
    HWND caption = CaptionAbove(body);
    if (!caption)
        return false;
    RECT full = { 0, 0, 1, templateHeight };
    MapDialogRect(body, &full);
    testing_support::ClickAt(testing_support::CentreOf(caption));
    return testing_support::PumpUntil([&] {
        RECT rect;
        GetWindowRect(body, &rect);
        return IsWindowVisible(body) && rect.bottom - rect.top == full.bottom;
    });
}

}  // namespace editor_tests
