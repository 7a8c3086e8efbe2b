// The tokens of the loaded lines, read once and kept: running a loop reads
// each of its lines many times, and a block statement scans the lines after
// it on every pass.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <string.h>

namespace {

// Variable names are compared upper-cased: the tokens of a line that runs
// carry them so, with their hash, so that a look-up need not fold them.
void PrepareVariableNames(TokenList& tokens)
{
    for (int i = 0; i < tokens.GetCount(); ++i) {
        ScriptToken& token = tokens.GetToken(i);
        if (!token.Is(kTokenVariable))
            continue;
        CEngineString name(token.Value.GetString());
        name.MakeUpper();
        token.Value.SetString(name.GetText(), name.GetLength());
        token.NameHash = VariableScopes::NameHash(name.GetText());
        token.Lookup = VariableLookupCache();
    }
}

}  // namespace

void CPandrel_Script::RebuildLineCache()
{
    m_lineCache.Reset(g_ScriptFile.GetLineCount(), g_ScriptFile.GetGeneration());
}

void CPandrel_Script::ForgetLineCache()
{
    m_lineCache.Invalidate();
}

TokenList* CPandrel_Script::ReadTokensForScan(int position)
{
    CachedLine* cached = CachedLineAt(position);
    const char* text = g_ScriptFile.GetLine(position);
    if (!cached || !text) {
        m_scratchTokens.Clear();
        m_scratchTokens.AppendNew(kTokenEndOfLine, 0);
        return &m_scratchTokens;
    }
    if (!cached->Tokens) {
        // Kept as read without the expansion of environment variables, which
        // changes only the values of strings, never what the tokens are.
        const BYTE expand = m_expandEnvStrings;
        m_expandEnvStrings = 0;
        const int failed = Tokenise(text, m_scratchTokens);
        m_expandEnvStrings = expand;
        if (failed)
            return nullptr;
        cached->Tokens = std::make_unique<TokenList>();
        cached->Tokens->CopyFrom(m_scratchTokens);
        PrepareVariableNames(*cached->Tokens);
        cached->MayExpand = strchr(text, '%') != nullptr;
    }
    return cached->Tokens.get();
}

TokenList* CPandrel_Script::TokensForRun(int position, std::unique_ptr<TokenList>& fresh)
{
    TokenList* tokens = TokensForScan(position);
    if (!tokens || m_expandEnvStrings != 1 || !CachedLineAt(position)->MayExpand)
        return tokens;
    fresh = std::make_unique<TokenList>();
    if (Tokenise(g_ScriptFile.GetLine(position), *fresh) != 0)
        return nullptr;
    PrepareVariableNames(*fresh);
    return fresh.get();
}

const UserFunctionEntry* CPandrel_Script::FindUserFunction(ScriptToken& token)
{
    // The table is filled once per preparation; the token remembers its entry.
    if (token.FunctionGeneration != m_functionsGeneration) {
        token.Function = m_userFunctions.Find(token.Value.GetString());
        token.FunctionGeneration = m_functionsGeneration;
    }
    return token.Function;
}

CEngineVariant* CPandrel_Script::FindVariableAgain(ScriptToken& token, VariableLookupCache& cache)
{
    if (!token.NameHash)   // a line read afresh: its names are as written
        return m_variables.Lookup(token.Value.GetString(), kScopeAuto);
    if (CEngineVariant* global = m_variables.GlobalLookup(cache))
        return global;
    return m_variables.LookupUpper(token.Value.GetString(), token.NameHash, kScopeAuto, cache);
}
