#include "framework/Archive.h"

void CArchive::Write(const void* buffer, UINT count)
{
    if (IsLoading())
        throw new CArchiveException(CArchiveException::readOnly);
    m_file->Write(buffer, count);
}

BOOL CArchiveException::GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || !maxLength)
        return FALSE;
    LPCSTR text = m_cause == endOfFile ? "Unexpected end of the archived data."
                  : m_cause == readOnly ? "An archive being read was written to."
                  : m_cause == writeOnly ? "An archive being written was read from."
                                         : "The archived data is not valid.";
    lstrcpynA(buffer, text, static_cast<int>(maxLength));
    return TRUE;
}
