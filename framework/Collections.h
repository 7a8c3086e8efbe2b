// The framework's containers: CArray, CList, CMap and CStringArray, with the
// familiar index- and POSITION-based interfaces.
#pragma once

#include "framework/String.h"

#include <stddef.h>
#include <utility>
#include <vector>

// An opaque place in a CList or CMap; NULL past the end.
struct __POSITION {};
typedef __POSITION* POSITION;

// ---------------------------------------------------------------- CArray

template <class TYPE, class ARG_TYPE = const TYPE&>
class CArray
{
public:
    INT_PTR GetSize() const { return static_cast<INT_PTR>(m_items.size()); }
    INT_PTR GetCount() const { return GetSize(); }
    INT_PTR GetUpperBound() const { return GetSize() - 1; }
    bool IsEmpty() const { return m_items.empty(); }
    void SetSize(INT_PTR newSize, INT_PTR growBy = -1)
    {
        m_items.resize(static_cast<size_t>(newSize < 0 ? 0 : newSize));
    }
    void RemoveAll() { m_items.clear(); }
    void FreeExtra() { m_items.shrink_to_fit(); }

    TYPE& GetAt(INT_PTR index) { return m_items[static_cast<size_t>(index)]; }
    const TYPE& GetAt(INT_PTR index) const { return m_items[static_cast<size_t>(index)]; }
    TYPE& ElementAt(INT_PTR index) { return GetAt(index); }
    TYPE& operator[](INT_PTR index) { return GetAt(index); }
    const TYPE& operator[](INT_PTR index) const { return GetAt(index); }
    void SetAt(INT_PTR index, ARG_TYPE value) { GetAt(index) = value; }
    void SetAtGrow(INT_PTR index, ARG_TYPE value)
    {
        if (index >= GetSize())
            SetSize(index + 1);
        GetAt(index) = value;
    }
    TYPE* GetData() { return m_items.data(); }
    const TYPE* GetData() const { return m_items.data(); }

    INT_PTR Add(ARG_TYPE value)
    {
        m_items.push_back(value);
        return GetUpperBound();
    }
    INT_PTR Append(const CArray& other)
    {
        INT_PTR first = GetSize();
        m_items.insert(m_items.end(), other.m_items.begin(), other.m_items.end());
        return first;
    }
    void Copy(const CArray& other)
    {
        if (this != &other)
            m_items = other.m_items;
    }
    // Inserting past the end grows the array with default elements first.
    void InsertAt(INT_PTR index, ARG_TYPE value, INT_PTR count = 1)
    {
        if (count <= 0)
            return;
        if (index > GetSize())
            SetSize(index);
        m_items.insert(m_items.begin() + index, static_cast<size_t>(count), value);
    }
    void RemoveAt(INT_PTR index, INT_PTR count = 1)
    {
        if (index < 0 || count <= 0 || index >= GetSize())
            return;
        if (index + count > GetSize())
            count = GetSize() - index;
        m_items.erase(m_items.begin() + index, m_items.begin() + index + count);
    }

private:
    std::vector<TYPE> m_items;
};

class CStringArray : public CArray<CString, const CString&>
{
};

// ---------------------------------------------------------------- CList

