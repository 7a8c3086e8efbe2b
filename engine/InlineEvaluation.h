// The evaluator's most common cases, inline where statements and calls take
// them: the steps of a compiled expression run on plain numbers (the
// operators as the variants apply them to two numbers, and the operands'
// reads), an expression of two operands, and a lone literal or variable.
#pragma once

#include "engine/ScriptEngine.h"

#include <math.h>

// Operator codes, as the operator stack holds them.
enum OperatorCode
{
    kOpLess, kOpGreater, kOpLessEqual, kOpGreaterEqual, kOpNotEqual, kOpEqual, kOpEqualExact,
    kOpAnd, kOpOr, kOpConcatenate, kOpNot, kOpAdd, kOpSubtract, kOpMultiply, kOpDivide, kOpPower,
    kOpNegate, kOpOpenBracket, kOpCloseBracket, kOpEnd
};

// The C library's pow gives exact powers of integers and the sign of a
// negative base; a zero base keeps its own rule (0 ^ 0 and 0 ^ -n are 1).
inline double Power(double base, double exponent)
{
    if (base == 0.0)
        return exponent <= 0.0 ? 1.0 : 0.0;
    return pow(base, exponent);
}

// An operator applied to numbers as the variants apply it: false for the
// operators that do not take two numbers to a number ("==" and "&", which
// read texts). `integral` tells whether the variant would hold the result
// as an integer (SetInt) rather than a number.
inline __attribute__((always_inline)) bool ApplyToDoubles(int code, double& left, double right, bool& integral)
{
    // Comparisons and logic give the integers 0 and 1, arithmetic a number.
    double value;
    switch (code) {
    case kOpNot: value = trunc(left) == 0.0 ? 1 : 0; break;
    case kOpLess: value = left < right ? 1 : 0; break;
    case kOpGreater: value = left > right ? 1 : 0; break;
    case kOpLessEqual: value = left <= right ? 1 : 0; break;
    case kOpGreaterEqual: value = left >= right ? 1 : 0; break;
    case kOpEqual: value = left == right ? 1 : 0; break;
    case kOpNotEqual: value = left == right ? 0 : 1; break;
    case kOpAnd: value = left != 0.0 && right != 0.0 ? 1 : 0; break;
    case kOpOr: value = left != 0.0 || right != 0.0 ? 1 : 0; break;
    case kOpNegate: left = left * -1.0; integral = false; return true;
    case kOpAdd: left = left + right; integral = false; return true;
    case kOpSubtract: left = left - right; integral = false; return true;
    case kOpMultiply: left = left * right; integral = false; return true;
    case kOpDivide: left = left / right; integral = false; return true;
    case kOpPower: left = Power(left, right); integral = false; return true;
    default: integral = false; return false;
    }
    left = value;
    integral = true;
    return true;
}

inline bool IsUnary(int code)
{
    return code == kOpNot || code == kOpNegate;
}

// An operator or a short circuit of a run on numbers, on the stack of
// `values` (`integral`: made by SetInt) with `top` in use; a short circuit
// that skips moves `i` to the step before its target. False when the run
// cannot go on with numbers.
inline __attribute__((always_inline)) bool StepOnNumbers(const ExpressionStep& step, double* values, bool* integral,
                                                         int& top, size_t& i)
{
    if (step.Do == ExpressionStep::kOperator) {
        const bool unary = IsUnary(step.Code);
        bool isInt;
        if (!ApplyToDoubles(step.Code, values[top - (unary ? 1 : 2)], values[top - 1], isInt))
            return false;
        if (!unary)
            --top;
        integral[top - 1] = isInt;
        return true;
    }
    const bool truth = values[top - 1] != 0.0;
    if (truth == (step.Code == kOpOr)) {
        if (step.Flags & ExpressionStep::kSkipFails)
            return false;
        values[top - 1] = truth ? 1 : 0;
        integral[top - 1] = true;
        i = static_cast<size_t>(step.Jump) - 1;
    }
    return true;
}

// A number a run on numbers made, as the variants would hold it.
inline __attribute__((always_inline)) void SetNumberValue(CEngineVariant& variant, double value, bool integral)
{
    if (integral)
        variant.SetInt(static_cast<int>(value));
    else
        variant.SetNumber(value);
}

inline __attribute__((always_inline)) bool CPandrel_Script::ReadNumberOperand(TokenList& tokens,
                                                                              const ExpressionStep& step,
                                                                              double& number)
{
    if (step.Do == ExpressionStep::kLiteral) {
        number = step.Number;
        return true;
    }
    CEngineVariant* variable = step.Do == ExpressionStep::kVariable ? FindVariable(*step.Site, step.Lookup)
                                                                    : LoneSubscriptElement(tokens, step.Token);
    if (!variable || !variable->IsNumber())
        return false;
    number = variable->GetNumber();
    return true;
}

