#include "engine/automation/KeySender.h"

#include "engine/automation/KeySenderTables.h"
#include "engine/support/PreciseSleep.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// Keys whose toggle state lives in the system: they always go through the
// system input, also when keys are posted to a window.
bool IsLockKey(int vk)
{
    return vk == VK_CAPITAL || vk == VK_NUMLOCK || vk == VK_SCROLL;
}

// A braced item's name ends at the first space; a tab belongs to the name,
// but spaces and tabs both separate the name from what follows it.
bool IsBlank(char ch)
{
    return ch == ' ' || ch == '\t';
}

int LockBit(int vk)
{
    return vk == VK_CAPITAL ? 1 : vk == VK_NUMLOCK ? 2 : vk == VK_SCROLL ? 4 : 0;
}

// A braced item's repeat count: 0 or less, or no number, counts as 1.
int ReadRepeatCount(const char* text)
{
    long count = strtol(text, nullptr, 10);
    return count >= 1 && count <= 0x7FFFFFFFL ? static_cast<int>(count) : 1;
}

}  // namespace

void CKeySender::Reset()
{
    KeyDelay = 5;
    KeyDownDelay = 1;
    CapslockMode = 1;
    AttachMode = 0;

    m_modifiers = 0;
    m_target = nullptr;
    m_capsLockWasOn = false;
    m_locksKnown = m_locksOn = 0;

    m_scanCtrl = static_cast<int>(MapVirtualKeyA(VK_CONTROL, 0));
    m_scanAlt = static_cast<int>(MapVirtualKeyA(VK_MENU, 0));
    m_scanShift = static_cast<int>(MapVirtualKeyA(VK_SHIFT, 0));
    m_scanLWin = static_cast<int>(MapVirtualKeyA(VK_LWIN, 0));

    // Only dead keys that this layout can type are used. English layouts
    // ("...09") have none; on German ones ("...07") "~" is not a dead key.
    for (int i = 0; i < 8; ++i) {
        m_accents[i] = kAccentDeadKeys[i];
        if (m_accents[i] != ' ' && (VkKeyScanA(m_accents[i]) & 0xFF) == 0xFF)
            m_accents[i] = ' ';
    }
    char layout[KL_NAMELENGTH] = "";
    if (GetKeyboardLayoutNameA(layout)) {
        const size_t length = strlen(layout);
        const char* ending = length >= 2 ? layout + length - 2 : layout;
        if (strcmp(ending, "09") == 0)
            memset(m_accents, ' ', sizeof m_accents);
        else if (strcmp(ending, "07") == 0)
            m_accents[4] = ' ';
    }
}

// ---- Whole strings ----

void CKeySender::SendKeys(const char* keys, HWND target)
{
    BeginSend(target);
    const char* walk = keys ? keys : "";
    while (*walk && GoOn()) {
        switch (*walk) {
        case '!': m_modifiers |= kAlt; ++walk; continue;
        case '#': m_modifiers |= kWin; ++walk; continue;
        case '+': m_modifiers |= kShift; ++walk; continue;
        case '^': m_modifiers |= kCtrl; ++walk; continue;
        case '{': {
            const char* close = strchr(walk + 1, '}');
            if (!close) {
                // No closing brace: the brace is text, and so is what follows.
                TypeCharacter('{');
                ++walk;
            } else {
                SendBracedItem(walk + 1, static_cast<int>(close - walk - 1));
                walk = close + 1;
            }
            break;
        }
        default:
            TypeCharacter(*walk);
            ++walk;
            break;
        }
        m_modifiers &= ~kOneShot;
    }
    EndSend();
}

void CKeySender::SendRaw(const char* text, HWND target)
{
    BeginSend(target);
    for (const char* walk = text ? text : ""; *walk && GoOn(); ++walk) {
        TypeCharacter(*walk);
        m_modifiers &= ~kOneShot;
    }
    EndSend();
}

