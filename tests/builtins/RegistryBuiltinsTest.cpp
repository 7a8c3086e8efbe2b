// The registry builtins under a throw-away key of HKCU, checked with the
// registry API itself; another computer's registry through a stand-in
// connection.
#include "engine/builtins/RegistryConnection.h"
#include "tests/builtins/BuiltinTestSupport.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <algorithm>

#include <string>
#include <vector>

using namespace builtins_test;

namespace {

// A new key under HKCU\Software, deleted with everything below it at the end.
class ScratchKey : public testing::Test
{
protected:
    ScratchKey()
    {
        char name[128];
        wsprintfA(name, "Software\\Kestrune tests\\%lu-%lu", GetCurrentProcessId(), GetTickCount());
        m_subKey = name;
        m_path = std::string("HKCU\\") + name;
    }
    ~ScratchKey() override
    {
        SHDeleteKeyA(HKEY_CURRENT_USER, m_subKey.c_str());
    }

    // The key path of the scratch key or of one below it, for the builtins.
    CEngineVariant Key(const std::string& below = "") const
    {
        return Text((below.empty() ? m_path : m_path + "\\" + below).c_str());
    }
    bool KeyExists(const std::string& below = "") const
    {
        HKEY key;
        const std::string subKey = below.empty() ? m_subKey : m_subKey + "\\" + below;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        RegCloseKey(key);
        return true;
    }
    // The stored type and bytes of a value, read with the registry API.
    bool Stored(const char* value, DWORD& type, std::string& bytes) const
    {
        HKEY key;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, m_subKey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            return false;
        char data[4096];
        DWORD size = sizeof data;
        const LONG status = RegQueryValueExA(key, value, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        bytes.assign(data, status == ERROR_SUCCESS ? size : 0);
        return status == ERROR_SUCCESS;
    }
    void Store(const char* value, DWORD type, const std::string& bytes)
    {
        HKEY key;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, m_subKey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                                  nullptr),
                  ERROR_SUCCESS);
        RegSetValueExA(key, value, 0, type, reinterpret_cast<const BYTE*>(bytes.data()),
                       static_cast<DWORD>(bytes.size()));
        RegCloseKey(key);
    }

    std::string m_subKey;
    std::string m_path;
};

using Stored = std::pair<DWORD, std::string>;

TEST_F(ScratchKey, EveryTypeIsWrittenAsTheRegistryKeepsItAndReadBack)
{
    struct Case
    {
        const char* type;
        CEngineVariant data;
        DWORD storedType;
        std::string storedBytes;
        std::string readBack;
    };
    const Case cases[] = {
        {"REG_SZ", Text("plain text"), REG_SZ, std::string("plain text\0", 11), "plain text"},
        {"reg_expand_sz", Text("%TEMP%\\x"), REG_EXPAND_SZ, std::string("%TEMP%\\x\0", 9), "%TEMP%\\x"},
        {"REG_MULTI_SZ", Text("one\ntwo\nthree"), REG_MULTI_SZ, std::string("one\0two\0three\0\0", 15),
         "one\ntwo\nthree"},
        {"REG_MULTI_SZ", Text(""), REG_MULTI_SZ, std::string(), ""},
        {"REG_DWORD", Int(305419896), REG_DWORD, std::string("\x78\x56\x34\x12", 4), "305419896"},
        {"REG_DWORD", Number(4294967295.0), REG_DWORD, std::string("\xff\xff\xff\xff", 4), "4294967295"},
        {"REG_BINARY", Text("00ff1Aa0"), REG_BINARY, std::string("\x00\xff\x1a\xa0", 4), "00FF1AA0"},
        {"REG_BINARY", Text(""), REG_BINARY, std::string(), ""},
    };
    int n = 0;
    for (const Case& c : cases) {
        const std::string value = "value" + std::to_string(++n);
        SCOPED_TRACE(std::string(c.type) + " " + value);
        EXPECT_EQ(Call("REGWRITE", {Key(), Text(value.c_str()), Text(c.type), c.data}).result.GetInt(), 1);
        DWORD type = 0;
        std::string bytes;
        ASSERT_TRUE(Stored(value.c_str(), type, bytes));
        EXPECT_EQ(type, c.storedType);
        EXPECT_EQ(bytes, c.storedBytes);
        Outcome read = Call("REGREAD", {Key(), Text(value.c_str())});
        EXPECT_EQ(read.error, 0);
        EXPECT_EQ(read.Text(), c.readBack);
    }
    // The default value of a key has the empty name.
    EXPECT_EQ(Call("REGWRITE", {Key(), Text(""), Text("REG_SZ"), Text("default")}).result.GetInt(), 1);
    EXPECT_EQ(Call("REGREAD", {Key(), Text("")}).Text(), "default");
}

