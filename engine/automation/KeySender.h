// CKeySender: turns the script language's key strings into synthetic
// keystrokes. Plain characters, the modifier prefixes "!" (Alt), "+" (Shift),
// "^" (Ctrl) and "#" (Win), key names in braces ("{TAB 3}", "{F1 down}",
// "{CAPSLOCK on}", "{ASC 65}") and accented characters typed through the
// layout's dead keys. Keys are injected into the system input (keybd_event)
// or, when a target window is given, posted to that window; modifiers always
// go through keybd_event.
//
// The builtins' context (BuiltinContext) owns the engine's instance; ParseKeySpec also serves the hot keys of the
// main window, the step editors and HotKeySet.
#pragma once

#include "engine/automation/ThreadInputAttachments.h"

#include <windows.h>

#include <functional>

struct SendKeyName;

class CKeySender
{
public:
    CKeySender() { Reset(); }

    // The defaults of a new engine: the delays and modes below, no target,
    // nothing held, the modifier scan codes and the dead keys of the current
    // keyboard layout.
    void Reset();

    // Sends a key string. `target` may be null (system input).
    void SendKeys(const char* keys, HWND target);
    // ControlSend's name for sending a key string into one window.
    void SendToWindow(const char* keys, HWND target) { SendKeys(keys, target); }
    // Types every character of `text` unchanged: no prefix or brace meaning.
    void SendRaw(const char* text, HWND target);

    // A hot-key code such as "^!r" or "+<F5>": leading "!", "#", "+", "^"
    // then one character or a key name in angle brackets. False for an empty
    // key, an unknown or special key name, a missing ">" or a character the
    // keyboard layout cannot type.
    static bool ParseKeySpec(const char* spec, int* vk, bool* shift, bool* ctrl, bool* alt, bool* win);

    // Single keys for the builtins that name one key. They go to the target
    // of the send in progress, or into the system input when there is none.
    void KeyDown(int vk);
    void KeyUp(int vk);
    // Down, key-down delay, up, key delay.
    void KeyPress(int vk);
    // One character, with the Shift, Ctrl or Alt it needs on this layout.
    void TypeCharacter(char ch);

    HWND GetTarget() const { return m_target; }

    // Asked between the keys of a send and in its pauses: the engine pumps
    // its messages there and says no once the run is stopping. The send then
    // ends early: a key it pressed is let go, its modifiers are released and
    // Caps Lock is put back, and the pauses of that clean-up are skipped.
    // Without it a send always goes on.
    void SetGoOn(std::function<bool()> goOn) { m_goOn = static_cast<std::function<bool()>&&>(goOn); }
    // Lets go of the modifiers held by {CTRLDOWN} and the like (a stopped
    // run leaves nothing down).
    void ReleaseHeldKeys();

    // Settings that Opt reads and sets.
    int KeyDelay;                  // ms after each key release (SendKeyDelay)
    int KeyDownDelay;              // ms between a key's press and release (SendKeyDownDelay)
    unsigned char CapslockMode;    // 1: Caps Lock off while sending (SendCapslockMode)
    unsigned char AttachMode;      // 1: attach to the foreground thread's input (SendAttachMode)

private:
    // The modifier state: one-shot modifiers apply to the next character or
    // braced item only; held ones stay until their {...UP} item.
    enum
    {
        kAlt = 1, kShift = 2, kCtrl = 4, kWin = 8,
        kOneShot = kAlt | kShift | kCtrl | kWin,
        kAltHeld = 16, kShiftHeld = 32, kCtrlHeld = 64, kLWinHeld = 128, kRWinHeld = 256
    };

    // What a braced item or a key name asks for.
    enum KeyAction { kPress, kDown, kUp, kOn, kOff };

    void BeginSend(HWND target);
    void EndSend();
    void AttachInput();
    void DetachInput();

    void SendBracedItem(const char* item, int length);
    void SendNamedItem(const SendKeyName& entry, KeyAction action, int count, const char* rest);
    void SendAsc(const char* digits);
    static int HeldBit(int vk);
    void TypeAccented(unsigned char code);

    void PrepareModifiers();
    void PressModifiers();
    void ReleaseModifiers();
    // keybd_event of a modifier key with its scan code.
    void ModifierEvent(int vk, bool up);
    // The key down or up itself: posted to the target or injected.
    void KeyEvent(int vk, bool up, bool extended);
    void SetLockKey(int vk, bool on);
    bool IsLockOn(int vk) const;
    bool GoOn() const { return !m_goOn || m_goOn(); }
    // False, at once, when the send is to stop.
    bool Pause(int ms);

    int m_modifiers;
    HWND m_target;
    int m_scanCtrl;
    int m_scanAlt;
    int m_scanShift;
    int m_scanLWin;
    // The dead key of each accent (index 1-7); a blank means "type none".
    char m_accents[8];
    // Caps Lock was on when the send began.
    bool m_capsLockWasOn;
    // The lock keys this send has pressed and the state it left them in: the
    // thread's own key state only follows once its queue has been read.
    int m_locksKnown;
    int m_locksOn;
    // The thread pairs that the send in progress attached.
    ThreadInputAttachments m_attachments;
    std::function<bool()> m_goOn;
};

// Makes `window` the foreground window, restoring it when minimised; when
// the system refuses, it attaches to the threads concerned and, as a last
// resort, taps Alt twice before trying again.
void BringWindowToFront(HWND window);
