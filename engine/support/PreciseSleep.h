// A pause with sub-tick precision for the engine's waits and step delays.
#pragma once

namespace EngineSupport {

// Pauses the calling thread for `ms` milliseconds. Pauses shorter than the
// scheduler's tick (10 ms, 55 ms on Windows 9x) spin on the performance
// counter, yielding with Sleep(0), so that a recorded 3 ms gap replays as
// 3 ms and not as a whole tick. A negative pause does nothing.
void PreciseSleep(int ms);

}  // namespace EngineSupport
