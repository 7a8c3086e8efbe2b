// CWinThread: a thread of the program with its message loop, and
// AfxBeginThread, which starts a worker thread running a function.
#pragma once

#include "framework/CmdTarget.h"

class CWnd;
class CWinApp;

typedef UINT (*AFX_THREADPROC)(LPVOID);

class CWinThread : public CCmdTarget
{
public:
    CWinThread();   // a thread that runs InitInstance and Run
    CWinThread(AFX_THREADPROC proc, LPVOID param);   // a worker
    ~CWinThread() override;

    // Starts the thread; with CREATE_SUSPENDED it waits for ResumeThread.
    BOOL CreateThread(DWORD createFlags = 0, UINT stackSize = 0, LPSECURITY_ATTRIBUTES security = nullptr);
    DWORD ResumeThread() { return ::ResumeThread(m_hThread); }
    DWORD SuspendThread() { return ::SuspendThread(m_hThread); }
    BOOL SetThreadPriority(int priority) { return ::SetThreadPriority(m_hThread, priority); }
    int GetThreadPriority() const { return ::GetThreadPriority(m_hThread); }
    operator HANDLE() const { return m_hThread; }

    virtual BOOL InitInstance() { return FALSE; }
    // The message loop: until WM_QUIT, then ExitInstance's result.
    virtual int Run();
    virtual int ExitInstance();
    // Routes a message to the PreTranslateMessage of its window and the
    // windows above it, then lets a dialog take its keys (IsDialogMessage).
    virtual BOOL PreTranslateMessage(MSG* msg);
    // Idle-time work; TRUE asks for more. Count 0 deletes the temporary wrappers.
    virtual BOOL OnIdle(LONG count);
    // Takes one message from the queue and handles it; FALSE at WM_QUIT.
    virtual BOOL PumpMessage();

    CWnd* m_pMainWnd = nullptr;
    BOOL m_bAutoDelete = TRUE;   // a worker deletes its object when its function returns
    HANDLE m_hThread = nullptr;
    DWORD m_nThreadID = 0;
    MSG m_msgCur = {};

protected:
    // Makes this the object that AfxGetThread returns on the calling thread.
    void MakeCurrent();

    AFX_THREADPROC m_pfnThreadProc = nullptr;
    LPVOID m_pThreadParams = nullptr;

private:
    static unsigned __stdcall ThreadEntry(void* self);
};

// Starts a worker thread running `proc(param)`. With CREATE_SUSPENDED in
// `createFlags` the thread waits for ResumeThread; the object deletes itself
// when the function returns (unless m_bAutoDelete is cleared before).
CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority = THREAD_PRIORITY_NORMAL,
                           UINT stackSize = 0, DWORD createFlags = 0, LPSECURITY_ATTRIBUTES security = nullptr);

// The framework object of the calling thread, if it has one.
CWinThread* AfxGetThread();
// Handles one message through the calling thread's routing; FALSE at WM_QUIT
// (which stays in the queue for the caller's own loop).
BOOL AfxPumpMessage();
// The calling thread's PreTranslateMessage routing, also without a thread object.
BOOL AfxPreTranslateMessage(MSG* msg);

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();