TEST_F(ScratchKey, ReadsCutTextsAtTheirSizeAndReportEachFailure)
{
    Store("unterminated", REG_SZ, "abc");                       // no terminator stored
    Store("two terminators", REG_SZ, std::string("abc\0\0", 5));
    Store("qword", REG_QWORD, std::string(8, '\1'));
    EXPECT_EQ(Call("REGREAD", {Key(), Text("unterminated")}).Text(), "abc");
    EXPECT_EQ(Call("REGREAD", {Key(), Text("two terminators")}).Text(), "abc");

    const struct
    {
        CEngineVariant key;
        const char* value;
        int error;
    } failures[] = {
        {Key("missing"), "x", 1},
        {Key(), "missing", -1},
        {Key(), "qword", -2},
    };
    for (const auto& f : failures) {
        Outcome read = Call("REGREAD", {f.key, Text(f.value)});
        EXPECT_EQ(read.Text(), "") << f.value;
        EXPECT_EQ(read.error, f.error) << f.value;
    }
}

TEST_F(ScratchKey, BadWritesChangeNothingAndCreateNoKey)
{
    // Two or three arguments, bad binary data: 0, and no key made.
    EXPECT_EQ(Call("REGWRITE", {Key("new"), Text("v")}).result.GetInt(), 0);
    EXPECT_EQ(Call("REGWRITE", {Key("new"), Text("v"), Text("REG_SZ")}).result.GetInt(), 0);
    for (const char* bad : {"abc", "0g", "0x12"})
        EXPECT_EQ(Call("REGWRITE", {Key("new"), Text("v"), Text("REG_BINARY"), Text(bad)}).result.GetInt(), 0) << bad;
    EXPECT_FALSE(KeyExists("new"));
    // One argument creates the key with its missing parents.
    EXPECT_EQ(Call("REGWRITE", {Key("new\\deeper\\")}).result.GetInt(), 1);
    EXPECT_TRUE(KeyExists("new\\deeper"));
}

TEST_F(ScratchKey, DeletesValuesAndWholeTreesButNeverARoot)
{
    Call("REGWRITE", {Key("tree\\a\\b"), Text("v"), Text("REG_SZ"), Text("x")});
    Call("REGWRITE", {Key("tree\\c")});
    Call("REGWRITE", {Key("tree"), Text("v"), Text("REG_SZ"), Text("x")});
    Call("REGWRITE", {Key("tree"), Text(""), Text("REG_SZ"), Text("default")});

    // With a value name a value goes, the empty name being the default value.
    EXPECT_EQ(Call("REGDELETE", {Key("tree"), Text("v")}).result.GetInt(), 1);
    EXPECT_EQ(Call("REGDELETE", {Key("tree"), Text("v")}).result.GetInt(), 0);
    EXPECT_EQ(Call("REGDELETE", {Key("tree"), Text("")}).result.GetInt(), 1);
    EXPECT_TRUE(KeyExists("tree\\a\\b"));

    EXPECT_EQ(Call("REGDELETE", {Key("tree")}).result.GetInt(), 1);
    EXPECT_FALSE(KeyExists("tree"));
    EXPECT_TRUE(KeyExists());
    EXPECT_EQ(Call("REGDELETE", {Key("tree")}).result.GetInt(), 0);

    // A root alone is refused, whichever way it is written.
    for (const char* root : {"HKCU", "HKCU\\", "HKEY_CURRENT_USER\\"})
        EXPECT_EQ(Call("REGDELETE", {Text(root)}).result.GetInt(), 2) << root;
    EXPECT_TRUE(KeyExists());
    HKEY software;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &software), ERROR_SUCCESS);
    RegCloseKey(software);
}

