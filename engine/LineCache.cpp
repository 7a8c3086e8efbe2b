#include "engine/LineCache.h"

void LineCache::Reset(int lineCount, unsigned generation)
{
    m_lines.clear();
    m_lines.resize(static_cast<size_t>(lineCount > 0 ? lineCount : 0));
    m_first = m_lines.data();
    m_count = static_cast<unsigned>(m_lines.size());
    m_generation = generation;
    ++m_resets;
}
