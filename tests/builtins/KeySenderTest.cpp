// The key sender with real input: SEND into a focused EDIT control, the exact
// event sequence as a low-level keyboard hook sees it, and keys posted to a
// window.
#include "engine/automation/KeySender.h"
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/builtins/TestWindow.h"
#include "tests/support/InputRecorder.h"

#include <gtest/gtest.h>

using namespace builtins_test;
using testing_support::InputRecorder;

namespace {

const RECT kPlace = {100, 100, 500, 200};

// A focused edit in the foreground, and the hook watching the keyboard.
class KeyTest : public testing::Test
{
protected:
    KeyTest() : window(kPlace, RGB(255, 255, 255), {}, true) {}

    // SEND (or its raw form) and what the hook saw.
    std::string Sent(const char* keys, int raw = 0)
    {
        recorder.Clear();
        Call("SEND", {Text(keys), Int(raw)});
        recorder.Settle();
        TestWindow::Pump();
        return recorder.DescribeKeys();
    }
    // SEND into an empty edit and the text it then holds.
    std::string Typed(const char* keys, int raw = 0)
    {
        window.SetEditText("");
        Sent(keys, raw);
        return window.EditText();
    }

    TestWindow window;
    InputRecorder recorder;
};

TEST_F(KeyTest, SendTypesTextIntoTheFocusedEdit)
{
    const struct { const char* keys; int raw; const char* text; } cases[] = {
        {"Hello World 123", 0, "Hello World 123"},
        {"a+b^c", 1, "a+b^c"},                 // raw: no prefix meaning
        {"{x}!#", 1, "{x}!#"},
        {"a+b", 0, "aB"},
        {"{a 3}", 0, "aaa"},                   // not a key name: its first character
        {"{! 2}{+}{^}{#}{{}{}}", 0, "!!+^#{}"},
        {"x{BS}y", 0, "y"},
        {"ab{LEFT}c", 0, "acb"},
        {"ab{LEFT 2}{DEL}c", 0, "cb"},
        {"a{SPACE 2}b", 0, "a  b"},
        {"a{b", 0, "a{b"},                     // no closing brace: the rest is text
        {"{TAB}", 0, "\t"},
        {"{ENTER 0}", 0, "\r\n"},              // a count of 0 sends one
        {"caf\xE9", 0, "cafe"},                // no dead keys on this layout: the base letter
        {"a\x81" "b", 0, "ab"},                // a code no key and no recipe types: nothing
    };
    for (const auto& c : cases)
        EXPECT_EQ(Typed(c.keys, c.raw), c.text) << c.keys;
}

TEST_F(KeyTest, EventSequencesWithModifiers)
{
    const struct { const char* keys; const char* events; } cases[] = {
        {"a", "+A -A"},
        {"^a", "+CONTROL +A -A -CONTROL"},
        {"+{TAB 3}", "+SHIFT +TAB -TAB +TAB -TAB +TAB -TAB -SHIFT"},
        {"!{F1}", "+MENU +F1 -F1 -MENU"},
        {"#r", "+LWIN* +R -R -LWIN*"},
        // Modifiers go down as Win, Shift, Ctrl, Alt and up the other way round.
        {"#^+!x", "+LWIN* +SHIFT +CONTROL +MENU +X -X -MENU -CONTROL -SHIFT -LWIN*"},
        {"A", "+SHIFT +A -A -SHIFT"},
        {"^A", "+SHIFT +CONTROL +A -A -CONTROL -SHIFT"},
        // One-shot modifiers serve one character only.
        {"^ab", "+CONTROL +A -A -CONTROL +B -B"},
        {"{ENTER 0}", "+RETURN -RETURN"},
        {"{DEL}{HOME}{F12}", "+DELETE* -DELETE* +HOME* -HOME* +F12 -F12"},
        {"{NUMPADENTER}", "+RETURN* -RETURN*"},
        {"{a down}{a up}", "+A -A"},
        {"{F5 down}{F5 up}", "+F5 -F5"},
        {"{ALT}", "+MENU -MENU"},
        {"{ALT down}{ALT up}", "+MENU -MENU"},
        // Held modifiers stay down across characters; a held key is not pressed again.
        {"{CTRLDOWN}ab{CTRLUP}", "+CONTROL +A -A +B -B -CONTROL"},
        {"{SHIFTDOWN}+a{SHIFTUP}", "+SHIFT +A -A -SHIFT"},
        {"{LWINDOWN}{LWINUP}", "+LWIN* -LWIN*"},
        {"{ALTUP}", ""},                        // Alt is not held: nothing
        {"{ASC 65}", "+MENU +NUMPAD6 -NUMPAD6 +NUMPAD5 -NUMPAD5 -MENU"},
        // A character the layout has no key for goes by its ANSI code.
        {"\xA9", "+MENU +NUMPAD0 -NUMPAD0 +NUMPAD1 -NUMPAD1 +NUMPAD6 -NUMPAD6 +NUMPAD9 -NUMPAD9 -MENU"},
        {"\x81\x8D\x90", ""},                   // unassigned codes: nothing at all
        {"{nosuchkey}", "+N -N"},
        {"{}", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Sent(c.keys), c.events) << c.keys;
}

TEST_F(KeyTest, EventsCarryTheirScanCodesAndTheInjectedFlag)
{
    Sent("^+a{DEL}");
    const std::vector<InputRecorder::Key> keys = recorder.Keys();
    ASSERT_EQ(keys.size(), 8u) << recorder.DescribeKeys();
    const struct { DWORD vk; DWORD scan; } expected[] = {
        {VK_SHIFT, MapVirtualKeyA(VK_SHIFT, 0)}, {VK_CONTROL, MapVirtualKeyA(VK_CONTROL, 0)},
        {'A', MapVirtualKeyA('A', 0)}, {'A', MapVirtualKeyA('A', 0)},
        {VK_CONTROL, MapVirtualKeyA(VK_CONTROL, 0)}, {VK_SHIFT, MapVirtualKeyA(VK_SHIFT, 0)},
        {VK_DELETE, MapVirtualKeyA(VK_DELETE, 0)}, {VK_DELETE, MapVirtualKeyA(VK_DELETE, 0)},
    };
    for (size_t i = 0; i < keys.size(); ++i) {
        EXPECT_EQ(keys[i].vk, expected[i].vk) << i;
        EXPECT_EQ(keys[i].scan, expected[i].scan) << i;
        EXPECT_TRUE(keys[i].flags & LLKHF_INJECTED) << i;
    }
    EXPECT_EQ(keys[0].scan, 0x2Au);
    EXPECT_EQ(keys[2].scan, 0x1Eu);
}

TEST_F(KeyTest, ModifiersStillDownAreReleasedBeforeTyping)
{
    // As a hot key's Ctrl would still be held when its macro starts.
    keybd_event(VK_CONTROL, static_cast<BYTE>(MapVirtualKeyA(VK_CONTROL, 0)), 0, 0);
    recorder.Settle();
    EXPECT_EQ(Sent("x"), "-CONTROL +X -X");
    EXPECT_EQ(Typed("x"), "x");
}

TEST_F(KeyTest, AModifierDownOnlyInThisThreadsKeyStateCountsAsHeld)
{
    // The system says Shift is up, this thread's key state says it is down.
    BYTE state[256];
    ASSERT_TRUE(GetKeyboardState(state));
    state[VK_SHIFT] |= 0x80;
    SetKeyboardState(state);
    ASSERT_FALSE(GetAsyncKeyState(VK_SHIFT) & 0x8000);
    EXPECT_EQ(Sent("x"), "-SHIFT +X -X");
}

TEST_F(KeyTest, LockKeysOnAndOff)
{
    OptionScope capsMode("SendCapslockMode", 0);
    Sent("{CAPSLOCK off}");
    EXPECT_FALSE(GetKeyState(VK_CAPITAL) & 1);
    EXPECT_EQ(Sent("{CAPSLOCK on}"), "+CAPITAL -CAPITAL");
    EXPECT_TRUE(GetKeyState(VK_CAPITAL) & 1);
    EXPECT_EQ(Sent("{CAPSLOCK on}"), "");     // already on
    EXPECT_EQ(Sent("{CAPSLOCK off}"), "+CAPITAL -CAPITAL");
    EXPECT_EQ(Sent("{CAPSLOCK off}"), "");
}

TEST_F(KeyTest, CapsLockIsOffWhileSendingAndRestoredAfter)
{
    {
        OptionScope capsMode("SendCapslockMode", 0);
        Sent("{CAPSLOCK on}");
    }
    EXPECT_EQ(Typed("ab"), "ab");
    EXPECT_TRUE(GetKeyState(VK_CAPITAL) & 1);
    EXPECT_EQ(Sent("x"), "+CAPITAL -CAPITAL +X -X +CAPITAL -CAPITAL");

    OptionScope capsMode("SendCapslockMode", 0);
    EXPECT_EQ(Typed("ab"), "AB");              // left as it is
    Sent("{CAPSLOCK off}");
}

TEST_F(KeyTest, CapsLockGoesBackToItsStateAtTheStartAlsoWhenTheSendTurnedItOn)
{
    {
        OptionScope capsMode("SendCapslockMode", 0);
        Sent("{CAPSLOCK off}");
    }
    const struct { const char* keys; const char* events; } cases[] = {
        {"{CAPSLOCK on}x", "+CAPITAL -CAPITAL +X -X +CAPITAL -CAPITAL"},
        {"{CAPSLOCK}", "+CAPITAL -CAPITAL +CAPITAL -CAPITAL"},
        {"{CAPSLOCK}{CAPSLOCK}", "+CAPITAL -CAPITAL +CAPITAL -CAPITAL"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Sent(c.keys), c.events) << c.keys;
        EXPECT_FALSE(GetKeyState(VK_CAPITAL) & 1) << c.keys;
    }
}

TEST_F(KeyTest, ABracedNameEndsAtTheFirstSpaceNotAtATab)
{
    const struct { const char* keys; const char* text; } cases[] = {
        {"{a 3}", "aaa"},
        {"{a \t 3}", "aaa"},                   // blanks and tabs before the count
        {"{a\t3}", "a"},                       // "a<tab>3" is the name: its first character
        {"x{BS\t2}", "xB"},                    // no key is called "BS<tab>2"
    };
    for (const auto& c : cases)
        EXPECT_EQ(Typed(c.keys), c.text) << c.keys;
}

TEST_F(KeyTest, PostedKeysReachTheTargetWindow)
{
    // The target reads its messages on its own thread, as another program
    // would, while it is not the foreground window.
    TestWindowThread target({100, 250, 500, 350});
    BringWindowToFront(window.Handle());
    CKeySender sender;
    // Time for the target to read each key and the character it makes
    // before the next one comes, also on a busy machine.
    sender.KeyDownDelay = 10;
    sender.KeyDelay = 30;
    sender.SendKeys("abc{BS}d{LEFT}x{END}{ENTER}z", target.Edit());
    EXPECT_EQ(target.SettledEditText(), "abxd\r\nz");
    sender.SendRaw("y.z", target.Edit());
    EXPECT_EQ(target.SettledEditText(), "abxd\r\nzy.z");
    // Posted keys do not pass through the system input.
    recorder.Settle();
    EXPECT_EQ(recorder.DescribeKeys(), "");
    EXPECT_EQ(window.EditText(), "");
}

TEST_F(KeyTest, PostedKeysHaveTheLParamOfARealKeyboard)
{
    CKeySender sender;
    window.ClearMessages();
    sender.SendKeys("a{DEL}", window.Handle());
    TestWindow::Pump();
    std::vector<TestWindow::Message> keys;
    for (const TestWindow::Message& m : window.Messages())
        if (m.message == WM_KEYDOWN || m.message == WM_KEYUP)
            keys.push_back(m);
    ASSERT_EQ(keys.size(), 4u);
    const DWORD scanA = MapVirtualKeyA('A', 0) << 16, scanDel = MapVirtualKeyA(VK_DELETE, 0) << 16;
    EXPECT_EQ(keys[0].message, static_cast<UINT>(WM_KEYDOWN));
    EXPECT_EQ(keys[0].wParam, static_cast<WPARAM>('A'));
    EXPECT_EQ(static_cast<DWORD>(keys[0].lParam), scanA | 1);
    EXPECT_EQ(keys[1].message, static_cast<UINT>(WM_KEYUP));
    EXPECT_EQ(static_cast<DWORD>(keys[1].lParam), scanA | 0xC0000001);
    EXPECT_EQ(static_cast<DWORD>(keys[2].lParam), scanDel | 1 | 1 << 24);          // extended
    EXPECT_EQ(static_cast<DWORD>(keys[3].lParam), scanDel | 0xC1000001);
}

TEST_F(KeyTest, PostedKeysWithAltAreSystemKeys)
{
    CKeySender sender;
    window.ClearMessages();
    sender.SendKeys("!b", window.Handle());
    TestWindow::Pump();
    recorder.Settle();
    std::vector<TestWindow::Message> keys;
    for (const TestWindow::Message& m : window.Messages())
        if (m.wParam == 'B' && m.message != WM_CHAR && m.message != WM_SYSCHAR)
            keys.push_back(m);
    ASSERT_EQ(keys.size(), 2u);
    const DWORD scanB = MapVirtualKeyA('B', 0) << 16;
    EXPECT_EQ(keys[0].message, static_cast<UINT>(WM_SYSKEYDOWN));
    EXPECT_EQ(static_cast<DWORD>(keys[0].lParam), scanB | 1 | 1 << 29);
    EXPECT_EQ(keys[1].message, static_cast<UINT>(WM_SYSKEYUP));
    EXPECT_EQ(static_cast<DWORD>(keys[1].lParam), scanB | 0xE0000001);
    // Modifiers always go through the system input.
    EXPECT_EQ(recorder.DescribeKeys(), "+MENU -MENU");
}

TEST_F(KeyTest, OnlyOneShotAltAndCtrlDecideASystemKey)
{
    // The message of each posted B key, down and up.
    auto messagesOfB = [this](const char* keys) {
        CKeySender sender;
        sender.CapslockMode = 0;
        window.ClearMessages();
        sender.SendKeys(keys, window.Handle());
        TestWindow::Pump();
        recorder.Settle();
        std::string names;
        for (const TestWindow::Message& m : window.Messages()) {
            if (m.wParam != 'B')
                continue;
            if (m.message == WM_KEYDOWN) names += "KEYDOWN ";
            if (m.message == WM_KEYUP) names += "KEYUP ";
            if (m.message == WM_SYSKEYDOWN) names += "SYSKEYDOWN ";
            if (m.message == WM_SYSKEYUP) names += "SYSKEYUP ";
        }
        return names;
    };
    const struct { const char* keys; const char* messages; } cases[] = {
        {"!b", "SYSKEYDOWN SYSKEYUP "},
        {"^!b", "KEYDOWN KEYUP "},
        {"{CTRLDOWN}!b{CTRLUP}", "SYSKEYDOWN SYSKEYUP "},   // a held Ctrl changes nothing
        {"{ALTDOWN}b{ALTUP}", "KEYDOWN KEYUP "},             // nor does a held Alt
    };
    for (const auto& c : cases)
        EXPECT_EQ(messagesOfB(c.keys), c.messages) << c.keys;
}

TEST_F(KeyTest, LockKeysGoThroughTheSystemInputAlsoWhenPosting)
{
    CKeySender sender;
    sender.CapslockMode = 0;
    const bool numLock = (GetKeyState(VK_NUMLOCK) & 1) != 0;
    sender.SendKeys("{NUMLOCK}", window.Handle());
    recorder.Settle();
    TestWindow::Pump();
    EXPECT_EQ(recorder.DescribeKeys(), "+NUMLOCK -NUMLOCK");
    if (numLock != ((GetKeyState(VK_NUMLOCK) & 1) != 0))
        sender.SendKeys("{NUMLOCK}", nullptr);
}

TEST_F(KeyTest, KeyDelaysAreKept)
{
    OptionScope keyDelay("SendKeyDelay", 40);
    OptionScope downDelay("SendKeyDownDelay", 30);
    const DWORD start = GetTickCount();
    Sent("abc");
    // Three keys: each 30 ms down and 40 ms after.
    EXPECT_GE(GetTickCount() - start, 3u * 70u - 10u);

    // Between the events: the key-down delay after the modifiers go down and
    // after the key goes down, the key delay after the key comes up and after
    // the modifiers come up, whether or not a character has modifiers.
    EXPECT_EQ(Sent("^ab"), "+CONTROL +A -A -CONTROL +B -B");
    const std::vector<InputRecorder::Key> keys = recorder.Keys();
    ASSERT_EQ(keys.size(), 6u) << recorder.DescribeKeys();
    const DWORD least[] = {30, 30, 40, 40 + 30, 30};
    for (size_t i = 0; i < 5; ++i)
        EXPECT_GE(keys[i + 1].time - keys[i].time + 2, least[i]) << i;
    EXPECT_EQ(Sent("bc"), "+B -B +C -C");
    const std::vector<InputRecorder::Key> plain = recorder.Keys();
    ASSERT_EQ(plain.size(), 4u) << recorder.DescribeKeys();
    EXPECT_GE(plain[2].time - plain[1].time + 2, 40u + 40u + 30u);
}

TEST(BringWindowToFront, RaisesAWindowBehindAnother)
{
    TestWindow back({100, 300, 300, 400}, RGB(0, 0, 255));
    TestWindow front({150, 350, 350, 450}, RGB(0, 255, 0));
    ASSERT_EQ(GetForegroundWindow(), front.Handle());
    BringWindowToFront(back.Handle());
    TestWindow::Pump();
    EXPECT_EQ(GetForegroundWindow(), back.Handle());

    ShowWindow(front.Handle(), SW_MINIMIZE);
    TestWindow::Pump();
    BringWindowToFront(front.Handle());
    TestWindow::Pump();
    EXPECT_FALSE(IsIconic(front.Handle()));
    EXPECT_EQ(GetForegroundWindow(), front.Handle());
}

}  // namespace