inline __attribute__((always_inline)) bool CPandrel_Script::RunTwoOperands(TokenList& tokens,
                                                                           const CompiledExpression& compiled,
                                                                           int& index, double& value, bool& integral)
{
    const ExpressionStep* steps = compiled.Steps.data();
    double right;
    if (!ReadNumberOperand(tokens, steps[0], value) || !ReadNumberOperand(tokens, steps[1], right))
        return false;
    ApplyToDoubles(steps[2].Code, value, right, integral);
    index = steps[3].Token;
    return true;
}


// A TwoOperands expression on numbers into a variant, as RunOnNumbers gives it.
inline __attribute__((always_inline)) bool CPandrel_Script::TwoOperandsInto(TokenList& tokens,
                                                                            const CompiledExpression& compiled,
                                                                            int& index, CEngineVariant& result)
{
    double value;
    bool integral;
    if (!RunTwoOperands(tokens, compiled, index, value, integral))
        return false;
    SetNumberValue(result, value, integral);
    return true;
}

// EvaluateCondition for a condition whose form is known.
inline __attribute__((always_inline)) int CPandrel_Script::TestCondition(TokenList& tokens, const ExpressionRef& condition, bool& truth)
{
    const CompiledExpression* compiled = condition.Compiled;
    if (compiled && compiled->TwoOperands) {
        int index;
        double value;
        bool integral;
        if (RunTwoOperands(tokens, *compiled, index, value, integral)) {
            truth = value != 0.0;
            return 0;
        }
    }
    return EvaluateCondition(tokens, condition, truth);
}

// EvaluateLoneOperand, inline.
inline __attribute__((always_inline)) int CPandrel_Script::LoneOperandInto(ScriptToken& only, CEngineVariant& result)
{
    if (only.Is(kTokenLiteral)) {
        result.Assign(only.Value);
        return 0;
    }
    CEngineVariant* variable = FindVariable(only);
    if (!variable)
        return ReportUndeclared(only);
    result.Assign(*variable);
    return 0;
}

// EvaluateExpression for an expression whose form is known, its common
// cases inline.
inline __attribute__((always_inline)) int CPandrel_Script::EvaluateInto(TokenList& tokens,
                                                                         const ExpressionRef& expression,
                                                                         CEngineVariant& result)
{
    LineNestingLevel level(*this);
    ScriptToken& first = *expression.First;
    if (!level.Allowed(first.Column))
        return 1;
    const CompiledExpression* compiled = expression.Compiled;
    if (!compiled)
        return LoneOperandInto(first, result);
    int index = expression.Start;
    if (compiled->TwoOperands && TwoOperandsInto(tokens, *compiled, index, result))
        return 0;
    return RunCompiledExpression(tokens, *compiled, index, expression.Limit, result, -1);
}

// EvaluateExpression for an argument whose form its call's plan keeps.
inline __attribute__((always_inline)) int CPandrel_Script::EvaluateArgumentInto(TokenList& tokens,
                                                                                 const CallPlan::Argument& argument,
                                                                                 int close, CEngineVariant& value)
{
    if (argument.IsLiteral) {
        LineNestingLevel level(*this);
        if (!level.Allowed(argument.Column))
            return 1;
        value.Assign(argument.Literal);
        return 0;
    }
    const ExpressionRef expression = {argument.Compiled, argument.Start, close, argument.First};
    return EvaluateInto(tokens, expression, value);
}

// ---- Levels and calls of user functions ----

inline bool CPandrel_Script::EnterNestedLevel()
{
    if (m_nestingDepth >= kMaxNestingDepth)
        return RefuseNesting();
    ++m_nestingDepth;
    return true;
}

// Execute(line, 0): a level that a call opens.
inline __attribute__((always_inline)) int CPandrel_Script::RunNestedLevel(int line)
{
    m_runState = kRunStateRunning;
    if (!EnterNestedLevel())
        return 1;
    m_returnFlag = 0;
    if (!TagsHold(line))
        RegisterTags(line);
    if (!RunLines(line, false))
        m_returnFlag = 0;
    --m_nestingDepth;
    if (m_quitPending)
        PassQuitOn();
    return 0;
}

