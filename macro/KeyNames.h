// Key names: the one vocabulary in which keys appear in step lines, in the
// KeySend/KeyDown/KeyUp statements and in hot-key texts. A bracketed name
// ("<F1>", "<L Win>") stands for a key without a printable character; letter,
// digit and punctuation keys are named by their unshifted character.
#pragma once

#include "framework/String.h"

// The virtual-key code of a key name (exact, case included); 0 when the name
// is not a key name, so that a bad name never reaches the key sender as a key.
int KeyNameToVirtualKey(const CString& name);

// The key name of a virtual-key code; empty for a code without a name.
CString VirtualKeyToKeyName(unsigned int code);

// "Ctrl + Shift + Alt + <F1>" -> "^+!<F1>": the display form of a hot key
// turned into the key sender's prefix form. "None" and texts without a
// modifier prefix come back unchanged.
CString HotKeyTextToCode(const CString& hotKeyText);

// One hexadecimal digit: "1".."9", "a".."f" (any case) give 1..15; any other
// text, "0" included, gives 0.
int HexDigitValue(const CString& digit);
// "0".."9", "A".."F" for 0..15; empty for anything larger.
CString HexDigitText(unsigned int value);
