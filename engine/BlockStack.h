// The records of open blocks (If, While, Do, For, Select), and the stacks the statement executor keeps them on.
#pragma once

#include "engine/EngineVariant.h"

#include <stddef.h>

#include <vector>

struct ScriptToken;

enum BlockKind
{
    kBlockIf = 0,
    kBlockWhile = 1,
    kBlockDo = 2,
    kBlockFor = 3,
    kBlockSelect = 4
};

struct BlockRecord
{
    int Kind = kBlockIf;
    int EndIfLine = 0;       // If: the line of the matching EndIf
    int StartLine = 0;       // If, While, Do, For: the opening line
    int EndLine = 0;         // While, Do, For: the matching Wend, Until or Next
    CEngineVariant Limit;    // For: the end value
    CEngineVariant Step;     // For: the step
    int SelectLine = 0;      // Select: the Select line
    int EndSelectLine = 0;   // Select: the matching EndSelect
    int IfDepth = 0;         // depth of the If stack when pushed
    int SelectDepth = 0;     // depth of the Select stack when pushed
    int CallLevel = 0;       // user-function nesting level when pushed
    // For: the counter's token in the For line's cached tokens, while the
    // line cache that holds them is the one numbered CounterCache.
    ScriptToken* Counter = nullptr;
    unsigned CounterCache = 0;

    // Whether the block's lines hold `line`: those after its opening
    // statement, up to and including its closing one.
    bool Holds(int line) const
    {
        switch (Kind) {
        case kBlockIf: return StartLine < line && line <= EndIfLine;
        case kBlockSelect: return SelectLine < line && line <= EndSelectLine;
        default: return StartLine < line && line <= EndLine;
        }
    }
};

class BlockStack
{
public:
    // A record on top with the fields of a new one, for the caller to fill.
    // Records keep their storage from one push to the next.
    BlockRecord& PushNew();
    void Pop() { if (m_count > 0) --m_count; }
    // The record pushed last, or a spare record when the stack is empty.
    // The reference lasts until the next push.
    BlockRecord& Top() { return m_count > 0 ? m_records[static_cast<size_t>(m_count - 1)] : m_spare; }
    bool IsEmpty() const { return m_count == 0; }
    // Whether the top record was pushed at call level `level` and does not
    // hold `line`: a block that a Goto left before its end.
    bool TopLeftBehind(int line, int level) const
    {
        if (m_count == 0)
            return false;
        const BlockRecord& top = m_records[static_cast<size_t>(m_count - 1)];
        return top.CallLevel == level && !top.Holds(line);
    }
    int GetCount() const { return m_count; }
    // Pops records until at most `depth` (0 or more) are left.
    void PopTo(int depth) { if (depth < m_count) m_count = depth; }
    void Clear() { m_count = 0; }

private:
    std::vector<BlockRecord> m_records;   // the first m_count are in use
    int m_count = 0;
    BlockRecord m_spare;
};
