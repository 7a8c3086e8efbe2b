// The entry point and the application object, in a program of their own
// (AppProbe.cpp), and the application's profile.
#include "framework/Ui.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <shlwapi.h>

#include <string>

using namespace testing_support;

namespace {

DWORD RunProbe(const std::string& arguments)
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string probe = path;
    probe = probe.substr(0, probe.rfind('\\') + 1) + "framework_app_probe.exe";
    std::string commandLine = "\"" + probe + "\" " + arguments;
    STARTUPINFOA startup = { sizeof startup };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(probe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << probe;
        return 0xFFFFFFFF;
    }
    DWORD code = 0xFFFFFFFF;
    if (WaitForSingleObject(process.hProcess, 20000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(Application, WinMainRunsTheApplicationObject)
{
    TempFolder folder;
    std::string report = folder / "report.txt";
    EXPECT_EQ(RunProbe("report " + report), 0u) << "InitInstance said no: the program ends with 0";
    EXPECT_EQ(ReadFileBytes(report), "Brenvik Probe|report " + report + "|instance");
}

TEST(Application, TheExitCodeIsTheOnePostedWithQuit)
{
    EXPECT_EQ(RunProbe("quit"), 18u);
}

TEST(Application, TheLoopEndsWithTheMainWindow)
{
    EXPECT_EQ(RunProbe("close"), 0u);
}

TEST(Application, TheTitleIsTheOneMessageBoxesCarry)
{
    CWinApp app("Brenvik Kestrune");
    EXPECT_STREQ(AfxGetAppName(), "Brenvik Kestrune");
    EXPECT_EQ(AfxGetApp(), &app);
    EXPECT_EQ(AfxGetThread(), &app);
}

TEST(Application, TheProfileKeepsValuesInAnIniFile)
{
    TempFolder folder;
    std::string ini = folder / "kestrune.ini";
    CWinApp app("Kestrune Test");
    app.m_pszProfileName = ini.c_str();
    const BYTE data[] = { 0, 1, 0x7F, 0x80, 0xFF };
    EXPECT_TRUE(app.WriteProfileBinary("ListCtrls", "1000", data, sizeof data));
    EXPECT_TRUE(app.WriteProfileInt("Options", "count", -3));
    EXPECT_TRUE(app.WriteProfileString("Options", "name", "value"));

    LPBYTE read = nullptr;
    UINT size = 0;
    ASSERT_TRUE(app.GetProfileBinary("ListCtrls", "1000", &read, &size));
    EXPECT_EQ(std::string(reinterpret_cast<char*>(read), size), std::string(reinterpret_cast<const char*>(data), sizeof data));
    delete[] read;
    EXPECT_FALSE(app.GetProfileBinary("ListCtrls", "1001", &read, &size));
    EXPECT_EQ(read, nullptr);
    EXPECT_EQ(static_cast<int>(app.GetProfileInt("Options", "count", 0)), -3);
    EXPECT_EQ(app.GetProfileInt("Options", "missing", 9), 9u);
    EXPECT_STREQ(app.GetProfileString("Options", "name"), "value");
    EXPECT_STREQ(app.GetProfileString("Options", "missing", "fallback"), "fallback");

    WriteFileBytes(ini, "[ListCtrls]\r\n1000=0G\r\n");
    EXPECT_FALSE(app.GetProfileBinary("ListCtrls", "1000", &read, &size)) << "not hexadecimal";
}

TEST(Application, TheProfileKeepsValuesInTheRegistry)
{
    char key[64];
    wsprintfA(key, "KestruneTest%lu", GetCurrentProcessId());
    {
        CWinApp app("Kestrune Test");
        app.SetRegistryKey(key);
        const BYTE data[] = { 3, 0, 0, 0, 50, 0, 0, 0 };
        EXPECT_TRUE(app.WriteProfileBinary("ListCtrls", "1000", data, sizeof data));
        EXPECT_TRUE(app.WriteProfileInt("Options", "count", 12));
        EXPECT_TRUE(app.WriteProfileString("Options", "name", "value"));
        LPBYTE read = nullptr;
        UINT size = 0;
        ASSERT_TRUE(app.GetProfileBinary("ListCtrls", "1000", &read, &size));
        EXPECT_EQ(size, sizeof data);
        EXPECT_EQ(memcmp(read, data, sizeof data), 0);
        delete[] read;
        EXPECT_FALSE(app.GetProfileBinary("Missing", "1000", &read, &size));
        EXPECT_EQ(app.GetProfileInt("Options", "count", 0), 12u);
        EXPECT_STREQ(app.GetProfileString("Options", "name"), "value");
    }
    SHDeleteKeyA(HKEY_CURRENT_USER, (std::string("Software\\") + key).c_str());
}

}  // namespace