template <class TYPE, class ARG_TYPE = const TYPE&>
class CList
{
    struct Node : __POSITION
    {
        Node* next;
        Node* prev;
        TYPE data;
        Node(ARG_TYPE value, Node* p, Node* n) : next(n), prev(p), data(value) {}
    };

public:
    CList() = default;
    CList(const CList& other) { AddTail(&other); }
    CList& operator=(const CList& other)
    {
        if (this != &other) {
            RemoveAll();
            AddTail(&other);
        }
        return *this;
    }
    ~CList() { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    TYPE& GetHead() { return m_head->data; }
    const TYPE& GetHead() const { return m_head->data; }
    TYPE& GetTail() { return m_tail->data; }
    const TYPE& GetTail() const { return m_tail->data; }

    POSITION AddHead(ARG_TYPE value) { return InsertBefore(Pos(m_head), value); }
    POSITION AddTail(ARG_TYPE value) { return InsertAfter(Pos(m_tail), value); }
    void AddTail(const CList* other)
    {
        for (Node* n = other->m_head; n; n = n->next)
            AddTail(n->data);
    }
    TYPE RemoveHead()
    {
        TYPE value = m_head->data;
        RemoveAt(Pos(m_head));
        return value;
    }
    TYPE RemoveTail()
    {
        TYPE value = m_tail->data;
        RemoveAt(Pos(m_tail));
        return value;
    }
    void RemoveAll()
    {
        while (m_head) {
            Node* next = m_head->next;
            delete m_head;
            m_head = next;
        }
        m_tail = nullptr;
        m_count = 0;
    }

    POSITION GetHeadPosition() const { return Pos(m_head); }
    POSITION GetTailPosition() const { return Pos(m_tail); }
    TYPE& GetNext(POSITION& pos)
    {
        Node* n = At(pos);
        pos = Pos(n->next);
        return n->data;
    }
    const TYPE& GetNext(POSITION& pos) const
    {
        Node* n = At(pos);
        pos = Pos(n->next);
        return n->data;
    }
    TYPE& GetPrev(POSITION& pos)
    {
        Node* n = At(pos);
        pos = Pos(n->prev);
        return n->data;
    }
    TYPE& GetAt(POSITION pos) { return At(pos)->data; }
    const TYPE& GetAt(POSITION pos) const { return At(pos)->data; }
    void SetAt(POSITION pos, ARG_TYPE value) { At(pos)->data = value; }

    // A NULL position inserts at the head (before) or the tail (after).
    POSITION InsertBefore(POSITION pos, ARG_TYPE value)
    {
        Node* at = pos ? At(pos) : m_head;
        Node* n = new Node(value, at ? at->prev : nullptr, at);
        Link(n);
        return Pos(n);
    }
    POSITION InsertAfter(POSITION pos, ARG_TYPE value)
    {
        Node* at = pos ? At(pos) : m_tail;
        Node* n = new Node(value, at, at ? at->next : nullptr);
        Link(n);
        return Pos(n);
    }
    void RemoveAt(POSITION pos)
    {
        Node* n = At(pos);
        (n->prev ? n->prev->next : m_head) = n->next;
        (n->next ? n->next->prev : m_tail) = n->prev;
        delete n;
        --m_count;
    }

    POSITION Find(ARG_TYPE value, POSITION startAfter = nullptr) const
    {
        for (Node* n = startAfter ? At(startAfter)->next : m_head; n; n = n->next)
            if (n->data == value)
                return Pos(n);
        return nullptr;
    }
    POSITION FindIndex(INT_PTR index) const
    {
        if (index < 0 || index >= m_count)
            return nullptr;
        Node* n = m_head;
        while (index-- > 0)
            n = n->next;
        return Pos(n);
    }

private:
    static POSITION Pos(Node* n) { return n; }
    static Node* At(POSITION pos) { return static_cast<Node*>(pos); }
    void Link(Node* n)
    {
        (n->prev ? n->prev->next : m_head) = n;
        (n->next ? n->next->prev : m_tail) = n;
        ++m_count;
    }

    Node* m_head = nullptr;
    Node* m_tail = nullptr;
    INT_PTR m_count = 0;
};

// ---------------------------------------------------------------- CMap

// Hash of a map key; overloads for the key types the program uses.
inline UINT HashKey(UINT_PTR key) { return static_cast<UINT>(key >> 4) ^ static_cast<UINT>(key); }
inline UINT HashKey(int key) { return HashKey(static_cast<UINT_PTR>(key)); }
inline UINT HashKey(long key) { return HashKey(static_cast<UINT_PTR>(key)); }
inline UINT HashKey(unsigned long key) { return HashKey(static_cast<UINT_PTR>(key)); }
inline UINT HashKey(const void* key) { return HashKey(reinterpret_cast<UINT_PTR>(key)); }
inline UINT HashKey(LPCSTR key)
{
    UINT hash = 0;
    while (*key)
        hash = (hash << 5) + hash + static_cast<unsigned char>(*key++);
    return hash;
}
inline UINT HashKey(const CString& key) { return HashKey(static_cast<LPCSTR>(key)); }

template <class KEY, class ARG_KEY, class VALUE, class ARG_VALUE>
class CMap
{
    struct Assoc : __POSITION
    {
        Assoc* next;
        UINT hash;
        KEY key;
        VALUE value;
    };

public:
    explicit CMap(INT_PTR blockSize = 10) {}
    CMap(const CMap&) = delete;
    CMap& operator=(const CMap&) = delete;
    ~CMap() { RemoveAll(); }

