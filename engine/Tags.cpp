// Tags and jumps: "TAG $name" labels a line, "GOTO $name" continues after
// it. Labels compare exactly, case counted; the first TAG of a name wins.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <string.h>

namespace {

const char kTagPrefix[] = "TAG $";

}  // namespace

bool CPandrel_Script::ReadLabel(const char* lineText, int keywordColumn, int keywordLength, CString& label) const
{
    // The rest of the line after the keyword, without its comment and the
    // blanks around it.
    label.Empty();
    if (!lineText || keywordColumn < 0 || static_cast<size_t>(keywordColumn + keywordLength) > strlen(lineText))
        return false;
    const char* start = lineText + keywordColumn + keywordLength;
    const char* end = strchr(start, ';');
    if (!end)
        end = start + strlen(start);
    while (start < end && (*start == ' ' || *start == '\t'))
        ++start;
    while (end > start && (end[-1] == ' ' || end[-1] == '\t'))
        --end;
    label = CString(start, static_cast<int>(end - start));
    return !label.IsEmpty();
}

void CPandrel_Script::FindTag(const CString& lineText, int position)
{
    if (strncmp(lineText, kTagPrefix, sizeof kTagPrefix - 1) != 0)
        return;
    CString label;
    if (ReadLabel(lineText, 0, 3, label))
        m_tags.emplace(std::string(label), position);
}

void CPandrel_Script::RegisterTags(int startLine)
{
    if (m_tagsGeneration != g_ScriptFile.GetGeneration()) {
        m_tags.clear();
        m_tagsScannedFrom = 0;
        m_tagsGeneration = g_ScriptFile.GetGeneration();
    }
    // Lines already scanned are not scanned again: a user function or a
    // wait starts a level of its own, and each would read the script anew.
    if (TagsHold(startLine))
        return;
    const int from = startLine > 1 ? startLine : 1;
    const int last = m_tagsScannedFrom ? m_tagsScannedFrom - 1 : g_ScriptFile.GetLineCount();
    for (int position = from; position <= last; ++position) {
        const char* text = g_ScriptFile.GetLine(position);
        if (text && strncmp(text, kTagPrefix, sizeof kTagPrefix - 1) == 0)
            FindTag(CString(text), position);
    }
    m_tagsScannedFrom = from;
}

int CPandrel_Script::ExecuteTag(TokenList& tokens, int index)
{
    ScriptToken& keyword = tokens.GetToken(index);
    CString label;
    if (!ReadLabel(g_ScriptFile.GetLine(m_currentLine), keyword.Column, 3, label)) {
        ShowScriptError("Unable to parse line.", keyword.Column);
        return 1;
    }
    return 0;   // a label: the next line runs
}

int CPandrel_Script::ExecuteGoto(TokenList& tokens, int index, int& nextLine)
{
    ScriptToken& keyword = tokens.GetToken(index);
    CString label;
    if (!ReadLabel(g_ScriptFile.GetLine(m_currentLine), keyword.Column, 4, label)) {
        ShowScriptError("Unable to parse line.", keyword.Column);
        return 1;
    }
    std::map<std::string, int>::const_iterator tag = m_tags.find(std::string(label));
    if (tag != m_tags.end())
        nextLine = tag->second + 1;
    return 0;   // an unknown tag: nothing happens
}
