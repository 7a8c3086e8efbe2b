// CMemFile: a CFile over a block of memory, either a caller's fixed buffer
// or a buffer of its own that grows as it is written.
#pragma once

#include "framework/File.h"

#include <vector>

class CMemFile : public CFile
{
public:
    explicit CMemFile(UINT growBytes = 1024);
    // Over the caller's buffer: reads it, and writes into it in place; it
    // never grows, so a write past its end throws a CFileException*.
    CMemFile(BYTE* buffer, UINT size, UINT growBytes = 0);

    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;   // throws CFileException* when full
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override { return m_position; }
    void Flush() override {}
    void Close() override;
    void Abort() override { Close(); }
    ULONGLONG GetLength() const { return m_size; }

    // The data written so far (valid until the next write).
    const BYTE* GetData() const { return Data(); }

private:
    BYTE* Data() { return m_external ? m_external : m_own.data(); }
    const BYTE* Data() const { return m_external ? m_external : m_own.data(); }

    BYTE* m_external = nullptr;   // the caller's buffer, or none
    UINT m_capacity = 0;          // size of the caller's buffer
    std::vector<BYTE> m_own;
    UINT m_size = 0;
    UINT m_position = 0;
};
