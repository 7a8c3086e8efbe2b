#include "app/EnableLine.h"

#include "framework/File.h"

#include <string.h>

#include <string>

namespace {

bool ReadWholeFile(const CString& path, std::string& bytes)
{
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    try {
        bytes.resize(static_cast<size_t>(file.GetLength()));
        UINT read = bytes.empty() ? 0 : file.Read(&bytes[0], static_cast<UINT>(bytes.size()));
        file.Close();
        return read == bytes.size();
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
}

// Writes a sibling file and moves it over the original, so that a failure
// part-way leaves the original as it was.
bool ReplaceFile(const CString& path, const std::string& bytes)
{
    CString folder = path.Left(path.ReverseFind('\\') + 1);
    char temp[MAX_PATH];
    if (!GetTempFileNameA(folder.IsEmpty() ? "." : static_cast<LPCSTR>(folder), "ken", 0, temp))
        return false;
    HANDLE file = CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    bool complete = file != INVALID_HANDLE_VALUE &&
                    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && FlushFileBuffers(file);
    if (file != INVALID_HANDLE_VALUE)
        CloseHandle(file);
    if (complete && MoveFileExA(temp, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(temp);
    return false;
}

// The text of the line that starts at `begin`, without its line end, and
// where the next line starts.
std::string LineAt(const std::string& bytes, size_t begin, size_t& next)
{
    size_t end = bytes.find('\n', begin);
    next = end == std::string::npos ? bytes.size() : end + 1;
    if (end == std::string::npos)
        end = bytes.size();
    if (end > begin && bytes[end - 1] == '\r')
        --end;
    return bytes.substr(begin, end - begin);
}

bool EqualNoCase(const std::string& a, const char* b)
{
    return lstrcmpiA(a.c_str(), b) == 0;
}

bool StartsWithNoCase(const std::string& text, const char* prefix)
{
    const size_t length = strlen(prefix);
    return text.size() >= length && EqualNoCase(text.substr(0, length), prefix);
}

// A file saved by a text editor as UTF-8 may begin with a byte-order mark.
std::string WithoutByteOrderMark(const std::string& line)
{
    return line.compare(0, 3, "\xEF\xBB\xBF") == 0 ? line.substr(3) : line;
}

}  // namespace

BOOL WriteEnableLine(const CString& path, BOOL enable)
{
    std::string bytes;
    if (!ReadWholeFile(path, bytes))
        return FALSE;

    const int kEnableLine = 6;
    size_t begin = 0, next = 0;
    std::string line;
    for (int number = 1; number <= kEnableLine; ++number) {
        if (begin >= bytes.size())
            return FALSE;   // the file ends before its Enable line
        line = LineAt(bytes, begin, next);
        if (number == 1 && !EqualNoCase(WithoutByteOrderMark(line), "[General]"))
            return FALSE;
        if (number < kEnableLine)
            begin = next;
    }
    if (!StartsWithNoCase(line, "Enable="))
        return FALSE;

    const std::string wanted = enable ? "Enable=1" : "Enable=0";
    if (line == wanted)
        return TRUE;
    bytes.replace(begin, line.size(), wanted);
    return ReplaceFile(path, bytes);
}
