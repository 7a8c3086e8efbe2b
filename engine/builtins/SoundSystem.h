// The sound calls of the system builtins: replaceable, so that tests can
// stand in for a sound device where the machine has none. The engine never
// changes them.
#pragma once

#include <windows.h>
#include <mmsystem.h>

#include <functional>

struct SoundSystemCalls
{
    // EngineSupport::SoundPlay: `goOn` is asked while it waits.
    bool (*PlaySoundFile)(const char* file, bool wait, const std::function<bool()>& goOn);
    MMRESULT(WINAPI* SetWaveVolume)(HWAVEOUT device, DWORD volume);
};

// The calls in use; the system's own unless a test replaced them.
SoundSystemCalls& SoundSystem();
