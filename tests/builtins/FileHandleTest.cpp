// The open-file table: line endings, reading and writing by handle or by
// name, slots, and file searches, on real files in a temporary folder.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace builtins_test;
using testing_support::ReadFileBytes;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

// Closes every handle a test opened, so that the engine's table is empty again.
class FileTest : public testing::Test
{
protected:
    ~FileTest() override
    {
        for (int handle : handles)
            Call("FILECLOSE", {Int(handle)});
    }
    int Open(const std::string& path, int mode)
    {
        const int handle = Call("FILEOPEN", {Text(path.c_str()), Int(mode)}).result.GetInt();
        if (handle >= 0)
            handles.push_back(handle);
        return handle;
    }
    void Close(int handle)
    {
        EXPECT_EQ(Call("FILECLOSE", {Int(handle)}).returned, 0);
        handles.erase(std::remove(handles.begin(), handles.end(), handle), handles.end());
    }
    // Every line FileReadLine gives, then "<error>" with the @error that ended it.
    std::string Lines(int handle)
    {
        std::string lines;
        for (int i = 0; i < 100; ++i) {
            Outcome line = Call("FILEREADLINE", {Int(handle)});
            if (line.error)
                return lines + "<" + std::to_string(line.error) + ">";
            lines += "[" + line.Text() + "]";
        }
        return lines + "<endless>";
    }

    TempFolder folder;
    std::vector<int> handles;
};

TEST_F(FileTest, LineEndingsOfEveryKind)
{
    const struct { const char* bytes; const char* lines; } cases[] = {
        {"a\r\nb\rc\n", "[a][b][c]<-1>"},
        {"a\r\nb\r\nc", "[a][b][c]<-1>"},
        {"a\rb\r", "[a][b]<-1>"},                 // a CR at the very end ends the last line
        {"\r", "[]<-1>"},
        {"\n\n", "[][]<-1>"},
        {"a\r\r\nb", "[a][][b]<-1>"},
        {"a\n\rb", "[a][][b]<-1>"},
        {"abc", "[abc]<-1>"},
        {"", "<-1>"},
        {"tab\there \x01\xFF\r\n", "[tab\there \x01\xFF]<-1>"},
    };
    for (const auto& c : cases) {
        const std::string path = folder / "lines.txt";
        WriteFileBytes(path, c.bytes);
        const int handle = Open(path, 0);
        ASSERT_GE(handle, 0);
        EXPECT_EQ(Lines(handle), c.lines) << c.bytes;
        Close(handle);
    }
}

TEST_F(FileTest, ALongLineContinuesAsTheNext)
{
    const std::string path = folder / "long.txt";
    WriteFileBytes(path, std::string(65534 + 10, 'x') + "\r\nend");
    const int handle = Open(path, 0);
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle)}).Text(), std::string(65534, 'x'));
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle)}).Text(), std::string(10, 'x'));
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle)}).Text(), "end");
}

TEST_F(FileTest, ReadLineByNumberStartsFromTheTop)
{
    const std::string path = folder / "numbered.txt";
    WriteFileBytes(path, "one\r\ntwo\r\nthree\r\nfour\r\n");
    const int handle = Open(path, 0);
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle)}).Text(), "one");
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle), Int(3)}).Text(), "three");
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle), Int(3)}).Text(), "three");
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle)}).Text(), "four");      // after line 3
    Outcome beyond = Call("FILEREADLINE", {Int(handle), Int(9)});
    EXPECT_EQ(beyond.Text(), "");
    EXPECT_EQ(beyond.error, -1);
    Outcome zero = Call("FILEREADLINE", {Int(handle), Int(0)});
    EXPECT_EQ(zero.Text(), "");
    EXPECT_EQ(zero.error, 0);
    EXPECT_EQ(Call("FILEREADLINE", {Int(handle)}).Text(), "one");       // 0 went back to the top

    // By name the file is opened for the call: always from the top.
    EXPECT_EQ(Call("FILEREADLINE", {Text(path.c_str())}).Text(), "one");
    EXPECT_EQ(Call("FILEREADLINE", {Text(path.c_str())}).Text(), "one");
    EXPECT_EQ(Call("FILEREADLINE", {Text(path.c_str()), Int(2)}).Text(), "two");
    Outcome missing = Call("FILEREADLINE", {Text((folder / "missing.txt").c_str())});
    EXPECT_EQ(missing.error, 1);
    EXPECT_EQ(missing.Text(), "");
}

TEST_F(FileTest, ReadCountsBytes)
{
    const std::string path = folder / "bytes.bin";
    WriteFileBytes(path, std::string("abcdefgh\0ij", 11));
    EXPECT_EQ(Call("FILEREAD", {Text(path.c_str()), Int(3)}).Text(), "abc");
    EXPECT_EQ(Call("FILEREAD", {Text(path.c_str()), Int(3)}).Text(), "abc");   // by name: from the start
    const int handle = Open(path, 0);
    EXPECT_EQ(Call("FILEREAD", {Int(handle), Int(4)}).Text(), "abcd");
    EXPECT_EQ(Call("FILEREAD", {Int(handle), Int(2)}).Text(), "ef");
    // The text ends at a zero byte; a huge count reads what there is.
    Outcome rest = Call("FILEREAD", {Int(handle), Int(2000000000)});
    EXPECT_EQ(rest.Text(), "gh");
    EXPECT_EQ(rest.error, 0);
    Outcome atEnd = Call("FILEREAD", {Int(handle), Int(5)});
    EXPECT_EQ(atEnd.Text(), "");
    EXPECT_EQ(atEnd.error, -1);
    for (int count : {0, -1, -2147483647}) {
        Outcome bad = Call("FILEREAD", {Text(path.c_str()), Int(count)});
        EXPECT_EQ(bad.error, 1) << count;
        EXPECT_EQ(bad.Text(), "") << count;
    }
    EXPECT_EQ(Call("FILEREAD", {Text((folder / "missing").c_str()), Int(1)}).error, 1);
}

