#include "engine/support/Shutdown.h"

#include "tests/engine_support/SupportFixtures.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace EngineSupport;
using support_test::HelperProcess;

namespace {

// Stands in for the session's end and for closing other programs' windows,
// and notes what it was asked to do.
class FakeSession
{
public:
    FakeSession() : m_previous(SetShutdownActions({EndSession, CloseOtherWindow})) { s_session = this; }
    ~FakeSession()
    {
        SetShutdownActions(m_previous);
        s_session = nullptr;
    }
    FakeSession(const FakeSession&) = delete;
    FakeSession& operator=(const FakeSession&) = delete;

    BOOL accept = TRUE;
    std::vector<UINT> exitFlags;
    std::vector<HWND> closed;

private:
    static BOOL WINAPI EndSession(UINT flags, DWORD)
    {
        s_session->exitFlags.push_back(flags);
        return s_session->accept;
    }
    static bool CloseOtherWindow(HWND window)
    {
        s_session->closed.push_back(window);
        return true;
    }

    static FakeSession* s_session;
    ShutdownActions m_previous;
};

FakeSession* FakeSession::s_session = nullptr;

bool SetShutdownPrivilege(bool enable)
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_ADJUST_PRIVILEGES, &token))
        return false;
    TOKEN_PRIVILEGES privileges = {};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Attributes = enable ? SE_PRIVILEGE_ENABLED : 0;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &privileges.Privileges[0].Luid);
    const bool adjusted = AdjustTokenPrivileges(token, FALSE, &privileges, 0, nullptr, nullptr) != FALSE;
    CloseHandle(token);
    return adjusted;
}

bool ShutdownPrivilegeEnabled()
{
    HANDLE token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token))
        return false;
    PRIVILEGE_SET query = {};
    query.PrivilegeCount = 1;
    LookupPrivilegeValueA(nullptr, "SeShutdownPrivilege", &query.Privilege[0].Luid);
    BOOL enabled = FALSE;
    PrivilegeCheck(token, &query, &enabled);
    CloseHandle(token);
    return enabled != FALSE;
}

TEST(ShutdownWindows, OnNtEnablesThePrivilegeAndPassesTheFlagsUnchanged)
{
    ASSERT_TRUE(g_OsVersion.IsNT);
    FakeSession session;
    for (UINT flags : {0u, 1u, 2u, 1u | 4u, 8u}) {
        SCOPED_TRACE(flags);
        ASSERT_TRUE(SetShutdownPrivilege(false));
        ASSERT_FALSE(ShutdownPrivilegeEnabled());
        EXPECT_TRUE(ShutdownWindows(flags));
        EXPECT_TRUE(ShutdownPrivilegeEnabled());
        ASSERT_FALSE(session.exitFlags.empty());
        EXPECT_EQ(session.exitFlags.back(), flags);
    }
    EXPECT_TRUE(session.closed.empty());

    session.accept = FALSE;
    EXPECT_FALSE(ShutdownWindows(1));
}

TEST(ShutdownWindows, OnWindows9xAForcedShutdownFirstClosesTheOtherProgramsWindows)
{
    HelperProcess otherProgram(HelperProcess::Answering);
    HWND ownWindow = CreateWindowA("STATIC", "own window", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                   nullptr, nullptr);
    auto windows98 = support_test::ScopedOsVersion::Windows98();
    FakeSession session;

    EXPECT_TRUE(ShutdownWindows(2));
    EXPECT_EQ(session.exitFlags, std::vector<UINT>{2});
    EXPECT_TRUE(session.closed.empty());

    EXPECT_TRUE(ShutdownWindows(1 | 4));
    EXPECT_EQ(session.exitFlags.back(), 1u);
    const auto& closed = session.closed;
    EXPECT_NE(std::find(closed.begin(), closed.end(), otherProgram.Window()), closed.end());
    for (HWND window : closed) {
        DWORD processId = 0;
        GetWindowThreadProcessId(window, &processId);
        EXPECT_NE(processId, GetCurrentProcessId());
    }
    DestroyWindow(ownWindow);
}

TEST(CloseProcessWindow, ClosesAnAnsweringWindowAndEndsAHungProgram)
{
    HelperProcess answering(HelperProcess::Answering);
    EXPECT_TRUE(CloseProcessWindow(answering.Window()));
    EXPECT_EQ(answering.WaitForExit(5000), 7) << "closed through its own WM_CLOSE";

    HelperProcess hanging(HelperProcess::Hanging);
    Sleep(100);
    EXPECT_TRUE(CloseProcessWindow(hanging.Window()));
    EXPECT_EQ(hanging.WaitForExit(5000), 0) << "ended with exit code 0";
}

TEST(CloseProcessWindow, AWindowThatIsGoneIsNoSuccess)
{
    HWND window = CreateWindowA("STATIC", "gone", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(window);
    EXPECT_FALSE(CloseProcessWindow(window));
}

}  // namespace
