// The user functions that the run loop calls between lines: the script's
// hot keys (HotKeySet) and the Adlib function (AdlibEnable).
#pragma once

#include "engine/EngineString.h"

#include <windows.h>

enum { kScriptHotKeySlots = 64 };

// One script hot key: its id is the slot's index.
struct ScriptHotKeySlot
{
    bool InUse = false;
    DWORD KeyWord = 0;                    // virtual key << 16 | MOD_ flags
    CEngineString FunctionName;
};

struct AdlibSettings
{
    CEngineString Function;
    BYTE Enabled = 0;
    BYTE Running = 0;                // its call is in progress
    DWORD LastTick = 0;              // timeGetTime() of its last call
    int Interval = 250;              // ms
};

struct ScriptCallbacks
{
    ScriptHotKeySlot HotKeys[kScriptHotKeySlots];
    AdlibSettings Adlib;
};
