// Fixtures shared by the support-routine tests: another Windows version for
// the 9x branches, a folder on a second drive, and a helper program that
// plays "another program" with a window.
#pragma once

#include "base/OsVersion.h"

#include <windows.h>

#include <string>

namespace support_test {

// Makes g_OsVersion describe another Windows for the object's lifetime.
class ScopedOsVersion
{
public:
    ScopedOsVersion(DWORD platformId, DWORD major, DWORD minor);
    ~ScopedOsVersion() { g_OsVersion = m_saved; }
    ScopedOsVersion(const ScopedOsVersion&) = delete;
    ScopedOsVersion& operator=(const ScopedOsVersion&) = delete;

    static ScopedOsVersion Windows98() { return {VER_PLATFORM_WIN32_WINDOWS, 4, 10}; }

private:
    OsVersionInfo m_saved;
};

// A new, empty folder on drive Z: (Wine's view of the Linux root), so on
// another drive than the prefix's C:. Removed with its contents at the end.
class OtherDriveFolder
{
public:
    OtherDriveFolder();
    ~OtherDriveFolder();
    OtherDriveFolder(const OtherDriveFolder&) = delete;
    OtherDriveFolder& operator=(const OtherDriveFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string operator/(const std::string& name) const { return m_path + "\\" + name; }

private:
    std::string m_path;
};

// The same file as `path` reached through drive Z:, or "" when the system
// does not map its Linux paths onto Z:.
std::string OtherDrivePathOf(const std::string& path);

// The helper program, started with one window titled uniquely.
class HelperProcess
{
public:
    enum Mode { Answering, Hanging };
    explicit HelperProcess(Mode mode);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    HWND Window() const { return m_window; }
    // The exit code once the process has ended within `timeoutMs`, else -1.
    long WaitForExit(DWORD timeoutMs);

    static std::string ProgramPath();

private:
    PROCESS_INFORMATION m_process = {};
    HWND m_window = nullptr;
};

}  // namespace support_test
