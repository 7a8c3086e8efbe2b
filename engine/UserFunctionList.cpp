#include "engine/UserFunctionList.h"

const UserFunctionEntry* UserFunctionList::Find(const char* name) const
{
    for (const Node* node = m_head; node; node = node->next)
        if (node->entry.Name.CompareNoCase(name) == 0)
            return &node->entry;
    return nullptr;
}

void UserFunctionList::Append(const UserFunctionEntry& entry)
{
    Node* node = new Node{entry, nullptr};
    if (m_tail)
        m_tail->next = node;
    else
        m_head = node;
    m_tail = node;
    ++m_count;
}

void UserFunctionList::Clear()
{
    while (m_head) {
        Node* next = m_head->next;
        delete m_head;
        m_head = next;
    }
    m_tail = nullptr;
    m_count = 0;
}
