// CKeySender's settings: the pauses and modes that Opt reads and sets and
// that the key sender applies when it types.
#pragma once

class CKeySender
{
public:
    CKeySender() { Reset(); }

    // The defaults of a new engine.
    void Reset()
    {
        KeyDelay = 5;
        KeyDownDelay = 1;
        CapslockMode = 1;
        AttachMode = 0;
    }

    int KeyDelay;                  // ms after each key release (SendKeyDelay)
    int KeyDownDelay;              // ms between a key's press and release (SendKeyDownDelay)
    unsigned char CapslockMode;    // 1: Caps Lock off while sending (SendCapslockMode)
    unsigned char AttachMode;      // 1: attach to the foreground thread's input (SendAttachMode)
};
