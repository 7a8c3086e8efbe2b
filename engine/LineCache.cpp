#include "engine/LineCache.h"

void LineCache::Reset(int lineCount, unsigned generation)
{
    m_lines.clear();
    m_lines.resize(static_cast<size_t>(lineCount > 0 ? lineCount : 0));
    for (std::unique_ptr<CachedLine>& line : m_lines)
        line = std::make_unique<CachedLine>();
    m_generation = generation;
    ++m_resets;
    m_valid = true;
}
