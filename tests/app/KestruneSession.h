// What the end-to-end tests share: Kestrune.exe started as a process in the
// test's Wine prefix, the prefix's real data folder seeded with macro files
// for each test (and emptied after it), and macro files written as the
// editor writes them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace kestrune_e2e {

// A macro file's fields, as the editor saves them.
struct MacroSpec
{
    std::string name;
    std::string startKey = "None";
    std::string endKey = "None";
    std::string description;
    int enable = 0;
    int repeatOption = 0;          // 1: until the end key
    int repeatTimes = 1;
    bool faster = false;           // the faster speed: marked lines are dropped
    std::string triggerRobot;
    std::vector<std::string> script;
};

// The file's text, CR LF line ends.
std::string MacroFileText(const MacroSpec& macro);

// The data folder's subfolder "script", empty when the object is made and
// removed when it dies. While it lives, option.ini turns the start-up tips
// off.
class ScriptFolder
{
public:
    ScriptFolder();
    ~ScriptFolder();
    ScriptFolder(const ScriptFolder&) = delete;
    ScriptFolder& operator=(const ScriptFolder&) = delete;

    const std::string& Path() const { return m_path; }
    std::string FileOf(const std::string& macroName) const { return m_path + "\\" + macroName + ".txt"; }
    // Writes the macro's file; returns its path.
    std::string Write(const MacroSpec& macro) const;
    // The data folder's option.ini.
    static std::string OptionFile();

private:
    std::string m_path;
};

// Script lines that append one line of text to a file.
std::vector<std::string> AppendLineScript(const std::string& file, const std::string& text);

// Kestrune.exe, started with a command line; ended (if it still runs) when
// the object dies.
class KestruneProcess
{
public:
    explicit KestruneProcess(const std::string& arguments = std::string());
    ~KestruneProcess();
    KestruneProcess(const KestruneProcess&) = delete;
    KestruneProcess& operator=(const KestruneProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_processId; }
    bool IsRunning() const;
    // The exit code; STILL_ACTIVE when the process runs on after the time.
    DWORD WaitForExit(DWORD timeoutMs) const;
    // Its main window once it shows; null on time-out.
    HWND WaitForMainWindow(DWORD timeoutMs = 20000) const;
    // Its main window with the list filled and the hot keys registered:
    // what the program does before it first shows.
    HWND WaitUntilReady(DWORD timeoutMs = 20000) const;
    // Whether the process has loaded the library ("kestrune.dll"): the hook
    // library is loaded while a recording runs.
    bool HasLoaded(const std::string& library) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_processId = 0;
};

std::string KestruneExePath();

// The macro list as a user works it: the row of a macro (-1 when there is
// none), a click on a row's check box or on its name, a click on a button.
int RowOf(HWND list, const std::string& macroName);
// The clicks are given again until the row shows them (the check box
// changed, the row selected), as a click that another window's coming and
// going took would be; false when it never does.
bool ClickCheckBox(HWND list, const std::string& macroName);
bool ClickRow(HWND list, const std::string& macroName);
void ClickButton(HWND mainWindow, int buttonId);

// A visible dialog of the process with this caption, once it shows; null
// on time-out.
HWND WaitForCaptioned(DWORD processId, const std::string& caption, DWORD timeoutMs = 10000);

// The lines of a text file (CR LF or LF), none when it does not exist.
std::vector<std::string> ReadLines(const std::string& path);

}  // namespace kestrune_e2e
