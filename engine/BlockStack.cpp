#include "engine/BlockStack.h"

BlockRecord& BlockStack::PushNew()
{
    if (m_count == static_cast<int>(m_records.size()))
        m_records.emplace_back();
    BlockRecord& record = m_records[static_cast<size_t>(m_count++)];
    record.Kind = kBlockIf;
    record.EndIfLine = 0;
    record.StartLine = 0;
    record.EndLine = 0;
    record.Limit.SetInt(0);
    record.Step.SetInt(0);
    record.SelectLine = 0;
    record.EndSelectLine = 0;
    record.IfDepth = 0;
    record.SelectDepth = 0;
    record.CallLevel = 0;
    record.Counter = nullptr;
    record.CounterCache = 0;
    return record;
}
