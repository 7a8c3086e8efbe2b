// What the engine learns about each line of the loaded script while it runs
// it: the line's tokens, and where the blocks it opens end. Both are pure
// functions of the line texts, so they are read once and kept until the
// line store changes; a line that fails to tokenise is not kept, so that
// its error appears again each time the line is reached.
#pragma once

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
    bool IsValid() const { return m_valid; }
    void Invalidate() { m_valid = false; }
    // The entry of a line position, 1..lineCount; null outside.
    CachedLine* At(int position)
    {
        return position >= 1 && position <= static_cast<int>(m_lines.size())
                   ? m_lines[static_cast<size_t>(position - 1)].get() : nullptr;
    }

private:
    // Entries keep their addresses: a statement may hold one while it runs
    // lines that fill others.
    std::vector<std::unique_ptr<CachedLine>> m_lines;
    unsigned m_generation = 0;
    unsigned m_resets = 0;
    bool m_valid = false;
};
