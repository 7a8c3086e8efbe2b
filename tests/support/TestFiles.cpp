#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace testing_support {

TempFolder::TempFolder()
{
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    static LONG counter = 0;
    for (;;) {
        char name[MAX_PATH + 64];
        wsprintfA(name, "%skestrune-test-%lu-%ld-%lu", base, GetCurrentProcessId(),
                  InterlockedIncrement(&counter), GetTickCount());
        if (CreateDirectoryA(name, nullptr)) {
            m_path = name;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            ADD_FAILURE() << "cannot create a temporary folder under " << base;
            m_path = base;
            return;
        }
    }
}

TempFolder::~TempFolder()
{
    RemoveTree(m_path);
}

void RemoveTree(const std::string& path)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((path + "\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            std::string name = data.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(find, &data));
        FindClose(find);
    }
    RemoveDirectoryA(path.c_str());
}

namespace {

void ListTree(const std::string& folder, const std::string& prefix, TreeListing& listing)
{
    WIN32_FIND_DATAA data;
    HANDLE find = FindFirstFileA((folder + "\\*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::string name = data.cFileName;
        if (name == "." || name == "..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            listing.insert(prefix + name + "\\");
            ListTree(folder + "\\" + name, prefix + name + "\\", listing);
        } else {
            listing.insert(prefix + name + "=" + ReadFileBytes(folder + "\\" + name));
        }
    } while (FindNextFileA(find, &data));
    FindClose(find);
}

void MakeFolders(const std::string& path)
{
    if (path.size() <= 3 || GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES)
        return;
    const size_t slash = path.rfind('\\');
    if (slash != std::string::npos)
        MakeFolders(path.substr(0, slash));
    CreateDirectoryA(path.c_str(), nullptr);
}

}  // namespace

TreeListing ListTree(const std::string& folder)
{
    TreeListing listing;
    ListTree(folder, "", listing);
    return listing;
}

void MakeTree(const std::string& folder, const std::vector<std::string>& files)
{
    for (const std::string& file : files) {
        const size_t equals = file.find('=');
        const std::string path = folder + "\\" + file.substr(0, equals);
        MakeFolders(path.substr(0, path.rfind('\\')));
        WriteFileBytes(path, file.substr(equals + 1));
    }
}

std::string ReadFileBytes(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        ADD_FAILURE() << "cannot open " << path;
        return std::string();
    }
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    CloseHandle(file);
    return bytes;
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << "cannot create " << path;
    DWORD written = 0;
    WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    EXPECT_EQ(written, bytes.size());
}

bool FileExists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::string SourcePath(const std::string& relative)
{
    std::string path = std::string(KESTRUNE_TESTS_DIR) + "\\" + relative;
    for (char& ch : path)
        if (ch == '/')
            ch = '\\';
    return path;
}

}  // namespace testing_support
