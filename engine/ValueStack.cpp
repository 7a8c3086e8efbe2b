#include "engine/ValueStack.h"

ValueStack::~ValueStack()
{
    for (CEngineVariant* chunk : m_chunks)
        delete[] chunk;
}

void ValueStack::Grow()
{
    m_chunks.push_back(new CEngineVariant[kChunk]);
    m_capacity += kChunk;
}

CVariantList& ArgumentListPool::Acquire()
{
    if (m_inUse == static_cast<int>(m_lists.size()))
        m_lists.push_back(std::make_unique<CVariantList>());
    CVariantList& list = *m_lists[static_cast<size_t>(m_inUse++)];
    list.Clear();
    return list;
}
