#include "tests/app/KestruneSession.h"

#include "macro/Folders.h"
#include "tests/probe/KestruneProbe.h"
#include "tests/support/DialogWindows.h"
#include "tests/support/Input.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <tlhelp32.h>

namespace kestrune_e2e {

std::string MacroFileText(const MacroSpec& macro)
{
    std::string text = "[General]\r\n";
    text += "Name=" + macro.name + "\r\n";
    text += "StartKey=" + macro.startKey + "\r\n";
    text += "EndKey=" + macro.endKey + "\r\n";
    text += "Description=" + macro.description + "\r\n";
    text += std::string("Enable=") + (macro.enable ? "1" : "0") + "\r\n";
    text += "RepeatOption=" + std::to_string(macro.repeatOption) + "\r\n";
    text += "RepeatTimes=" + std::to_string(macro.repeatTimes) + "\r\n";
    text += std::string("OriginalSpeed=") + (macro.faster ? "0" : "1") + "\r\n";
    text += "UseSimilarWin=0\r\nUseHalvane=0\r\n";
    text += "TriggerRobot=" + macro.triggerRobot + "\r\n";
    text += "[Script]\r\n";
    for (const std::string& line : macro.script)
        text += line + "\r\n";
    return text;
}

ScriptFolder::ScriptFolder()
{
    m_path = std::string(GetUserDataFolder()) + "\\script";
    testing_support::RemoveTree(m_path);
    CreateDirectoryPath(m_path.c_str());
    // The start-up tips would cover the main window: a test that wants
    // them writes option.ini anew.
    testing_support::WriteFileBytes(OptionFile(), "showtip=0\r\n");
}

ScriptFolder::~ScriptFolder()
{
    testing_support::RemoveTree(m_path);
    DeleteFileA(OptionFile().c_str());
}

std::string ScriptFolder::OptionFile()
{
    return std::string(GetUserDataFolder()) + "\\option.ini";
}

std::string ScriptFolder::Write(const MacroSpec& macro) const
{
    const std::string path = FileOf(macro.name);
    testing_support::WriteFileBytes(path, MacroFileText(macro));
    return path;
}

std::vector<std::string> AppendLineScript(const std::string& file, const std::string& text)
{
    return {
        "$file = FileOpen(\"" + file + "\", 1)",
        "FileWriteLine($file, \"" + text + "\")",
        "FileClose($file)",
    };
}

std::string KestruneExePath()
{
    return KESTRUNE_EXE;
}

KestruneProcess::KestruneProcess(const std::string& arguments)
{
    const std::string exe = KestruneExePath();
    std::string commandLine = "\"" + exe + "\"";
    if (!arguments.empty())
        commandLine += " " + arguments;
    STARTUPINFOA startup = { sizeof startup };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(exe.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        ADD_FAILURE() << "cannot start " << exe << " (error " << GetLastError() << ")";
        return;
    }
    CloseHandle(process.hThread);
    m_process = process.hProcess;
    m_processId = process.dwProcessId;
}

KestruneProcess::~KestruneProcess()
{
    if (!m_process)
        return;
    if (IsRunning()) {
        TerminateProcess(m_process, 0xDEAD);
        WaitForSingleObject(m_process, 10000);
    }
    CloseHandle(m_process);
}

bool KestruneProcess::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

DWORD KestruneProcess::WaitForExit(DWORD timeoutMs) const
{
    if (!m_process || WaitForSingleObject(m_process, timeoutMs) != WAIT_OBJECT_0)
        return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(m_process, &code);
    return code;
}

HWND KestruneProcess::WaitForMainWindow(DWORD timeoutMs) const
{
    return kestrune_probe::WaitForMainWindow(timeoutMs, true, m_processId);
}

HWND KestruneProcess::WaitUntilReady(DWORD timeoutMs) const
{
    HWND window = WaitForMainWindow(timeoutMs);
    // The window shows once its initialisation is done; what it started
    // then (the first tick of its timers) has had its turn when it answers.
    if (window)
        SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMs, nullptr);
    return window;
}

bool KestruneProcess::HasLoaded(const std::string& library) const
{
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, m_processId);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    MODULEENTRY32 module = { sizeof module };
    bool found = false;
    for (BOOL more = Module32First(snapshot, &module); more && !found; more = Module32Next(snapshot, &module))
        found = lstrcmpiA(module.szModule, library.c_str()) == 0;
    CloseHandle(snapshot);
    return found;
}

HWND WaitForCaptioned(DWORD processId, const std::string& caption, DWORD timeoutMs)
{
    HWND found = nullptr;
    kestrune_probe::WaitUntil(
        [&] {
            for (HWND dialog : testing_support::VisibleDialogsOfProcess(processId))
                if (testing_support::WindowText(dialog) == caption)
                    found = dialog;
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

int RowOf(HWND list, const std::string& macroName)
{
    std::vector<kestrune_probe::ListRow> rows = kestrune_probe::ReadListRows(list);
    for (size_t i = 0; i < rows.size(); ++i)
        if (rows[i].texts.size() > 1 && rows[i].texts[1] == macroName)
            return static_cast<int>(i);
    return -1;
}

namespace {

void ClickInRow(HWND list, const std::string& macroName, int x)
{
    RECT rect = {};
    ASSERT_TRUE(kestrune_probe::ListRowRect(list, RowOf(list, macroName), rect)) << macroName;
    testing_support::ClickAt(POINT{ rect.left + x, (rect.top + rect.bottom) / 2 });
}

bool IsChecked(HWND list, const std::string& macroName)
{
    std::vector<kestrune_probe::ListRow> rows = kestrune_probe::ReadListRows(list);
    int row = RowOf(list, macroName);
    return row >= 0 && rows[static_cast<size_t>(row)].checked;
}

}  // namespace

// The check box is the state image at the row's left; the name is the
// second column, after the 50 pixels of the first.
bool ClickCheckBox(HWND list, const std::string& macroName)
{
    const bool before = IsChecked(list, macroName);
    for (int attempt = 0; attempt < 3; ++attempt) {
        kestrune_probe::BringToFront(GetAncestor(list, GA_ROOT));
        ClickInRow(list, macroName, 10);
        if (kestrune_probe::WaitUntil([&] { return IsChecked(list, macroName) != before; }, 2000))
            return true;
    }
    return false;
}

bool ClickRow(HWND list, const std::string& macroName)
{
    auto selected = [&] {
        int row = RowOf(list, macroName);
        return row >= 0 && (SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_SELECTED) & LVIS_SELECTED) != 0;
    };
    for (int attempt = 0; attempt < 3; ++attempt) {
        kestrune_probe::BringToFront(GetAncestor(list, GA_ROOT));
        ClickInRow(list, macroName, 80);
        if (kestrune_probe::WaitUntil(selected, 2000))
            return true;
    }
    return false;
}

void ClickButton(HWND mainWindow, int buttonId)
{
    kestrune_probe::BringToFront(mainWindow);
    testing_support::ClickAt(testing_support::CentreOf(GetDlgItem(mainWindow, buttonId)));
}

std::vector<std::string> ReadLines(const std::string& path)
{
    std::vector<std::string> lines;
    if (!testing_support::FileExists(path))
        return lines;
    std::string bytes = testing_support::ReadFileBytes(path);
    size_t begin = 0;
    while (begin < bytes.size()) {
        size_t end = bytes.find('\n', begin);
        if (end == std::string::npos)
            end = bytes.size();
        std::string line = bytes.substr(begin, end - begin);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        begin = end + 1;
    }
    return lines;
}

}  // namespace kestrune_e2e