// A nested level with the caller's context saved and restored, its Return
// writing into `returned`: what every kind of call shares.
inline __attribute__((always_inline)) int CPandrel_Script::RunLevel(int line, bool restoreError, CEngineVariant& returned, int initialReturn)
{
    WaitState& waits = m_context.Waits();
    const DWORD waitStart = waits.Start;
    const DWORD waitTimeout = waits.Timeout;
    const int currentLine = m_currentLine;
    const int error = m_error;
    const int ifDepth = m_ifStack.GetCount();
    const int selectDepth = m_selectStack.GetCount();
    const int loopDepth = m_loopStack.GetCount();
    const int lineNesting = m_lineNesting;   // the function's lines are lines of their own
    m_lineNesting = 0;
    // The caller's own return value is untouched by what the level does.
    CEngineVariant* const callerReturn = m_returnValue;
    m_returnValue = &returned;
    returned.SetInt(initialReturn);

    const int status = RunNestedLevel(line);

    m_returnValue = callerReturn;
    m_ifStack.PopTo(ifDepth);
    m_selectStack.PopTo(selectDepth);
    m_loopStack.PopTo(loopDepth);
    waits.Start = waitStart;
    waits.Timeout = waitTimeout;
    m_currentLine = currentLine;
    m_lineNesting = lineNesting;
    if (restoreError)
        m_error = error;
    return status;
}


// The call of a user function whose arguments are on the operand stack, one
// per parameter, from `argumentsBase` on: they become the new level's local
// variables. Execute's result.
inline __attribute__((always_inline)) int CPandrel_Script::EnterUserFunction(const UserFunctionEntry& function,
                                                                              int argumentsBase,
                                                                              CEngineVariant& result)
{
    const std::vector<UserFunctionParameter>& parameters = function.Parameters;
    const int count = static_cast<int>(parameters.size());
    m_variables.PushScope();
    // A function called again at the same depth finds its parameters where
    // its last call there left them.
    auto argument = [this, argumentsBase](int i) -> CEngineVariant& { return m_values.At(argumentsBase + i); };
    if (!function.DistinctParameters ||
        !m_variables.RebindParameters(&function, function.ParametersStamp(), count, argument)) {
        bool byValue = true;
        for (int i = 0; i < count; ++i) {
            const UserFunctionParameter& parameter = parameters[static_cast<size_t>(i)];
            CEngineVariant& value = argument(i);
            // Names that come once each go straight into the new scope.
            if (function.DistinctParameters && !value.IsReference()) {
                m_variables.BindParameter(parameter.Name, parameter.Hash, static_cast<CEngineVariant&&>(value));
            } else {
                BindArgumentByName(function, parameter, value);
                byValue = false;
            }
        }
        if (byValue && function.DistinctParameters)
            m_variables.NoteBoundParameters(&function, function.ParametersStamp());
    }
    // The result is an operand slot of the caller's expression, which
    // nothing reads until the call is over.
    const int status = RunLevel(function.FirstLine + 1, false, result, 0);
    m_variables.PopScope();
    return status != 0 ? 1 : 0;
}

// A regular call of a user function, run from its plan, which was made in
// this state of the line store, as were the function's parameters.
inline __attribute__((always_inline)) int CPandrel_Script::CallPlannedFunction(TokenList& tokens,
                                                                                const CallPlan& plan,
                                                                                CEngineVariant& result)
{
    const UserFunctionEntry& function = *plan.Function;
    const int count = static_cast<int>(plan.Arguments.size());
    // Arguments that call nothing go straight into the parameters of the
    // scope the call will have, when that scope binds them again.
    VariableTable* next = plan.SimpleArguments && function.DistinctParameters ? m_variables.NextScope() : nullptr;
    int status = 0;
    if (next && next->BindsAgain(&function, function.ParametersStamp(), count)) {
        for (int i = 0; i < count && !status; ++i)
            status = EvaluateArgumentInto(tokens, plan.Arguments[static_cast<size_t>(i)], plan.Close,
                                          next->ParameterValue(i));
        if (!status) {
            m_variables.PushScope();
            next->BindParametersAgain();
            status = RunLevel(function.FirstLine + 1, false, result, 0);
            m_variables.PopScope();
        }
    } else {
        const int base = m_values.GetCount();
        for (const CallPlan::Argument& argument : plan.Arguments) {
            if (EvaluateArgumentInto(tokens, argument, plan.Close, m_values.Push())) {
                status = 1;
                break;
            }
        }
        if (!status)
            status = EnterUserFunction(function, base, result);
        m_values.PopTo(base);
    }
    // A stop inside the function (Exit, the end key) ends the caller's statement too.
    return status || m_runState == kRunStateStop ? 1 : 0;
}
