#include "engine/BlockStack.h"
#include "engine/VariableScopes.h"
#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using engine_test::Text;

namespace {

std::string ValueOf(const VariableScopes& scopes, const char* name, int scope)
{
    CEngineVariant* v = scopes.Lookup(name, scope);
    return v ? v->GetString() : "<none>";
}

TEST(VariableScopes, WithoutAFunctionEveryScopeIsGlobal)
{
    VariableScopes scopes;
    scopes.Declare("count", Text("1"), kScopeAuto);
    scopes.Declare("Other", Text("2"), kScopeLocal);
    EXPECT_EQ(ValueOf(scopes, "COUNT", kScopeGlobal), "1");
    EXPECT_EQ(ValueOf(scopes, "other", kScopeGlobal), "2");
    EXPECT_EQ(ValueOf(scopes, "Count", kScopeLocal), "1");
    EXPECT_EQ(scopes.IsDeclared("count"), 1);
    EXPECT_EQ(scopes.IsDeclared("missing"), 0);
    EXPECT_EQ(scopes.Lookup("missing", kScopeAuto), nullptr);
}

TEST(VariableScopes, LocalScopesHideAndAutoFallsBackToGlobal)
{
    VariableScopes scopes;
    scopes.Declare("x", Text("global x"), kScopeGlobal);
    scopes.Declare("g", Text("global g"), kScopeGlobal);
    scopes.PushScope();
    scopes.Declare("x", Text("local x"), kScopeLocal);
    scopes.Declare("y", Text("local y"), kScopeAuto);

    const struct { const char* name; int scope; const char* value; } cases[] = {
        {"x", kScopeAuto, "local x"}, {"x", kScopeLocal, "local x"}, {"x", kScopeGlobal, "global x"},
        {"g", kScopeAuto, "global g"}, {"g", kScopeLocal, "<none>"}, {"y", kScopeGlobal, "<none>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ValueOf(scopes, c.name, c.scope), c.value) << c.name << " in scope " << c.scope;
    EXPECT_EQ(scopes.IsDeclared("X"), -1);
    EXPECT_EQ(scopes.IsDeclared("g"), 1);

    // A second call level sees only its own locals and the globals.
    scopes.PushScope();
    EXPECT_EQ(ValueOf(scopes, "x", kScopeAuto), "global x");
    EXPECT_EQ(ValueOf(scopes, "y", kScopeAuto), "<none>");
    scopes.PopScope();

    scopes.PopScope();
    EXPECT_EQ(ValueOf(scopes, "x", kScopeAuto), "global x");
    EXPECT_EQ(ValueOf(scopes, "y", kScopeAuto), "<none>");
}

TEST(VariableScopes, DeclaringAnExistingVariableAssignsIt)
{
    VariableScopes scopes;
    CEngineVariant* first = scopes.Declare("v", Text("one"), kScopeAuto);
    CEngineVariant* second = scopes.Declare("V", Text("two"), kScopeGlobal);
    EXPECT_EQ(first, second);
    EXPECT_STREQ(first->GetString(), "two");
}

TEST(VariableScopes, AnAliasWritesThroughToTheCallersVariable)
{
    VariableScopes scopes;
    EXPECT_FALSE(scopes.DeclareAlias("r", scopes.Declare("target", Text("a"), kScopeGlobal)));
    CEngineVariant* target = scopes.Lookup("target", kScopeAuto);

    scopes.PushScope();
    EXPECT_FALSE(scopes.DeclareAlias("r", nullptr));
    ASSERT_TRUE(scopes.DeclareAlias("r", target));
    scopes.Declare("r", Text("through the alias"), kScopeLocal);
    EXPECT_STREQ(target->GetString(), "through the alias");
    EXPECT_EQ(scopes.Lookup("R", kScopeAuto), target);
    scopes.PopScope();   // the alias goes, the variable stays

    EXPECT_STREQ(scopes.Lookup("target", kScopeAuto)->GetString(), "through the alias");
}

TEST(VariableScopes, ManyVariablesStayFindable)
{
    VariableScopes scopes;
    for (int i = 0; i < 2000; ++i) {
        std::string name = "var" + std::to_string(i);
        CEngineVariant v;
        v.SetInt(i);
        scopes.Declare(name.c_str(), v, kScopeAuto);
    }
    for (int i = 0; i < 2000; i += 7) {
        std::string name = "VAR" + std::to_string(i);
        ASSERT_NE(scopes.Lookup(name.c_str(), kScopeAuto), nullptr) << name;
        EXPECT_EQ(scopes.Lookup(name.c_str(), kScopeAuto)->GetInt(), i);
    }
    std::string longName(300, 'q');
    scopes.Declare(longName.c_str(), Text("long"), kScopeAuto);
    std::string upper(300, 'Q');
    EXPECT_EQ(ValueOf(scopes, upper.c_str(), kScopeAuto), "long");
}

TEST(VariableScopes, CachedLookUpsFollowTheScopesAcrossCalls)
{
    VariableScopes scopes;
    scopes.Declare("g", Text("global g"), kScopeGlobal);
    scopes.PushScope();
    scopes.Declare("x", Text("caller x"), kScopeLocal);
    // Each place in a script keeps its own cache, and tries it as the engine does.
    struct Place
    {
        const char* name;
        VariableLookupCache cache;
    };
    Place places[] = {{"X", {}}, {"G", {}}, {"NEW", {}}};
    auto valueAt = [&](Place& place) -> std::string {
        CEngineVariant* v = scopes.CachedLookup(place.cache);
        if (!v)
            v = scopes.PlacedLookup(place.cache);
        if (!v)
            v = scopes.GlobalLookup(place.cache);
        if (!v)
            v = scopes.LookupUpper(place.name, VariableScopes::NameHash(place.name), kScopeAuto, place.cache);
        return v ? v->GetString() : "<none>";
    };
    auto expect = [&](const char* x, const char* g, const char* created, const char* when) {
        EXPECT_EQ(valueAt(places[0]), x) << when;
        EXPECT_EQ(valueAt(places[1]), g) << when;
        EXPECT_EQ(valueAt(places[2]), created) << when;
    };
    expect("caller x", "global g", "<none>", "before the calls");

    scopes.PushScope();
    scopes.Declare("x", Text("callee x"), kScopeLocal);
    expect("callee x", "global g", "<none>", "in a call");
    scopes.PopScope();
    expect("caller x", "global g", "<none>", "after a call");

    scopes.PushScope();
    scopes.Declare("new", Text("made by a call"), kScopeGlobal);
    scopes.PopScope();
    expect("caller x", "global g", "made by a call", "after a call that made a global");
    scopes.PopScope();
    expect("<none>", "global g", "made by a call", "at the top level");
}

TEST(BlockStack, TopOfAnEmptyStackIsASpareRecord)
{
    BlockStack stack;
    EXPECT_TRUE(stack.IsEmpty());
    EXPECT_EQ(stack.Top().Kind, kBlockIf);
    BlockRecord& loop = stack.PushNew();
    loop.Kind = kBlockFor;
    loop.StartLine = 4;
    loop.Step.SetInt(-1);
    stack.PushNew().Kind = kBlockWhile;
    // A record pushed again starts afresh, whatever its storage held before.
    stack.PushNew().StartLine = 9;
    stack.Pop();
    EXPECT_EQ(stack.PushNew().StartLine, 0);
    EXPECT_EQ(stack.GetCount(), 3);
    stack.PopTo(1);
    EXPECT_EQ(stack.Top().Kind, kBlockFor);
    EXPECT_EQ(stack.Top().Step.GetInt(), -1);
    stack.Pop();
    stack.Pop();
    EXPECT_TRUE(stack.IsEmpty());
}

}  // namespace
