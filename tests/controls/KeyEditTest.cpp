// The hot-key edit in a dialog, with keys pressed through SendInput: the
// texts of key combinations in hot-key and plain mode, and that nothing
// edits the text the box has set (Delete, Backspace, Shift+Insert,
// Shift+Delete, paste, cut, clear, mnemonics).
#include "controls/KeyEditCtrl.h"
#include "macro/KeyNames.h"
#include "tests/controls/ControlTestSupport.h"
#include "tests/controls/EditorControlsTestResource.h"
#include "tests/support/Input.h"
#include "tests/support/UiPump.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace control_tests;
using namespace testing_support;

namespace {

class KeyEditsDlg : public CDialog
{
public:
    CKeyEditCtrl m_hotKey, m_plain;
    int saveClicks = 0;

protected:
    void DoDataExchange(CDataExchange* dx) override
    {
        DDX_Control(dx, IDC_HOT_KEY_EDIT, m_hotKey);
        DDX_Control(dx, IDC_PLAIN_KEY_EDIT, m_plain);
    }
    BOOL OnInitDialog() override
    {
        CDialog::OnInitDialog();
        m_hotKey.m_hotKeyMode = 1;
        return TRUE;
    }
    afx_msg void OnSave() { ++saveClicks; }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(KeyEditsDlg, CDialog)
    ON_BN_CLICKED(IDC_KEY_SAVE, OnSave)
END_MESSAGE_MAP()

std::string NameOf(UINT virtualKey)
{
    return static_cast<LPCSTR>(VirtualKeyToKeyName(virtualKey));
}

// Keys held down (in order) while `key` is pressed, then released.
void PressWith(const std::vector<WORD>& held, WORD key)
{
    for (WORD modifier : held)
        KeyDown(modifier);
    PressKey(key);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        KeyUp(*it);
}

class KeyEdit : public DialogTest<KeyEditsDlg, IDD_KEY_EDITS>
{
protected:
    // Focuses the box with `start` as its text, presses the keys and waits
    // until the box shows something else and every key is handled.
    std::string PressInto(CKeyEditCtrl& box, const std::vector<WORD>& held, WORD key)
    {
        m_dlg.GotoDlgCtrl(&box);
        box.SetWindowText("start");
        PumpMessages(50);
        PressWith(held, key);
        PumpUntil([&] { return TextOf(box) != "start"; }, 3000);
        PumpMessages(100);
        return TextOf(box);
    }
};

struct KeyCase
{
    const char* what;
    std::vector<WORD> held;
    WORD key;
    std::string expected;
};

TEST_F(KeyEdit, ShowsTheHotKeyTextOfWhatIsPressed)
{
    const KeyCase cases[] = {
        { "Ctrl+Alt+R", { VK_CONTROL, VK_MENU }, 'R', "Ctrl + Alt + " + NameOf('R') },
        { "F5 alone", {}, VK_F5, "<F5>" },
        { "all three modifiers", { VK_CONTROL, VK_SHIFT, VK_MENU }, VK_F2, "Ctrl + Shift + Alt + <F2>" },
        { "Shift+Alt", { VK_SHIFT, VK_MENU }, 'K', "Shift + Alt + " + NameOf('K') },
        { "Ctrl with a modifier itself", { VK_CONTROL }, VK_SHIFT, "Ctrl + Shift + " },
        { "Delete", {}, VK_DELETE, "None" },
        { "Backspace", {}, VK_BACK, "None" },
        { "Escape", {}, VK_ESCAPE, "None" },
        { "Ctrl+Delete", { VK_CONTROL }, VK_DELETE, "None" },
        { "a keypad digit", {}, VK_NUMPAD5, "None" },
        { "the Windows key", { VK_CONTROL }, VK_LWIN, "None" },
        { "Shift+Insert pastes nothing", { VK_SHIFT }, VK_INSERT, "Shift + " + NameOf(VK_INSERT) },
        { "Shift+Delete cuts nothing", { VK_SHIFT }, VK_DELETE, "None" },
    };
    SetClipboardText("pasted");
    for (const KeyCase& c : cases) {
        EXPECT_EQ(PressInto(m_dlg.m_hotKey, c.held, c.key), c.expected) << c.what;
        // The window of an escape or a Windows key stays where it was.
        ShowInFront(m_dlg);
    }
    EXPECT_EQ(ClipboardText(), "pasted");
}

TEST_F(KeyEdit, ShowsTheModifiersAsTheyGoDown)
{
    m_dlg.GotoDlgCtrl(&m_dlg.m_hotKey);
    PumpMessages(50);
    KeyDown(VK_CONTROL);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(m_dlg.m_hotKey) == "Ctrl + "; }, 3000)) << TextOf(m_dlg.m_hotKey);
    KeyDown(VK_SHIFT);
    EXPECT_TRUE(PumpUntil([&] { return TextOf(m_dlg.m_hotKey) == "Ctrl + Shift + "; }, 3000))
        << TextOf(m_dlg.m_hotKey);
    KeyUp(VK_SHIFT);
    KeyUp(VK_CONTROL);
    PumpMessages(100);
}

TEST_F(KeyEdit, TypedLettersShowOnlyTheLastKey)
{
    m_dlg.GotoDlgCtrl(&m_dlg.m_hotKey);
    PressKey('A');
    PressKey('B');
    PressKey('C');
    EXPECT_TRUE(PumpUntil([&] { return TextOf(m_dlg.m_hotKey) == NameOf('C'); }, 3000)) << TextOf(m_dlg.m_hotKey);
    PumpMessages(100);
    EXPECT_EQ(TextOf(m_dlg.m_hotKey), NameOf('C'));
}

TEST_F(KeyEdit, AltWithAMnemonicIsAHotKeyAndPressesNoButton)
{
    EXPECT_EQ(PressInto(m_dlg.m_hotKey, { VK_MENU }, 'S'), "Alt + " + NameOf('S'));
    EXPECT_EQ(m_dlg.saveClicks, 0);
}

TEST_F(KeyEdit, PlainModeShowsTheKeyNameWithoutModifiers)
{
    EXPECT_EQ(PressInto(m_dlg.m_plain, { VK_CONTROL }, 'Q'), NameOf('Q'));
    EXPECT_EQ(PressInto(m_dlg.m_plain, {}, VK_DELETE), NameOf(VK_DELETE));
    EXPECT_EQ(PressInto(m_dlg.m_plain, {}, VK_F5), "<F5>");
}

TEST_F(KeyEdit, RefusesPasteCutAndClear)
{
    SetClipboardText("pasted");
    for (UINT message : { WM_PASTE, WM_CUT, WM_CLEAR }) {
        m_dlg.m_hotKey.SetWindowText("Ctrl + <F5>");
        m_dlg.m_hotKey.SetSel(0, -1);
        m_dlg.m_hotKey.SendMessage(message);
        EXPECT_EQ(TextOf(m_dlg.m_hotKey), "Ctrl + <F5>") << message;
    }
    EXPECT_EQ(ClipboardText(), "pasted");
}

}  // namespace
