// Files: CFile (unbuffered, binary), CStdioFile (buffered, with text mode)
// and CFileFind, and the exceptions they throw.
//
// Failures are thrown as heap-allocated exceptions (`throw new
// CFileException(...)`); the catcher calls Delete() on them.
#pragma once

#include "framework/String.h"

#include <vector>

class CException
{
public:
    virtual ~CException() = default;
    virtual BOOL GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const;
    void Delete() { delete this; }
};

class CMemoryException : public CException
{
};

class CFileException : public CException
{
public:
    enum {
        none, genericException, fileNotFound, badPath, tooManyOpenFiles, accessDenied,
        invalidFile, removeCurrentDir, directoryFull, badSeek, hardIO, sharingViolation,
        lockViolation, diskFull, endOfFile
    };

    explicit CFileException(int cause = none, LONG osError = -1, LPCSTR fileName = nullptr)
        : m_cause(cause), m_lOsError(osError), m_strFileName(fileName) {}

    BOOL GetErrorMessage(LPSTR buffer, UINT maxLength, PUINT helpContext = nullptr) const override;

    static int OsErrorToException(LONG osError);
    static void ThrowOsError(LONG osError, LPCSTR fileName = nullptr);

    int m_cause;
    LONG m_lOsError;
    CString m_strFileName;
};

class CFile
{
public:
    enum OpenFlags {
        modeRead = 0x0000, modeWrite = 0x0001, modeReadWrite = 0x0002,
        shareCompat = 0x0000, shareExclusive = 0x0010, shareDenyWrite = 0x0020,
        shareDenyRead = 0x0030, shareDenyNone = 0x0040, modeNoInherit = 0x0080,
        modeCreate = 0x1000, modeNoTruncate = 0x2000,
        typeText = 0x4000, typeBinary = 0x8000
    };
    enum SeekPosition { begin = 0, current = 1, end = 2 };

    CFile() = default;
    explicit CFile(HANDLE file) : m_hFile(file) {}
    CFile(LPCSTR fileName, UINT openFlags);   // throws CFileException*
    CFile(const CFile&) = delete;
    CFile& operator=(const CFile&) = delete;
    virtual ~CFile();

    virtual BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr);
    virtual UINT Read(void* buffer, UINT count);
    virtual void Write(const void* buffer, UINT count);
    virtual void Flush();
    virtual void Close();
    virtual void Abort();   // closes and ignores any failure
    virtual ULONGLONG Seek(LONGLONG offset, UINT from);
    virtual ULONGLONG GetPosition() const;
    void SeekToBegin() { Seek(0, begin); }
    ULONGLONG SeekToEnd() { return Seek(0, end); }
    ULONGLONG GetLength() const;
    void SetLength(ULONGLONG length);

    CString GetFilePath() const { return m_strFileName; }
    CString GetFileName() const;

    static void Remove(LPCSTR fileName);
    static void Rename(LPCSTR oldName, LPCSTR newName);

    HANDLE m_hFile = INVALID_HANDLE_VALUE;

protected:
    bool IsOpen() const { return m_hFile != INVALID_HANDLE_VALUE; }
    void ThrowLastError() const;

    CString m_strFileName;
};

// A buffered file. In text mode (the default; typeBinary turns it off) a
// line feed is written as CR LF and CR LF is read back as a line feed; a CR
// that is not followed by a line feed is kept.
class CStdioFile : public CFile
{
public:
    CStdioFile() = default;
    CStdioFile(LPCSTR fileName, UINT openFlags);   // throws CFileException*
    ~CStdioFile() override;

    BOOL Open(LPCSTR fileName, UINT openFlags, CFileException* error = nullptr) override;
    UINT Read(void* buffer, UINT count) override;
    void Write(const void* buffer, UINT count) override;
    void Flush() override;
    void Close() override;
    void Abort() override;
    ULONGLONG Seek(LONGLONG offset, UINT from) override;
    ULONGLONG GetPosition() const override;

    // Reads the next line without its line end; FALSE at the end of the file.
    virtual BOOL ReadString(CString& line);
    virtual void WriteString(LPCSTR text);

private:
    int GetByte();   // -1 at the end of the file
    void FillBuffer();
    void FlushWrites();
    void DropReadAhead();

    bool m_text = true;
    std::vector<char> m_readBuffer;
    size_t m_readPos = 0;
    std::vector<char> m_writeBuffer;
};

// Enumerates the files of a folder that match a pattern.
//   BOOL more = finder.FindFile(pattern);
//   while (more) { more = finder.FindNextFile(); ... use the current file ... }
class CFileFind
{
public:
    CFileFind() = default;
    CFileFind(const CFileFind&) = delete;
    CFileFind& operator=(const CFileFind&) = delete;
    virtual ~CFileFind() { Close(); }

    BOOL FindFile(LPCSTR pattern = nullptr, DWORD unused = 0);
    BOOL FindNextFile();
    void Close();

    CString GetFileName() const { return m_current.cFileName; }
    CString GetFilePath() const { return m_root + m_current.cFileName; }
    CString GetFileTitle() const;
    CString GetRoot() const { return m_root; }
    ULONGLONG GetLength() const;
    BOOL GetLastWriteTime(FILETIME* time) const;
    BOOL MatchesMask(DWORD mask) const { return (m_current.dwFileAttributes & mask) != 0; }
    BOOL IsDirectory() const { return MatchesMask(FILE_ATTRIBUTE_DIRECTORY); }
    BOOL IsReadOnly() const { return MatchesMask(FILE_ATTRIBUTE_READONLY); }
    BOOL IsHidden() const { return MatchesMask(FILE_ATTRIBUTE_HIDDEN); }
    BOOL IsSystem() const { return MatchesMask(FILE_ATTRIBUTE_SYSTEM); }
    BOOL IsDots() const;

private:
    HANDLE m_find = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA m_current = {};
    WIN32_FIND_DATAA m_next = {};
    bool m_hasNext = false;
    CString m_root;   // the pattern's folder, with its trailing backslash
};