TEST_F(FileTest, WriteLineEndsLinesOnce)
{
    const std::string path = folder / "written.txt";
    const int handle = Open(path, 2);
    ASSERT_GE(handle, 0);
    for (const char* text : {"plain", "ends in LF\n", "ends in CR\r", "", "x"})
        EXPECT_EQ(Call("FILEWRITELINE", {Int(handle), Text(text)}).result.GetInt(), 1);
    EXPECT_EQ(Call("FILEWRITE", {Int(handle), Text("no end")}).result.GetInt(), 1);
    EXPECT_EQ(Call("FILEWRITE", {Int(handle), Number(2.5)}).result.GetInt(), 1);
    Close(handle);
    EXPECT_EQ(ReadFileBytes(path), "plain\r\nends in LF\nends in CR\r\r\nx\r\nno end2.5");
}

TEST_F(FileTest, ModesOfOpen)
{
    const std::string path = folder / "modes.txt";
    WriteFileBytes(path, "old\r\n");
    int handle = Open(path, 1);                          // append
    Call("FILEWRITELINE", {Int(handle), Text("new")});
    Close(handle);
    EXPECT_EQ(ReadFileBytes(path), "old\r\nnew\r\n");
    // By name a write appends too.
    EXPECT_EQ(Call("FILEWRITELINE", {Text(path.c_str()), Text("more")}).result.GetInt(), 1);
    EXPECT_EQ(ReadFileBytes(path), "old\r\nnew\r\nmore\r\n");
    handle = Open(path, 2);                              // write: starts empty
    Close(handle);
    EXPECT_EQ(ReadFileBytes(path), "");

    EXPECT_EQ(Open(folder / "missing.txt", 0), -1);
    EXPECT_EQ(Open(path, 3), -1);
    EXPECT_EQ(Open(path, -1), -1);
    EXPECT_EQ(Open(folder / "no folder\\x.txt", 2), -1);
}

TEST_F(FileTest, ReadingAndWritingNeedTheRightMode)
{
    const std::string path = folder / "mode.txt";
    WriteFileBytes(path, "line\r\n");
    const int reader = Open(path, 0);
    EXPECT_EQ(Call("FILEWRITE", {Int(reader), Text("x")}).result.GetInt(), 0);
    EXPECT_EQ(Call("FILEWRITELINE", {Int(reader), Text("x")}).result.GetInt(), 0);
    const int writer = Open(folder / "other.txt", 2);
    EXPECT_EQ(Call("FILEREADLINE", {Int(writer)}).error, 1);
    EXPECT_EQ(Call("FILEREAD", {Int(writer), Int(1)}).error, 1);
    // A write to no open file is an ordinary failure.
    EXPECT_EQ(Call("FILEWRITE", {Int(40), Text("x")}).result.GetInt(), 0);
    EXPECT_EQ(Call("FILEWRITELINE", {Int(-1), Text("x")}).returned, 0);
    EXPECT_EQ(Call("FILEWRITE", {Text((folder / "no\\x").c_str()), Text("x")}).result.GetInt(), 0);
    EXPECT_EQ(ReadFileBytes(path), "line\r\n");
}

TEST_F(FileTest, AFreedSlotIsTakenAgain)
{
    const std::string path = folder / "slots.txt";
    WriteFileBytes(path, "");
    const int first = Open(path, 0);
    const int second = Open(path, 0);
    const int third = Open(path, 0);
    EXPECT_EQ(second, first + 1);
    EXPECT_EQ(third, first + 2);
    Close(second);
    EXPECT_EQ(Open(path, 0), second);
    // A search takes slots from the same table.
    Close(first);
    WriteFileBytes(folder / "found.txt", "");
    const int search = Call("FILEFINDFIRSTFILE", {Text((folder / "*.txt").c_str())}).result.GetInt();
    handles.push_back(search);
    EXPECT_EQ(search, first);
}

TEST_F(FileTest, SearchReturnsEveryName)
{
    for (const char* name : {"b.txt", "a.txt", "c.log", "d.txt"})
        WriteFileBytes(folder / name, "");
    const int search = Call("FILEFINDFIRSTFILE", {Text((folder / "*.txt").c_str())}).result.GetInt();
    ASSERT_GE(search, 0);
    handles.push_back(search);
    std::vector<std::string> names;
    for (int i = 0; i < 10; ++i) {
        Outcome next = Call("FILEFINDNEXTFILE", {Int(search)});
        if (next.error) {
            EXPECT_EQ(next.error, 1);
            EXPECT_EQ(next.Text(), "");
            break;
        }
        names.push_back(next.Text());
    }
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"a.txt", "b.txt", "d.txt"}));
    // Reading from a search slot is a file handle error; closing it works.
    Close(search);

    // A pattern that matches nothing takes no slot.
    EXPECT_EQ(Call("FILEFINDFIRSTFILE", {Text((folder / "*.none").c_str())}).result.GetInt(), -1);
    const int next = Open(folder / "a.txt", 0);
    EXPECT_EQ(next, search);
}

TEST_F(FileTest, FolderSearchesListDotEntries)
{
    const int search = Call("FILEFINDFIRSTFILE", {Text((folder / "*").c_str())}).result.GetInt();
    handles.push_back(search);
    std::vector<std::string> names;
    for (Outcome next = Call("FILEFINDNEXTFILE", {Int(search)}); !next.error; next = Call("FILEFINDNEXTFILE", {Int(search)}))
        names.push_back(next.Text());
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".", ".."}));
}

}  // namespace
