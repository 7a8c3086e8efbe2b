// CEngineString: the interpreter's own growable character string, used for
// variable names and as the working text of the string builtins. The buffer
// is always zero-terminated; the length counts the characters before it.
#pragma once

class CEngineString
{
public:
    CEngineString();
    explicit CEngineString(const char* text);
    // An empty string with room for `reserve` characters.
    explicit CEngineString(int reserve);
    CEngineString(const CEngineString& other);
    CEngineString& operator=(const CEngineString& other) { Assign(other); return *this; }
    CEngineString& operator=(const char* text) { Assign(text); return *this; }
    ~CEngineString();

    const char* GetText() const { return m_buffer; }
    operator const char*() const { return m_buffer; }
    int GetLength() const { return m_length; }
    int GetCapacity() const { return m_capacity; }
    bool IsEmpty() const { return m_length == 0; }

    // The character at `index`; the terminating zero outside the text.
    char CharAt(int index) const;

    void Assign(const CEngineString& other);
    void Assign(const char* text);
    void Assign(const char* text, int length);
    void AssignChar(char ch);
    void Append(const CEngineString& other);
    void Append(const char* text);
    void Append(const char* text, int length);
    void AppendChar(char ch);

    bool Equals(const CEngineString& other) const;
    // Negative, 0 or positive; case folded through the ANSI code page.
    int CompareNoCase(const char* text) const;

    void MakeUpper();
    void MakeLower();
    void Clear();

    // Removes the characters [from, to) when 0 <= from < to <= length.
    void Erase(int from, int to);
    // Cuts the text to `count` characters when 0 <= count < length.
    void Truncate(int count);
    // This string becomes source's characters [start, end), or empty when
    // the range is not inside source or is empty.
    void Mid(const CEngineString& source, int start, int end);

    // The index of the first character that is in `set`; the length if none.
    int FindFirstOf(const char* set) const;
    // The index of the last character that is not in `set`; the length when
    // every character is, 0 for an empty string.
    int FindLastNotOf(const char* set) const;
    // Removes trailing characters that are in `set`.
    void TrimRight(const char* set);

    // The position of the occurrence-th match of `text` (overlapping matches
    // count): counted from the front for occurrence > 0 (the length when
    // there are fewer), from the back for occurrence < 0 (negative when
    // there are fewer); occurrence 0 gives the length.
    int Find(const char* text, bool caseSensitive, int occurrence) const;

private:
    // Replaces the buffer by one of `capacity` bytes, keeping the text when asked.
    void Reserve(int capacity, bool keep);
    bool MatchesAt(int position, const char* text, int length, bool caseSensitive) const;

    char* m_buffer;
    int m_length;
    int m_capacity;
};
