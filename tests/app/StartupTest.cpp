// Kestrune.exe as a user meets it: one instance, its main window, a second
// start, the "-a" switch, and quitting.
#include "tests/app/KestruneSession.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"
#include "tests/support/WindowCapture.h"

#include <gtest/gtest.h>

using namespace kestrune_e2e;
using namespace kestrune_probe;

namespace {

const DWORD kExitTimeout = 15000;
const DWORD kQuitExitCode = 18;
const char kMacroNotFound[] = "Can not find the Macro scheduled to run.";

class Startup : public testing::Test
{
protected:
    ScriptFolder m_scripts;
    testing_support::TempFolder m_output;
};

TEST_F(Startup, TheFirstInstanceHoldsTheMutexAndShowsItsMainWindow)
{
    m_scripts.Write({ "Morning", "Ctrl + <F1>", "<F11>", "Opens the reports", 1 });
    m_scripts.Write({ "Backup", "<F9>", "<F10>", "Copies the notes", 0 });
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);

    HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, "Brenvik Kestrune Mutex");
    EXPECT_NE(mutex, nullptr);
    if (mutex)
        CloseHandle(mutex);
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Brenvik Kestrune");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 683);
    EXPECT_EQ(client.bottom, 464);
    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_APPWINDOW);

    // The controls sit where the background leaves room for them.
    const struct
    {
        int id;
        int x, y;
        int width, height;   // 0: any
    } places[] = {
        { 1001, 33, 75, 617, 322 },   // the macro list
        { 1002, 250, 46 },            // Run
        { 999, 350, 46 },             // Schedule
        { 1003, 445, 46 },            // Options
        { 1004, 550, 46 },            // Help
        { 1009, 250, 401 },           // Record
        { 1006, 350, 401 },           // Edit
        { 1007, 445, 401 },           // Remove
        { 1005, 550, 401 },           // Add
        { 1148, 460, 20 },            // the Share Macro link
        { 1135, 560, 20 },            // the Feedback link
    };
    for (const auto& place : places) {
        HWND control = GetDlgItem(window, place.id);
        ASSERT_NE(control, nullptr) << place.id;
        RECT rect;
        GetWindowRect(control, &rect);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
        EXPECT_EQ(rect.left, place.x) << place.id;
        EXPECT_EQ(rect.top, place.y) << place.id;
        EXPECT_LE(rect.right, 683) << place.id;
        EXPECT_LE(rect.bottom, 464) << place.id;
        if (place.width) {
            EXPECT_EQ(rect.right - rect.left, place.width) << place.id;
            EXPECT_EQ(rect.bottom - rect.top, place.height) << place.id;
        }
    }

    BringToFront(window);
    testing_support::MoveMouseTo(POINT{ GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1 });
    Sleep(500);   // no button is shown hovered
    RECT rect;
    GetWindowRect(window, &rect);
    testing_support::WindowCapture picture = testing_support::WindowCapture::OfScreen(rect);
    EXPECT_FALSE(picture.SavePng("kestrune-main-window").empty());
}

TEST_F(Startup, APlainSecondStartRaisesTheFirstAndEndsWith0)
{
    KestruneProcess first;
    HWND window = first.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    ShowWindow(window, SW_HIDE);   // as the tray menu's "Hide Kestrune" does
    ASSERT_TRUE(WaitUntil([&] { return !IsWindowVisible(window); }, 3000));

    KestruneProcess second;
    EXPECT_EQ(second.WaitForExit(kExitTimeout), 0u);
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(window) != FALSE; }, 3000));
    EXPECT_TRUE(WaitUntil([&] { return GetForegroundWindow() == window; }, 3000));
    EXPECT_TRUE(first.IsRunning());
}

