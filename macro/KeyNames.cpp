#include "macro/KeyNames.h"

#include <string.h>

namespace {

struct KeyNameRow
{
    const char* name;
    int code;
};

// In this order: a name is looked up by a search in row order.
const KeyNameRow kKeyNames[] = {
    {"<MouseLeft>", 1}, {"<MouseRight>", 2}, {"<CtrlBreak>", 3}, {"<MouseMiddle>", 4},
    {"<XButton1>", 5}, {"<XButton2>", 6}, {"<BackSpace>", 8}, {"<Tab>", 9}, {"<Clear>", 12},
    {"<Enter>", 13}, {"<Shift>", 16}, {"<Ctrl>", 17}, {"<Alt>", 18}, {"<Pause>", 19},
    {"<CapsLock>", 20}, {"<KANA>", 21}, {"<JUNJA>", 23}, {"<KANJI>", 25}, {"<Esc>", 27},
    {"<Convert>", 28}, {"<NonCovert>", 29}, {"<Accept>", 30}, {"<ModeChange>", 31},
    {"<Space>", 32}, {"<Prior>", 33}, {"<Next>", 34}, {"<End>", 35}, {"<Home>", 36},
    {"<Left>", 37}, {"<Up>", 38}, {"<Right>", 39}, {"<Down>", 40}, {"<Select>", 41},
    {"<Print>", 42}, {"<Execute>", 43}, {"<Snapshot>", 44}, {"<Insert>", 45}, {"<Delete>", 46},
    {"<Help>", 47}, {"0", 48}, {"1", 49}, {"2", 50}, {"3", 51}, {"4", 52}, {"5", 53}, {"6", 54},
    {"7", 55}, {"8", 56}, {"9", 57}, {"A", 65}, {"B", 66}, {"C", 67}, {"D", 68}, {"E", 69},
    {"F", 70}, {"G", 71}, {"H", 72}, {"I", 73}, {"J", 74}, {"K", 75}, {"L", 76}, {"M", 77},
    {"N", 78}, {"O", 79}, {"P", 80}, {"Q", 81}, {"R", 82}, {"S", 83}, {"T", 84}, {"U", 85},
    {"V", 86}, {"W", 87}, {"X", 88}, {"Y", 89}, {"Z", 90}, {"<L Win>", 91}, {"<R Win>", 92},
    {"<Apps>", 93}, {"<Sleep>", 95}, {"<0>", 96}, {"<1>", 97}, {"<2>", 98}, {"<3>", 99},
    {"<4>", 100}, {"<5>", 101}, {"<6>", 102}, {"<7>", 103}, {"<8>", 104}, {"<9>", 105},
    {"<*>", 106}, {"<+>", 107}, {"<|>", 108}, {"<->", 109}, {"<.>", 110}, {"</>", 111},
    {"<F1>", 112}, {"<F2>", 113}, {"<F3>", 114}, {"<F4>", 115}, {"<F5>", 116}, {"<F6>", 117},
    {"<F7>", 118}, {"<F8>", 119}, {"<F9>", 120}, {"<F10>", 121}, {"<F11>", 122}, {"<F12>", 123},
    {"<F13>", 124}, {"<F14>", 125}, {"<F15>", 126}, {"<F16>", 127}, {"<F17>", 128}, {"<F18>", 129},
    {"<F19>", 130}, {"<F20>", 131}, {"<F21>", 132}, {"<F22>", 133}, {"<F23>", 134}, {"<F24>", 135},
    {"<NumLock>", 144}, {"<Scroll>", 145}, {"<NecEqual>", 146}, {"<FjMasshou>", 147},
    {"<FjTouroku>", 148}, {"<FjLoya>", 149}, {"<FjRoya>", 150}, {"<L Shift>", 160},
    {"<R Shift>", 161}, {"<L Ctrl>", 162}, {"<R Ctrl>", 163}, {"<L Menu>", 164}, {"<R Menu>", 165},
    {"<BrowserBack>", 166}, {"<BrowserForward>", 167}, {"<BrowserRefresh>", 168},
    {"<BrowserStop>", 169}, {"<BrowserSearch>", 170}, {"<BrowserFavorites>", 171},
    {"<BrowserHome>", 172}, {"<VolumeMute>", 173}, {"<VolumeDown>", 174}, {"<VolumeUp>", 175},
    {"<MediaNextTrack>", 176}, {"<MediaPrevTrack>", 177}, {"<MediaStop>", 178},
    {"<MediaPlayPause>", 179}, {"<LaunchMail>", 180}, {"<LaunchMediaSelect>", 181},
    {"<LaunchApp1>", 182}, {"<LaunchApp2>", 183}, {";", 186}, {"=", 187}, {",", 188}, {"-", 189},
    {".", 190}, {"/", 191}, {"`", 192}, {"[", 219}, {"\\", 220}, {"]", 221}, {"'", 222},
    {"<Oem8>", 223}, {"<AX>", 225}, {"<Oem102>", 226}, {"<IcoHelp>", 227}, {"<Ico00>", 228},
    {"<ProcessKey>", 229}, {"<IcoClear>", 230}, {"<Packet>", 231}, {"<OemReset>", 233},
    {"<OemJump>", 234}, {"<OemPa1>", 235}, {"<OemPa2>", 236}, {"<OemPa3>", 237},
    {"<OemWsctrl>", 238}, {"<OemCusel>", 239}, {"<OemAttn>", 240}, {"<OemFinish>", 241},
    {"<OemCopy>", 242}, {"<OemAuto>", 243}, {"<OemEnlw>", 244}, {"<OemBackTab>", 245},
    {"<Attn>", 246}, {"<Crsel>", 247}, {"<Exsel>", 248}, {"<Ereof>", 249}, {"<Play>", 250},
    {"<Zoom>", 251}, {"<NoName>", 252}, {"<Pa1>", 253}, {"<OemClear>", 254},
};

// The row of each code, built once, for the code-to-name direction.
struct CodeIndex
{
    const char* names[256] = {};
    CodeIndex()
    {
        for (const KeyNameRow& row : kKeyNames)
            names[row.code] = row.name;
    }
};

const CodeIndex& Codes()
{
    static const CodeIndex index;
    return index;
}

struct ModifierPrefix
{
    const char* text;
    const char* code;
};

// Longest first, so that a three-modifier text is not taken for "Ctrl + ".
const ModifierPrefix kModifierPrefixes[] = {
    {"Ctrl + Shift + Alt + ", "^+!"},
    {"Ctrl + Shift + ", "^+"},
    {"Ctrl + Alt + ", "^!"},
    {"Shift + Alt + ", "+!"},
    {"Ctrl + ", "^"},
    {"Shift + ", "+"},
    {"Alt + ", "!"},
};

}  // namespace

int KeyNameToVirtualKey(const CString& name)
{
    for (const KeyNameRow& row : kKeyNames)
        if (name == row.name)
            return row.code;
    return 0;
}

CString VirtualKeyToKeyName(unsigned int code)
{
    if (code > 255 || !Codes().names[code])
        return CString();
    return Codes().names[code];
}

CString HotKeyTextToCode(const CString& hotKeyText)
{
    for (const ModifierPrefix& prefix : kModifierPrefixes) {
        int length = static_cast<int>(strlen(prefix.text));
        if (strncmp(hotKeyText, prefix.text, static_cast<size_t>(length)) == 0)
            return prefix.code + hotKeyText.Mid(length);
    }
    return hotKeyText;
}

int HexDigitValue(const CString& digit)
{
    if (digit.GetLength() != 1)
        return 0;
    char ch = digit[0];
    if (ch >= '1' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return 0;
}

CString HexDigitText(unsigned int value)
{
    if (value > 15)
        return CString();
    return CString("0123456789ABCDEF"[value]);
}
