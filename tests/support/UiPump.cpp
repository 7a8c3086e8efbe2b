#include "tests/support/UiPump.h"

#include "framework/WinThread.h"

namespace testing_support {

namespace {

// Handles what is queued now; false once WM_QUIT is seen (it stays queued).
bool PumpQueued()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (msg.message == WM_QUIT)
            return false;
        if (!AfxPumpMessage())
            return false;
    }
    return true;
}

}  // namespace

void PumpMessages(DWORD milliseconds)
{
    PumpUntil([] { return false; }, milliseconds);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    DWORD start = GetTickCount();
    for (;;) {
        bool running = PumpQueued();
        if (done())
            return true;
        if (!running || GetTickCount() - start >= timeoutMs)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

}  // namespace testing_support
