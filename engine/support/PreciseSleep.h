// A pause with sub-tick precision for the engine's waits and step delays.
#pragma once

#include <functional>

namespace EngineSupport {

// Pauses the calling thread for `ms` milliseconds. Pauses shorter than the
// scheduler's tick (10 ms, 55 ms on Windows 9x) spin on the performance
// counter, yielding with Sleep(0), so that a recorded 3 ms gap replays as
// 3 ms and not as a whole tick. A negative pause does nothing.
void PreciseSleep(int ms);

// The same pause for the steps of a long builtin: `goOn` is asked first and
// then after each slice of at most 10 ms (it pumps the caller's messages);
// when it says no, the pause ends at once and this returns false. Even a
// pause of 0 or less asks once, so that steps without pauses pump too.
bool PreciseSleepWhile(int ms, const std::function<bool()>& goOn);

}  // namespace EngineSupport
