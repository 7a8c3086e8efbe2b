#include "tests/engine_support/SupportFixtures.h"

#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace support_test {

ScopedOsVersion::ScopedOsVersion(DWORD platformId, DWORD major, DWORD minor) : m_saved(g_OsVersion)
{
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    version.dwPlatformId = platformId;
    version.dwMajorVersion = major;
    version.dwMinorVersion = minor;
    g_OsVersion.Fill(version);
}

OtherDriveFolder::OtherDriveFolder()
{
    static LONG counter = 0;
    char name[MAX_PATH];
    wsprintfA(name, "Z:\\tmp\\kestrune-support-%lu-%ld-%lu", GetCurrentProcessId(),
              InterlockedIncrement(&counter), GetTickCount());
    if (CreateDirectoryA(name, nullptr))
        m_path = name;
    else
        ADD_FAILURE() << "cannot create " << name;
}

OtherDriveFolder::~OtherDriveFolder()
{
    if (!m_path.empty())
        testing_support::RemoveTree(m_path);
}

std::string OtherDrivePathOf(const std::string& path)
{
    using UnixNameFunction = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    WCHAR widePath[MAX_PATH];
    if (!unixName || !MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, widePath, MAX_PATH))
        return std::string();
    char* name = unixName(widePath);
    if (!name)
        return std::string();
    std::string result = std::string("Z:") + name;
    HeapFree(GetProcessHeap(), 0, name);
    for (char& ch : result)
        if (ch == '/')
            ch = '\\';
    return result;
}

std::string HelperProcess::ProgramPath()
{
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, sizeof path);
    std::string folder = path;
    return folder.substr(0, folder.rfind('\\') + 1) + "support_test_helper.exe";
}

HelperProcess::HelperProcess(Mode mode)
{
    static LONG counter = 0;
    char title[128];
    wsprintfA(title, "Kestrune helper %lu-%ld", GetCurrentProcessId(), InterlockedIncrement(&counter));
    std::string commandLine = "\"" + ProgramPath() + "\" " + (mode == Hanging ? "hang " : "answer ") + title;
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (!CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &m_process)) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return;
    }
    for (int i = 0; i < 500 && !m_window; ++i) {
        m_window = FindWindowA("KestruneSupportTestHelper", title);
        if (!m_window)
            Sleep(20);
    }
    if (!m_window)
        ADD_FAILURE() << "the helper's window did not appear";
    else if (mode == Answering)
        WaitForInputIdle(m_process.hProcess, 10000);
}

HelperProcess::~HelperProcess()
{
    if (!m_process.hProcess)
        return;
    if (WaitForSingleObject(m_process.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(m_process.hProcess, 99);
    CloseHandle(m_process.hThread);
    CloseHandle(m_process.hProcess);
}

long HelperProcess::WaitForExit(DWORD timeoutMs)
{
    if (!m_process.hProcess || WaitForSingleObject(m_process.hProcess, timeoutMs) != WAIT_OBJECT_0)
        return -1;
    DWORD code = 0;
    GetExitCodeProcess(m_process.hProcess, &code);
    return static_cast<long>(code);
}

}  // namespace support_test
