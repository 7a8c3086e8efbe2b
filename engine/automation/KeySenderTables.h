// The key sender's tables: the names that braced items and hot-key codes
// use, the keys that carry the extended-key flag, and the dead-key recipes
// of the accented characters of the ANSI code page.
#pragma once

// What a key name stands for.
enum SendKeyKind
{
    kSendKeyPlain,          // an ordinary key
    kSendKeyAlt,            // ALT: a one-shot Alt press
    kSendKeyNumpadEnter,    // Enter with the extended flag
    kSendKeyModifierDown,   // CTRLDOWN, ALTDOWN, ...: press and hold
    kSendKeyModifierUp,     // CTRLUP, ALTUP, ...: release what is held
    kSendKeyAsc             // ASC: a character by its code
};

struct SendKeyName
{
    const char* Name;       // upper case
    int VirtualKey;
    SendKeyKind Kind;
};

enum { kSendKeyNameCount = 93 };

// The whole table, in its order (ALT first, ASC last).
const SendKeyName* GetSendKeyNameTable();

// The entry whose name equals the first `length` characters of `name`
// without regard to case; null when there is none.
const SendKeyName* FindSendKeyName(const char* name, int length);

// Keys sent with the extended-key flag (the navigation block, Win, Apps,
// Sleep, the keypad divide, the right Ctrl and Alt, browser and media keys).
bool IsExtendedKey(int vk);

// The dead keys of the accents, by accent number 1-7 in the ANSI code page
// (entries 1 and 7 are blanks: no accent); entry 0 is unused.
inline constexpr char kAccentDeadKeys[8] = {' ', ' ', '\xB4', '^', '~', '\xA8', '`', ' '};
// The base letters by the low nibble of an accented character's recipe.
inline constexpr char kAccentBaseLetters[17] = " aAeEiIoOuUyYnN ";

// The recipe of a character code of the ANSI code page: 0 for codes below
// 128 and for codes that cannot be typed; below 32 for a character that is
// typed by its code (ASC); otherwise the accent number in the high nibble
// and the base letter in the low nibble.
unsigned char AccentedCharacterRecipe(unsigned char code);
