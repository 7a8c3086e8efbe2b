#include "engine/support/SoundPlayer.h"

#include "framework/String.h"

#include <mmsystem.h>

namespace EngineSupport {

namespace {

bool SendMci(const char* command)
{
    return mciSendStringA(command, nullptr, 0, nullptr) == 0;
}

}  // namespace

bool SoundPlay(const char* file, bool wait)
{
    char mode[256] = {};
    mciSendStringA("status PlayMe mode", mode, sizeof mode, nullptr);
    if (mode[0] != '\0')
        SendMci("close PlayMe");

    if (file == nullptr || file[0] == '\0')
        return true;

    if (!SendMci(CString("open \"") + file + "\" alias PlayMe"))
        return false;
    const bool played = SendMci(wait ? "play PlayMe wait" : "play PlayMe");
    if (wait || !played)
        SendMci("close PlayMe");
    return played;
}

}  // namespace EngineSupport
