// Helpers of the script-level tests: scripts run through the test host, and
// what they leave behind is read from their global variables.
#pragma once

#include "tests/host/ScriptHost.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace script_test {

using Lines = std::vector<std::string>;
using Box = testing_support::DialogAnswerer::Seen;

// Runs a script that must run cleanly: prepared, and no message box.
script_host::RunReport RunClean(const Lines& lines, const script_host::RunSettings& settings = {});

// The value of `$r = <expression>` as text, evaluated twice on one line
// (the first evaluation compiles it, the second runs what that made); both
// must agree.
std::string ValueOf(const std::string& expression);

// The text of the error box for the line at `lineNumber` (no file), with the
// caret line when `column` >= 0.
std::string ErrorText(int lineNumber, const std::string& line, int column, const std::string& message);

// Runs a script that must report exactly one error, and gives its box.
Box RunExpectingError(const Lines& lines);

}  // namespace script_test
