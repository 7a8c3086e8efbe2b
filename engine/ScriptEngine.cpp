#include "engine/ScriptEngine.h"

#include "base/InitOrder.h"

#include <mmsystem.h>

// Built after g_OsVersion and before the line store and the application.
KESTRUNE_INIT_SCRIPT_ENGINE CPandrel_Script g_ScriptEngine;

int g_HotKeyRing[kHotKeyRingSize];
int g_HotKeyRingWritePosition = 0;
volatile BYTE g_LongWaitActive = 0;
BYTE g_TrayIconDebug = 0;
int g_ScriptExitCode = 0;

CPandrel_Script::CPandrel_Script()
{
    // Every other field starts at its declared default.
    m_builtins = GetBuiltinTable();
    m_builtinCount = kBuiltinCount;
}

CPandrel_Script::~CPandrel_Script()
{
    if (m_toolTip)
        DestroyWindow(m_toolTip);

    // A sound that SoundPlay left playing.
    char answer[256] = "";
    mciSendStringA("status PlayMe mode", answer, sizeof answer, nullptr);
    if (answer[0])
        mciSendStringA("close PlayMe", nullptr, 0, nullptr);

    ScriptHotKeySlot* hotKeys = m_context.Callbacks().HotKeys;
    for (int id = 0; id < kScriptHotKeySlots; ++id) {
        if (hotKeys[id].InUse) {
            UnregisterHotKey(nullptr, id);
            hotKeys[id].InUse = false;
        }
    }
    // The open files close with the context.
}

int CPandrel_Script::CallBuiltinByIndex(int index, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(1);
    m_error = 0;
    if (index < 0 || index >= m_builtinCount) {
        // Tokens only carry valid indexes; anything else fails like a missing builtin.
        result.SetInt(0);
        m_error = 1;
        return 0;
    }
    return m_builtins[index].Handler(m_context, args, result);
}
