// The tokens of one script line, as the lexer makes them and the statement
// executor and expression evaluator read them.
#pragma once

#include "engine/CallPlan.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineVariant.h"
#include "engine/VariableScopes.h"

#include <stddef.h>

#include <memory>
#include <vector>

struct UserFunctionEntry;

enum TokenType
{
    kTokenKeyword = 0,         // value: the keyword's id (KeywordId)
    kTokenBuiltin = 1,         // value: the builtin's index in the builtin table
    kTokenLiteral = 2,         // value: a number or a string
    kTokenEqual = 3,           // =
    kTokenGreater = 4,         // >
    kTokenLess = 5,            // <
    kTokenNotEqual = 6,        // <>
    kTokenGreaterEqual = 7,    // >=
    kTokenLessEqual = 8,       // <=
    kTokenLeftParen = 9,       // (
    kTokenRightParen = 10,     // )
    kTokenPlus = 11,           // +
    kTokenMinus = 12,          // -
    kTokenDivide = 13,         // /
    kTokenMultiply = 14,       // *
    kTokenVariable = 15,       // value: the name after "$", as written
    kTokenEndOfLine = 16,
    kTokenUserFunction = 17,   // value: any other word, upper-cased
    kTokenComma = 18,          // ,
    kTokenConcatenate = 19,    // &
    kTokenLeftBracket = 20,    // [
    kTokenRightBracket = 21,   // ]
    kTokenMacro = 22,          // value: the name after "@", as written
    kTokenEqualExact = 23,     // ==
    kTokenPower = 24           // ^
};

// The 32 keywords, in id order.
enum KeywordId
{
    kKeywordAnd, kKeywordOr, kKeywordNot, kKeywordIf, kKeywordThen, kKeywordElse,
    kKeywordElseIf, kKeywordEndIf, kKeywordWhile, kKeywordWend, kKeywordDo, kKeywordUntil,
    kKeywordFor, kKeywordNext, kKeywordTo, kKeywordStep, kKeywordExitLoop,
    kKeywordContinueLoop, kKeywordSelect, kKeywordCase, kKeywordEndSelect, kKeywordDim,
    kKeywordReDim, kKeywordLocal, kKeywordGlobal, kKeywordFunc, kKeywordEndFunc,
    kKeywordReturn, kKeywordExit, kKeywordTag, kKeywordGoto, kKeywordByRef,
    kKeywordCount
};

// The upper-case text of a keyword id; null outside 0..31.
const char* KeywordName(int id);

struct ScriptToken
{
    int Type = kTokenEndOfLine;
    CEngineVariant Value;
    int Column = 0;            // 0-based position in the line where it starts

    // What the engine keeps in the tokens of a line it runs: a variable's
    // name upper-cased in Value, with its hash (0 until then), and the
    // answer of its last look-up.
    unsigned NameHash = 0;
    VariableLookupCache Lookup;
    // A user function's name: its entry, found in the table of the
    // preparation numbered FunctionGeneration.
    const UserFunctionEntry* Function = nullptr;
    unsigned FunctionGeneration = 0;
    // The first token of an expression: its compiled form in the list (+1);
    // 0 before its first evaluation, -1 after it.
    int Compiled = 0;
    // A "(": the position of its matching ")" (+1), once found; 0 before.
    int CloseBracket = 0;
    // A call's name: its plan in the list (+1), once made; 0 before.
    int Call = 0;

    bool Is(int type) const { return Type == type; }
    bool IsKeyword(int id) { return Type == kTokenKeyword && Value.GetInt() == id; }
};

// The tokens of a line in order. Reading past the end gives an end-of-line
// token, so a reader that runs off the end always meets one. Clearing keeps
// the storage, so a list that is refilled line after line stops allocating.
class TokenList
{
public:
    TokenList();

    // Appends a copy of `token`.
    void Append(const ScriptToken& token);
    // Appends a token of `type` at `column` and returns it. Its value is what
    // the reused slot held before: tokens that carry a value set it in place.
    ScriptToken& AppendNew(int type, int column);
    // The index-th token, or the spare end-of-line token. Not const: reading
    // a token's value caches its conversions in it.
    ScriptToken& GetToken(int index)
    {
        return static_cast<unsigned>(index) < static_cast<unsigned>(m_count) ? m_tokens[static_cast<size_t>(index)]
                                                                             : Spare();
    }
    int GetCount() const { return m_count; }
    // The tokens in use, one after another.
    const ScriptToken* Data() const { return m_tokens.data(); }
    void Clear()
    {
        m_count = 0;
        m_compiled.clear();
        m_calls.clear();
    }
    // Becomes a copy of `other`'s tokens, with room for exactly those.
    void CopyFrom(const TokenList& other);

    // The compiled expression that starts at a token (its Compiled number),
    // the next one kept for the same token, and a new one for it, which
    // comes first from then on. They live as long as the list's tokens.
    CompiledExpression* GetCompiled(const ScriptToken& first) { return CompiledNumbered(first.Compiled); }
    CompiledExpression* NextCompiled(const CompiledExpression& compiled) { return CompiledNumbered(compiled.Next); }
    CompiledExpression& AddCompiled(ScriptToken& first);
    // The plan of the call whose name is a token, and a new one for it; they
    // live as long as the list's tokens.
    CallPlan* GetCallPlan(const ScriptToken& name)
    {
        return name.Call > 0 ? m_calls[static_cast<size_t>(name.Call - 1)].get() : nullptr;
    }
    CallPlan& AddCallPlan(ScriptToken& name);

private:
    ScriptToken& Spare();
    CompiledExpression* CompiledNumbered(int number)
    {
        return number > 0 ? m_compiled[static_cast<size_t>(number - 1)].get() : nullptr;
    }

    std::vector<ScriptToken> m_tokens;   // the first m_count are in use
    int m_count = 0;
    ScriptToken m_spare;
    std::vector<std::unique_ptr<CompiledExpression>> m_compiled;
    std::vector<std::unique_ptr<CallPlan>> m_calls;
};
