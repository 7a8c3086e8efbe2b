#include "base/OsVersion.h"

#include <gtest/gtest.h>

#include <string.h>
#include <string>

namespace {

OsVersionInfo From(DWORD platform, DWORD major, DWORD minor, DWORD build = 0, const char* csd = "")
{
    OSVERSIONINFOA v = {};
    v.dwOSVersionInfoSize = sizeof v;
    v.dwPlatformId = platform;
    v.dwMajorVersion = major;
    v.dwMinorVersion = minor;
    v.dwBuildNumber = build;
    strcpy(v.szCSDVersion, csd);
    OsVersionInfo info;
    info.Fill(v);
    return info;
}

// The fifteen flags in declaration order, as a string of 0/1.
std::string Flags(const OsVersionInfo& i)
{
    const BYTE flags[] = {i.IsNT, i.Is9x, i.IsNT4, i.IsNT4OrLater, i.IsXP, i.IsXPOrLater, i.Is2000,
                          i.Is2000OrLater, i.Is98, i.Is98OrLater, i.Is95, i.Is95OrLater, i.IsME,
                          i.IsMEOrLater, i.IsNT6};
    std::string s;
    for (BYTE f : flags)
        s += f ? '1' : '0';
    return s;
}

TEST(OsVersion, FlagsForEachPlatformAndVersion)
{
    const DWORD nt = VER_PLATFORM_WIN32_NT, win9x = VER_PLATFORM_WIN32_WINDOWS;
    const struct { DWORD platform, major, minor; const char* flags; } cases[] = {
        //                NT 9x 4 4+ XP XP+ 2k 2k+ 98 98+ 95 95+ ME ME+ 6
        {nt, 4, 0,       "1" "0" "1" "1" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0"},
        {nt, 5, 0,       "1" "0" "0" "1" "0" "0" "1" "1" "0" "0" "0" "0" "0" "0" "0"},
        {nt, 5, 1,       "1" "0" "0" "1" "1" "1" "0" "1" "0" "0" "0" "0" "0" "0" "0"},
        {nt, 5, 2,       "1" "0" "0" "1" "1" "1" "0" "1" "0" "0" "0" "0" "0" "0" "0"},
        {nt, 6, 1,       "1" "0" "0" "1" "0" "1" "0" "1" "0" "0" "0" "0" "0" "0" "1"},
        {nt, 10, 0,      "1" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0" "0"},
        {win9x, 4, 0,    "0" "1" "0" "0" "0" "0" "0" "0" "0" "0" "1" "1" "0" "0" "0"},
        {win9x, 4, 10,   "0" "1" "0" "0" "0" "0" "0" "0" "1" "1" "0" "1" "0" "0" "0"},
        {win9x, 4, 90,   "0" "1" "0" "0" "0" "0" "0" "0" "0" "1" "0" "1" "1" "1" "0"},
        {win9x, 4, 3,    "0" "1" "0" "0" "0" "0" "0" "0" "0" "0" "0" "1" "0" "0" "0"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Flags(From(c.platform, c.major, c.minor)), c.flags) << c.major << "." << c.minor;
}

TEST(OsVersion, BuildAndServicePack)
{
    OsVersionInfo nt = From(VER_PLATFORM_WIN32_NT, 5, 1, 0x0A280A28, "  Service Pack 3  ");
    EXPECT_EQ(nt.BuildNumber, 0x0A280A28);
    EXPECT_STREQ(nt.ServicePack, "Service Pack 3");
    EXPECT_EQ(nt.MajorVersion, 5);
    EXPECT_EQ(nt.MinorVersion, 1);

    OsVersionInfo me = From(VER_PLATFORM_WIN32_WINDOWS, 4, 90, 0x045A0BB8, "   ");
    EXPECT_EQ(me.BuildNumber, 0x0BB8);   // the 9x platform keeps the low word only
    EXPECT_STREQ(me.ServicePack, "");
}

TEST(OsVersion, TheProcessWideRecordIsFilledAtStartUp)
{
    // The test prefix runs as Windows 7.
    EXPECT_TRUE(g_OsVersion.IsNT);
    EXPECT_EQ(g_OsVersion.MajorVersion, 6);
    EXPECT_EQ(g_OsVersion.MinorVersion, 1);
    EXPECT_TRUE(g_OsVersion.IsNT6 && g_OsVersion.IsXPOrLater && g_OsVersion.Is2000OrLater);
}

}  // namespace
