#include "engine/EngineString.h"

#include "framework/String.h"

#include <string.h>

namespace {

char g_emptyText[1] = {'\0'};

bool InSet(char ch, const char* set)
{
    return ch != '\0' && strchr(set, ch) != nullptr;
}

}  // namespace

CEngineString::CEngineString() : m_buffer(new char[1]), m_length(0), m_capacity(1)
{
    m_buffer[0] = '\0';
}

CEngineString::CEngineString(const char* text)
{
    if (!text)
        text = g_emptyText;
    m_length = static_cast<int>(strlen(text));
    m_capacity = m_length + 1;
    m_buffer = new char[m_capacity];
    memcpy(m_buffer, text, static_cast<size_t>(m_capacity));
}

CEngineString::CEngineString(int reserve)
{
    m_length = 0;
    m_capacity = (reserve > 0 ? reserve : 0) + 1;
    m_buffer = new char[m_capacity];
    m_buffer[0] = '\0';
}

CEngineString::CEngineString(const CEngineString& other)
    : m_buffer(new char[other.m_capacity]), m_length(other.m_length), m_capacity(other.m_capacity)
{
    memcpy(m_buffer, other.m_buffer, static_cast<size_t>(m_length + 1));
}

CEngineString::~CEngineString()
{
    delete[] m_buffer;
}

char CEngineString::CharAt(int index) const
{
    return index >= 0 && index < m_length ? m_buffer[index] : '\0';
}

void CEngineString::Reserve(int capacity, bool keep)
{
    char* buffer = new char[capacity];
    if (keep)
        memcpy(buffer, m_buffer, static_cast<size_t>(m_length + 1));
    else
        buffer[0] = '\0';
    delete[] m_buffer;
    m_buffer = buffer;
    m_capacity = capacity;
}

void CEngineString::Assign(const CEngineString& other)
{
    if (&other == this)
        return;
    if (m_capacity < other.m_length + 1)
        Reserve(other.m_capacity, false);
    memcpy(m_buffer, other.m_buffer, static_cast<size_t>(other.m_length + 1));
    m_length = other.m_length;
}

void CEngineString::Assign(const char* text)
{
    if (!text)
        text = g_emptyText;
    Assign(text, static_cast<int>(strlen(text)));
}

void CEngineString::Assign(const char* text, int length)
{
    if (text == m_buffer && length == m_length)
        return;
    if (m_capacity < length + 1) {
        // The text may live in this buffer; copy before letting it go.
        char* buffer = new char[length + 1];
        memcpy(buffer, text, static_cast<size_t>(length));
        delete[] m_buffer;
        m_buffer = buffer;
        m_capacity = length + 1;
    } else {
        memmove(m_buffer, text, static_cast<size_t>(length));
    }
    m_buffer[length] = '\0';
    m_length = length;
}

void CEngineString::AssignChar(char ch)
{
    if (m_capacity < 2)
        Reserve(2, false);
    m_buffer[0] = ch;
    m_buffer[1] = '\0';
    m_length = 1;
}

void CEngineString::Append(const CEngineString& other)
{
    Append(other.m_buffer, other.m_length);
}

void CEngineString::Append(const char* text)
{
    if (text)
        Append(text, static_cast<int>(strlen(text)));
}

void CEngineString::Append(const char* text, int length)
{
    if (length <= 0)
        return;
    int newLength = m_length + length;
    if (m_capacity < newLength + 1) {
        char* buffer = new char[2 * newLength + 1];
        memcpy(buffer, m_buffer, static_cast<size_t>(m_length));
        memcpy(buffer + m_length, text, static_cast<size_t>(length));   // text may be our own
        delete[] m_buffer;
        m_buffer = buffer;
        m_capacity = 2 * newLength + 1;
    } else {
        memmove(m_buffer + m_length, text, static_cast<size_t>(length));
    }
    m_length = newLength;
    m_buffer[m_length] = '\0';
}

void CEngineString::AppendChar(char ch)
{
    if (m_capacity < m_length + 2)
        Reserve(2 * m_length + 3, true);
    m_buffer[m_length++] = ch;
    m_buffer[m_length] = '\0';
}

