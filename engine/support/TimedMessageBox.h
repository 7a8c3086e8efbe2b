// A message box that closes itself when nobody answers it in time.
#pragma once

#include <windows.h>

namespace EngineSupport {

// Shows MessageBoxA(owner, text, caption, type) on the calling thread. With a
// non-zero time-out the box is closed after that many milliseconds and the
// result is -1; otherwise the result is the button the user pressed (or 0
// when the box could not be shown). Only the box opened by this call is ever
// closed, never another dialog of the thread.
int MessageBoxWithTimeout(HWND owner, const char* text, const char* caption, UINT type, DWORD timeoutMs);

}  // namespace EngineSupport
