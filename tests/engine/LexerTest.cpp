#include "tests/engine/EngineTestSupport.h"

#include <gtest/gtest.h>

#include <string>

using namespace engine_test;

namespace {

std::string Tokenised(const char* line)
{
    TokenList tokens;
    EXPECT_EQ(g_ScriptEngine.Tokenise(line, tokens), 0) << line;
    return Describe(tokens);
}

TEST(Lexer, TokenKindsAndColumns)
{
    const struct { const char* line; const char* tokens; } cases[] = {
        {"$x=1;comment", "var(x)@0 =@2 num(1)@3 eol@4"},
        {"If $a<>$b Then", "kw(IF)@0 var(a)@3 <>@5 var(b)@7 kw(THEN)@10 eol@14"},
        {"  \t", "eol@3"},
        {"", "eol@0"},
        {"; only a comment", "eol@0"},
        {"a <= b >= c < d > e = f == g", "word(A)@0 <=@2 word(B)@5 >=@7 word(C)@10 <@12 word(D)@14 >@16 "
                                         "word(E)@18 =@20 word(F)@22 ==@24 word(G)@27 eol@28"},
        {"(1+2)-3/4*5^6&7,[8]", "(@0 num(1)@1 +@2 num(2)@3 )@4 -@5 num(3)@6 /@7 num(4)@8 *@9 num(5)@10 "
                                "^@11 num(6)@12 &@13 num(7)@14 ,@15 [@16 num(8)@17 ]@18 eol@19"},
        {"$My_Var1 @ScriptDir @crlf", "var(My_Var1)@0 mac(ScriptDir)@9 mac(crlf)@20 eol@25"},
        {"stringlen myfunc wend _private", "fn(STRINGLEN)@0 word(MYFUNC)@10 kw(WEND)@17 word(_PRIVATE)@22 eol@30"},
        {"ExitLoop ContinueLoop ByRef", "kw(EXITLOOP)@0 kw(CONTINUELOOP)@9 kw(BYREF)@22 eol@27"},
        {"abs WinWaitNotActive Orvexsetoption delay", "fn(ABS)@0 fn(WINWAITNOTACTIVE)@4 fn(ORVEXSETOPTION)@21 fn(DELAY)@36 eol@41"},
        {"-5", "-@0 num(5)@1 eol@2"},
        {"x;y", "word(X)@0 eol@1"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokenised(c.line), c.tokens) << c.line;
}

TEST(Lexer, KeywordsAndBuiltinsAreFoundWhateverTheirCase)
{
    // The keywords in id order.
    const char* const keywords[] = {
        "and", "or", "not", "if", "then", "else", "elseif", "endif", "while", "wend", "do", "until",
        "for", "next", "to", "step", "exitloop", "continueloop", "select", "case", "endselect", "dim",
        "redim", "local", "global", "func", "endfunc", "return", "exit", "tag", "goto", "byref",
    };
    ASSERT_EQ(sizeof keywords / sizeof keywords[0], static_cast<size_t>(kKeywordCount));
    for (int id = 0; id < kKeywordCount; ++id) {
        TokenList tokens;
        ASSERT_EQ(g_ScriptEngine.Tokenise(keywords[id], tokens), 0);
        EXPECT_EQ(tokens.GetToken(0).Type, kTokenKeyword) << keywords[id];
        EXPECT_EQ(tokens.GetToken(0).Value.GetInt(), id) << keywords[id];
        EXPECT_EQ(tokens.GetToken(1).Type, kTokenEndOfLine);
    }
    for (int index = 0; index < kBuiltinCount; ++index) {
        std::string name = GetBuiltinTable()[index].Name;
        TokenList tokens;
        ASSERT_EQ(g_ScriptEngine.Tokenise(name.c_str(), tokens), 0);
        EXPECT_EQ(tokens.GetToken(0).Type, kTokenBuiltin) << name;
        EXPECT_EQ(tokens.GetToken(0).Value.GetInt(), index) << name;
    }
}

TEST(Lexer, Numbers)
{
    const struct { const char* line; const char* tokens; } cases[] = {
        {".5", "num(0.5)@0 eol@2"},
        {"1.", "num(1)@0 eol@2"},
        {".", "num(0)@0 eol@1"},
        {"2.5e3", "num(2500)@0 eol@5"},
        {"1E-2", "num(0.01)@0 eol@4"},
        {"1e5+2", "num(100000)@0 +@3 num(2)@4 eol@5"},   // the sign belongs only right after E
        {"1e+5-2", "num(100000)@0 -@4 num(2)@5 eol@6"},
        {"1.5.3", "num(1.5)@0 num(0.3)@3 eol@5"},
        {"0x1F", "num(31)@0 eol@4"},
        {"0XffFFffFF", "num(-1)@0 eol@10"},
        {"0x", "num(0)@0 eol@2"},
        {"0x1G", "num(1)@0 word(G)@3 eol@4"},
        {"12abc", "num(12)@0 word(ABC)@2 eol@5"},
        {"007", "num(7)@0 eol@3"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokenised(c.line), c.tokens) << c.line;

    TokenList tokens;
    g_ScriptEngine.Tokenise("0x10 3", tokens);
    EXPECT_TRUE(tokens.GetToken(0).Value.IsInt());   // hexadecimal is an integer
    EXPECT_TRUE(tokens.GetToken(1).Value.IsNumber());
}

TEST(Lexer, StringsWithEitherQuote)
{
    const struct { const char* line; const char* tokens; } cases[] = {
        {"\"abc\"", "str(abc)@0 eol@5"},
        {"'abc' \"\"", "str(abc)@0 str()@6 eol@8"},
        {"\"say \"\"hi\"\"\"", "str(say \"hi\")@0 eol@12"},
        {"'it''s'", "str(it's)@0 eol@7"},
        {"\"it's\" 'a \"b\"'", "str(it's)@0 str(a \"b\")@7 eol@14"},
        {"\"a;b\";c", "str(a;b)@0 eol@5"},
        {"\"%PATH%\"", "str(%PATH%)@0 eol@8"},   // expansion is off by default
        {"Send(\"x\", 1)", "fn(SEND)@0 (@4 str(x)@5 ,@8 num(1)@10 )@11 eol@12"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokenised(c.line), c.tokens) << c.line;
}

TEST(Lexer, EnvironmentExpansionUnderTheOption)
{
    SetEnvironmentVariableA("KESTRUNE_LEXER", "value");
    SetEnvironmentVariableA("KESTRUNE_UNSET", nullptr);
    std::string big(5000, 'b');
    SetEnvironmentVariableA("KESTRUNE_BIG", big.c_str());

    CVariantList on = Args({Text("ExpandEnvStrings"), Int(1)});
    CEngineVariant result;
    ASSERT_EQ(g_ScriptEngine.BuiltinOpt(on, result), 0);

    const struct { const char* line; const char* tokens; } cases[] = {
        {"\"<%KESTRUNE_LEXER%>\"", "str(<value>)@0 eol@20"},
        {"'100%% %KESTRUNE_UNSET%!'", "str(100% !)@0 eol@25"},
        {"\"tail %KESTRUNE_LEXER\"", "str(tail value)@0 eol@22"},
        {"\"%kestrune_lexer%;x\"", "str(value;x)@0 eol@20"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Tokenised(c.line), c.tokens) << c.line;

    // The expansion is cut at 4,095 characters.
    TokenList tokens;
    ASSERT_EQ(g_ScriptEngine.Tokenise("\"x%KESTRUNE_BIG%%KESTRUNE_BIG%y\"", tokens), 0);
    std::string expanded = tokens.GetToken(0).Value.GetString();
    EXPECT_EQ(expanded.size(), 4095u);
    EXPECT_EQ(expanded.substr(0, 3), "xbb");

    char path[4096];
    GetEnvironmentVariableA("PATH", path, sizeof path);
    ASSERT_EQ(g_ScriptEngine.Tokenise("\"%PATH%;x\"", tokens), 0);
    EXPECT_EQ(std::string(tokens.GetToken(0).Value.GetString()), std::string(path) + ";x");

    CVariantList off = Args({Text("ExpandEnvStrings"), Int(0)});
    g_ScriptEngine.BuiltinOpt(off, result);
    EXPECT_EQ(Tokenised("\"%KESTRUNE_LEXER%\""), "str(%KESTRUNE_LEXER%)@0 eol@18");
}

TEST(Lexer, ARefilledListKeepsNoStaleTokens)
{
    TokenList tokens;
    g_ScriptEngine.Tokenise("MouseClick(\"left\", 1, \"third\", $v)", tokens);
    EXPECT_EQ(tokens.GetCount(), 11);
    g_ScriptEngine.Tokenise("$x = \"a\"", tokens);
    EXPECT_EQ(Describe(tokens), "var(x)@0 =@3 str(a)@5 eol@8");
    EXPECT_EQ(tokens.GetToken(4).Type, kTokenEndOfLine);   // past the end
    EXPECT_EQ(tokens.GetToken(100).Type, kTokenEndOfLine);
}

}  // namespace
