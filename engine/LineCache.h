// What the engine learns about each line of the loaded script while it runs
// it: the line's tokens, and where the blocks it opens end. Both are pure
// functions of the line texts, so they are read once and kept until the
// line store changes; a line that fails to tokenise is not kept, so that
// its error appears again each time the line is reached.
#pragma once

#include "engine/CompiledStatement.h"
#include "engine/Tokens.h"

#include <memory>
#include <vector>

struct CachedLine;

// A line of a block's branch (ElseIf, Else, Case) and its entry.
struct BlockBranch
{
    int Line;
    CachedLine* Entry;
};

struct CachedLine
{
    // The tokens as the lexer gives them with ExpandEnvStrings off; null
    // until the line has been read without error.
    std::unique_ptr<TokenList> Tokens;
    // The text holds a "%": with ExpandEnvStrings on, its strings may read
    // differently each time, so it is then read afresh for running.
    bool MayExpand = false;
    // The line that closes the block this line opens (Wend, Until, Next,
    // EndIf, EndSelect), once a scan has found it; 0 until then.
    int BlockEnd = 0;
    // If: the lines of its ElseIf and Else at its own level. Select: the
    // lines of its Case statements. Valid when BlockEnd is set; the entries
    // belong to the same cache.
    std::vector<BlockBranch> Branches;
    // The line has run since it was read (its tokens have been fetched).
    bool Ran = false;
    // The line's statement, compiled the first time it runs from the cached
    // tokens (StatementReady from then on).
    bool StatementReady = false;
    CompiledStatement Statement;
};

class LineCache
{
public:
    // Forgets everything and makes room for `lineCount` lines of the store
    // in the state `generation`.
    void Reset(int lineCount, unsigned generation);
    unsigned GetGeneration() const { return m_generation; }
    // Counts the resets: an entry, and what it holds, lasts until the next one.
    unsigned GetResets() const { return m_resets; }
    // A cache that was never reset, or was forgotten, holds no state of the
    // store (whose generations are never 0).
    bool IsValid() const { return m_generation != 0; }
    void Invalidate() { m_generation = 0; }
    // The entry of a line position, 1..lineCount; null outside.
    CachedLine* At(int position)
    {
        const unsigned index = static_cast<unsigned>(position - 1);
        return index < m_count ? m_first + index : nullptr;
    }

private:
    // Made at the reset and never resized, so that entries keep their
    // addresses: a statement may hold one while it runs lines that fill others.
    std::vector<CachedLine> m_lines;
    CachedLine* m_first = nullptr;   // m_lines' storage and size
    unsigned m_count = 0;
    unsigned m_generation = 0;
    unsigned m_resets = 0;
};
