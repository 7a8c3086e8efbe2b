#include "framework/Framework.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

std::vector<std::string> ReadLines(const std::string& path, UINT mode = CFile::typeText)
{
    std::vector<std::string> lines;
    CStdioFile file;
    EXPECT_TRUE(file.Open(path.c_str(), CFile::modeRead | mode));
    CString line;
    while (file.ReadString(line))
        lines.push_back(line.GetString());
    return lines;
}

TEST(CStdioFile, TextModeWritesCrLfForEachLineFeed)
{
    TempFolder dir;
    {
        CStdioFile file(( dir / "out.txt").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText);
        file.WriteString("one\n\ntwo\r\nthree");
        file.Close();
    }
    EXPECT_EQ(ReadFileBytes(dir / "out.txt"), "one\r\n\r\ntwo\r\r\nthree");
}

TEST(CStdioFile, TextModeReadsEachKindOfLineEnd)
{
    struct Case
    {
        const char* bytes;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {"", {}},
        {"a", {"a"}},
        {"a\r\nb\r\n", {"a", "b"}},
        {"a\nb", {"a", "b"}},
        {"\r\n\r\nx", {"", "", "x"}},
        {"a\rb\r\n", {"a\rb"}},     // a lone CR belongs to the line
        {"end\r", {"end\r"}},
    };
    TempFolder dir;
    for (const Case& c : cases) {
        WriteFileBytes(dir / "in.txt", c.bytes);
        EXPECT_EQ(ReadLines(dir / "in.txt"), c.lines) << '"' << c.bytes << '"';
    }
}

TEST(CStdioFile, LongLinesAcrossBufferBoundaries)
{
    TempFolder dir;
    std::string longLine(200000, 'x');
    std::string bytes;
    for (int i = 0; i < 3; ++i)
        bytes += longLine + "\r\n";
    // A CR LF split by the read buffer's boundary is still one line end.
    std::string split(65535, 'y');
    bytes += split + "\r\nlast";
    WriteFileBytes(dir / "long.txt", bytes);
    std::vector<std::string> lines = ReadLines(dir / "long.txt");
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[0], longLine);
    EXPECT_EQ(lines[3], split);
    EXPECT_EQ(lines[4], "last");
}

TEST(CStdioFile, BinaryModeKeepsBytes)
{
    TempFolder dir;
    {
        CStdioFile file((dir / "bin").c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeBinary);
        file.WriteString("a\nb");
    }
    EXPECT_EQ(ReadFileBytes(dir / "bin"), "a\nb");
    WriteFileBytes(dir / "bin", "a\r\nb");
    EXPECT_EQ(ReadLines(dir / "bin", CFile::typeBinary), (std::vector<std::string>{"a\r", "b"}));
}

TEST(CFile, FailuresAreReportedAndThrown)
{
    TempFolder dir;
    CFile file;
    CFileException error;
    EXPECT_FALSE(file.Open((dir / "missing.txt").c_str(), CFile::modeRead, &error));
    EXPECT_EQ(error.m_cause, CFileException::fileNotFound);

    bool thrown = false;
    try {
        CStdioFile missing((dir / "no\\such\\folder.txt").c_str(), CFile::modeRead);
    } catch (CFileException* e) {
        thrown = true;
        EXPECT_EQ(e->m_cause, CFileException::badPath);
        e->Delete();
    }
    EXPECT_TRUE(thrown);
}

TEST(CFileFind, ListsFilesWithFullPaths)
{
    TempFolder dir;
    WriteFileBytes(dir / "a.txt", "1");
    WriteFileBytes(dir / "b.txt", "22");
    WriteFileBytes(dir / "c.dat", "");
    CreateDirectoryA((dir / "sub.txt").c_str(), nullptr);

    std::vector<std::string> files;
    CFileFind finder;
    BOOL more = finder.FindFile((dir / "*.txt").c_str());
    while (more) {
        more = finder.FindNextFile();
        if (finder.IsDirectory())
            continue;
        files.push_back(finder.GetFileName().GetString());
        EXPECT_STREQ(finder.GetFilePath(), (dir / finder.GetFileName().GetString()).c_str());
        EXPECT_EQ(finder.GetLength(), finder.GetFileTitle() == "a" ? 1u : 2u);
    }
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_FALSE(finder.FindFile((dir / "*.none").c_str()));
}

}  // namespace
