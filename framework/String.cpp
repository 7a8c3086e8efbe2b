#include "framework/String.h"

#include <algorithm>
#include <stdio.h>
#include <string.h>

namespace {

// Case tables of the ANSI code page, built once from the system's own
// mapping so that folding is a table lookup on the hot paths.
struct CaseTables
{
    char lower[256];
    char upper[256];

    CaseTables()
    {
        for (int i = 0; i < 256; ++i)
            lower[i] = upper[i] = static_cast<char>(i);
        CharLowerBuffA(lower + 1, 255);
        CharUpperBuffA(upper + 1, 255);
    }
};

const CaseTables& Cases()
{
    static const CaseTables tables;
    return tables;
}

bool IsTrimSpace(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

int Clamp(int value, int low, int high)
{
    return value < low ? low : (value > high ? high : value);
}

}  // namespace

char FoldCharLower(char ch)
{
    return Cases().lower[static_cast<unsigned char>(ch)];
}

char FoldCharUpper(char ch)
{
    return Cases().upper[static_cast<unsigned char>(ch)];
}

CString::CString(LPCSTR text, int length)
{
    if (text && length > 0)
        m_str.assign(text, static_cast<size_t>(length));
}

CString::CString(char ch, int repeat)
{
    if (repeat > 0)
        m_str.assign(static_cast<size_t>(repeat), ch);
}

CString::CString(LPCWSTR wideText)
{
    if (!wideText || !*wideText)
        return;
    int size = WideCharToMultiByte(CP_ACP, 0, wideText, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1)
        return;
    m_str.resize(static_cast<size_t>(size));
    WideCharToMultiByte(CP_ACP, 0, wideText, -1, &m_str[0], size, nullptr, nullptr);
    m_str.resize(static_cast<size_t>(size - 1));
}

void CString::Append(LPCSTR text, int length)
{
    if (text && length > 0)
        m_str.append(text, static_cast<size_t>(length));
}

int CString::Compare(LPCSTR text) const
{
    return strcmp(m_str.c_str(), text ? text : "");
}

int CString::CompareNoCase(LPCSTR text) const
{
    const unsigned char* a = reinterpret_cast<const unsigned char*>(m_str.c_str());
    const unsigned char* b = reinterpret_cast<const unsigned char*>(text ? text : "");
    const char* lower = Cases().lower;
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(lower[*a]);
        unsigned char cb = static_cast<unsigned char>(lower[*b]);
        if (ca != cb)
            return ca < cb ? -1 : 1;
        if (ca == 0)
            return 0;
    }
}

int CString::Collate(LPCSTR text) const
{
    return lstrcmpA(m_str.c_str(), text ? text : "");
}

int CString::CollateNoCase(LPCSTR text) const
{
    return lstrcmpiA(m_str.c_str(), text ? text : "");
}

CString CString::Mid(int first) const
{
    return Mid(first, GetLength());
}

