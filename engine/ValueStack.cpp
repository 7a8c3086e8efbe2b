#include "engine/ValueStack.h"

ValueStack::~ValueStack()
{
    for (CEngineVariant* chunk : m_chunks)
        delete[] chunk;
}

CEngineVariant& ValueStack::Push()
{
    if (m_count == static_cast<int>(m_chunks.size()) * kChunk)
        m_chunks.push_back(new CEngineVariant[kChunk]);
    return At(m_count++);
}

void ValueStack::PopTo(int count)
{
    while (m_count > count && m_count > 0) {
        CEngineVariant& slot = At(--m_count);
        // An array's elements are not kept for reuse; texts are.
        if (slot.IsArray())
            slot.SetInt(0);
    }
}

CVariantList& ArgumentListPool::Acquire()
{
    if (m_inUse == static_cast<int>(m_lists.size()))
        m_lists.push_back(std::make_unique<CVariantList>());
    CVariantList& list = *m_lists[static_cast<size_t>(m_inUse++)];
    list.Clear();
    return list;
}
