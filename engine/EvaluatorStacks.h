// The two stacks of the expression evaluator: values and operator codes.
// Top of an empty stack reads a spare (the number 0, or the code 0).
#pragma once

#include "engine/EngineVariant.h"

#include <vector>

class VariantStack
{
public:
    void Push(const CEngineVariant& value) { m_items.push_back(value); }
    void Pop() { if (!m_items.empty()) m_items.pop_back(); }
    CEngineVariant& Top() { return m_items.empty() ? m_spare : m_items.back(); }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void Clear() { m_items.clear(); }

private:
    std::vector<CEngineVariant> m_items;
    CEngineVariant m_spare;
};

class IntStack
{
public:
    void Push(int value) { m_items.push_back(value); }
    void Pop() { if (!m_items.empty()) m_items.pop_back(); }
    int Top() const { return m_items.empty() ? 0 : m_items.back(); }
    int GetCount() const { return static_cast<int>(m_items.size()); }
    void Clear() { m_items.clear(); }

private:
    std::vector<int> m_items;
};
