#include "engine/BuiltinTable.h"
#include "engine/ScriptEngine.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

// The builtins whose families are not built yet, in the table's order. A new
// family takes its names off this list.
const std::set<std::string> kPendingBuiltins = {
};

TEST(BuiltinBinding, EveryEntryIsBoundOnceAndOnlyPendingOnesKeepTheStandIn)
{
    const BuiltinEntry* table = GetBuiltinTable();
    const BuiltinBindingReport& report = GetBuiltinBindingReport();
    int pending = 0;
    for (int i = 0; i < kBuiltinCount; ++i) {
        const bool isPending = kPendingBuiltins.count(table[i].Name) != 0;
        pending += isPending ? 1 : 0;
        // One binding, or none and the stand-in: never two handlers for one name.
        EXPECT_EQ(report.TimesBound[i], isPending ? 0 : 1) << table[i].Name;
        EXPECT_EQ(table[i].Handler == BuiltinNotYetAvailable, isPending) << table[i].Name;
        EXPECT_TRUE(table[i].Handler != nullptr) << table[i].Name;
    }
    // Every pending name is in the table, and every bound name too.
    EXPECT_EQ(pending, static_cast<int>(kPendingBuiltins.size()));
    for (const std::string& name : report.UnknownNames)
        ADD_FAILURE() << "a family binds " << name << ", which the table does not have";
}

// A family's own state: one object per type, kept between calls.
struct CounterState : BuiltinFamilyState
{
    int Calls = 0;
};
struct OtherState : BuiltinFamilyState
{
    int Calls = 0;
};

TEST(BuiltinContext, AFamilysStateIsMadeOnceAndKeptPerType)
{
    BuiltinContext& context = g_ScriptEngine.Context();
    ++context.FamilyState<CounterState>().Calls;
    ++context.FamilyState<CounterState>().Calls;
    EXPECT_EQ(context.FamilyState<CounterState>().Calls, 2);
    EXPECT_EQ(context.FamilyState<OtherState>().Calls, 0);
    EXPECT_NE(static_cast<void*>(&context.FamilyState<CounterState>()),
              static_cast<void*>(&context.FamilyState<OtherState>()));
}

}  // namespace
