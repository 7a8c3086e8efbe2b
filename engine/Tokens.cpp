#include "engine/Tokens.h"

#include <stddef.h>

namespace {

const char* const kKeywordNames[kKeywordCount] = {
    "AND", "OR", "NOT", "IF", "THEN", "ELSE", "ELSEIF", "ENDIF", "WHILE", "WEND", "DO",
    "UNTIL", "FOR", "NEXT", "TO", "STEP", "EXITLOOP", "CONTINUELOOP", "SELECT", "CASE",
    "ENDSELECT", "DIM", "REDIM", "LOCAL", "GLOBAL", "FUNC", "ENDFUNC", "RETURN", "EXIT",
    "TAG", "GOTO", "BYREF",
};

}  // namespace

const char* KeywordName(int id)
{
    return id >= 0 && id < kKeywordCount ? kKeywordNames[id] : nullptr;
}

TokenList::TokenList()
{
    m_tokens.reserve(16);
}

void TokenList::Append(const ScriptToken& token)
{
    ScriptToken& slot = AppendNew(token.Type, token.Column);
    slot.Value.Assign(token.Value);
}

ScriptToken& TokenList::AppendNew(int type, int column)
{
    if (m_count == static_cast<int>(m_tokens.size()))
        m_tokens.emplace_back();
    ScriptToken& token = m_tokens[static_cast<size_t>(m_count++)];
    token.Type = type;
    token.Column = column;
    // What the engine kept in the slot belonged to the line read before.
    token.NameHash = 0;
    token.Lookup = VariableLookupCache();
    token.Function = nullptr;
    token.FunctionGeneration = 0;
    token.Compiled = 0;
    token.CloseBracket = 0;
    token.Call = 0;
    return token;
}

ScriptToken& TokenList::Spare()
{
    m_spare.Type = kTokenEndOfLine;   // a reader may not change it for the next one
    return m_spare;
}

void TokenList::CopyFrom(const TokenList& other)
{
    std::vector<ScriptToken> tokens(other.m_tokens.begin(), other.m_tokens.begin() + other.m_count);
    for (ScriptToken& token : tokens) {
        token.Compiled = 0;
        token.Call = 0;
    }
    m_tokens.swap(tokens);
    m_count = other.m_count;
    m_compiled.clear();
    m_calls.clear();
}

CompiledExpression& TokenList::AddCompiled(ScriptToken& first)
{
    m_compiled.push_back(std::make_unique<CompiledExpression>());
    m_compiled.back()->Next = first.Compiled;
    first.Compiled = static_cast<int>(m_compiled.size());
    return *m_compiled.back();
}

CallPlan& TokenList::AddCallPlan(ScriptToken& name)
{
    m_calls.push_back(std::make_unique<CallPlan>());
    name.Call = static_cast<int>(m_calls.size());
    return *m_calls.back();
}
