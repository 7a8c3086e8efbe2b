#include "tests/builtins/BuiltinTestSupport.h"

#include <gtest/gtest.h>

#include <string.h>

namespace builtins_test {

CEngineVariant Number(double value)
{
    CEngineVariant v;
    v.SetNumber(value);
    return v;
}

std::string Outcome::Text()
{
    if (!result.IsArray())
        return result.GetString();
    std::string text = "[";
    const int count = result.DimensionSize(1);
    for (int i = 0; i < count; ++i) {
        result.ClearSubscripts();
        result.PushSubscript(i);
        if (i > 0)
            text += "|";
        text += result.Element()->GetString();
    }
    result.ClearSubscripts();
    return text + "]";
}

Outcome Call(const char* name, const std::vector<CEngineVariant>& args)
{
    Outcome outcome;
    int index = -1;
    for (int i = 0; i < g_ScriptEngine.GetBuiltinCount(); ++i)
        if (strcmp(g_ScriptEngine.GetBuiltin(i).Name, name) == 0)
            index = i;
    if (index < 0) {
        ADD_FAILURE() << "no builtin " << name;
        return outcome;
    }
    const BuiltinEntry& entry = g_ScriptEngine.GetBuiltin(index);
    EXPECT_TRUE(BuiltinAcceptsArgumentCount(entry, static_cast<int>(args.size())))
        << name << " does not take " << args.size() << " arguments";
    CVariantList list = engine_test::Args(args);
    outcome.returned = g_ScriptEngine.CallBuiltinByIndex(index, list, outcome.result);
    outcome.error = g_ScriptEngine.GetError();
    return outcome;
}

}  // namespace builtins_test

namespace builtins_test {

OptionScope::OptionScope(const char* name, int value) : m_name(name)
{
    m_previous = Call("OPT", {engine_test::Text(name), engine_test::Int(value)}).result.GetInt();
}

OptionScope::~OptionScope()
{
    Call("OPT", {engine_test::Text(m_name.c_str()), engine_test::Int(m_previous)});
}

}  // namespace builtins_test

namespace builtins_test {

// The builtin's outcome and the text of the one box it showed ("" for none).
std::string ScriptErrorOf(const char* builtin, const std::vector<CEngineVariant>& args, Outcome* outcome)
{
    g_ScriptEngine.SetRunState(kRunStateRunning);
    Outcome result;
    auto boxes = engine_test::CaptureBoxes([&] { result = Call(builtin, args); });
    if (outcome)
        *outcome = result;
    if (boxes.empty())
        return "";
    EXPECT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Internal Error");
    EXPECT_EQ(result.returned, 1);
    EXPECT_EQ(g_ScriptEngine.GetRunState(), kRunStateStop);
    const size_t error = boxes[0].text.find("Error: ");
    return error == std::string::npos ? boxes[0].text : boxes[0].text.substr(error);
}

}  // namespace builtins_test