    INT_PTR GetCount() const { return m_count; }
    INT_PTR GetSize() const { return m_count; }
    bool IsEmpty() const { return m_count == 0; }

    void InitHashTable(UINT size, BOOL = TRUE)
    {
        if (m_count == 0 && size > 0)
            m_buckets.assign(size, nullptr);
    }

    BOOL Lookup(ARG_KEY key, VALUE& value) const
    {
        const Assoc* a = Find(key);
        if (!a)
            return FALSE;
        value = a->value;
        return TRUE;
    }
    VALUE& operator[](ARG_KEY key)
    {
        if (Assoc* a = Find(key))
            return a->value;
        if (m_buckets.empty())
            m_buckets.assign(17, nullptr);
        if (m_count >= static_cast<INT_PTR>(m_buckets.size()) * 2)
            Rehash(m_buckets.size() * 4 + 1);
        UINT hash = HashKey(key);
        Assoc*& head = m_buckets[hash % m_buckets.size()];
        head = new Assoc{{}, head, hash, KEY(key), VALUE()};
        ++m_count;
        return head->value;
    }
    void SetAt(ARG_KEY key, ARG_VALUE value) { (*this)[key] = value; }
    BOOL RemoveKey(ARG_KEY key)
    {
        if (m_buckets.empty())
            return FALSE;
        for (Assoc** link = &m_buckets[HashKey(key) % m_buckets.size()]; *link; link = &(*link)->next) {
            if ((*link)->key == key) {
                Assoc* dead = *link;
                *link = dead->next;
                delete dead;
                --m_count;
                return TRUE;
            }
        }
        return FALSE;
    }
    void RemoveAll()
    {
        for (Assoc*& head : m_buckets) {
            while (head) {
                Assoc* next = head->next;
                delete head;
                head = next;
            }
        }
        m_count = 0;
    }

    POSITION GetStartPosition() const { return m_count ? FirstFrom(0) : nullptr; }
    void GetNextAssoc(POSITION& pos, KEY& key, VALUE& value) const
    {
        const Assoc* a = static_cast<const Assoc*>(pos);
        key = a->key;
        value = a->value;
        pos = a->next ? const_cast<Assoc*>(a->next) : FirstFrom(a->hash % m_buckets.size() + 1);
    }

private:
    Assoc* Find(ARG_KEY key) const
    {
        if (m_buckets.empty())
            return nullptr;
        for (Assoc* a = m_buckets[HashKey(key) % m_buckets.size()]; a; a = a->next)
            if (a->key == key)
                return a;
        return nullptr;
    }
    POSITION FirstFrom(size_t bucket) const
    {
        for (; bucket < m_buckets.size(); ++bucket)
            if (m_buckets[bucket])
                return m_buckets[bucket];
        return nullptr;
    }
    void Rehash(size_t size)
    {
        std::vector<Assoc*> buckets(size, nullptr);
        for (Assoc* head : m_buckets) {
            while (head) {
                Assoc* next = head->next;
                head->next = buckets[head->hash % size];
                buckets[head->hash % size] = head;
                head = next;
            }
        }
        m_buckets.swap(buckets);
    }

    std::vector<Assoc*> m_buckets;
    INT_PTR m_count = 0;
};
