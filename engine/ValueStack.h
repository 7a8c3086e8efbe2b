// The evaluator's working storage: its operand stack and the argument lists
// of the calls it makes. Both keep their variants from one use to the next,
// so that an expression evaluated in a loop stops allocating once its texts
// have room, and a slot keeps its place while the stack grows above it (a
// nested evaluation pushes while an outer one still holds a slot).
#pragma once

#include "engine/EngineVariant.h"
#include "engine/VariantList.h"

#include <memory>
#include <vector>

class ValueStack
{
public:
    ValueStack() = default;
    ValueStack(const ValueStack&) = delete;
    ValueStack& operator=(const ValueStack&) = delete;
    ~ValueStack();

    // A slot on top, holding whatever it held before: the caller sets it.
    CEngineVariant& Push()
    {
        if (m_count == m_capacity)
            Grow();
        return At(m_count++);
    }
    // Drops slots until `count` are left.
    void PopTo(int count)
    {
        while (m_count > count)
            Release(At(--m_count));
    }
    // The index-th slot from the bottom, 0 <= index < GetCount().
    CEngineVariant& At(int index)
    {
        const unsigned slot = static_cast<unsigned>(index);
        return m_chunks[slot / kChunk][slot % kChunk];
    }
    int GetCount() const { return m_count; }

private:
    static const unsigned kChunk = 64;
    void Grow();
    // An array's elements are not kept for reuse; texts are.
    static void Release(CEngineVariant& slot)
    {
        if (slot.IsArray())
            slot.SetInt(0);
    }

    std::vector<CEngineVariant*> m_chunks;   // arrays of kChunk variants
    int m_count = 0;
    int m_capacity = 0;
};

// Argument lists in last-in first-out use: a call takes one, fills it, calls
// its builtin and gives it back; a call made while its arguments are being
// evaluated takes the next one.
class ArgumentListPool
{
public:
    // An empty list, until the matching Release.
    CVariantList& Acquire()
    {
        if (m_inUse == static_cast<int>(m_lists.size()))
            AddList();
        CVariantList& list = *m_lists[static_cast<size_t>(m_inUse++)];
        list.Clear();
        return list;
    }
    void Release() { --m_inUse; }

private:
    void AddList();
    std::vector<std::unique_ptr<CVariantList>> m_lists;
    int m_inUse = 0;
};

// Takes an argument list from the pool for the life of the object.
class ScopedArgumentList
{
public:
    explicit ScopedArgumentList(ArgumentListPool& pool) : m_pool(pool), m_list(pool.Acquire()) {}
    ~ScopedArgumentList() { m_pool.Release(); }
    ScopedArgumentList(const ScopedArgumentList&) = delete;
    ScopedArgumentList& operator=(const ScopedArgumentList&) = delete;

    CVariantList& List() { return m_list; }

private:
    ArgumentListPool& m_pool;
    CVariantList& m_list;
};

// Takes slots on the operand stack and gives them back at the end of the scope.
class ValueStackFrame
{
public:
    explicit ValueStackFrame(ValueStack& stack) : m_stack(stack), m_base(stack.GetCount()) {}
    ~ValueStackFrame() { m_stack.PopTo(m_base); }
    ValueStackFrame(const ValueStackFrame&) = delete;
    ValueStackFrame& operator=(const ValueStackFrame&) = delete;

    int Base() const { return m_base; }
    // The number of slots this frame holds.
    int GetCount() const { return m_stack.GetCount() - m_base; }

private:
    ValueStack& m_stack;
    const int m_base;
};