void CKeySender::BeginSend(HWND target)
{
    m_target = target;
    m_modifiers &= ~kOneShot;
    AttachInput();
    m_capsLockWasOn = false;
    m_locksKnown = m_locksOn = 0;
    if (CapslockMode == 1) {
        m_capsLockWasOn = IsLockOn(VK_CAPITAL);
        SetLockKey(VK_CAPITAL, false);
    }
}

void CKeySender::EndSend()
{
    // Back to the state the send began with, also when the keys sent
    // turned Caps Lock on themselves.
    if (CapslockMode == 1)
        SetLockKey(VK_CAPITAL, m_capsLockWasOn);
    DetachInput();
    // A target serves one send: later single keys go to the system input
    // rather than to a window that may be gone by then.
    m_target = nullptr;
}

void CKeySender::AttachInput()
{
    m_attachments.DetachAll();
    if (!m_target && AttachMode == 0)
        return;
    const DWORD current = GetCurrentThreadId();
    const HWND foreground = GetForegroundWindow();
    const DWORD foregroundThread = foreground ? GetWindowThreadProcessId(foreground, nullptr) : 0;
    m_attachments.Attach(current, foregroundThread);
    if (m_target) {
        const DWORD targetThread = GetWindowThreadProcessId(m_target, nullptr);
        m_attachments.Attach(foregroundThread, targetThread);
        m_attachments.Attach(current, targetThread);
    }
}

void CKeySender::DetachInput()
{
    m_attachments.DetachAll();
}

// ---- Braced items ----

void CKeySender::SendBracedItem(const char* item, int length)
{
    int nameLength = 0;
    while (nameLength < length && item[nameLength] != ' ')
        ++nameLength;
    int restStart = nameLength;
    while (restStart < length && IsBlank(item[restStart]))
        ++restStart;
    char rest[64];
    const int restLength = length - restStart < static_cast<int>(sizeof rest) - 1
                               ? length - restStart
                               : static_cast<int>(sizeof rest) - 1;
    memcpy(rest, item + restStart, static_cast<size_t>(restLength));
    rest[restLength] = '\0';

    KeyAction action = kPress;
    if (_stricmp(rest, "up") == 0)
        action = kUp;
    else if (_stricmp(rest, "down") == 0)
        action = kDown;
    else if (_stricmp(rest, "on") == 0)
        action = kOn;
    else if (_stricmp(rest, "off") == 0)
        action = kOff;
    const int count = action == kPress ? ReadRepeatCount(rest) : 1;

    const SendKeyName* entry = FindSendKeyName(item, nameLength);
    if (entry) {
        SendNamedItem(*entry, action, count, rest);
        return;
    }
    if (nameLength == 0)
        return;

    // Not a key name: its first character ("{! 3}" types three "!").
    const char ch = item[0];
    const int vk = VkKeyScanA(ch) & 0xFF;
    if (action == kDown || action == kUp) {
        if (vk != 0xFF)
            KeyEvent(vk, action == kUp, IsExtendedKey(vk));
        return;
    }
    for (int i = 0; i < count && GoOn(); ++i)
        TypeCharacter(ch);
}