bool CEngineString::Equals(const CEngineString& other) const
{
    return m_length == other.m_length && memcmp(m_buffer, other.m_buffer, static_cast<size_t>(m_length)) == 0;
}

int CEngineString::CompareNoCase(const char* text) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_buffer);
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text ? text : g_emptyText);
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(FoldCharLower(static_cast<char>(*a)));
        unsigned char cb = static_cast<unsigned char>(FoldCharLower(static_cast<char>(*b)));
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

void CEngineString::MakeUpper()
{
    for (int i = 0; i < m_length; ++i)
        m_buffer[i] = FoldCharUpper(m_buffer[i]);
}

void CEngineString::MakeLower()
{
    for (int i = 0; i < m_length; ++i)
        m_buffer[i] = FoldCharLower(m_buffer[i]);
}

void CEngineString::Clear()
{
    Reserve(1, false);
    m_length = 0;
}

void CEngineString::Erase(int from, int to)
{
    if (from < 0 || from >= m_length || from >= to || to > m_length)
        return;
    memmove(m_buffer + from, m_buffer + to, static_cast<size_t>(m_length - to + 1));
    m_length -= to - from;
}

void CEngineString::Truncate(int count)
{
    if (count >= 0 && count < m_length) {
        m_length = count;
        m_buffer[count] = '\0';
    }
}

void CEngineString::Mid(const CEngineString& source, int start, int end)
{
    if (start < 0 || start >= source.m_length || end < 0 || end > source.m_length || start >= end) {
        m_length = 0;
        m_buffer[0] = '\0';
        return;
    }
    Assign(source.m_buffer + start, end - start);
}

int CEngineString::FindFirstOf(const char* set) const
{
    for (int i = 0; i < m_length; ++i)
        if (InSet(m_buffer[i], set))
            return i;
    return m_length;
}

int CEngineString::FindLastNotOf(const char* set) const
{
    for (int i = m_length - 1; i >= 0; --i)
        if (!InSet(m_buffer[i], set))
            return i;
    return m_length;
}

void CEngineString::TrimRight(const char* set)
{
    int end = m_length;
    while (end > 0 && InSet(m_buffer[end - 1], set))
        --end;
    Truncate(end);
}

bool CEngineString::MatchesAt(int position, const char* text, int length, bool caseSensitive) const
{
    if (caseSensitive)
        return memcmp(m_buffer + position, text, static_cast<size_t>(length)) == 0;
    for (int i = 0; i < length; ++i)
        if (FoldCharLower(m_buffer[position + i]) != FoldCharLower(text[i]))
            return false;
    return true;
}

int CEngineString::Find(const char* text, bool caseSensitive, int occurrence) const
{
    int length = text ? static_cast<int>(strlen(text)) : 0;
    // The characters are compared here rather than through the library, and
    // a position whose first character differs is passed over at once: a
    // long string is searched in one pass.
    auto matchesAt = [&](int i) {
        if (!caseSensitive)
            return MatchesAt(i, text, length, false);
        for (int k = 0; k < length; ++k)
            if (m_buffer[i + k] != text[k])
                return false;
        return true;
    };
    if (length > m_length)
        return occurrence < 0 ? -1 : m_length;   // no room for a single match
    if (occurrence > 0 && caseSensitive && length > 0) {
        const char first = text[0];
        const char* const last = m_buffer + m_length - length;
        int found = 0;
        for (const char* at = m_buffer; at <= last; ++at) {
            if (*at != first)
                continue;
            int k = 1;
            while (k < length && at[k] == text[k])
                ++k;
            if (k == length && ++found == occurrence)
                return static_cast<int>(at - m_buffer);
        }
        return m_length;
    }
    if (occurrence > 0) {
        int found = 0;
        for (int i = 0; i + length <= m_length; ++i)
            if (matchesAt(i) && ++found == occurrence)
                return i;
        return m_length;
    }
    if (occurrence < 0) {
        int found = 0;
        for (int i = m_length - length; i >= 0; --i)
            if (matchesAt(i) && ++found == -occurrence)
                return i;
        return -1;
    }
    return m_length;
}
