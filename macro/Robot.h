// CRobot: one macro in memory, and its macro file.
//
// The file is ANSI text with CR LF line ends: a "[General]" block of fixed
// key lines, the script under "[Script]", and, when the macro has recorded
// windows, their records under "[HalvaneInfo]".
#pragma once

#include "framework/Framework.h"
#include "macro/HalvaneInfo.h"

#include <vector>

class CRobot
{
public:
    CRobot() = default;
    CRobot(const CRobot& other) { *this = other; }
    CRobot& operator=(const CRobot& other);
    virtual ~CRobot() = default;

    CString GetName() const { return Name; }
    CString GetTriggerRobot() const { return TriggerRobot; }
    CString GetStartKey() const { return StartKey; }
    CString GetEndKey() const { return EndKey; }
    CString GetDescription() const { return Description; }

    void AddHalvaneInfo(const HalvaneInfo& info) { HalvaneInfos.push_back(info); }

    // Writes "<folder>\<Name>.txt". The old file is replaced only after the
    // new one was written completely. 1 on success, 0 on any failure.
    int SaveToFile(const CString& folder) const;

    // Reads the macro file at `path`. 1 on success; 0 when the file cannot
    // be opened (the record is then empty) or after a bad window record (the
    // record keeps what was read before it).
    int LoadFromFile(const CString& path);

    // The file's text exactly as SaveToFile writes it, with "\n" line ends.
    CString FormatFileText() const;

    CString Name;
    CString TriggerRobot;          // the macro to run after this one
    CString StartKey;              // hot-key display texts, "None" for none
    CString EndKey;
    CString Description;
    int Enable = 0;                // non-zero: hot keys registered
    int RepeatOption = 0;          // 1: until the end key; otherwise RepeatTimes runs
    int RepeatTimes = 0;
    CStringArray Script;
    int OriginalSpeed = 0;         // speed code: 0 original, 1 faster, 2 carried only
    int UseHalvane = 0;            // bound lines wait for their recorded window
    int UseSimilarWin = 0;         // the window finder may take a similar window
    std::vector<HalvaneInfo> HalvaneInfos;
};