void CKeySender::SendNamedItem(const SendKeyName& entry, KeyAction action, int count, const char* rest)
{
    const int vk = entry.VirtualKey;
    switch (entry.Kind) {
    case kSendKeyPlain:
    case kSendKeyNumpadEnter: {
        const bool extended = entry.Kind == kSendKeyNumpadEnter || IsExtendedKey(vk);
        if (action == kDown) {
            KeyEvent(vk, false, extended);
        } else if (action == kUp) {
            KeyEvent(vk, true, extended);
        } else if (action == kOn || action == kOff) {
            SetLockKey(vk, action == kOn);
        } else {
            PrepareModifiers();
            PressModifiers();
            for (int i = 0; i < count && GoOn(); ++i) {
                KeyEvent(vk, false, extended);
                Pause(KeyDownDelay);
                KeyEvent(vk, true, extended);
                Pause(KeyDelay);
            }
            ReleaseModifiers();
        }
        break;
    }
    case kSendKeyAlt:
        if (m_modifiers & kAltHeld)
            break;
        m_modifiers |= kAlt;
        if (action == kDown) {
            ModifierEvent(VK_MENU, false);
        } else if (action == kUp) {
            ModifierEvent(VK_MENU, true);
        } else {
            ModifierEvent(VK_MENU, false);
            Pause(KeyDownDelay);
            ModifierEvent(VK_MENU, true);
            Pause(KeyDelay);
        }
        break;
    case kSendKeyModifierDown:
        ModifierEvent(vk, false);
        m_modifiers |= HeldBit(vk);
        break;
    case kSendKeyModifierUp:
        if (vk == VK_MENU && !(m_modifiers & kAltHeld))
            break;
        ModifierEvent(vk, true);
        m_modifiers &= ~HeldBit(vk);
        break;
    case kSendKeyAsc:
        SendAsc(rest);
        break;
    }
}

int CKeySender::HeldBit(int vk)
{
    switch (vk) {
    case VK_CONTROL: return kCtrlHeld;
    case VK_MENU: return kAltHeld;
    case VK_SHIFT: return kShiftHeld;
    case VK_LWIN: return kLWinHeld;
    case VK_RWIN: return kRWinHeld;
    }
    return 0;
}

void CKeySender::SendAsc(const char* digits)
{
    // Alt and the keypad digits only compose in the window that has the focus.
    if (m_target) {
        const HWND parent = GetParent(m_target);
        if (parent && parent != GetForegroundWindow()) {
            BringWindowToFront(parent);
            Pause(250);
        }
    }
    const bool altHeld = (m_modifiers & kAltHeld) != 0;
    if (!altHeld) {
        ModifierEvent(VK_MENU, false);
        Pause(KeyDownDelay);
    }
    for (const char* digit = digits; *digit >= '0' && *digit <= '9'; ++digit)
        KeyPress(VK_NUMPAD0 + (*digit - '0'));
    if (!altHeld) {
        ModifierEvent(VK_MENU, true);
        Pause(KeyDelay);
    }
}

// ---- Characters ----

void CKeySender::TypeCharacter(char ch)
{
    // The key in the low byte, the shift states it needs in the high byte.
    const SHORT key = VkKeyScanA(ch);
    if ((key & 0xFF) == 0xFF) {
        TypeAccented(static_cast<unsigned char>(ch));
        return;
    }
    // Those shift states are one-shot modifiers of this character only.
    const int saved = m_modifiers;
    if (key & 0x100)
        m_modifiers |= kShift;
    if (key & 0x200)
        m_modifiers |= kCtrl;
    if (key & 0x400)
        m_modifiers |= kAlt;
    PrepareModifiers();
    PressModifiers();
    KeyPress(key & 0xFF);
    ReleaseModifiers();
    m_modifiers = saved;
}

void CKeySender::TypeAccented(unsigned char code)
{
    const unsigned char recipe = AccentedCharacterRecipe(code);
    if (recipe == 0)
        return;
    if (recipe < 32) {
        // By its code in the ANSI code page: Alt with a leading keypad 0.
        char digits[8];
        snprintf(digits, sizeof digits, "0%u", static_cast<unsigned>(code));
        SendAsc(digits);
        return;
    }
    const int accent = recipe >> 4;
    if (accent < 1 || accent > 7)
        return;
    if (m_accents[accent] != ' ')
        TypeCharacter(m_accents[accent]);
    const char base = kAccentBaseLetters[recipe & 0x0F];
    if (base != ' ')
        TypeCharacter(base);
}

// ---- Modifiers ----

