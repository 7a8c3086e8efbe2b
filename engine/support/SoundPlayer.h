// Sound files played through MCI under the alias "PlayMe".
#pragma once

namespace EngineSupport {

// Closes the sound that is open, then opens `file` and plays it: with `wait`
// to the end (and closes it), otherwise in the background, where it stays
// open until the next call. An empty or null file only stops the sound, so
// SoundPlay("", false) is also how the engine closes it when it ends.
// Returns false when the file could not be opened or played.
bool SoundPlay(const char* file, bool wait);

}  // namespace EngineSupport
