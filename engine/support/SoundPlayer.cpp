#include "engine/support/SoundPlayer.h"

#include "engine/support/PreciseSleep.h"
#include "framework/String.h"

#include <mmsystem.h>
#include <string.h>

namespace EngineSupport {

namespace {

bool SendMci(const char* command)
{
    return mciSendStringA(command, nullptr, 0, nullptr) == 0;
}

bool IsPlaying()
{
    char mode[64] = {};
    if (mciSendStringA("status PlayMe mode", mode, sizeof mode, nullptr) != 0)
        return false;
    return strcmp(mode, "playing") == 0 || strcmp(mode, "seeking") == 0;
}

}  // namespace

bool SoundPlay(const char* file, bool wait, const std::function<bool()>& goOn)
{
    char mode[256] = {};
    mciSendStringA("status PlayMe mode", mode, sizeof mode, nullptr);
    if (mode[0] != '\0')
        SendMci("close PlayMe");

    if (file == nullptr || file[0] == '\0')
        return true;

    if (!SendMci(CString("open \"") + file + "\" alias PlayMe"))
        return false;
    // A wait watches the sound play rather than leave it to MCI, so that
    // the caller can stop it.
    const bool played = SendMci(wait && !goOn ? "play PlayMe wait" : "play PlayMe");
    if (played && wait && goOn) {
        while (IsPlaying() && PreciseSleepWhile(10, goOn)) {
        }
    }
    if (wait || !played)
        SendMci("close PlayMe");
    return played;
}

}  // namespace EngineSupport
