#include "framework/MemFile.h"

#include <string.h>

CMemFile::CMemFile(UINT)
{
}

CMemFile::CMemFile(BYTE* buffer, UINT size, UINT)
    : m_external(buffer), m_capacity(size), m_size(size)
{
}

UINT CMemFile::Read(void* buffer, UINT count)
{
    UINT available = m_position < m_size ? m_size - m_position : 0;
    if (count > available)
        count = available;
    if (count) {
        memcpy(buffer, Data() + m_position, count);
        m_position += count;
    }
    return count;
}

void CMemFile::Write(const void* buffer, UINT count)
{
    if (count == 0)
        return;
    UINT end = m_position + count;
    if (m_external) {
        if (end < m_position || end > m_capacity)
            CFileException::ThrowOsError(ERROR_HANDLE_DISK_FULL);
    } else if (end > m_own.size()) {
        m_own.resize(end);
    }
    memcpy(Data() + m_position, buffer, count);
    m_position = end;
    if (end > m_size)
        m_size = end;
}

ULONGLONG CMemFile::Seek(LONGLONG offset, UINT from)
{
    LONGLONG base = from == begin ? 0 : from == current ? m_position : m_size;
    LONGLONG target = base + offset;
    if (target < 0)
        CFileException::ThrowOsError(ERROR_NEGATIVE_SEEK);
    m_position = static_cast<UINT>(target);
    return m_position;
}

void CMemFile::Close()
{
    m_external = nullptr;
    m_capacity = 0;
    m_own.clear();
    m_size = m_position = 0;
}