void CKeySender::PrepareModifiers()
{
    // A modifier the sender holds is already down.
    if (m_modifiers & kAltHeld)
        m_modifiers &= ~kAlt;
    if (m_modifiers & kShiftHeld)
        m_modifiers &= ~kShift;
    if (m_modifiers & kCtrlHeld)
        m_modifiers &= ~kCtrl;
    if (m_modifiers & (kLWinHeld | kRWinHeld))
        m_modifiers &= ~kWin;

    static const struct { int vk; int held; } kModifierKeys[] = {
        {VK_CONTROL, kCtrlHeld}, {VK_MENU, kAltHeld}, {VK_SHIFT, kShiftHeld}, {VK_LWIN, kLWinHeld},
    };
    if (m_target) {
        // Posted keys are translated with the target thread's key state.
        BYTE state[256];
        if (GetKeyboardState(state)) {
            for (const auto& key : kModifierKeys)
                if (!(m_modifiers & key.held))
                    state[key.vk] &= 0x7F;
            SetKeyboardState(state);
        }
        return;
    }
    // Modifiers the user still holds (a hot key's, say) must not combine
    // with the keys sent.
    for (const auto& key : kModifierKeys) {
        const bool down = (GetAsyncKeyState(key.vk) & 0x8000) || (GetKeyState(key.vk) & 0x8000);
        if (!(m_modifiers & key.held) && down) {
            ModifierEvent(key.vk, true);
            Pause(KeyDelay);
        }
    }
}

// The pauses come also when no modifier is pressed: a character takes the
// same time with or without them.
void CKeySender::PressModifiers()
{
    if (m_modifiers & kWin)
        ModifierEvent(VK_LWIN, false);
    if (m_modifiers & kShift)
        ModifierEvent(VK_SHIFT, false);
    if (m_modifiers & kCtrl)
        ModifierEvent(VK_CONTROL, false);
    if (m_modifiers & kAlt)
        ModifierEvent(VK_MENU, false);
    Pause(KeyDownDelay);
}

void CKeySender::ReleaseModifiers()
{
    if (m_modifiers & kAlt)
        ModifierEvent(VK_MENU, true);
    if (m_modifiers & kCtrl)
        ModifierEvent(VK_CONTROL, true);
    if (m_modifiers & kShift)
        ModifierEvent(VK_SHIFT, true);
    if (m_modifiers & kWin)
        ModifierEvent(VK_LWIN, true);
    Pause(KeyDelay);
}

void CKeySender::ModifierEvent(int vk, bool up)
{
    int scan = 0;
    switch (vk) {
    case VK_CONTROL: scan = m_scanCtrl; break;
    case VK_MENU: scan = m_scanAlt; break;
    case VK_SHIFT: scan = m_scanShift; break;
    case VK_LWIN: scan = m_scanLWin; break;
    default: scan = static_cast<int>(MapVirtualKeyA(static_cast<UINT>(vk), 0)); break;
    }
    DWORD flags = up ? KEYEVENTF_KEYUP : 0;
    if (IsExtendedKey(vk))
        flags |= KEYEVENTF_EXTENDEDKEY;
    keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(scan), flags, 0);
}

// ---- Single keys ----

void CKeySender::KeyDown(int vk)
{
    KeyEvent(vk, false, IsExtendedKey(vk));
}

void CKeySender::KeyUp(int vk)
{
    KeyEvent(vk, true, IsExtendedKey(vk));
}

void CKeySender::KeyPress(int vk)
{
    KeyDown(vk);
    Pause(KeyDownDelay);
    KeyUp(vk);
    Pause(KeyDelay);
}

