#include "framework/File.h"

#include <string.h>

// ---------------------------------------------------------------- exceptions

BOOL CException::GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (buffer && maxLength)
        lstrcpynA(buffer, "Unknown error.", static_cast<int>(maxLength));
    return TRUE;
}

BOOL CFileException::GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext) const
{
    if (helpContext)
        *helpContext = 0;
    if (!buffer || !maxLength)
        return FALSE;
    buffer[0] = '\0';
    if (m_lOsError > 0 &&
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                       static_cast<DWORD>(m_lOsError), 0, buffer, maxLength, nullptr))
        return TRUE;
    CString text;
    text.Format("File error %d accessing %s.", m_cause, (LPCSTR)m_strFileName);
    lstrcpynA(buffer, text, static_cast<int>(maxLength));
    return TRUE;
}

int CFileException::OsErrorToException(LONG osError)
{
    switch (osError) {
    case NO_ERROR: return none;
    case ERROR_FILE_NOT_FOUND: return fileNotFound;
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_PATHNAME:
    case ERROR_INVALID_DRIVE: return badPath;
    case ERROR_TOO_MANY_OPEN_FILES: return tooManyOpenFiles;
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT: return accessDenied;
    case ERROR_INVALID_HANDLE: return invalidFile;
    case ERROR_CURRENT_DIRECTORY: return removeCurrentDir;
    case ERROR_CANNOT_MAKE: return directoryFull;
    case ERROR_SEEK:
    case ERROR_NEGATIVE_SEEK: return badSeek;
    case ERROR_SHARING_VIOLATION: return sharingViolation;
    case ERROR_LOCK_VIOLATION: return lockViolation;
    case ERROR_HANDLE_DISK_FULL:
    case ERROR_DISK_FULL: return diskFull;
    case ERROR_HANDLE_EOF: return endOfFile;
    default: return genericException;
    }
}

void CFileException::ThrowOsError(LONG osError, LPCSTR fileName)
{
    throw new CFileException(OsErrorToException(osError), osError, fileName);
}

// ---------------------------------------------------------------- CFile

CFile::CFile(LPCSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CFile::~CFile()
{
    if (IsOpen())
        Abort();
}

BOOL CFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error)
{
    if (IsOpen())
        Abort();
    m_strFileName = fileName;

    DWORD access = 0;
    switch (openFlags & 3) {
    case modeRead: access = GENERIC_READ; break;
    case modeWrite: access = GENERIC_WRITE; break;
    default: access = GENERIC_READ | GENERIC_WRITE; break;
    }
    DWORD share = 0;
    switch (openFlags & 0x70) {
    case shareDenyWrite: share = FILE_SHARE_READ; break;
    case shareDenyRead: share = FILE_SHARE_WRITE; break;
    case shareDenyNone: share = FILE_SHARE_READ | FILE_SHARE_WRITE; break;
    case shareExclusive: share = 0; break;
    default: share = FILE_SHARE_READ; break;   // shareCompat
    }
    DWORD creation = OPEN_EXISTING;
    if (openFlags & modeCreate)
        creation = (openFlags & modeNoTruncate) ? OPEN_ALWAYS : CREATE_ALWAYS;

    SECURITY_ATTRIBUTES security = {sizeof security, nullptr, (openFlags & modeNoInherit) ? FALSE : TRUE};
    HANDLE file = CreateFileA(fileName, access, share, &security, creation, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        if (error) {
            error->m_lOsError = static_cast<LONG>(GetLastError());
            error->m_cause = CFileException::OsErrorToException(error->m_lOsError);
            error->m_strFileName = fileName;
        }
        return FALSE;
    }
    m_hFile = file;
    return TRUE;
}

void CFile::ThrowLastError() const
{
    CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

UINT CFile::Read(void* buffer, UINT count)
{
    DWORD read = 0;
    if (count && !ReadFile(m_hFile, buffer, count, &read, nullptr))
        ThrowLastError();
    return read;
}

void CFile::Write(const void* buffer, UINT count)
{
    DWORD written = 0;
    if (!count)
        return;
    if (!WriteFile(m_hFile, buffer, count, &written, nullptr))
        ThrowLastError();
    if (written != count)
        CFileException::ThrowOsError(ERROR_DISK_FULL, m_strFileName);
}

void CFile::Flush()
{
    if (IsOpen() && !FlushFileBuffers(m_hFile))
        ThrowLastError();
}

void CFile::Close()
{
    HANDLE file = m_hFile;
    m_hFile = INVALID_HANDLE_VALUE;
    if (file != INVALID_HANDLE_VALUE && !CloseHandle(file))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), m_strFileName);
}

