// User functions: before a script runs, every Func ... EndFunc goes into the
// engine's table, and every call of a user function is checked against it,
// so that a misspelt name stops the script before its first line.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <string.h>

namespace {

const char kBadFuncStatement[] = "Badly formatted Func statement.";

}  // namespace

int CPandrel_Script::ScanLines(int first, const std::function<int(int position, TokenList& tokens)>& visit)
{
    const int count = g_ScriptFile.GetLineCount();
    for (int position = first; position >= 1 && position <= count;) {
        m_currentLine = position;
        TokenList* tokens = TokensForScan(position);
        if (!tokens)
            return -1;
        position = visit(position, *tokens);
        if (position < 0)
            return -1;
    }
    return 0;
}

int CPandrel_Script::RegisterFunctions()
{
    auto registerFunc = [this](int position, TokenList& tokens) -> int {
        if (!tokens.GetToken(0).IsKeyword(kKeywordFunc))
            return position + 1;
        ScriptToken& name = tokens.GetToken(1);
        if (!name.Is(kTokenUserFunction)) {
            ShowScriptError("Badly formatted \"Func\" statement.", -1);
            return -1;
        }
        if (m_userFunctions.Find(name.Value.GetString())) {
            ShowScriptError("Duplicate function name.", -1);
            return -1;
        }
        if (!tokens.GetToken(2).Is(kTokenLeftParen)) {
            ShowScriptError(kBadFuncStatement, -1);
            return -1;
        }
        const int parameters = CountFuncParameters(tokens);
        if (parameters < 0)
            return -1;
        const int end = FindEndFunc(position);
        if (end < 0)
            return -1;

        UserFunctionEntry entry;
        entry.Name.Assign(name.Value.GetString());
        entry.FirstLine = position;
        entry.ParameterCount = parameters;
        entry.LastLine = end;
        m_userFunctions.Append(entry);
        return end + 1;   // the scan goes on after the EndFunc
    };
    return ScanLines(1, registerFunc) < 0 ? 1 : 0;
}

int CPandrel_Script::CountFuncParameters(TokenList& tokens)
{
    int index = 3;
    int count = 0;
    if (!tokens.GetToken(index).Is(kTokenRightParen)) {
        for (;;) {
            if (tokens.GetToken(index).IsKeyword(kKeywordByRef))
                ++index;
            if (!tokens.GetToken(index).Is(kTokenVariable)) {
                ShowScriptError(kBadFuncStatement, -1);
                return -1;
            }
            ++count;
            ++index;
            if (tokens.GetToken(index).Is(kTokenRightParen))
                break;
            if (!tokens.GetToken(index).Is(kTokenComma)) {
                ShowScriptError(kBadFuncStatement, -1);
                return -1;
            }
            ++index;
        }
    }
    if (!tokens.GetToken(index + 1).Is(kTokenEndOfLine)) {
        ShowScriptError("Illegal text at the end of statement (one statement per line).", -1);
        return -1;
    }
    return count;
}

int CPandrel_Script::FindEndFunc(int funcLine)
{
    int end = g_ScriptFile.GetLineCount();   // a Func at the end of the script runs to its last line
    auto findEnd = [&](int position, TokenList& tokens) -> int {
        ScriptToken& first = tokens.GetToken(0);
        if (first.IsKeyword(kKeywordFunc)) {
            m_currentLine = funcLine;
            ShowScriptError("Func statement has no matching EndFunc.", -1);
            return -1;
        }
        if (!first.IsKeyword(kKeywordEndFunc))
            return position + 1;
        end = position;
        return 0;
    };
    if (ScanLines(funcLine + 1, findEnd) < 0)
        return -1;
    m_currentLine = funcLine;
    return end;
}

int CPandrel_Script::VerifyFunctionCalls()
{
    auto verifyCalls = [this](int position, TokenList& tokens) -> int {
        for (int i = 0; i < tokens.GetCount(); ++i) {
            ScriptToken& token = tokens.GetToken(i);
            if (token.Is(kTokenUserFunction) && !m_userFunctions.Find(token.Value.GetString())) {
                ShowScriptError("Unknown function name.", token.Column);
                return -1;
            }
        }
        return position + 1;
    };
    return ScanLines(1, verifyCalls) < 0 ? 1 : 0;
}

bool CPandrel_Script::LookupUserFunction(const char* name, int& firstLine, int& parameterCount,
                                         int& lastLine) const
{
    const UserFunctionEntry* entry = m_userFunctions.Find(name);
    if (!entry)
        return false;
    firstLine = entry->FirstLine;
    parameterCount = entry->ParameterCount;
    lastLine = entry->LastLine;
    return true;
}

const std::vector<UserFunctionParameter>* CPandrel_Script::ReadParameters(const UserFunctionEntry& function)
{
    const unsigned generation = g_ScriptFile.GetGeneration();
    TokenList* declaration = TokensForScan(function.FirstLine);
    if (!declaration)
        return nullptr;
    // Read as the preparation checked them: "(", then variables, each
    // perhaps after ByRef, apart by commas, up to the first other token.
    function.Parameters.clear();
    for (int p = 3;; ++p) {
        ScriptToken& parameter = declaration->GetToken(p);
        if (parameter.Is(kTokenComma))
            continue;
        const bool byRef = parameter.IsKeyword(kKeywordByRef);
        if (byRef)
            ++p;
        ScriptToken& variable = declaration->GetToken(p);
        if (!variable.Is(kTokenVariable))
            break;
        UserFunctionParameter prepared;
        prepared.Name.Assign(variable.Value.GetString());
        prepared.Name.MakeUpper();
        prepared.Hash = VariableScopes::NameHash(prepared.Name.GetText());
        prepared.ByRef = byRef;
        function.Parameters.push_back(prepared);
    }
    function.DistinctParameters = true;
    for (size_t i = 0; i < function.Parameters.size(); ++i)
        for (size_t j = 0; j < i; ++j)
            if (strcmp(function.Parameters[i].Name.GetText(), function.Parameters[j].Name.GetText()) == 0)
                function.DistinctParameters = false;
    function.ParametersGeneration = generation;
    function.ParametersRead = true;
    return &function.Parameters;
}
