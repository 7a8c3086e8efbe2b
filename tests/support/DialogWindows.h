// Finding the dialogs that the code under test shows, for the helpers that
// answer and drive them.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

std::string WindowText(HWND window);
std::string ClassName(HWND window);

// The visible top-level dialog windows (class "#32770") of this process,
// or of another one.
std::vector<HWND> VisibleDialogsOfThisProcess();
std::vector<HWND> VisibleDialogsOfProcess(DWORD processId);

}  // namespace testing_support
