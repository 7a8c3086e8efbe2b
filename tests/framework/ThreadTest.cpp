// Worker threads: started suspended on request, and deleting their object
// when their function returns.
#include "framework/Ui.h"

#include <gtest/gtest.h>

namespace {

struct Work
{
    volatile LONG ran = 0;
    CWinThread* seenThread = nullptr;
};

UINT DoWork(LPVOID param)
{
    Work* work = static_cast<Work*>(param);
    work->seenThread = AfxGetThread();
    InterlockedExchange(&work->ran, 1);
    return 5;
}

TEST(Thread, ASuspendedThreadRunsOnlyWhenResumed)
{
    Work work;
    CWinThread* thread = AfxBeginThread(DoWork, &work, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    Sleep(100);
    EXPECT_EQ(work.ran, 0);
    thread->ResumeThread();
    ASSERT_EQ(WaitForSingleObject(thread->m_hThread, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(work.ran, 1);
    EXPECT_EQ(work.seenThread, thread);
    DWORD code = 0;
    GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 5u);
    delete thread;
}

class WatchedThread : public CWinThread
{
public:
    WatchedThread(Work* work, HANDLE deleted) : CWinThread(DoWork, work), m_deleted(deleted) {}
    ~WatchedThread() override { SetEvent(m_deleted); }

private:
    HANDLE m_deleted;
};

TEST(Thread, AWorkerDeletesItsObjectWhenItsFunctionReturns)
{
    Work work;
    HANDLE deleted = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    WatchedThread* thread = new WatchedThread(&work, deleted);
    ASSERT_TRUE(thread->CreateThread(CREATE_SUSPENDED));
    EXPECT_EQ(WaitForSingleObject(deleted, 100), static_cast<DWORD>(WAIT_TIMEOUT));
    thread->ResumeThread();
    EXPECT_EQ(WaitForSingleObject(deleted, 5000), WAIT_OBJECT_0);
    EXPECT_EQ(work.ran, 1);
    CloseHandle(deleted);
}

}  // namespace
