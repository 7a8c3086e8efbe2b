// The file table's script errors: the 65th open file and handles that name
// no open file. Each shows the "Internal Error" box and stops the run.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using namespace builtins_test;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

const char kTooMany[] = "Error: Unable to open file, the maximum number of open files has been exceeded.";
const char kInvalid[] = "Error: File handle invalid.  Make sure that the FileOpen command succeeded.";

class FileErrorTest : public testing::Test
{
protected:
    FileErrorTest()
    {
        engine_test::LoadLines({"$h = FileOpen($name, 0)"});
        WriteFileBytes(path, "x");
    }
    ~FileErrorTest() override
    {
        for (int handle = 0; handle < kScriptFileSlots; ++handle)
            if (open[handle])
                Call("FILECLOSE", {Int(handle)});
        g_ScriptEngine.SetRunState(kRunStateRunning);
    }
    void OpenAll()
    {
        for (int i = 0; i < kScriptFileSlots; ++i) {
            const int handle = Call("FILEOPEN", {Text(path.c_str()), Int(0)}).result.GetInt();
            ASSERT_EQ(handle, i);
            open[handle] = true;
        }
    }

    TempFolder folder;
    const std::string path = folder / "file.txt";
    bool open[kScriptFileSlots] = {};
};

TEST_F(FileErrorTest, TheSixtyFifthOpenFileIsAScriptError)
{
    OpenAll();
    Outcome outcome;
    EXPECT_EQ(ScriptErrorOf("FILEOPEN", {Text(path.c_str()), Int(0)}, &outcome), kTooMany);
    // After one close the freed index is taken again.
    Call("FILECLOSE", {Int(17)});
    open[17] = false;
    EXPECT_EQ(ScriptErrorOf("FILEOPEN", {Text(path.c_str()), Int(2)}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), 17);
    open[17] = true;
}

TEST_F(FileErrorTest, ASearchWithNoSlotLeftLeaksNoHandle)
{
    OpenAll();
    WriteFileBytes(folder / "found.txt", "");
    const std::string pattern = folder / "*.txt";
    // A leaked search holds a handle, so the next new handle would get a
    // higher number: the lowest free one is taken.
    const HANDLE before = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(before);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(ScriptErrorOf("FILEFINDFIRSTFILE", {Text(pattern.c_str())}), kTooMany);
    const HANDLE after = CreateEventA(nullptr, FALSE, FALSE, nullptr);
    CloseHandle(after);
    EXPECT_LT(reinterpret_cast<UINT_PTR>(after), reinterpret_cast<UINT_PTR>(before) + 10 * 4);
    // Nothing found takes no slot and is no error, even with all in use.
    Outcome outcome;
    EXPECT_EQ(ScriptErrorOf("FILEFINDFIRSTFILE", {Text((folder / "*.none").c_str())}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), -1);
}

TEST_F(FileErrorTest, HandlesThatNameNoOpenFile)
{
    const int file = Call("FILEOPEN", {Text(path.c_str()), Int(0)}).result.GetInt();
    open[file] = true;
    const struct { const char* builtin; std::vector<CEngineVariant> args; } cases[] = {
        {"FILECLOSE", {Int(64)}},
        {"FILECLOSE", {Int(-1)}},
        {"FILECLOSE", {Int(file + 1)}},
        {"FILEREADLINE", {Int(70)}},
        {"FILEREADLINE", {Int(file + 1), Int(2)}},
        {"FILEREAD", {Int(file + 1), Int(5)}},
        {"FILEFINDNEXTFILE", {Int(file)}},          // a file, not a search
        {"FILEFINDNEXTFILE", {Int(63)}},
    };
    for (auto c : cases)
        EXPECT_EQ(ScriptErrorOf(c.builtin, c.args), kInvalid) << c.builtin << " " << c.args[0].GetInt();
    // Writing is an ordinary failure instead.
    Outcome outcome;
    EXPECT_EQ(ScriptErrorOf("FILEWRITE", {Int(file + 1), Text("x")}, &outcome), "");
    EXPECT_EQ(outcome.result.GetInt(), 0);
}

}  // namespace
