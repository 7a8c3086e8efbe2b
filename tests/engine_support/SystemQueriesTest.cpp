// winsock2.h must come before any windows.h.
#include <winsock2.h>

#include "engine/support/LocalAddress.h"
#include "engine/support/RegistryAndVersion.h"

#include "tests/engine_support/SupportFixtures.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <string.h>

#include <string>

using namespace EngineSupport;
using testing_support::TempFolder;
using testing_support::WriteFileBytes;

namespace {

TEST(GetLocalIpAddress, GivesADottedAddressOrZeros)
{
    const CString first = GetLocalIpAddress(1);
    EXPECT_NE(inet_addr(first), INADDR_NONE) << first.GetString();
    CString digits = first;
    EXPECT_EQ(digits.Remove('.'), 3);

    for (int n : {0, -1, 1000}) {
        SCOPED_TRACE(n);
        EXPECT_STREQ(GetLocalIpAddress(n), "0.0.0.0");
    }
}

TEST(GetLocalIpAddress, AFailedOrForeignLookupGivesZeros)
{
    in_addr first, second;
    first.s_addr = inet_addr("192.168.1.20");
    second.s_addr = inet_addr("10.0.0.7");
    char* addresses[] = {reinterpret_cast<char*>(&first), reinterpret_cast<char*>(&second), nullptr};
    char* noAddresses[] = {nullptr};
    hostent host = {};
    host.h_addrtype = AF_INET;
    host.h_length = sizeof(in_addr);
    host.h_addr_list = addresses;

    EXPECT_STREQ(NthHostAddress(&host, 1), "192.168.1.20");
    EXPECT_STREQ(NthHostAddress(&host, 2), "10.0.0.7");
    EXPECT_STREQ(NthHostAddress(&host, 3), "0.0.0.0");
    EXPECT_STREQ(NthHostAddress(nullptr, 1), "0.0.0.0");   // the name lookup failed
    host.h_addr_list = noAddresses;
    EXPECT_STREQ(NthHostAddress(&host, 1), "0.0.0.0");
    host.h_addr_list = nullptr;
    EXPECT_STREQ(NthHostAddress(&host, 1), "0.0.0.0");
    host.h_addr_list = addresses;
    host.h_addrtype = AF_INET6;
    EXPECT_STREQ(NthHostAddress(&host, 1), "0.0.0.0");
}

// A registry key of this test's own under HKEY_CURRENT_USER.
class RegistryValues : public testing::Test
{
protected:
    RegistryValues()
    {
        char name[128];
        wsprintfA(name, "Software\\Brenvik\\KestruneSupportTest-%lu", GetCurrentProcessId());
        m_subKey = name;
        RegCreateKeyExA(HKEY_CURRENT_USER, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &m_key, nullptr);
    }
    ~RegistryValues() override
    {
        RegCloseKey(m_key);
        RegDeleteKeyA(HKEY_CURRENT_USER, m_subKey.c_str());
    }

    void Set(const char* name, DWORD type, const void* data, DWORD size)
    {
        ASSERT_EQ(RegSetValueExA(m_key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    }

    std::string m_subKey;
    HKEY m_key = nullptr;
};

TEST_F(RegistryValues, ReadsTextsIntoABoundedTerminatedBuffer)
{
    Set("Text", REG_SZ, "hello", 6);
    Set("Expand", REG_EXPAND_SZ, "%TEMP%\\x", 9);
    Set("Unterminated", REG_SZ, "abc", 3);
    const DWORD number = 42;
    Set("Number", REG_DWORD, &number, sizeof number);
    Set("Long", REG_SZ, "0123456789", 11);

    struct Case
    {
        const char* subKey;   // null: the test's key
        const char* value;
        DWORD bufferSize;
        const char* text;
        bool found;
    } cases[] = {
        {nullptr, "Text", 64, "hello", true},
        {nullptr, "Expand", 64, "%TEMP%\\x", true},
        {nullptr, "Unterminated", 64, "abc", true},
        {nullptr, "Long", 11, "0123456789", true},
        {nullptr, "Long", 10, "", false},
        {nullptr, "Number", 64, "", false},
        {nullptr, "Missing", 64, "", false},
        {"Software\\Brenvik\\NoSuchKeyForKestruneTests", "Text", 64, "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.value) + " in " + std::to_string(c.bufferSize));
        char buffer[80];
        memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(ReadRegistryString(HKEY_CURRENT_USER, c.subKey ? c.subKey : m_subKey.c_str(), c.value, buffer,
                                     c.bufferSize),
                  c.found);
        EXPECT_STREQ(buffer, c.text);
        EXPECT_EQ(buffer[c.bufferSize], 'x') << "wrote past the buffer";
    }
}

TEST(GetFileVersionString, ReadsTheFixedFileVersion)
{
    CString version = "unchanged";
    EXPECT_TRUE(GetFileVersionString(support_test::HelperProcess::ProgramPath().c_str(), version));
    EXPECT_STREQ(version, "1.2.3.4");

    TempFolder folder;
    WriteFileBytes(folder / "plain.txt", "no resources here");
    version = "unchanged";
    EXPECT_FALSE(GetFileVersionString((folder / "plain.txt").c_str(), version));
    EXPECT_FALSE(GetFileVersionString((folder / "missing.dll").c_str(), version));
    EXPECT_STREQ(version, "unchanged");
}

}  // namespace
