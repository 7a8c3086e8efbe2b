// The engine's script error reports: the "Internal Error" box.
#include "engine/ScriptEngine.h"

#include "engine/ScriptFile.h"

namespace {

// The report is kept within this size, however long the line or message.
const int kReportLimit = 12288 - 1;
const char kCaretMarker[] = "^ ERROR\n";

}  // namespace

void CPandrel_Script::ShowScriptError(const CString& message, int column)
{
    ReportScriptError(message, column, nullptr);
}

void CPandrel_Script::ShowScriptErrorPlain(const CString& message, const char* detail)
{
    ReportScriptError(message, -1, detail ? detail : "");
}

void CPandrel_Script::ReportScriptError(const CString& message, int column, const char* detail)
{
    const int position = m_currentLine;
    const int lineNumber = g_ScriptFile.GetLineNumber(position);
    const char* fileName = g_ScriptFile.GetFileName(g_ScriptFile.GetFileIndex(position));
    const char* lineText = g_ScriptFile.GetLine(position);
    if (!lineText)
        lineText = "";

    CString header;
    if (fileName)
        header.Format("Line %d  (File \"%s\"):\n\n", lineNumber < 0 ? 0 : lineNumber, fileName);
    else
        header.Format("Line %d:\n\n", lineNumber < 0 ? 0 : lineNumber);

    CString tail = "\nError: " + message;
    if (detail) {
        tail += "\n\n";
        tail += detail;
    }
    if (tail.GetLength() > kReportLimit / 2)
        tail = tail.Left(kReportLimit / 2);

    // What is left is shared by the line and, with a column, its caret copy.
    const bool caret = column >= 0;
    int room = kReportLimit - header.GetLength() - tail.GetLength() - 1 -
               (caret ? static_cast<int>(sizeof kCaretMarker - 1) : 0);
    if (caret)
        room /= 2;
    CString line(lineText);
    if (line.GetLength() > room)
        line = line.Left(room);

    CString text = header + line + "\n";
    if (caret) {
        text += line.Left(column);
        text += kCaretMarker;
    }
    text += tail;

    MessageBoxA(nullptr, text, "Internal Error", MB_ICONERROR | MB_SYSTEMMODAL | MB_SETFOREGROUND);
    m_runState = kRunStateStop;
}