void CFile::Abort()
{
    if (IsOpen())
        CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}

ULONGLONG CFile::Seek(LONGLONG offset, UINT from)
{
    LARGE_INTEGER distance, position;
    distance.QuadPart = offset;
    if (!SetFilePointerEx(m_hFile, distance, &position, from))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetPosition() const
{
    LARGE_INTEGER zero, position;
    zero.QuadPart = 0;
    if (!SetFilePointerEx(m_hFile, zero, &position, FILE_CURRENT))
        ThrowLastError();
    return static_cast<ULONGLONG>(position.QuadPart);
}

ULONGLONG CFile::GetLength() const
{
    LARGE_INTEGER size;
    if (!GetFileSizeEx(m_hFile, &size))
        ThrowLastError();
    return static_cast<ULONGLONG>(size.QuadPart);
}

void CFile::SetLength(ULONGLONG length)
{
    Seek(static_cast<LONGLONG>(length), begin);
    if (!SetEndOfFile(m_hFile))
        ThrowLastError();
}

CString CFile::GetFileName() const
{
    int slash = m_strFileName.ReverseFind('\\');
    return slash < 0 ? m_strFileName : m_strFileName.Mid(slash + 1);
}

void CFile::Remove(LPCSTR fileName)
{
    if (!DeleteFileA(fileName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), fileName);
}

void CFile::Rename(LPCSTR oldName, LPCSTR newName)
{
    if (!MoveFileA(oldName, newName))
        CFileException::ThrowOsError(static_cast<LONG>(GetLastError()), oldName);
}

// ---------------------------------------------------------------- CStdioFile

namespace {
const size_t kStdioBufferSize = 64 * 1024;
}

CStdioFile::CStdioFile(LPCSTR fileName, UINT openFlags)
{
    CFileException error;
    if (!Open(fileName, openFlags, &error))
        throw new CFileException(error.m_cause, error.m_lOsError, error.m_strFileName);
}

CStdioFile::~CStdioFile()
{
    if (IsOpen()) {
        try {
            FlushWrites();
        } catch (CFileException* e) {
            e->Delete();
        }
        CFile::Abort();
    }
}

BOOL CStdioFile::Open(LPCSTR fileName, UINT openFlags, CFileException* error)
{
    m_text = (openFlags & typeBinary) == 0;
    m_readBuffer.clear();
    m_readPos = 0;
    m_writeBuffer.clear();
    return CFile::Open(fileName, openFlags & ~(typeText | typeBinary), error);
}

void CStdioFile::FillBuffer()
{
    m_readBuffer.resize(kStdioBufferSize);
    DWORD read = 0;
    if (!ReadFile(m_hFile, m_readBuffer.data(), static_cast<DWORD>(m_readBuffer.size()), &read, nullptr)) {
        m_readBuffer.clear();
        m_readPos = 0;
        ThrowLastError();
    }
    m_readBuffer.resize(read);
    m_readPos = 0;
}

int CStdioFile::GetByte()
{
    if (m_readPos >= m_readBuffer.size()) {
        FlushWrites();
        FillBuffer();
        if (m_readBuffer.empty())
            return -1;
    }
    return static_cast<unsigned char>(m_readBuffer[m_readPos++]);
}

UINT CStdioFile::Read(void* buffer, UINT count)
{
    char* out = static_cast<char*>(buffer);
    UINT done = 0;
    while (done < count) {
        int ch = GetByte();
        if (ch < 0)
            break;
        if (m_text && ch == '\r') {
            int next = GetByte();
            if (next == '\n')
                ch = '\n';
            else if (next >= 0)
                --m_readPos;   // the byte after a lone CR is read again next
        }
        out[done++] = static_cast<char>(ch);
    }
    return done;
}

BOOL CStdioFile::ReadString(CString& line)
{
    line.Empty();
    int ch = GetByte();
    if (ch < 0)
        return FALSE;
    std::string text;
    for (; ch >= 0; ch = GetByte()) {
        if (ch == '\n')
            break;
        if (m_text && ch == '\r') {
            int next = GetByte();
            if (next == '\n')
                break;
            if (next >= 0)
                --m_readPos;
        }
        text += static_cast<char>(ch);
    }
    line = CString(text);
    return TRUE;
}

void CStdioFile::Write(const void* buffer, UINT count)
{
    DropReadAhead();
    const char* in = static_cast<const char*>(buffer);
    for (UINT i = 0; i < count; ++i) {
        if (m_text && in[i] == '\n')
            m_writeBuffer.push_back('\r');
        m_writeBuffer.push_back(in[i]);
    }
    if (m_writeBuffer.size() >= kStdioBufferSize)
        FlushWrites();
}

void CStdioFile::WriteString(LPCSTR text)
{
    if (text)
        Write(text, static_cast<UINT>(strlen(text)));
}

void CStdioFile::FlushWrites()
{
    if (m_writeBuffer.empty())
        return;
    std::vector<char> pending;
    pending.swap(m_writeBuffer);
    CFile::Write(pending.data(), static_cast<UINT>(pending.size()));
}

void CStdioFile::DropReadAhead()
{
    if (m_readPos < m_readBuffer.size()) {
        LARGE_INTEGER back, unused;
        back.QuadPart = -static_cast<LONGLONG>(m_readBuffer.size() - m_readPos);
        SetFilePointerEx(m_hFile, back, &unused, FILE_CURRENT);
    }
    m_readBuffer.clear();
    m_readPos = 0;
}

void CStdioFile::Flush()
{
    FlushWrites();
    CFile::Flush();
}

void CStdioFile::Close()
{
    if (IsOpen()) {
        try {
            FlushWrites();
        } catch (CFileException*) {
            CFile::Abort();
            throw;
        }
    }
    m_readBuffer.clear();
    m_readPos = 0;
    CFile::Close();
}

void CStdioFile::Abort()
{
    m_writeBuffer.clear();
    m_readBuffer.clear();
    m_readPos = 0;
    CFile::Abort();
}

ULONGLONG CStdioFile::Seek(LONGLONG offset, UINT from)
{
    FlushWrites();
    DropReadAhead();
    return CFile::Seek(offset, from);
}

ULONGLONG CStdioFile::GetPosition() const
{
    ULONGLONG position = CFile::GetPosition();
    return position - (m_readBuffer.size() - m_readPos) + m_writeBuffer.size();
}

// ---------------------------------------------------------------- CFileFind

BOOL CFileFind::FindFile(LPCSTR pattern, DWORD)
{
    Close();
    CString spec = pattern ? pattern : "*.*";
    char full[MAX_PATH * 2];
    char* namePart = nullptr;
    DWORD length = GetFullPathNameA(spec, sizeof full, full, &namePart);
    if (length > 0 && length < sizeof full && namePart)
        m_root = CString(full, static_cast<int>(namePart - full));
    else {
        int slash = spec.ReverseFind('\\');
        m_root = slash < 0 ? CString() : spec.Left(slash + 1);
    }
    m_find = FindFirstFileA(spec, &m_next);
    m_hasNext = m_find != INVALID_HANDLE_VALUE;
    return m_hasNext;
}

BOOL CFileFind::FindNextFile()
{
    if (!m_hasNext)
        return FALSE;
    m_current = m_next;
    m_hasNext = ::FindNextFileA(m_find, &m_next) != 0;
    return m_hasNext;
}

void CFileFind::Close()
{
    if (m_find != INVALID_HANDLE_VALUE)
        FindClose(m_find);
    m_find = INVALID_HANDLE_VALUE;
    m_hasNext = false;
}

CString CFileFind::GetFileTitle() const
{
    CString name = GetFileName();
    int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

ULONGLONG CFileFind::GetLength() const
{
    return (static_cast<ULONGLONG>(m_current.nFileSizeHigh) << 32) | m_current.nFileSizeLow;
}

BOOL CFileFind::GetLastWriteTime(FILETIME* time) const
{
    if (!time)
        return FALSE;
    *time = m_current.ftLastWriteTime;
    return TRUE;
}

BOOL CFileFind::IsDots() const
{
    const char* name = m_current.cFileName;
    return IsDirectory() && name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0'));
}
