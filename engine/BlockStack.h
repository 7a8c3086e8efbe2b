// The records of open blocks (If, While, Do, For, Select) and registered
// tags, and the stacks the statement executor keeps them on.
#pragma once

#include "engine/EngineString.h"
#include "engine/EngineVariant.h"

#include <vector>

enum BlockKind
{
    kBlockIf = 0,
    kBlockWhile = 1,
    kBlockDo = 2,
    kBlockFor = 3,
    kBlockSelect = 4,
    kBlockTag = 5
};

struct BlockRecord
{
    int Kind = kBlockIf;
    int EndIfLine = 0;       // If: the line of the matching EndIf
    int TagLine = 0;         // Tag: the line of the TAG statement
    CEngineString Name;      // Tag: the tag's name
    int StartLine = 0;       // While, Do, For: the opening line
    int EndLine = 0;         // While, Do, For: the matching Wend, Until or Next
    CEngineVariant Limit;    // For: the end value
    CEngineVariant Step;     // For: the step
    int SelectLine = 0;      // Select: the Select line
    int EndSelectLine = 0;   // Select: the matching EndSelect
    int IfDepth = 0;         // depth of the If stack when pushed
    int SelectDepth = 0;     // depth of the Select stack when pushed
    int CallLevel = 0;       // user-function nesting level when pushed
};

class BlockStack
{
public:
    void Push(const BlockRecord& record) { m_records.push_back(record); }
    void Pop() { if (!m_records.empty()) m_records.pop_back(); }
    // The record pushed last, or a spare record when the stack is empty.
    BlockRecord& Top() { return m_records.empty() ? m_spare : m_records.back(); }
    bool IsEmpty() const { return m_records.empty(); }
    int GetCount() const { return static_cast<int>(m_records.size()); }
    // Pops records until at most `depth` are left.
    void PopTo(int depth) { while (GetCount() > depth && depth >= 0) Pop(); }
    void Clear() { m_records.clear(); }

private:
    std::vector<BlockRecord> m_records;
    BlockRecord m_spare;
};
