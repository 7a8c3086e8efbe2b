// What the engine keeps of a call (of a builtin or a user function) once it
// has read it from the tokens: where each argument begins and its compiled
// form, so that the call made again reads no token but its arguments'.
#pragma once

#include "engine/EngineVariant.h"

#include <vector>

struct CompiledExpression;
struct ScriptToken;
struct UserFunctionEntry;

struct CallPlan
{
    // A call whose arguments are whole expressions apart by commas, as many
    // as the callee takes, none of them for a ByRef parameter: such a call
    // runs from the plan. Any other call is read from its tokens each time.
    bool Regular = false;
    int Limit = 0;        // the end of the token range the plan was made for
    int Close = 0;        // the ")" that ends the arguments
    const UserFunctionEntry* Function = nullptr;   // a user function's entry
    int Builtin = -1;                               // or a builtin's index
    struct Argument
    {
        int Start = 0;                                  // its first token
        int Column = 0;                                 // that token's
        ScriptToken* First = nullptr;                   // that token
        const CompiledExpression* Compiled = nullptr;   // null for a lone literal or variable
        // A lone literal's value, kept here so that the call reads no
        // token: a recorded macro runs most of its calls once.
        bool IsLiteral = false;
        CEngineVariant Literal;
    };
    std::vector<Argument> Arguments;
    // Every argument is a literal, a variable or an expression on numbers
    // alone: evaluating them calls nothing.
    bool SimpleArguments = false;
};
