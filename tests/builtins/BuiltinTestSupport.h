// Calling builtins the way the interpreter does: by their position in the
// builtin table, through CallBuiltinByIndex, with the arguments in a
// CVariantList.
#pragma once

#include "tests/engine/EngineTestSupport.h"

#include <string>
#include <vector>

namespace builtins_test {

using engine_test::Int;
using engine_test::Text;
CEngineVariant Number(double value);

struct Outcome
{
    CEngineVariant result;
    int error = 0;
    int returned = 0;      // the handler's return: non-zero after a script error

    // The result's text, and its elements' texts for an array ("[3|a||b]").
    std::string Text();
    double Number() { return result.GetNumber(); }
};

// Calls the builtin `name` (upper case, as in the table) with `args`.
Outcome Call(const char* name, const std::vector<CEngineVariant>& args = {});

// Calls the builtin in a running script and returns the script error it
// showed, from "Error: " on ("" when it showed none); checks that such an
// error came in the "Internal Error" box and stopped the run. Needs the
// desktop (the box is answered).
std::string ScriptErrorOf(const char* builtin, const std::vector<CEngineVariant>& args, Outcome* outcome = nullptr);

}  // namespace builtins_test

namespace builtins_test {

// Sets a run option through Opt for the life of the object, then puts the
// previous value back.
class OptionScope
{
public:
    OptionScope(const char* name, int value);
    ~OptionScope();
    OptionScope(const OptionScope&) = delete;
    OptionScope& operator=(const OptionScope&) = delete;

private:
    std::string m_name;
    int m_previous;
};

}  // namespace builtins_test