void CKeySender::KeyEvent(int vk, bool up, bool extended)
{
    const UINT scan = MapVirtualKeyA(static_cast<UINT>(vk), 0);
    if (m_target && !IsLockKey(vk)) {
        // The lParam a keyboard would give: repeat count 1, the scan code,
        // the extended bit, and for a release the previous-state and
        // transition bits; with a one-shot Alt (and no one-shot Ctrl) a
        // system key with the context bit. Held modifiers do not change
        // the message.
        DWORD lParam = scan << 16 | (up ? 0xC0000001u : 1u);
        if (extended)
            lParam |= 1u << 24;
        UINT message = up ? WM_KEYUP : WM_KEYDOWN;
        if ((m_modifiers & kAlt) && !(m_modifiers & kCtrl)) {
            message = up ? WM_SYSKEYUP : WM_SYSKEYDOWN;
            lParam |= 1u << 29;
        }
        PostMessageA(m_target, message, static_cast<WPARAM>(vk), static_cast<LPARAM>(lParam));
        return;
    }
    // This thread's GetKeyState learns of its own injected keys only when it
    // reads them, so the sender follows the lock states it toggles itself.
    if (!up && LockBit(vk)) {
        const int bit = LockBit(vk);
        const bool wasOn = IsLockOn(vk);
        m_locksKnown |= bit;
        m_locksOn = wasOn ? m_locksOn & ~bit : m_locksOn | bit;
    }
    DWORD flags = up ? KEYEVENTF_KEYUP : 0;
    if (extended)
        flags |= KEYEVENTF_EXTENDEDKEY;
    keybd_event(static_cast<BYTE>(vk), static_cast<BYTE>(scan), flags, 0);
}

bool CKeySender::IsLockOn(int vk) const
{
    const int bit = LockBit(vk);
    if (m_locksKnown & bit)
        return (m_locksOn & bit) != 0;
    return (GetKeyState(vk) & 1) != 0;
}

void CKeySender::SetLockKey(int vk, bool on)
{
    if (IsLockOn(vk) != on)
        KeyPress(vk);
}

bool CKeySender::Pause(int ms)
{
    if (!m_goOn) {
        EngineSupport::PreciseSleep(ms);
        return true;
    }
    return EngineSupport::PreciseSleepWhile(ms, m_goOn);
}

void CKeySender::ReleaseHeldKeys()
{
    static const struct { int vk; int held; } kHeldKeys[] = {
        {VK_MENU, kAltHeld}, {VK_CONTROL, kCtrlHeld}, {VK_SHIFT, kShiftHeld}, {VK_LWIN, kLWinHeld}, {VK_RWIN, kRWinHeld},
    };
    for (const auto& key : kHeldKeys) {
        if (m_modifiers & key.held) {
            ModifierEvent(key.vk, true);
            m_modifiers &= ~key.held;
        }
    }
}

// ---- Hot-key codes ----

bool CKeySender::ParseKeySpec(const char* spec, int* vk, bool* shift, bool* ctrl, bool* alt, bool* win)
{
    *vk = 0;
    *shift = *ctrl = *alt = *win = false;
    if (!spec)
        return false;
    const char* walk = spec;
    for (;; ++walk) {
        if (*walk == '!')
            *alt = true;
        else if (*walk == '#')
            *win = true;
        else if (*walk == '+')
            *shift = true;
        else if (*walk == '^')
            *ctrl = true;
        else
            break;
    }
    if (*walk == '<') {
        const char* close = strchr(walk + 1, '>');
        if (!close)
            return false;
        const SendKeyName* entry = FindSendKeyName(walk + 1, static_cast<int>(close - walk - 1));
        if (!entry || entry->Kind != kSendKeyPlain)
            return false;
        *vk = entry->VirtualKey;
        return true;
    }
    if (*walk == '\0')
        return false;
    const SHORT key = VkKeyScanA(*walk);
    if ((key & 0xFF) == 0xFF)
        return false;   // no key of this layout types it
    if (key & 0x100)
        *shift = true;
    if (key & 0x200)
        *ctrl = true;
    if (key & 0x400)
        *alt = true;
    *vk = key & 0xFF;
    return true;
}
