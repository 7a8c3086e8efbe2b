// CArchive: values written to or read from a CFile in binary form, each
// little-endian in its own size. Reading past the end of the data throws a
// CArchiveException* (the catcher calls Delete()).
#pragma once

#include "framework/File.h"

class CArchiveException : public CException
{
public:
    enum { none, genericException, readOnly, endOfFile, writeOnly };

    explicit CArchiveException(int cause = none) : m_cause(cause) {}
    BOOL GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const override;

    int m_cause;
};

class CArchive
{
public:
    enum Mode { store = 0, load = 1 };

    CArchive(CFile* file, UINT mode) : m_file(file), m_mode(mode) {}
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    BOOL IsLoading() const { return (m_mode & load) != 0; }
    BOOL IsStoring() const { return !IsLoading(); }
    CFile* GetFile() const { return m_file; }

    UINT Read(void* buffer, UINT count) { return m_file->Read(buffer, count); }
    void Write(const void* buffer, UINT count);
    void Flush() { m_file->Flush(); }
    void Close() { m_file = nullptr; }

    CArchive& operator<<(BYTE value) { return Put(value); }
    CArchive& operator<<(WORD value) { return Put(value); }
    CArchive& operator<<(int value) { return Put(value); }
    CArchive& operator<<(UINT value) { return Put(value); }
    CArchive& operator<<(LONG value) { return Put(value); }
    CArchive& operator<<(DWORD value) { return Put(value); }

    CArchive& operator>>(BYTE& value) { return Get(value); }
    CArchive& operator>>(WORD& value) { return Get(value); }
    CArchive& operator>>(int& value) { return Get(value); }
    CArchive& operator>>(UINT& value) { return Get(value); }
    CArchive& operator>>(LONG& value) { return Get(value); }
    CArchive& operator>>(DWORD& value) { return Get(value); }

private:
    template <class T>
    CArchive& Put(T value)
    {
        Write(&value, sizeof value);
        return *this;
    }
    template <class T>
    CArchive& Get(T& value)
    {
        if (!IsLoading())
            throw new CArchiveException(CArchiveException::writeOnly);
        if (Read(&value, sizeof value) != sizeof value)
            throw new CArchiveException(CArchiveException::endOfFile);
        return *this;
    }

    CFile* m_file;
    UINT m_mode;
};
