#include "framework/WinThread.h"

#include "framework/HandleMap.h"
#include "framework/Wnd.h"

#include <process.h>

namespace {

thread_local CWinThread* t_currentThread = nullptr;

bool IsDialogWindow(HWND hwnd)
{
    char name[16];
    return ::GetClassNameA(hwnd, name, sizeof name) && lstrcmpA(name, "#32770") == 0;
}

BOOL RouteToWindows(MSG* msg)
{
    if (!msg->hwnd)
        return FALSE;
    if (CWnd::WalkPreTranslateTree(nullptr, msg))
        return TRUE;
    // A dialog without an object of its own still gets its keyboard handling.
    HWND root = ::GetAncestor(msg->hwnd, GA_ROOT);
    if (root && !CWnd::FromHandlePermanent(root) && IsDialogWindow(root) &&
        msg->message >= WM_KEYFIRST && msg->message <= WM_KEYLAST)
        return ::IsDialogMessageA(root, msg);
    return FALSE;
}

}  // namespace

CWinThread* AfxGetThread()
{
    return t_currentThread;
}

CWinThread::CWinThread()
{
}

void CWinThread::MakeCurrent()
{
    t_currentThread = this;
}

CWinThread::CWinThread(AFX_THREADPROC proc, LPVOID param) : m_pfnThreadProc(proc), m_pThreadParams(param)
{
}

CWinThread::~CWinThread()
{
    if (m_hThread)
        ::CloseHandle(m_hThread);
    if (t_currentThread == this)
        t_currentThread = nullptr;
}

BOOL CWinThread::CreateThread(DWORD createFlags, UINT stackSize, LPSECURITY_ATTRIBUTES security)
{
    unsigned id = 0;
    uintptr_t handle = _beginthreadex(security, stackSize, &ThreadEntry, this, createFlags | CREATE_SUSPENDED, &id);
    if (!handle)
        return FALSE;
    m_hThread = reinterpret_cast<HANDLE>(handle);
    m_nThreadID = id;
    if (!(createFlags & CREATE_SUSPENDED))
        ::ResumeThread(m_hThread);
    return TRUE;
}

unsigned __stdcall CWinThread::ThreadEntry(void* self)
{
    CWinThread* thread = static_cast<CWinThread*>(self);
    t_currentThread = thread;
    UINT exitCode;
    if (thread->m_pfnThreadProc)
        exitCode = thread->m_pfnThreadProc(thread->m_pThreadParams);
    else
        exitCode = thread->InitInstance() ? thread->Run() : thread->ExitInstance();
    AfxDeleteTempMaps();
    t_currentThread = nullptr;
    if (thread->m_bAutoDelete)
        delete thread;
    return exitCode;
}

CWinThread* AfxBeginThread(AFX_THREADPROC proc, LPVOID param, int priority, UINT stackSize, DWORD createFlags,
                           LPSECURITY_ATTRIBUTES security)
{
    CWinThread* thread = new CWinThread(proc, param);
    if (!thread->CreateThread(createFlags | CREATE_SUSPENDED, stackSize, security)) {
        delete thread;
        return nullptr;
    }
    thread->SetThreadPriority(priority);
    if (!(createFlags & CREATE_SUSPENDED))
        thread->ResumeThread();
    return thread;
}

int CWinThread::Run()
{
    for (;;) {
        LONG idleCount = 0;
        MSG peek;
        while (!::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE) && OnIdle(idleCount++)) {
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
        } while (::PeekMessageA(&peek, nullptr, 0, 0, PM_NOREMOVE));
    }
}

int CWinThread::ExitInstance()
{
    return static_cast<int>(m_msgCur.wParam);
}

BOOL CWinThread::OnIdle(LONG count)
{
    if (count == 0)
        AfxDeleteTempMaps();
    return FALSE;
}

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    if (!PreTranslateMessage(&m_msgCur)) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* msg)
{
    return RouteToWindows(msg);
}

BOOL AfxPreTranslateMessage(MSG* msg)
{
    CWinThread* thread = AfxGetThread();
    return thread ? thread->PreTranslateMessage(msg) : RouteToWindows(msg);
}

BOOL AfxPumpMessage()
{
    MSG msg;
    if (!::GetMessageA(&msg, nullptr, 0, 0)) {
        ::PostQuitMessage(static_cast<int>(msg.wParam));
        return FALSE;
    }
    if (!AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}
