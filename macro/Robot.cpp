#include "macro/Robot.h"

#include "macro/NumberText.h"

CRobot& CRobot::operator=(const CRobot& other)
{
    if (this == &other)
        return *this;
    Name = other.Name;
    TriggerRobot = other.TriggerRobot;
    StartKey = other.StartKey;
    EndKey = other.EndKey;
    Description = other.Description;
    Enable = other.Enable;
    RepeatOption = other.RepeatOption;
    RepeatTimes = other.RepeatTimes;
    Script.RemoveAll();
    for (INT_PTR i = 0; i < other.Script.GetSize(); ++i)
        Script.Add(other.Script[i]);
    OriginalSpeed = other.OriginalSpeed;
    UseHalvane = other.UseHalvane;
    UseSimilarWin = other.UseSimilarWin;
    HalvaneInfos = other.HalvaneInfos;
    return *this;
}

CString CRobot::FormatFileText() const
{
    // The file says whether the macro runs at its original speed, so the
    // faster code 1 is stored as "0" and the original-speed code 0 as "1".
    const char* speed = OriginalSpeed == 0 ? "1" : (OriginalSpeed == 1 ? "0" : "2");

    CString text;
    text.Format("[General]\nName=%s\nStartKey=%s\nEndKey=%s\nDescription=%s\nEnable=%s\n"
                "RepeatOption=%d\nRepeatTimes=%d\nOriginalSpeed=%s\nUseSimilarWin=%s\n"
                "UseHalvane=%s\nTriggerRobot=%s\n[Script]\n",
                (LPCSTR)Name, (LPCSTR)StartKey, (LPCSTR)EndKey, (LPCSTR)Description,
                Enable ? "1" : "0", RepeatOption, RepeatTimes, speed,
                UseSimilarWin ? "1" : "0", UseHalvane ? "1" : "0", (LPCSTR)TriggerRobot);
    for (INT_PTR i = 0; i < Script.GetSize(); ++i) {
        text += Script[i];
        text += '\n';
    }
    if (!HalvaneInfos.empty()) {
        text += "[HalvaneInfo]\n";
        for (const HalvaneInfo& info : HalvaneInfos)
            text += FormatHalvaneInfo(info);
    }
    return text;
}

int CRobot::SaveToFile(const CString& folder) const
{
    const CString path = folder + "\\" + Name + ".txt";

    // A temporary file in the same folder, so that the final rename stays on
    // one volume and a failed write leaves the old macro file untouched.
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder, "krb", 0, temp))
        return 0;
    try {
        CStdioFile file(temp, CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        // Written by length: a line read from a damaged file may hold a NUL
        // byte, and nothing after it may be lost.
        const CString text = FormatFileText();
        file.Write(text.GetString(), static_cast<UINT>(text.GetLength()));
        file.Flush();
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        DeleteFileA(temp);
        return 0;
    }
    if (!MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp);
        return 0;
    }
    return 1;
}

namespace {

// The text after the first `keyLength` characters; empty for a line no
// longer than its key. The key itself is not compared.
CString ValueAfter(const CString& line, int keyLength)
{
    return line.GetLength() > keyLength ? line.Mid(keyLength) : CString();
}

// The file's base name: after the last backslash, before the last ".".
CString BaseName(const CString& path)
{
    CString name = path.Mid(path.ReverseFind('\\') + 1);
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

}  // namespace

int CRobot::LoadFromFile(const CString& path)
{
    Script.RemoveAll();
    HalvaneInfos.clear();

    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText)) {
        *this = CRobot();
        return 0;
    }

    try {
        // An unread line (the file ended early) is empty.
        CString line;
        auto next = [&]() -> CString& {
            if (!file.ReadString(line))
                line.Empty();
            return line;
        };

        next();   // "[General]", whatever it holds
        Name = ValueAfter(next(), 5);
        CString base = BaseName(path);
        if (Name != base)
            Name = base;   // the file's name wins over the line
        StartKey = ValueAfter(next(), 9);
        EndKey = ValueAfter(next(), 7);
        Description = ValueAfter(next(), 12);
        Enable = StringToInt(ValueAfter(next(), 7));
        RepeatOption = StringToInt(ValueAfter(next(), 13));
        RepeatTimes = StringToInt(ValueAfter(next(), 12));
        CString speed = ValueAfter(next(), 14);
        OriginalSpeed = speed == "2" ? 2 : (speed == "0" ? 1 : 0);

        // The optional lines may stop after any of them; the "[Script]" line
        // after a complete set is consumed without being compared.
        next();
        auto isScriptLine = [&] { return line.CompareNoCase("[Script]") == 0; };
        UseSimilarWin = 0;
        UseHalvane = 0;
        TriggerRobot.Empty();
        if (!isScriptLine()) {
            UseSimilarWin = StringToInt(ValueAfter(line, 14));
            next();
        }
        if (!isScriptLine()) {
            UseHalvane = StringToInt(ValueAfter(line, 11));
            next();
        }
        if (!isScriptLine()) {
            TriggerRobot = ValueAfter(line, 13);
            next();
        }

        bool more;
        while ((more = file.ReadString(line)) && line.CompareNoCase("[HalvaneInfo]") != 0)
            Script.Add(line);

        if (more) {
            HalvaneInfoReader reader(HalvaneInfos);
            while (file.ReadString(line)) {
                if (!reader.ReadLine(line)) {
                    file.Close();
                    AfxMessageBox("Failed to load record Window info", MB_OK);
                    return 0;
                }
            }
        }
        file.Close();
    } catch (CFileException* e) {
        e->Delete();
        return 0;
    }
    return 1;
}
