// An expression of a line as the evaluator's steps, in the order it takes
// them: operands to push and operators to apply, found by running the
// precedence algorithm once over the token types. Running the steps gives
// what reading the tokens gives, without deciding precedence again. An
// expression the algorithm finds malformed is not compiled: it is read token
// by token each time, which reports its error as ever.
#pragma once

#include <vector>

struct ExpressionStep
{
    enum Action : unsigned char
    {
        kLiteral,        // push the literal token's value
        kVariable,       // push a plain variable's value
        kOperand,        // any other operand: subscripted variable, call, macro
        kOperator,       // apply Code to the top of the stack
        kShortCircuit    // AND or OR (Code) whose left side decides: go to Jump
    };

    Action Do;
    unsigned char Code;
    int Token;           // the operand's first token
    int Jump;            // kShortCircuit: the step after the AND/OR applies
};

struct CompiledExpression
{
    int Start = 0;       // the token range it was made for
    int Limit = 0;
    int End = 0;         // where the expression ends
    bool Valid = false;
    std::vector<ExpressionStep> Steps;
};