TEST_F(Startup, QuittingFromTheMainWindowAsksFirstAndEndsWith18)
{
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToFront(window));

    // Enter closes nothing: the main window is no dialog to confirm. Had it
    // closed the window or opened a dialog, the Escape after it would not
    // bring the question.
    PressHotKey(0, VK_RETURN);
    PressHotKey(0, VK_ESCAPE);
    HWND question = WaitForDialog(kestrune.Id(), "Are you sure you want to quit Kestrune?", 5000);
    ASSERT_NE(question, nullptr);
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(DialogText(question),
              "You will not be able to run macro by hotkey if you quit Kestrune.\n"
              "You can run Kestrune in system tray by right click tray icon and select 'Hide Kestrune'.\n\n"
              "Are you sure you want to quit Kestrune?");
    PressDialogButton(question, IDNO);
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(question); }, 5000));
    EXPECT_TRUE(kestrune.IsRunning());
    EXPECT_TRUE(IsWindowVisible(window));

    // The close box asks the same (so No did not quit).
    PostMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    question = WaitForDialog(kestrune.Id(), "Are you sure you want to quit Kestrune?", 5000);
    ASSERT_NE(question, nullptr);
    PressDialogButton(question, IDYES);
    EXPECT_EQ(kestrune.WaitForExit(kExitTimeout), kQuitExitCode);
}

TEST_F(Startup, TheTrayMenusExitQuitsWithoutAsking)
{
    KestruneProcess kestrune;
    HWND window = kestrune.WaitUntilReady();
    ASSERT_NE(window, nullptr);
    HWND trayIcon = nullptr;
    // The icon's own window: a hidden window of the program's own classes
    // that the main window owns.
    ASSERT_TRUE(WaitUntil([&] {
        for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
            DWORD processId = 0;
            GetWindowThreadProcessId(w, &processId);
            char className[64] = {};
            GetClassNameA(w, className, sizeof className);
            if (processId == kestrune.Id() && GetWindow(w, GW_OWNER) == window && !IsWindowVisible(w) &&
                strncmp(className, "Kestrune:", 9) == 0)
                trayIcon = w;
        }
        return trayIcon != nullptr;
    }, 5000));

    // A right click on the icon, once the start-up's activation has settled
    // (a change of the active window closes a menu): it opens at the mouse.
    // From no item up to the last one, "Exit Kestrune", and choose it, once
    // the menu has begun to follow the keyboard. A menu that a late change of
    // the active window closed is opened again, as a user would.
    bool exited = false;
    for (int attempt = 0; attempt < 3 && !exited; ++attempt) {
        ASSERT_TRUE(BringToFront(window));
        Sleep(300);
        PostMessageA(trayIcon, WM_APP + 1, 128, WM_RBUTTONDOWN);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] {
            while ((menu = FindWindowExA(nullptr, menu, "#32768", nullptr)) != nullptr) {
                DWORD processId = 0;
                GetWindowThreadProcessId(menu, &processId);
                if (processId == kestrune.Id() && IsWindowVisible(menu))
                    return true;
            }
            return false;
        }, 5000)) << attempt;
        Sleep(500);
        PostMessageA(menu, WM_KEYDOWN, VK_UP, 1);
        Sleep(300);
        PostMessageA(menu, WM_CHAR, '\r', 1);
        exited = kestrune.WaitForExit(5000) != STILL_ACTIVE;
    }

    EXPECT_EQ(kestrune.WaitForExit(kExitTimeout), kQuitExitCode);
    EXPECT_EQ(FindDialog(kestrune.Id(), ""), nullptr);
}

TEST_F(Startup, AFirstInstanceAskedForAnUnknownMacroSaysSo)
{
    KestruneProcess kestrune("-a No Such Macro");
    HWND message = WaitForDialog(kestrune.Id(), kMacroNotFound, 20000);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(DialogText(message), kMacroNotFound);
    PressDialogButton(message, IDOK);
    EXPECT_EQ(kestrune.WaitForExit(kExitTimeout), kQuitExitCode);
}

TEST_F(Startup, ASecondInstanceAskingForAnUnknownMacroWaitsForTheFirstsAnswer)
{
    m_scripts.Write({ "Known" });
    KestruneProcess first;
    ASSERT_NE(first.WaitUntilReady(), nullptr);

    KestruneProcess second("-a Unknown");
    HWND message = WaitForDialog(first.Id(), kMacroNotFound, 15000);
    ASSERT_NE(message, nullptr);
    EXPECT_EQ(second.WaitForExit(500), STILL_ACTIVE) << "it waits until the first has handled its request";
    PressDialogButton(message, IDOK);
    EXPECT_EQ(second.WaitForExit(kExitTimeout), 0u);
    EXPECT_TRUE(first.IsRunning());
}

}  // namespace
