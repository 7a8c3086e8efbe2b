// The macro editor in the running program: Add opens it, the user fills it
// in and saves, the main window lists the new macro ticked, and its start
// key runs it. Edit without a selected macro says so.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const int kAdd = 1005, kEdit = 1006, kRecord = 1009;
const int kStartRecord = 1062;
const int kNameEdit = 1028, kStartKeyEdit = 1032, kEndKeyEdit = 1033;
const int kMouseX = 1010, kMouseY = 1011, kMoveInsert = 1008, kClickInsert = 1034;

struct PageSearch
{
    int id;
    HWND page;
};

BOOL CALLBACK FindPage(HWND child, LPARAM param)
{
    PageSearch& search = *reinterpret_cast<PageSearch*>(param);
    if (GetDlgCtrlID(child) != search.id)
        return TRUE;
    search.page = GetParent(child);
    return FALSE;
}

// The pane body of the editor holding the control.
HWND PageWith(HWND editor, int id)
{
    PageSearch search = { id, nullptr };
    EnumChildWindows(editor, FindPage, reinterpret_cast<LPARAM>(&search));
    return search.page;
}

// A control's text as the control itself gives it (across processes the
// system's copy of a window's text is not the edit control's).
std::string Text(HWND window, int id)
{
    char text[256] = {};
    SendMessageA(GetDlgItem(window, id), WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

void Type(HWND window, int id, const char* text)
{
    SendMessageA(GetDlgItem(window, id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
}

void Press(HWND window, int id)
{
    PostMessageA(window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(window, id)));
}

TEST(EditorEndToEnd, AMacroAddedInTheEditorIsListedAndRunsByItsStartKey)
{
    ScriptFolder scripts;
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    ClickButton(window, kAdd);
    HWND editor = WaitForCaptioned(kestrune.Id(), "Add Macro");
    ASSERT_NE(editor, nullptr);
    EXPECT_TRUE(IsIconic(window)) << "the main window makes way for the editor";

    Type(editor, kNameEdit, "Point at");
    BringToFront(editor);
    // Keys go where the focus is when they are pressed: after the click has
    // been taken. A click that the editor's coming to the front took is given again.
    HWND startKey = GetDlgItem(editor, kStartKeyEdit);
    auto focused = [&] {
        GUITHREADINFO info = { sizeof info };
        return GetGUIThreadInfo(GetWindowThreadProcessId(editor, nullptr), &info) && info.hwndFocus == startKey;
    };
    for (int attempt = 0; attempt < 3 && !focused(); ++attempt) {
        testing_support::ClickAt(testing_support::CentreOf(startKey));
        WaitUntil(focused, 2000);
    }
    ASSERT_TRUE(focused());
    testing_support::KeyDown(VK_CONTROL);
    testing_support::KeyDown(VK_SHIFT);
    testing_support::PressKey(VK_F7);
    testing_support::KeyUp(VK_SHIFT);
    testing_support::KeyUp(VK_CONTROL);
    EXPECT_TRUE(WaitUntil([&] { return Text(editor, kStartKeyEdit) == "Ctrl + Shift + <F7>"; }, 5000));
    EXPECT_EQ(Text(editor, kEndKeyEdit), "<F11>");
    HWND mouse = PageWith(editor, kClickInsert);
    ASSERT_NE(mouse, nullptr);
    Type(mouse, kMouseX, "321");
    Type(mouse, kMouseY, "123");
    Press(mouse, kMoveInsert);
    Press(editor, IDOK);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(editor); }, 10000));

    ASSERT_TRUE(WaitUntil([&] { return !IsIconic(window); }, 5000));
    HWND list = MacroListOf(window);
    std::vector<ListRow> rows;
    ASSERT_TRUE(WaitUntil([&] { return (rows = ReadListRows(list)).size() == 1; }, 5000));
    EXPECT_TRUE(rows[0].checked);
    EXPECT_EQ(rows[0].texts, (std::vector<std::string>{ "", "Point at", "Ctrl + Shift + <F7>", "<F11>", "" }));
    EXPECT_TRUE(testing_support::FileExists(scripts.FileOf("Point at")));
    ASSERT_TRUE(WaitUntil([] { return IsHotKeyHeld(MOD_CONTROL | MOD_SHIFT, VK_F7); }, 5000));

    testing_support::MoveMouseTo({ 10, 10 });
    PressHotKey(MOD_CONTROL | MOD_SHIFT, VK_F7);
    EXPECT_TRUE(WaitUntil(
        [] {
            POINT cursor;
            GetCursorPos(&cursor);
            return cursor.x == 321 && cursor.y == 123;
        },
        10000));
}

TEST(EditorEndToEnd, EditWithoutASelectedMacroSaysSo)
{
    ScriptFolder scripts;
    scripts.Write({ "Unselected", "Ctrl + <F2>", "<F11>" });
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    ClickButton(window, kEdit);
    HWND box = WaitForDialog(kestrune.Id(), "No macro selected! Please select a macro from list above to edit.", 5000);
    ASSERT_NE(box, nullptr);
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); }, 5000));
    EXPECT_EQ(testing_support::VisibleDialogsOfProcess(kestrune.Id()).size(), 1u) << "no editor opened";
}

// Record and Ctrl+Alt+R open the editor and record from it: Record with the
// recording dialog, Ctrl+Alt+R hidden until Ctrl+Alt+S. While the editor is
// open the macros' keys are let go, and they come back when it closes.
TEST(EditorEndToEnd, RecordAndCtrlAltROpenTheEditorAndRecord)
{
    ScriptFolder scripts;
    scripts.Write({ "Held", "Ctrl + <F2>", "<F11>", "", 1 });
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(IsHotKeyHeld(MOD_CONTROL, VK_F2));

    for (int way = 0; way < 2; ++way) {
        if (way == 0) {
            ClickButton(window, kRecord);
            HWND recorder = WaitForCaptioned(kestrune.Id(), "Record keyboard and mouse actions");
            ASSERT_NE(recorder, nullptr);
            EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL, VK_F2)) << "no macro key while the editor is open";
            Press(recorder, IDCANCEL);
        } else {
            // Ctrl+Alt+S with no recording going stops nothing and opens
            // nothing: the Ctrl+Alt+R after it still starts one.
            PressHotKey(MOD_CONTROL | MOD_ALT, 'S');
            PressHotKey(MOD_CONTROL | MOD_ALT, 'R');
            ASSERT_TRUE(WaitUntil([&] { return kestrune.HasLoaded("kestrune.dll"); }, 10000)) << "recording";
            EXPECT_FALSE(IsHotKeyHeld(MOD_CONTROL, VK_F2)) << "no macro key while the editor is open";
            PressHotKey(MOD_CONTROL | MOD_ALT, 'S');
        }
        HWND editor = WaitForCaptioned(kestrune.Id(), "Add Macro");
        ASSERT_NE(editor, nullptr) << way;
        HWND page = PageWith(editor, kStartRecord);
        ASSERT_NE(page, nullptr);
        EXPECT_TRUE(IsWindowVisible(page)) << "the recording page is open";
        EXPECT_TRUE(WaitUntil([&] { return !kestrune.HasLoaded("kestrune.dll"); }, 5000)) << way;
        Press(editor, IDCANCEL);
        ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(editor); }, 10000));
        EXPECT_TRUE(WaitUntil([] { return IsHotKeyHeld(MOD_CONTROL, VK_F2); }, 5000)) << way;
        EXPECT_TRUE(WaitUntil([&] { return !IsIconic(window); }, 5000));
    }
}

}  // namespace
