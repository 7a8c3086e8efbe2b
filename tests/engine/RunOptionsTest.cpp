#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace engine_test;

namespace {

int OptIndex()
{
    for (int i = 0; i < kBuiltinCount; ++i)
        if (std::string(GetBuiltinTable()[i].Name) == "OPT")
            return i;
    return -1;
}

int Opt(CPandrel_Script& engine, const char* name, int value)
{
    CVariantList args = Args({Text(name), Int(value)});
    CEngineVariant result;
    EXPECT_EQ(engine.CallBuiltinByIndex(OptIndex(), args, result), 0) << name;
    return result.GetInt();
}

// Each step sets a value; `previous` is what Opt returns for it: the default
// first, then whatever the option's rule made of the value before.
struct Step
{
    int value;
    int previous;
};

TEST(Opt, EveryOptionsDefaultAndRule)
{
    const struct { const char* name; std::vector<Step> steps; } cases[] = {
        {"CaretCoordMode", {{0, 1}, {7, 0}, {0, 1}}},
        {"colormode", {{-3, 0}, {0, 1}}},
        {"ExpandEnvStrings", {{2, 0}, {0, 1}}},
        {"MouseClickDelay", {{-5, 10}, {30, 10}, {0, 30}, {1, 0}}},
        {"MouseClickDownDelay", {{-1, 10}, {40, 10}, {1, 40}}},
        {"MOUSECLICKDRAGDELAY", {{-1, 250}, {0, 250}, {1, 0}}},
        {"MouseCoordMode", {{0, 1}, {1, 0}}},
        {"MustDeclareVars", {{1, 0}, {0, 1}}},
        {"PixelCoordMode", {{0, 1}, {5, 0}, {0, 1}}},
        {"RunErrorsFatal", {{0, 1}, {1, 0}}},
        {"SendAttachMode", {{1, 0}, {0, 1}}},
        {"SendCapslockMode", {{0, 1}, {1, 0}}},
        {"SendKeyDelay", {{-1, 5}, {-2, -1}, {20, -1}, {0, 20}}},
        {"SendKeyDownDelay", {{-1, 1}, {-7, -1}, {3, -1}, {0, 3}}},
        {"TrayIconDebug", {{1, 0}, {0, 1}}},
        {"WinSearchChildren", {{1, 0}, {0, 1}}},
        {"winwaitdelay", {{-5, 250}, {100, 250}, {0, 100}, {1, 0}}},
        {"WinDetectHiddenText", {{1, 0}, {0, 1}}},
        {"WinTextMatchMode", {{2, 1}, {3, 2}, {0, 1}, {1, 1}}},
        {"WinTitleMatchMode", {{4, 1}, {9, 4}, {3, 1}, {-1, 3}, {2, 1}}},
        // accepted without effect: the result stays 1
        {"GUICoordMode", {{1, 1}, {0, 1}}},
        {"GUINotifyMode", {{5, 1}}},
        {"GUIResizeMode", {{5, 1}}},
        {"GuiTaskbarEntry", {{0, 1}}},
        {"TrayIconHide", {{0, 1}, {1, 1}}},
    };
    CPandrel_Script engine;
    for (const auto& c : cases)
        for (const Step& step : c.steps)
            EXPECT_EQ(Opt(engine, c.name, step.value), step.previous) << c.name << " set to " << step.value;
}

TEST(Opt, TheOrvexNameIsTheSameBuiltin)
{
    CEngineVariant result;
    const int opt = OptIndex();
    const int orvex = 7;
    ASSERT_EQ(std::string(GetBuiltinTable()[orvex].Name), "ORVEXSETOPTION");
    CVariantList set = Args({Text("WinWaitDelay"), Int(40)});
    EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(orvex, set, result), 0);
    EXPECT_EQ(result.GetInt(), 250);
    CVariantList read = Args({Text("WinWaitDelay"), Int(-1)});
    EXPECT_EQ(g_ScriptEngine.CallBuiltinByIndex(opt, read, result), 0);
    EXPECT_EQ(result.GetInt(), 40);
}

}  // namespace
