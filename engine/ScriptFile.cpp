#include "engine/ScriptFile.h"

#include "base/InitOrder.h"

#include <string.h>

// Built after the engine and before the application.
KESTRUNE_INIT_SCRIPT_FILE CPandrel_ScriptFile g_ScriptFile;

namespace {

const char kFasterSpeedMarker[] = "=> [remove on faster speed]";
const char kWindowBinding[] = "-> At Win [";

char* CopyText(const char* text)
{
    size_t length = strlen(text);
    char* copy = new char[length + 1];
    memcpy(copy, text, length + 1);
    return copy;
}

bool IsDroppableLine(const char* text)
{
    return text[0] == '\0' || text[0] == ';';
}

// True for "]" followed by nothing but blanks: the end of a window binding.
bool IsSuffixEnd(const char* text)
{
    if (*text++ != ']')
        return false;
    while (*text == ' ' || *text == '\t')
        ++text;
    return *text == '\0';
}

// The position of the last occurrence of `part` in `text`, or -1.
int FindLast(const CString& text, const char* part)
{
    int found = -1;
    for (int at = text.Find(part); at >= 0; at = text.Find(part, at + 1))
        found = at;
    return found;
}

}  // namespace

CPandrel_ScriptFile::~CPandrel_ScriptFile()
{
    Clear();
}

void CPandrel_ScriptFile::AddLine(int lineNumber, const char* text, int fileIndex)
{
    if (!text)
        text = "";
    NextGeneration();
    if (!m_lines.empty() && IsDroppableLine(m_lines.back().Text)) {
        Line& last = m_lines.back();
        delete[] last.Text;
        last.Text = CopyText(text);
        last.LineNumber = lineNumber;
        last.FileIndex = fileIndex;
        // A binding of the dropped line does not pass to its replacement.
        m_lineWindows.RemoveKey(GetLineCount());
        return;
    }
    m_lines.push_back(Line{CopyText(text), lineNumber, fileIndex});
}

int CPandrel_ScriptFile::AddFileName(const char* path)
{
    if (m_fileNameCount >= kMaxFileNames)
        return -1;
    char full[MAX_PATH];
    DWORD length = GetFullPathNameA(path, sizeof full, full, nullptr);
    const char* name = (length > 0 && length < sizeof full) ? full : path;
    for (int i = 0; i < m_fileNameCount; ++i) {
        if (CString(m_fileNames[i].Path).CompareNoCase(name) == 0) {
            ++m_fileNames[i].UseCount;
            return i;
        }
    }
    m_fileNames[m_fileNameCount] = FileName{CopyText(name), 1};
    return m_fileNameCount++;
}

const CPandrel_ScriptFile::Line* CPandrel_ScriptFile::LineAt(int position) const
{
    if (position < 1 || position > GetLineCount())
        return nullptr;
    return &m_lines[static_cast<size_t>(position - 1)];
}

int CPandrel_ScriptFile::GetLineNumber(int position) const
{
    const Line* line = LineAt(position);
    return line ? line->LineNumber : -1;
}

int CPandrel_ScriptFile::GetFileIndex(int position) const
{
    const Line* line = LineAt(position);
    return line ? line->FileIndex : -1;
}

const char* CPandrel_ScriptFile::GetFileName(int fileIndex) const
{
    return fileIndex >= 0 && fileIndex < m_fileNameCount ? m_fileNames[fileIndex].Path : nullptr;
}

int CPandrel_ScriptFile::GetFileNameUseCount(int fileIndex) const
{
    return fileIndex >= 0 && fileIndex < m_fileNameCount ? m_fileNames[fileIndex].UseCount : 0;
}

void CPandrel_ScriptFile::BuildIndex()
{
    m_lines.shrink_to_fit();
}

void CPandrel_ScriptFile::Clear()
{
    NextGeneration();
    for (Line& line : m_lines)
        delete[] line.Text;
    m_lines.clear();
    for (int i = 0; i < m_fileNameCount; ++i) {
        delete[] m_fileNames[i].Path;
        m_fileNames[i] = FileName{};
    }
    m_fileNameCount = 0;
}

int CPandrel_ScriptFile::GetLineWindow(int position) const
{
    int window;
    return m_lineWindows.Lookup(position, window) ? window : -1;
}

void CPandrel_ScriptFile::LoadScriptLine(const CString& line, int counter, int fileIndex)
{
    if (line.Left(8).CompareNoCase("Comment:") == 0)
        return;

    CString statement = line;
    const int markerLength = static_cast<int>(sizeof kFasterSpeedMarker - 1);
    if (statement.GetLength() >= markerLength && statement.Right(markerLength) == kFasterSpeedMarker) {
        if (SpeedMode != 0)
            return;
        statement = statement.Left(statement.GetLength() - markerLength);
    }

    int window = -1;
    int binding = FindLast(statement, kWindowBinding);
    if (binding >= 0) {
        // The number is the digits up to the "]"; without any there is no
        // binding. Only a suffix that ends the line binds: the same words
        // inside the statement (typed text, say) stay part of it.
        const char* digits = static_cast<const char*>(statement) + binding + (sizeof kWindowBinding - 1);
        int value = -1;
        for (; *digits >= '0' && *digits <= '9'; ++digits) {
            if (value < 100000000)   // larger numbers name no window either
                value = (value < 0 ? 0 : value * 10) + (*digits - '0');
        }
        if (IsSuffixEnd(digits)) {
            window = value;
            statement = statement.Left(binding);
        }
    }

    AddLine(counter, statement, fileIndex);
    if (window >= 0)
        m_lineWindows[GetLineCount()] = window;
}

bool CPandrel_ScriptFile::LoadMacroFile(CString path, int fileIndex)
{
    m_lineWindows.RemoveAll();
    m_windows.clear();

    CStdioFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite | CFile::typeText))
        return false;

    try {
        CString line;
        // The fixed lines at the head of the "[General]" block.
        for (int i = 0; i < 8 && file.ReadString(line); ++i) {
        }
        // Section lines are found whatever their case, as the macro record
        // reader finds them, so a file the editor opens runs the same script.
        bool inScript = false;
        while (!inScript && file.ReadString(line))
            inScript = line.CompareNoCase("[Script]") == 0;

        bool inRecords = false;
        int counter = 0;
        while (inScript && !inRecords && file.ReadString(line)) {
            inRecords = line.CompareNoCase("[HalvaneInfo]") == 0;
            if (!inRecords)
                LoadScriptLine(line, ++counter, fileIndex);
        }

        // A record that cannot be read ends the list: the later records'
        // numbers would no longer match their positions.
        HalvaneInfoReader reader(m_windows);
        while (inRecords && file.ReadString(line) && reader.ReadLine(line)) {
        }
    } catch (CFileException* e) {
        e->Delete();   // a read failure keeps what was read before it
    }
    return true;
}
