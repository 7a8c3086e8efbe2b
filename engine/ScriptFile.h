// CPandrel_ScriptFile: the line store. It holds the script the engine runs:
// its lines in order, each with its source line number and the index of its
// source file, the source files' names, the macro's recorded windows, and
// which line is bound to which recorded window. One process-wide instance,
// g_ScriptFile, is loaded before each run and cleared after it.
#pragma once

#include "framework/Framework.h"
#include "macro/HalvaneInfo.h"

#include <vector>

class CPandrel_ScriptFile
{
public:
    enum { kMaxFileNames = 64 };

    CPandrel_ScriptFile() = default;
    CPandrel_ScriptFile(const CPandrel_ScriptFile&) = delete;
    CPandrel_ScriptFile& operator=(const CPandrel_ScriptFile&) = delete;
    virtual ~CPandrel_ScriptFile();

    // Appends a line. A last line that is empty or a ";" comment is replaced
    // by the new one instead of being kept.
    void AddLine(int lineNumber, const char* text, int fileIndex);
    // The index of the file's full path in the name table (a name already
    // there counts one more use); -1 when the table is full.
    int AddFileName(const char* path);

    // Positions run from 1 to GetLineCount(); outside that range there is no
    // line (null, or -1).
    const char* GetLine(int position) const
    {
        return static_cast<unsigned>(position - 1) < m_lines.size() ? m_lines[static_cast<size_t>(position - 1)].Text
                                                                     : nullptr;
    }
    int GetLineNumber(int position) const;
    int GetFileIndex(int position) const;
    int GetLineCount() const { return static_cast<int>(m_lines.size()); }
    // The stored path, or null when the index names no file.
    const char* GetFileName(int fileIndex) const;
    int GetFileNameUseCount(int fileIndex) const;
    int GetFileNameCount() const { return m_fileNameCount; }

    // Readies the store for running after loading. The lines are kept in
    // position order as they are added, so this only trims spare room.
    void BuildIndex();
    // Frees every line and every file name.
    void Clear();

    // Reads a macro file's "[Script]" lines and "[HalvaneInfo]" records.
    // False, with nothing added, when the file cannot be opened.
    bool LoadMacroFile(CString path, int fileIndex);

    // The window a line is bound to: its number in the window list, or -1.
    int GetLineWindow(int position) const;
    std::vector<HalvaneInfo>& GetWindows() { return m_windows; }

    // The running macro's speed code, set before LoadMacroFile: lines marked
    // for removal at the faster speed are kept only with 0.
    int SpeedMode = 0;

    // Changes whenever a line is added or the store is cleared, so that what
    // the engine keeps about the lines can tell that it is out of date; never 0.
    unsigned GetGeneration() const { return m_generation; }

private:
    struct Line
    {
        char* Text;        // own copy
        int LineNumber;
        int FileIndex;
    };
    struct FileName
    {
        char* Path;        // own copy
        int UseCount;
    };

    const Line* LineAt(int position) const;
    void NextGeneration()
    {
        if (!++m_generation)
            m_generation = 1;
    }
    // Handles one line of the "[Script]" section; `counter` is its number.
    void LoadScriptLine(const CString& line, int counter, int fileIndex);

    CMap<int, int, int, int> m_lineWindows;   // line position -> window number
    std::vector<HalvaneInfo> m_windows;       // in file order
    std::vector<Line> m_lines;                // position 1 is m_lines[0]
    FileName m_fileNames[kMaxFileNames] = {};
    int m_fileNameCount = 0;
    unsigned m_generation = 1;
};

extern CPandrel_ScriptFile g_ScriptFile;