CString CString::Mid(int first, int count) const
{
    int length = GetLength();
    first = Clamp(first, 0, length);
    count = Clamp(count, 0, length - first);
    return CString(m_str.substr(static_cast<size_t>(first), static_cast<size_t>(count)));
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Right(int count) const
{
    count = Clamp(count, 0, GetLength());
    return Mid(GetLength() - count, count);
}

CString CString::SpanIncluding(LPCSTR charSet) const
{
    return Left(static_cast<int>(strspn(m_str.c_str(), charSet)));
}

CString CString::SpanExcluding(LPCSTR charSet) const
{
    return Left(static_cast<int>(strcspn(m_str.c_str(), charSet)));
}

CString CString::Tokenize(LPCSTR delimiters, int& start) const
{
    int length = GetLength();
    if (start < 0 || start >= length) {
        start = -1;
        return CString();
    }
    if (!delimiters || !*delimiters) {
        CString rest = Mid(start);
        start = length;
        return rest;
    }
    const char* place = m_str.c_str() + start;
    int including = static_cast<int>(strspn(place, delimiters));
    if (start + including < length) {
        int from = start + including;
        int until = static_cast<int>(strcspn(m_str.c_str() + from, delimiters));
        start = from + until + 1;
        return Mid(from, until);
    }
    start = -1;
    return CString();
}

int CString::Find(char ch, int start) const
{
    if (start < 0)
        start = 0;
    if (start >= GetLength())
        return -1;
    size_t at = m_str.find(ch, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::Find(LPCSTR sub, int start) const
{
    if (!sub)
        return -1;
    if (start < 0)
        start = 0;
    if (start > GetLength())
        return -1;
    size_t at = m_str.find(sub, static_cast<size_t>(start));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::ReverseFind(char ch) const
{
    size_t at = m_str.rfind(ch);
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

int CString::FindOneOf(LPCSTR charSet) const
{
    size_t at = m_str.find_first_of(charSet ? charSet : "");
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

CString& CString::MakeUpper()
{
    const char* upper = Cases().upper;
    for (char& ch : m_str)
        ch = upper[static_cast<unsigned char>(ch)];
    return *this;
}

CString& CString::MakeLower()
{
    const char* lower = Cases().lower;
    for (char& ch : m_str)
        ch = lower[static_cast<unsigned char>(ch)];
    return *this;
}

CString& CString::MakeReverse()
{
    m_str.assign(m_str.rbegin(), m_str.rend());
    return *this;
}

int CString::Replace(char oldCh, char newCh)
{
    int count = 0;
    for (char& ch : m_str) {
        if (ch == oldCh) {
            ch = newCh;
            ++count;
        }
    }
    return count;
}

int CString::Replace(LPCSTR oldText, LPCSTR newText)
{
    if (!oldText || !*oldText)
        return 0;
    const size_t oldLength = strlen(oldText);
    const std::string replacement = newText ? newText : "";
    std::string result;
    int count = 0;
    size_t from = 0;
    for (size_t at; (at = m_str.find(oldText, from)) != std::string::npos; from = at + oldLength) {
        result.append(m_str, from, at - from);
        result += replacement;
        ++count;
    }
    if (count) {
        result.append(m_str, from, std::string::npos);
        m_str.swap(result);
    }
    return count;
}

int CString::Remove(char ch)
{
    size_t before = m_str.size();
    m_str.erase(std::remove(m_str.begin(), m_str.end(), ch), m_str.end());
    return static_cast<int>(before - m_str.size());
}

int CString::Insert(int index, char ch)
{
    index = Clamp(index, 0, GetLength());
    m_str.insert(static_cast<size_t>(index), 1, ch);
    return GetLength();
}

int CString::Insert(int index, LPCSTR text)
{
    index = Clamp(index, 0, GetLength());
    if (text)
        m_str.insert(static_cast<size_t>(index), text);
    return GetLength();
}

int CString::Delete(int index, int count)
{
    index = Clamp(index, 0, GetLength());
    count = Clamp(count, 0, GetLength() - index);
    m_str.erase(static_cast<size_t>(index), static_cast<size_t>(count));
    return GetLength();
}

CString& CString::Trim()
{
    return TrimRight().TrimLeft();
}

CString& CString::Trim(char target)
{
    return TrimRight(target).TrimLeft(target);
}

CString& CString::Trim(LPCSTR targets)
{
    return TrimRight(targets).TrimLeft(targets);
}

CString& CString::TrimLeft()
{
    size_t n = 0;
    while (n < m_str.size() && IsTrimSpace(m_str[n]))
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(char target)
{
    size_t n = 0;
    while (n < m_str.size() && m_str[n] == target)
        ++n;
    m_str.erase(0, n);
    return *this;
}

CString& CString::TrimLeft(LPCSTR targets)
{
    if (targets && *targets)
        m_str.erase(0, std::min(m_str.find_first_not_of(targets), m_str.size()));
    return *this;
}

CString& CString::TrimRight()
{
    size_t n = m_str.size();
    while (n > 0 && IsTrimSpace(m_str[n - 1]))
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(char target)
{
    size_t n = m_str.size();
    while (n > 0 && m_str[n - 1] == target)
        --n;
    m_str.resize(n);
    return *this;
}

CString& CString::TrimRight(LPCSTR targets)
{
    if (targets && *targets) {
        size_t last = m_str.find_last_not_of(targets);
        m_str.resize(last == std::string::npos ? 0 : last + 1);
    }
    return *this;
}

void CString::Format(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    FormatV(format, args);
    va_end(args);
}

void CString::FormatV(LPCSTR format, va_list args)
{
    m_str.clear();
    AppendFormatV(format, args);
}

void CString::AppendFormat(LPCSTR format, ...)
{
    va_list args;
    va_start(args, format);
    AppendFormatV(format, args);
    va_end(args);
}

void CString::AppendFormatV(LPCSTR format, va_list args)
{
    char small[512];
    va_list copy;
    va_copy(copy, args);
    int needed = vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (needed < 0)
        return;
    if (static_cast<size_t>(needed) < sizeof small) {
        m_str.append(small, static_cast<size_t>(needed));
        return;
    }
    size_t old = m_str.size();
    m_str.resize(old + static_cast<size_t>(needed) + 1);
    vsnprintf(&m_str[old], static_cast<size_t>(needed) + 1, format, args);
    m_str.resize(old + static_cast<size_t>(needed));
}

LPSTR CString::GetBuffer(int minLength)
{
    if (minLength > GetLength())
        m_str.resize(static_cast<size_t>(minLength));
    return &m_str[0];
}

LPSTR CString::GetBufferSetLength(int length)
{
    m_str.resize(static_cast<size_t>(length < 0 ? 0 : length));
    return &m_str[0];
}

void CString::ReleaseBuffer(int newLength)
{
    if (newLength < 0)
        newLength = static_cast<int>(strlen(m_str.c_str()));
    m_str.resize(static_cast<size_t>(Clamp(newLength, 0, GetLength())));
}

BOOL CString::LoadString(UINT id)
{
    char buffer[1024];
    int length = ::LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
    if (length <= 0) {
        m_str.clear();
        return FALSE;
    }
    m_str.assign(buffer, static_cast<size_t>(length));
    return TRUE;
}
