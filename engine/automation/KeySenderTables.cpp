#include "engine/automation/KeySenderTables.h"

#include "framework/String.h"

namespace {

const SendKeyName kSendKeyNames[kSendKeyNameCount] = {
    {"ALT", VK_MENU, kSendKeyAlt},
    {"BACKSPACE", VK_BACK, kSendKeyPlain}, {"BS", VK_BACK, kSendKeyPlain},
    {"DEL", VK_DELETE, kSendKeyPlain}, {"DELETE", VK_DELETE, kSendKeyPlain},
    {"DOWN", VK_DOWN, kSendKeyPlain}, {"END", VK_END, kSendKeyPlain},
    {"ENTER", VK_RETURN, kSendKeyPlain}, {"ESC", VK_ESCAPE, kSendKeyPlain},
    {"ESCAPE", VK_ESCAPE, kSendKeyPlain},
    {"F1", VK_F1, kSendKeyPlain}, {"F2", VK_F2, kSendKeyPlain}, {"F3", VK_F3, kSendKeyPlain},
    {"F4", VK_F4, kSendKeyPlain}, {"F5", VK_F5, kSendKeyPlain}, {"F6", VK_F6, kSendKeyPlain},
    {"F7", VK_F7, kSendKeyPlain}, {"F8", VK_F8, kSendKeyPlain}, {"F9", VK_F9, kSendKeyPlain},
    {"F10", VK_F10, kSendKeyPlain}, {"F11", VK_F11, kSendKeyPlain}, {"F12", VK_F12, kSendKeyPlain},
    {"HOME", VK_HOME, kSendKeyPlain}, {"INS", VK_INSERT, kSendKeyPlain},
    {"INSERT", VK_INSERT, kSendKeyPlain}, {"LEFT", VK_LEFT, kSendKeyPlain},
    {"PGDN", VK_NEXT, kSendKeyPlain}, {"PGUP", VK_PRIOR, kSendKeyPlain},
    {"RIGHT", VK_RIGHT, kSendKeyPlain}, {"SPACE", VK_SPACE, kSendKeyPlain},
    {"TAB", VK_TAB, kSendKeyPlain}, {"UP", VK_UP, kSendKeyPlain},
    {"PRINTSCREEN", VK_SNAPSHOT, kSendKeyPlain}, {"LWIN", VK_LWIN, kSendKeyPlain},
    {"RWIN", VK_RWIN, kSendKeyPlain}, {"SCROLLLOCK", VK_SCROLL, kSendKeyPlain},
    {"NUMLOCK", VK_NUMLOCK, kSendKeyPlain}, {"CTRLBREAK", VK_CANCEL, kSendKeyPlain},
    {"PAUSE", VK_PAUSE, kSendKeyPlain}, {"CAPSLOCK", VK_CAPITAL, kSendKeyPlain},
    {"NUMPAD0", VK_NUMPAD0, kSendKeyPlain}, {"NUMPAD1", VK_NUMPAD1, kSendKeyPlain},
    {"NUMPAD2", VK_NUMPAD2, kSendKeyPlain}, {"NUMPAD3", VK_NUMPAD3, kSendKeyPlain},
    {"NUMPAD4", VK_NUMPAD4, kSendKeyPlain}, {"NUMPAD5", VK_NUMPAD5, kSendKeyPlain},
    {"NUMPAD6", VK_NUMPAD6, kSendKeyPlain}, {"NUMPAD7", VK_NUMPAD7, kSendKeyPlain},
    {"NUMPAD8", VK_NUMPAD8, kSendKeyPlain}, {"NUMPAD9", VK_NUMPAD9, kSendKeyPlain},
    {"NUMPADMULT", VK_MULTIPLY, kSendKeyPlain}, {"NUMPADADD", VK_ADD, kSendKeyPlain},
    {"NUMPADSUB", VK_SUBTRACT, kSendKeyPlain}, {"NUMPADDOT", VK_DECIMAL, kSendKeyPlain},
    {"NUMPADDIV", VK_DIVIDE, kSendKeyPlain}, {"APPSKEY", VK_APPS, kSendKeyPlain},
    {"LCTRL", VK_LCONTROL, kSendKeyPlain}, {"RCTRL", VK_RCONTROL, kSendKeyPlain},
    {"LALT", VK_LMENU, kSendKeyPlain}, {"RALT", VK_RMENU, kSendKeyPlain},
    {"LSHIFT", VK_LSHIFT, kSendKeyPlain}, {"RSHIFT", VK_RSHIFT, kSendKeyPlain},
    {"SLEEP", VK_SLEEP, kSendKeyPlain},
    {"BROWSER_BACK", VK_BROWSER_BACK, kSendKeyPlain},
    {"BROWSER_FORWARD", VK_BROWSER_FORWARD, kSendKeyPlain},
    {"BROWSER_REFRESH", VK_BROWSER_REFRESH, kSendKeyPlain},
    {"BROWSER_STOP", VK_BROWSER_STOP, kSendKeyPlain},
    {"BROWSER_SEARCH", VK_BROWSER_SEARCH, kSendKeyPlain},
    {"BROWSER_FAVORTIES", VK_BROWSER_FAVORITES, kSendKeyPlain},
    {"BROWSER_HOME", VK_BROWSER_HOME, kSendKeyPlain},
    {"VOLUME_MUTE", VK_VOLUME_MUTE, kSendKeyPlain}, {"VOLUME_DOWN", VK_VOLUME_DOWN, kSendKeyPlain},
    {"VOLUME_UP", VK_VOLUME_UP, kSendKeyPlain},
    {"MEDIA_NEXT", VK_MEDIA_NEXT_TRACK, kSendKeyPlain},
    {"MEDIA_PREV", VK_MEDIA_PREV_TRACK, kSendKeyPlain},
    {"MEDIA_STOP", VK_MEDIA_STOP, kSendKeyPlain},
    {"MEDIA_PLAY_PAUSE", VK_MEDIA_PLAY_PAUSE, kSendKeyPlain},
    {"LAUNCH_MAIL", VK_LAUNCH_MAIL, kSendKeyPlain},
    {"LAUNCH_MEDIA", VK_LAUNCH_MEDIA_SELECT, kSendKeyPlain},
    {"LAUNCH_APP1", VK_LAUNCH_APP1, kSendKeyPlain}, {"LAUNCH_APP2", VK_LAUNCH_APP2, kSendKeyPlain},
    {"NUMPADENTER", VK_RETURN, kSendKeyNumpadEnter},
    {"CTRLDOWN", VK_CONTROL, kSendKeyModifierDown}, {"CTRLUP", VK_CONTROL, kSendKeyModifierUp},
    {"ALTDOWN", VK_MENU, kSendKeyModifierDown}, {"ALTUP", VK_MENU, kSendKeyModifierUp},
    {"SHIFTDOWN", VK_SHIFT, kSendKeyModifierDown}, {"SHIFTUP", VK_SHIFT, kSendKeyModifierUp},
    {"LWINDOWN", VK_LWIN, kSendKeyModifierDown}, {"LWINUP", VK_LWIN, kSendKeyModifierUp},
    {"RWINDOWN", VK_RWIN, kSendKeyModifierDown}, {"RWINUP", VK_RWIN, kSendKeyModifierUp},
    {"ASC", 0, kSendKeyAsc},
};

// Accent numbers of the recipes.
enum { kAsc = 1, kAcute = 2, kCircumflex = 3, kTilde = 4, kDiaeresis = 5, kGrave = 6 };
// A recipe: the accent number and the position of the base letter.
constexpr unsigned char R(int accent, char letter)
{
    int position = 1;
    while (kAccentBaseLetters[position] != letter)
        ++position;
    return static_cast<unsigned char>(accent << 4 | position);
}

// Codes 128-255 of the ANSI code page (Western): letters with an accent that
// a dead key gives are composed; other printable characters go by their
// code; the five unassigned codes are never typed.
const unsigned char kRecipes[128] = {
    // 0x80
    kAsc, 0, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, 0, kAsc, 0,
    // 0x90
    0, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, 0, kAsc, R(kDiaeresis, 'Y'),
    // 0xA0, 0xB0
    kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc,
    kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc, kAsc,
    // 0xC0
    R(kGrave, 'A'), R(kAcute, 'A'), R(kCircumflex, 'A'), R(kTilde, 'A'), R(kDiaeresis, 'A'), kAsc, kAsc, kAsc,
    R(kGrave, 'E'), R(kAcute, 'E'), R(kCircumflex, 'E'), R(kDiaeresis, 'E'),
    R(kGrave, 'I'), R(kAcute, 'I'), R(kCircumflex, 'I'), R(kDiaeresis, 'I'),
    // 0xD0
    kAsc, R(kTilde, 'N'), R(kGrave, 'O'), R(kAcute, 'O'), R(kCircumflex, 'O'), R(kTilde, 'O'), R(kDiaeresis, 'O'), kAsc,
    kAsc, R(kGrave, 'U'), R(kAcute, 'U'), R(kCircumflex, 'U'), R(kDiaeresis, 'U'), R(kAcute, 'Y'), kAsc, kAsc,
    // 0xE0
    R(kGrave, 'a'), R(kAcute, 'a'), R(kCircumflex, 'a'), R(kTilde, 'a'), R(kDiaeresis, 'a'), kAsc, kAsc, kAsc,
    R(kGrave, 'e'), R(kAcute, 'e'), R(kCircumflex, 'e'), R(kDiaeresis, 'e'),
    R(kGrave, 'i'), R(kAcute, 'i'), R(kCircumflex, 'i'), R(kDiaeresis, 'i'),
    // 0xF0
    kAsc, R(kTilde, 'n'), R(kGrave, 'o'), R(kAcute, 'o'), R(kCircumflex, 'o'), R(kTilde, 'o'), R(kDiaeresis, 'o'), kAsc,
    kAsc, R(kGrave, 'u'), R(kAcute, 'u'), R(kCircumflex, 'u'), R(kDiaeresis, 'u'), R(kAcute, 'y'), kAsc, R(kDiaeresis, 'y'),
};

}  // namespace

const SendKeyName* GetSendKeyNameTable()
{
    return kSendKeyNames;
}

const SendKeyName* FindSendKeyName(const char* name, int length)
{
    for (const SendKeyName& entry : kSendKeyNames) {
        int i = 0;
        while (i < length && entry.Name[i] && FoldCharUpper(name[i]) == entry.Name[i])
            ++i;
        if (i == length && entry.Name[i] == '\0')
            return &entry;
    }
    return nullptr;
}

bool IsExtendedKey(int vk)
{
    return (vk >= VK_PRIOR && vk <= VK_DOWN) || vk == VK_INSERT || vk == VK_DELETE || vk == VK_LWIN ||
           vk == VK_RWIN || vk == VK_APPS || vk == VK_SLEEP || vk == VK_DIVIDE || vk == VK_RCONTROL ||
           vk == VK_RMENU || (vk >= VK_BROWSER_BACK && vk <= VK_LAUNCH_APP2);
}

unsigned char AccentedCharacterRecipe(unsigned char code)
{
    return code >= 128 ? kRecipes[code - 128] : 0;
}
