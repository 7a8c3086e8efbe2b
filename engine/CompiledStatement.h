// What the engine keeps of a statement once it has read it from the line's
// tokens: which statement it is and, for the statements that lines run most
// (assignments, calls, If, Return and the block words), where their parts
// begin and the compiled forms of their expressions. A statement whose
// shape is anything but regular keeps the kind that runs it from the tokens,
// which read it as they always did and report what is wrong with it.
#pragma once

#include <memory>

struct CallPlan;
struct CompiledExpression;
struct ScriptToken;

// An expression of a statement, as EvaluateExpression would take it: its
// compiled form, or a lone literal or variable, which is its own value.
struct ExpressionRef
{
    const CompiledExpression* Compiled = nullptr;   // null: the lone operand at Start
    int Start = 0;
    int Limit = 0;
    ScriptToken* First = nullptr;   // the token at Start
};

struct CompiledStatement
{
    enum Kind : unsigned char
    {
        kFromTokens,     // read from the tokens each time (ExecuteStatement)
        kNothing,        // an empty or comment-only line
        kAssign,         // $v = e, e up to the end of the line
        kCall,           // a builtin or user function called as a statement
        kIf,             // If c Then, a block
        kIfThen,         // If c Then statement, on one line
        kReturn,         // Return e
        kReturnNothing,  // Return
        kEndFunc,
        // The block words, run by their executors from the tokens.
        kElse, kEndIf, kWhile, kWend, kDo, kUntil, kFor, kNext, kSelect, kCase, kEndSelect,
        kExitLoop, kContinueLoop
    };

    Kind What = kFromTokens;
    int Index = 0;                 // the statement's first token
    ExpressionRef Expression;      // the condition, right side or returned value
    int ThenIndex = 0;             // kIfThen: the first token of the statement after Then
    // kAssign: the right side runs on numbers when it can (AssignNumbers),
    // or appends to the variable when it reads `$v & ...` (TryAppendInPlace).
    bool OnNumbers = false;
    bool MayAppend = false;
    std::unique_ptr<CompiledStatement> Then;   // kIfThen: the statement after Then
    // kCall: the call's plan when it is regular and the line ends after it.
    const CallPlan* Call = nullptr;
};
