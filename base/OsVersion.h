// Which Windows the program runs on, read once at start-up.
#pragma once

#include <windows.h>

struct OsVersionInfo
{
    OsVersionInfo() { Query(); }

    // Fills the record from GetVersionExA.
    void Query();
    // Fills the record from an already-read version block.
    void Fill(const OSVERSIONINFOA& version);

    int MajorVersion = 0;
    int MinorVersion = 0;
    int BuildNumber = 0;
    char ServicePack[128] = {};
    BYTE IsNT = 0;
    BYTE Is9x = 0;
    BYTE IsNT4 = 0;
    BYTE IsNT4OrLater = 0;
    BYTE IsXP = 0;
    BYTE IsXPOrLater = 0;
    BYTE Is2000 = 0;
    BYTE Is2000OrLater = 0;
    BYTE Is98 = 0;
    BYTE Is98OrLater = 0;
    BYTE Is95 = 0;
    BYTE Is95OrLater = 0;
    BYTE IsME = 0;
    BYTE IsMEOrLater = 0;
    BYTE IsNT6 = 0;
};

extern OsVersionInfo g_OsVersion;
