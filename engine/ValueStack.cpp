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

void ArgumentListPool::AddList()
{
    m_lists.push_back(std::make_unique<CVariantList>());
}
