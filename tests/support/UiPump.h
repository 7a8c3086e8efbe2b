// Running the calling thread's messages through the framework, as the
// program's own loop would (PreTranslateMessage routing included), for a
// test that drives real windows.
#pragma once

#include <windows.h>

#include <functional>

namespace testing_support {

// Handles every message that arrives within `milliseconds`.
void PumpMessages(DWORD milliseconds);
// Handles messages until `done` holds (true) or `timeoutMs` passes (false).
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 5000);

}  // namespace testing_support
