#include "engine/support/TimedMessageBox.h"

#include "tests/support/DialogAnswerer.h"

#include <gtest/gtest.h>

#include <string.h>

using namespace EngineSupport;
using testing_support::DialogAnswerer;

namespace {

INT_PTR CALLBACK IgnoreCommands(HWND, UINT message, WPARAM, LPARAM)
{
    return message == WM_INITDIALOG;
}

// A modeless dialog on the test's thread, as the program's own main window
// is: the box's time-out must leave it alone. It is top-most, so it comes
// before the box when the thread's windows are listed.
class ModelessDialog
{
public:
    ModelessDialog()
    {
        struct alignas(4)
        {
            DLGTEMPLATE header;
            WORD menu;
            WORD windowClass;
            WCHAR title[9];
        } dialogTemplate = {};
        dialogTemplate.header.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFOREGROUND;
        dialogTemplate.header.dwExtendedStyle = WS_EX_TOPMOST;
        dialogTemplate.header.cx = 120;
        dialogTemplate.header.cy = 60;
        memcpy(dialogTemplate.title, L"Modeless", sizeof dialogTemplate.title);
        m_window = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), &dialogTemplate.header, nullptr,
                                              IgnoreCommands, 0);
    }
    ~ModelessDialog() { DestroyWindow(m_window); }
    ModelessDialog(const ModelessDialog&) = delete;
    ModelessDialog& operator=(const ModelessDialog&) = delete;

    HWND Window() const { return m_window; }

private:
    HWND m_window;
};

// Closes any box still open on the test's thread after 10 s, so that a box
// the time-out missed fails the test instead of hanging it.
class LeftoverBoxCloser
{
public:
    explicit LeftoverBoxCloser(HWND keep) : m_keep(keep), m_threadId(GetCurrentThreadId())
    {
        m_done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = CreateThread(nullptr, 0, Watch, this, 0, nullptr);
    }
    ~LeftoverBoxCloser()
    {
        SetEvent(m_done);
        WaitForSingleObject(m_thread, INFINITE);
        CloseHandle(m_thread);
        CloseHandle(m_done);
        EXPECT_FALSE(m_closedOne) << "a box stayed open past its time-out";
    }
    LeftoverBoxCloser(const LeftoverBoxCloser&) = delete;
    LeftoverBoxCloser& operator=(const LeftoverBoxCloser&) = delete;

private:
    static DWORD WINAPI Watch(void* parameter)
    {
        auto* self = static_cast<LeftoverBoxCloser*>(parameter);
        while (WaitForSingleObject(self->m_done, 10000) == WAIT_TIMEOUT)
            EnumThreadWindows(self->m_threadId, CloseBox, reinterpret_cast<LPARAM>(self));
        return 0;
    }
    static BOOL CALLBACK CloseBox(HWND window, LPARAM parameter)
    {
        auto* self = reinterpret_cast<LeftoverBoxCloser*>(parameter);
        char name[16];
        if (window != self->m_keep && GetClassNameA(window, name, sizeof name) && strcmp(name, "#32770") == 0) {
            self->m_closedOne = true;
            EndDialog(window, IDCANCEL);
        }
        return TRUE;
    }

    const HWND m_keep;
    const DWORD m_threadId;
    HANDLE m_done;
    HANDLE m_thread;
    volatile bool m_closedOne = false;
};

DWORD ElapsedSince(DWORD start)
{
    return GetTickCount() - start;
}

class TimedMessageBox : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(IsWindow(m_modeless.Window())); }

    ModelessDialog m_modeless;
    LeftoverBoxCloser m_closer{m_modeless.Window()};
};

TEST_F(TimedMessageBox, ClosesItsOwnBoxAfterTheTimeOutAndNoOtherDialog)
{
    for (HWND owner : {HWND(nullptr), m_modeless.Window()}) {
        SCOPED_TRACE(owner ? "owned by the modeless dialog" : "without owner");
        const DWORD start = GetTickCount();
        EXPECT_EQ(MessageBoxWithTimeout(owner, "Nobody answers this", "Timed box", MB_OK, 1500), -1);
        const DWORD took = ElapsedSince(start);
        EXPECT_GE(took, 1400u);
        EXPECT_LT(took, 5000u);
        EXPECT_TRUE(IsWindow(m_modeless.Window()));
        EXPECT_TRUE(IsWindowVisible(m_modeless.Window()));
    }
}

TEST_F(TimedMessageBox, ABoxWithoutCancelClosesToo)
{
    EXPECT_EQ(MessageBoxWithTimeout(nullptr, "Yes or no?", "Timed box", MB_YESNO | MB_ICONQUESTION, 300), -1);
    EXPECT_EQ(MessageBoxWithTimeout(nullptr, "At once", "Timed box", MB_OK, 1), -1);
    EXPECT_TRUE(IsWindow(m_modeless.Window()));
}

TEST_F(TimedMessageBox, ReturnsTheButtonWhenAnsweredInTime)
{
    DialogAnswerer answerer(IDNO, 300);
    EXPECT_EQ(MessageBoxWithTimeout(nullptr, "Answered in time", "Timed box", MB_YESNO, 8000), IDNO);

    bool seen = false;
    for (const DialogAnswerer::Seen& dialog : answerer.Dialogs())
        seen = seen || (dialog.caption == "Timed box" && dialog.text == "Answered in time");
    EXPECT_TRUE(seen);
    EXPECT_TRUE(IsWindow(m_modeless.Window()));
}

TEST_F(TimedMessageBox, WithoutTimeOutItWaitsForTheAnswer)
{
    DialogAnswerer answerer(IDOK, 1200);
    const DWORD start = GetTickCount();
    EXPECT_EQ(MessageBoxWithTimeout(nullptr, "No time-out", "Plain box", MB_OK, 0), IDOK);
    EXPECT_GE(ElapsedSince(start), 1000u);
}

}  // namespace
