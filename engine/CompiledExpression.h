// An expression of a line as the evaluator's steps, in the order it takes
// them: operands to push and operators to apply, found by running the
// precedence algorithm once over the token types. Every expression is run
// this way. A malformed expression compiles too: its steps run up to the
// point where reading the tokens would have found the fault, and there
// report it, so that the operands before the fault are evaluated (and
// report their own errors) exactly as they would be.
#pragma once

#include "engine/VariableScopes.h"

struct CallPlan;
struct ScriptToken;

#include <vector>

struct ExpressionStep
{
    enum Action : unsigned char
    {
        kLiteral,        // push the literal token's value
        kVariable,       // push a plain variable's value
        kElement,        // an array element whose subscripts are each a literal or plain variable
        kOperand,        // any other operand: subscripted variable, call, macro
        kOperator,       // apply Code to the top of the stack
        kShortCircuit,   // AND or OR (Code) whose left side decides: go to Jump
        kAccept,         // the one value left is the result; the expression ends at Token
        kError           // report the evaluator's error Code at the expression's column
    };

    enum Flag : unsigned char
    {
        kNoFlags = 0,
        kSkipFails = 1,  // kShortCircuit: the right side cannot be skipped (its brackets do not close)
        kOpenEnded = 2   // kOperand: its end cannot be found; it can only fail
    };

    Action Do;
    unsigned char Code;
    unsigned char Flags;
    int Token;           // the operand's first token; kAccept: the token after the expression
    int Jump;            // kShortCircuit: the step to go on at when the right side is skipped
    double Number;       // kLiteral in a NumbersOnly expression: the literal's value
    // kVariable: the answer of the variable token's last look-up, kept with
    // the step, so that a run on numbers that finds it still holding does
    // not read the token.
    mutable VariableLookupCache Lookup;
    // kOperand, a call: its plan once it is regular.
    mutable const CallPlan* Call = nullptr;
    // The operand's first token (Token), at hand.
    ScriptToken* Site = nullptr;
};

// The evaluator's own errors (kError's Code).
enum ExpressionError : unsigned char
{
    kErrorInExpression,
    kErrorUnbalancedBrackets,
    kErrorMissingRightBracket
};

struct CompiledExpression
{
    int Start = 0;       // the token range it was made for
    int Limit = 0;
    std::vector<ExpressionStep> Steps;
    // The steps read only literals, plain variables and elements and apply only
    // operators that, on numbers, give numbers: when every operand is a
    // number, the expression runs on plain doubles (at most kNumberDepth
    // of them at a time).
    bool NumbersOnly = false;
    enum { kNumberDepth = 32 };
    // The token after the expression when every way through it ends there;
    // negative otherwise.
    int EndToken = -1;
    // A NumbersOnly expression of two plain operands (variables or
    // literals) and a two-operand operator (`$i + 1`, `$r * $c`): its steps
    // are run without the loop.
    bool TwoOperands = false;
    // The steps would be NumbersOnly but for calls, each with a regular
    // plan: they run on numbers as far as the calls give numbers.
    bool NumbersAndCalls = false;
    // The next form kept for an expression that starts at the same token
    // (another range), +1 in the token list's forms; 0: none.
    int Next = 0;
};
