// Helpers shared by the engine's tests.
#pragma once

#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"
#include "tests/support/DialogAnswerer.h"

#include <functional>
#include <string>
#include <vector>

namespace engine_test {

// Puts `lines` into g_ScriptFile as lines 1, 2, ... of no file, and makes
// `current` the engine's current line.
void LoadLines(const std::vector<std::string>& lines, int current = 1);

// Runs `action` with a DialogAnswerer pressing OK, and returns the boxes it
// showed, in order.
std::vector<testing_support::DialogAnswerer::Seen> CaptureBoxes(const std::function<void()>& action);

// "type(value)@column" for each token, separated by blanks: "var(x)@0 =@2".
std::string Describe(TokenList& tokens);

// A builtin's arguments.
CVariantList Args(const std::vector<CEngineVariant>& values);
CEngineVariant Int(int value);
CEngineVariant Text(const char* text);

}  // namespace engine_test
