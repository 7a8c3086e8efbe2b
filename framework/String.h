// CString: the program's multi-byte (ANSI code page) string.
//
// The familiar interface of a Windows string class over std::string. Indexes
// are 0-based; out-of-range positions and counts are clamped, never an error.
// Case-insensitive operations fold through the ANSI code page's own case
// mapping, so accented letters of the code page fold too.
#pragma once

#include <windows.h>
#include <stdarg.h>
#include <string>

class CString
{
public:
    CString() = default;
    CString(const CString& other) = default;
    CString(CString&& other) noexcept = default;
    CString(LPCSTR text) : m_str(text ? text : "") {}
    CString(LPCSTR text, int length);
    CString(char ch, int repeat = 1);
    CString(LPCWSTR wideText);   // converted through the ANSI code page
    explicit CString(const std::string& text) : m_str(text) {}

    CString& operator=(const CString& other) = default;
    CString& operator=(CString&& other) noexcept = default;
    CString& operator=(LPCSTR text) { m_str = text ? text : ""; return *this; }
    CString& operator=(char ch) { m_str.assign(1, ch); return *this; }
    CString& operator=(LPCWSTR wideText) { return *this = CString(wideText); }

    // Access
    int GetLength() const { return static_cast<int>(m_str.size()); }
    bool IsEmpty() const { return m_str.empty(); }
    void Empty() { m_str.clear(); }
    char GetAt(int index) const { return m_str[static_cast<size_t>(index)]; }
    void SetAt(int index, char ch) { m_str[static_cast<size_t>(index)] = ch; }
    char operator[](int index) const { return GetAt(index); }
    operator LPCSTR() const { return m_str.c_str(); }
    LPCSTR GetString() const { return m_str.c_str(); }
    const std::string& str() const { return m_str; }

    // Concatenation
    CString& operator+=(const CString& text) { m_str += text.m_str; return *this; }
    CString& operator+=(LPCSTR text) { if (text) m_str += text; return *this; }
    CString& operator+=(char ch) { m_str += ch; return *this; }
    void Append(LPCSTR text, int length);
    void Append(LPCSTR text) { *this += text; }
    void AppendChar(char ch) { m_str += ch; }

    friend CString operator+(const CString& a, const CString& b) { return CString(a.m_str + b.m_str); }
    friend CString operator+(const CString& a, LPCSTR b) { CString r(a); r += b; return r; }
    friend CString operator+(LPCSTR a, const CString& b) { CString r(a); r += b; return r; }
    friend CString operator+(const CString& a, char b) { CString r(a); r += b; return r; }
    friend CString operator+(char a, const CString& b) { CString r(a); r += b; return r; }

    // Comparison: Compare is byte-wise, CompareNoCase folds case.
    int Compare(LPCSTR text) const;
    int CompareNoCase(LPCSTR text) const;
    int Collate(LPCSTR text) const;
    int CollateNoCase(LPCSTR text) const;

    friend bool operator==(const CString& a, const CString& b) { return a.m_str == b.m_str; }
    friend bool operator==(const CString& a, LPCSTR b) { return a.Compare(b) == 0; }
    friend bool operator==(LPCSTR a, const CString& b) { return b.Compare(a) == 0; }
    friend bool operator!=(const CString& a, const CString& b) { return !(a == b); }
    friend bool operator!=(const CString& a, LPCSTR b) { return !(a == b); }
    friend bool operator!=(LPCSTR a, const CString& b) { return !(b == a); }
    friend bool operator<(const CString& a, const CString& b) { return a.m_str < b.m_str; }
    friend bool operator>(const CString& a, const CString& b) { return b.m_str < a.m_str; }
    friend bool operator<=(const CString& a, const CString& b) { return !(b < a); }
    friend bool operator>=(const CString& a, const CString& b) { return !(a < b); }

    // Extraction
    CString Mid(int first) const;
    CString Mid(int first, int count) const;
    CString Left(int count) const;
    CString Right(int count) const;
    CString SpanIncluding(LPCSTR charSet) const;
    CString SpanExcluding(LPCSTR charSet) const;
    CString Tokenize(LPCSTR delimiters, int& start) const;

    // Searching: -1 when not found. A start beyond the end finds nothing.
    int Find(char ch, int start = 0) const;
    int Find(LPCSTR sub, int start = 0) const;
    int ReverseFind(char ch) const;
    int FindOneOf(LPCSTR charSet) const;

    // Changing in place
    CString& MakeUpper();
    CString& MakeLower();
    CString& MakeReverse();
    int Replace(char oldCh, char newCh);
    int Replace(LPCSTR oldText, LPCSTR newText);
    int Remove(char ch);
    int Insert(int index, char ch);
    int Insert(int index, LPCSTR text);
    int Delete(int index, int count = 1);
    CString& Trim();
    CString& Trim(char target);
    CString& Trim(LPCSTR targets);
    CString& TrimLeft();
    CString& TrimLeft(char target);
    CString& TrimLeft(LPCSTR targets);
    CString& TrimRight();
    CString& TrimRight(char target);
    CString& TrimRight(LPCSTR targets);

    // Formatting (C99 printf conventions)
    void Format(LPCSTR format, ...);
    void FormatV(LPCSTR format, va_list args);
    void AppendFormat(LPCSTR format, ...);
    void AppendFormatV(LPCSTR format, va_list args);

    // Raw buffer access. GetBuffer gives room for at least minLength
    // characters plus the terminator; ReleaseBuffer(-1) takes the length up
    // to the first NUL.
    LPSTR GetBuffer() { return &m_str[0]; }
    LPSTR GetBuffer(int minLength);
    LPSTR GetBufferSetLength(int length);
    void ReleaseBuffer(int newLength = -1);
    void Preallocate(int length) { if (length > 0) m_str.reserve(static_cast<size_t>(length)); }
    void FreeExtra() { m_str.shrink_to_fit(); }

    BOOL LoadString(UINT id);

private:
    std::string m_str;
};

// Case folding shared by CString and the rest of the program: the ANSI code
// page's lower-case form of one byte.
char FoldCharLower(char ch);
char FoldCharUpper(char ch);
