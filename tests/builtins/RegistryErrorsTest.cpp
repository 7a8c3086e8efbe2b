// The registry's script errors: an unknown root and an unknown value type
// show the "Internal Error" box and stop the run, and create nothing.
#include "tests/builtins/BuiltinTestSupport.h"

#include <gtest/gtest.h>

using namespace builtins_test;

namespace {

const char kRegistryError[] = "Error: Unable to read/write the requested registry key.";

TEST(RegistryErrors, AnUnknownRootOrTypeIsAScriptError)
{
    engine_test::LoadLines({"RegRead($key, $value)"});
    const struct
    {
        const char* builtin;
        std::vector<CEngineVariant> args;
    } cases[] = {
        {"REGREAD", {Text("HKXX\\Software"), Text("v")}},
        {"REGWRITE", {Text("\\\\host\\NOROOT\\Software")}},
        {"REGWRITE", {Text("Software\\Kestrune tests"), Text("v"), Text("REG_SZ"), Text("x")}},
        {"REGWRITE", {Text("HKCU\\Software\\Kestrune tests\\bad type"), Text("v"), Text("REG_QWORD"), Text("1")}},
        {"REGDELETE", {Text("")}},
        {"REGENUMKEY", {Text("HKEY_NOWHERE"), Int(1)}},
        {"REGENUMVAL", {Text("\\\\host"), Int(1)}},
    };
    int n = 0;
    for (const auto& c : cases)
        EXPECT_EQ(ScriptErrorOf(c.builtin, c.args), kRegistryError) << c.builtin << ", case " << ++n;
    HKEY key;
    EXPECT_NE(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kestrune tests\\bad type", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

}  // namespace
