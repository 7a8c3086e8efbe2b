// Sound files played through MCI under the alias "PlayMe".
#pragma once

#include <functional>

namespace EngineSupport {

// Closes the sound that is open, then opens `file` and plays it: with `wait`
// to the end (and closes it), otherwise in the background, where it stays
// open until the next call. An empty or null file only stops the sound, so
// SoundPlay("", false) is also how the engine closes it when it ends.
// Returns false when the file could not be opened or played. While it
// waits, `goOn` (when given) is asked every 10 ms; when it says no, the
// sound stops there.
bool SoundPlay(const char* file, bool wait, const std::function<bool()>& goOn = nullptr);

}  // namespace EngineSupport
