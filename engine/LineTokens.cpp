// The tokens of the loaded lines, read once and kept: running a loop reads
// each of its lines many times, and a block statement scans the lines after
// it on every pass.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <string.h>

CachedLine* CPandrel_Script::CachedLineAt(int position)
{
    if (!m_lineCache.IsValid() || m_lineCache.GetGeneration() != g_ScriptFile.GetGeneration())
        m_lineCache.Reset(g_ScriptFile.GetLineCount(), g_ScriptFile.GetGeneration());
    return m_lineCache.At(position);
}

void CPandrel_Script::ResetLineCache()
{
    m_lineCache.Invalidate();
}

TokenList* CPandrel_Script::TokensForScan(int position)
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
    return Tokenise(g_ScriptFile.GetLine(position), *fresh) == 0 ? fresh.get() : nullptr;
}