TEST_F(ScratchKey, EnumeratesSubKeysAndValuesFromOne)
{
    Call("REGWRITE", {Key("first")});
    Call("REGWRITE", {Key("second")});
    Call("REGWRITE", {Key(), Text("alpha"), Text("REG_SZ"), Text("1")});
    Call("REGWRITE", {Key(), Text("beta"), Text("REG_DWORD"), Int(2)});

    std::vector<std::string> keys, values;
    for (int n = 1; n <= 3; ++n) {
        keys.push_back(Call("REGENUMKEY", {Key(), Int(n)}).Text());
        values.push_back(Call("REGENUMVAL", {Key(), Int(n)}).Text());
    }
    std::sort(keys.begin(), keys.begin() + 2);
    std::sort(values.begin(), values.begin() + 2);
    EXPECT_EQ(keys, (std::vector<std::string>{"first", "second", ""}));
    EXPECT_EQ(values, (std::vector<std::string>{"alpha", "beta", ""}));
    EXPECT_EQ(Call("REGENUMKEY", {Key(), Int(3)}).error, -1);
    EXPECT_EQ(Call("REGENUMVAL", {Key(), Int(0)}).error, -1);
    EXPECT_EQ(Call("REGENUMKEY", {Key("missing"), Int(1)}).error, 1);
    EXPECT_EQ(Call("REGENUMVAL", {Key("missing"), Int(1)}).error, 1);
}

// The other computer: "\\testhost" is this computer's HKCU; any other name
// cannot be reached.
std::vector<std::string> g_connected;
LONG WINAPI FakeConnect(LPCSTR computer, HKEY root, PHKEY remoteRoot)
{
    g_connected.push_back(computer);
    if (lstrcmpiA(computer, "testhost") != 0 || root != HKEY_CURRENT_USER)
        return ERROR_BAD_NETPATH;
    return RegOpenKeyExA(HKEY_CURRENT_USER, nullptr, 0, KEY_ALL_ACCESS, remoteRoot);
}

TEST_F(ScratchKey, AnotherComputersRegistryIsReachedThroughItsName)
{
    const ConnectRegistryCall saved = RegistryConnector();
    RegistryConnector() = FakeConnect;
    const std::string remote = "\\\\testhost\\HKEY_CURRENT_USER\\" + m_subKey;
    const int written = Call("REGWRITE", {Text(remote.c_str()), Text("v"), Text("REG_SZ"), Text("far")}).result.GetInt();
    const std::string read = Call("REGREAD", {Text(remote.c_str()), Text("v")}).Text();
    const std::string listed = Call("REGENUMVAL", {Text(remote.c_str()), Int(1)}).Text();
    const std::string unreachable = "\\\\elsewhere\\HKCU\\" + m_subKey;
    Outcome failedRead = Call("REGREAD", {Text(unreachable.c_str()), Text("v")});
    const int failedWrite = Call("REGWRITE", {Text(unreachable.c_str()), Text("v"), Text("REG_SZ"), Text("x")}).result.GetInt();
    const int failedDelete = Call("REGDELETE", {Text(unreachable.c_str()), Text("v")}).result.GetInt();
    const int deleted = Call("REGDELETE", {Text(remote.c_str()), Text("v")}).result.GetInt();
    RegistryConnector() = saved;

    EXPECT_EQ(written, 1);
    EXPECT_EQ(read, "far");
    EXPECT_EQ(listed, "v");
    EXPECT_EQ(failedRead.error, 1);
    EXPECT_EQ(failedWrite, 0);
    EXPECT_EQ(failedDelete, 0);
    EXPECT_EQ(deleted, 1);
    EXPECT_EQ(g_connected.front(), "testhost");
    EXPECT_EQ(g_connected.size(), 7u);
    DWORD type;
    std::string bytes;
    EXPECT_FALSE(Stored("v", type, bytes));
}

}  // namespace
