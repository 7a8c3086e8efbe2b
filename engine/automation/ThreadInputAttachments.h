// Input attachments between threads (AttachThreadInput), remembered so that
// exactly the pairs that were attached are detached again, in reverse order.
#pragma once

#include <windows.h>

class ThreadInputAttachments
{
public:
    ThreadInputAttachments() = default;
    ThreadInputAttachments(const ThreadInputAttachments&) = delete;
    ThreadInputAttachments& operator=(const ThreadInputAttachments&) = delete;
    ~ThreadInputAttachments() { DetachAll(); }

    // Attaches `from`'s input to `to`'s; nothing for a missing thread or a
    // thread paired with itself.
    void Attach(DWORD from, DWORD to)
    {
        if (from && to && from != to && m_count < kMaxPairs && AttachThreadInput(from, to, TRUE))
            m_pairs[m_count++] = Pair{from, to};
    }

    void DetachAll()
    {
        while (m_count > 0) {
            --m_count;
            AttachThreadInput(m_pairs[m_count].from, m_pairs[m_count].to, FALSE);
        }
    }

private:
    enum { kMaxPairs = 3 };
    struct Pair { DWORD from; DWORD to; };
    Pair m_pairs[kMaxPairs] = {};
    int m_count = 0;
};
