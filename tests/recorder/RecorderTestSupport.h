// What the recorder tests share: the recording dialog with a clock the test
// sets, the hook library found where the program keeps it, and top-level
// windows of this process for input to go to.
#pragma once

#include "app/recorder/RecordRobotDlg.h"

#include <memory>
#include <string>
#include <vector>

namespace recorder_tests {

// The recording dialog, timed by `now` instead of the system's clock.
class ScriptedRecorder : public CRecordRobotDlg
{
public:
    using CRecordRobotDlg::CRecordRobotDlg;

    DWORD now = 1000;
    void UseWindowFinder(std::unique_ptr<CActiveWinPath> finder) { m_windowFinder = std::move(finder); }

protected:
    DWORD Now() const override { return now; }
};

// Lets LoadLibrary("kestrune.dll") find the hook library beside Kestrune.exe.
void FindHookLibraryBesideTheProgram();
bool IsHookLibraryLoaded();

// A visible top-level window of this process with an edit control that
// takes what is typed into the window; destroyed with the object.
class TargetWindow
{
public:
    explicit TargetWindow(const char* title, int x = 400);
    ~TargetWindow();
    TargetWindow(const TargetWindow&) = delete;
    TargetWindow& operator=(const TargetWindow&) = delete;

    HWND Window() const { return m_window; }
    HWND Edit() const { return m_edit; }
    std::string Text() const;

private:
    HWND m_window = nullptr;
    HWND m_edit = nullptr;
};

// The texts of the recording's lines.
std::vector<std::string> RecordedLines(const CRecordRobotDlg& recorder);

}  // namespace recorder_tests
