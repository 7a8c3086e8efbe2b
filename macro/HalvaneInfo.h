// HalvaneInfo: one recorded window, the top-level window that recorded input
// went to. Bound script lines refer to it by its index; at play time the
// window finder looks for a live window that matches it.
#pragma once

#include "framework/Framework.h"

#include <vector>

class HalvaneInfo
{
public:
    HalvaneInfo() { WinRect = {0, 0, 0, 0}; }

    int WinIndex = 0;
    HWND hWnd = nullptr;       // the live window; run time only, never stored
    CString WinTitle;          // the title, or a shell window's name
    CString WinPath;           // the owning program's file, or a shell window's name
    RECT WinRect;              // screen rectangle when recorded
    int WinParentLevel = -1;   // GetParent steps to the top; -1 in a search: any level
};

// Reads the "[HalvaneInfo]" section of a macro file one line at a time. One
// record is under construction for the whole section and is not reset
// between records: a "WinRect=" line commits a copy of it, so a key that a
// record leaves out keeps the value of the record before it.
class HalvaneInfoReader
{
public:
    explicit HalvaneInfoReader(std::vector<HalvaneInfo>& records) : m_records(records) {}

    // Takes one line of the section; lines with an unknown key are skipped.
    // False for a "WinRect=" line without its four comma-separated numbers.
    bool ReadLine(const CString& line);

private:
    std::vector<HalvaneInfo>& m_records;
    HalvaneInfo m_building;
};

// Writes the five lines of one record, each ended by "\n".
CString FormatHalvaneInfo(const HalvaneInfo& info);
