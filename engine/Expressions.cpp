// The expression evaluator: operator precedence with two stacks, driven by
// an action table. Operands (literals, variables, calls, macros) go on the
// operand stack as they are read; each operator is shifted onto the operator
// stack or makes the operators above it apply first.
#include "engine/ScriptEngine.h"

#include <math.h>

#include <map>

namespace {

// Operator codes, as the operator stack holds them.
enum OperatorCode
{
    kOpLess, kOpGreater, kOpLessEqual, kOpGreaterEqual, kOpNotEqual, kOpEqual, kOpEqualExact,
    kOpAnd, kOpOr, kOpConcatenate, kOpNot, kOpAdd, kOpSubtract, kOpMultiply, kOpDivide, kOpPower,
    kOpNegate, kOpOpenBracket, kOpCloseBracket, kOpEnd
};

// The classes of operators that share a row or a column of the table.
enum OperatorClass
{
    kClassComparison, kClassAndOr, kClassConcatenate, kClassNot, kClassAdditive, kClassMultiplicative,
    kClassPower, kClassNegate, kClassOpen, kClassClose, kClassEnd
};

enum Action { R, S, M, A, E1, E2 };   // reduce, shift, match brackets, accept, the two bracket errors

// Rows: the operator on top of the stack (the end marker last); columns: the
// incoming symbol.
const unsigned char kActions[10][11] = {
    //  cmp AO  &  NOT +-  */  ^  neg  (   )  end
    {R, R, S, S, S, S, S, S, S, M, R},        // comparisons
    {S, R, S, S, S, S, S, S, S, M, R},        // AND OR
    {R, R, R, S, S, S, S, S, S, M, R},        // &
    {R, R, R, S, R, R, R, S, S, M, R},        // NOT
    {R, R, R, S, R, S, S, S, S, M, R},        // + -
    {R, R, R, S, R, R, S, S, S, M, R},        // * /
    {R, R, R, S, R, R, R, S, S, M, R},        // ^
    {R, R, R, S, R, R, R, S, S, M, R},        // negate
    {S, S, S, S, S, S, S, S, S, M, E1},       // (
    {S, S, S, S, S, S, S, S, S, E2, A},       // end marker
};

int ClassOf(int code)
{
    switch (code) {
    case kOpAnd: case kOpOr: return kClassAndOr;
    case kOpConcatenate: return kClassConcatenate;
    case kOpNot: return kClassNot;
    case kOpAdd: case kOpSubtract: return kClassAdditive;
    case kOpMultiply: case kOpDivide: return kClassMultiplicative;
    case kOpPower: return kClassPower;
    case kOpNegate: return kClassNegate;
    case kOpOpenBracket: return kClassOpen;
    case kOpCloseBracket: return kClassClose;
    case kOpEnd: return kClassEnd;
    default: return kClassComparison;
    }
}

Action ActionFor(int top, int incoming)
{
    const int row = top == kOpEnd ? 9 : ClassOf(top);
    return static_cast<Action>(kActions[row][ClassOf(incoming)]);
}

// The operator a token stands for; "-" subtracts after an operand or ")"
// and negates anywhere else. Tokens that are no operator end the expression.
int OperatorOf(ScriptToken& token, bool afterOperand)
{
    switch (token.Type) {
    case kTokenLess: return kOpLess;
    case kTokenGreater: return kOpGreater;
    case kTokenLessEqual: return kOpLessEqual;
    case kTokenGreaterEqual: return kOpGreaterEqual;
    case kTokenNotEqual: return kOpNotEqual;
    case kTokenEqual: return kOpEqual;
    case kTokenEqualExact: return kOpEqualExact;
    case kTokenConcatenate: return kOpConcatenate;
    case kTokenPlus: return kOpAdd;
    case kTokenMinus: return afterOperand ? kOpSubtract : kOpNegate;
    case kTokenMultiply: return kOpMultiply;
    case kTokenDivide: return kOpDivide;
    case kTokenPower: return kOpPower;
    case kTokenLeftParen: return kOpOpenBracket;
    case kTokenRightParen: return kOpCloseBracket;
    case kTokenKeyword:
        switch (token.Value.GetInt()) {
        case kKeywordAnd: return kOpAnd;
        case kKeywordOr: return kOpOr;
        case kKeywordNot: return kOpNot;
        default: return kOpEnd;
        }
    default:
        return kOpEnd;
    }
}

// The C library's pow gives exact powers of integers and the sign of a
// negative base; a zero base keeps its own rule (0 ^ 0 and 0 ^ -n are 1).
double Power(double base, double exponent)
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
    integral = true;
    switch (code) {
    case kOpNot: left = trunc(left) == 0.0 ? 1 : 0; return true;
    case kOpLess: left = left < right ? 1 : 0; return true;
    case kOpGreater: left = left > right ? 1 : 0; return true;
    case kOpLessEqual: left = left <= right ? 1 : 0; return true;
    case kOpGreaterEqual: left = left >= right ? 1 : 0; return true;
    case kOpEqual: left = left == right ? 1 : 0; return true;
    case kOpNotEqual: left = left == right ? 0 : 1; return true;
    case kOpAnd: left = left != 0.0 && right != 0.0 ? 1 : 0; return true;
    case kOpOr: left = left != 0.0 || right != 0.0 ? 1 : 0; return true;
    default: break;
    }
    integral = false;
    switch (code) {
    case kOpNegate: left = left * -1.0; return true;
    case kOpAdd: left = left + right; return true;
    case kOpSubtract: left = left - right; return true;
    case kOpMultiply: left = left * right; return true;
    case kOpDivide: left = left / right; return true;
    case kOpPower: left = Power(left, right); return true;
    default: return false;
    }
}

bool IsUnary(int code)
{
    return code == kOpNot || code == kOpNegate;
}

const char* ExpressionErrorText(int error)
{
    switch (error) {
    case kErrorUnbalancedBrackets: return "Unbalanced brackets in expression.";
    case kErrorMissingRightBracket: return "Missing right bracket ')' in expression.";
    default: return "Error in expression.";
    }
}

}  // namespace

ScriptToken& CPandrel_Script::TokenAt(TokenList& tokens, int index, int limit)
{
    if (index < limit)
        return tokens.GetToken(index);
    m_endToken.Type = kTokenEndOfLine;
    m_endToken.Column = tokens.GetToken(limit).Column;
    return m_endToken;
}

int CPandrel_Script::EvaluateCondition(TokenList& tokens, int& index, bool& truth)
{
    // A condition on numbers needs no variant.
    const int limit = tokens.GetCount();
    const CompiledExpression* compiled = index < limit ? CompiledUnlessLone(tokens, index, limit) : nullptr;
    if (compiled && compiled->NumbersOnly) {
        double value;
        bool integral;
        if (compiled->TwoOperands ? RunTwoOperands(tokens, *compiled, index, value, integral)
                                  : RunOnNumbers(tokens, *compiled, index, value, integral)) {
            truth = value != 0.0;
            return 0;
        }
    }
    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    if (EvaluateExpression(tokens, index, value))
        return 1;
    truth = value.IsTrue();
    return 0;
}

bool CPandrel_Script::IsLoneOperand(TokenList& tokens, int index, int limit)
{
    ScriptToken& only = tokens.GetToken(index);
    if (!only.Is(kTokenLiteral) && !only.Is(kTokenVariable))
        return false;
    ScriptToken& next = TokenAt(tokens, index + 1, limit);
    return next.Is(kTokenEndOfLine) || next.Is(kTokenComma) || next.Is(kTokenRightBracket) ||
           (next.Is(kTokenKeyword) && OperatorOf(next, true) == kOpEnd);
}

CompiledExpression& CPandrel_Script::CompiledAt(TokenList& tokens, int index, int limit)
{
    // Made the first time the expression is evaluated and kept with the
    // line's tokens.
    ScriptToken& first = tokens.GetToken(index);
    CompiledExpression* compiled = tokens.GetCompiled(first);
    if (!compiled)
        compiled = &tokens.AddCompiled(first);
    if (compiled->Steps.empty() || compiled->Start != index || compiled->Limit != limit)
        CompileExpression(tokens, index, limit, *compiled);
    return *compiled;
}

static_assert(kMaxLineNesting == 32, "the message names the limit");

bool CPandrel_Script::LineNestingLevel::Allowed(int column)
{
    // The line's own statement and expression are not nested in anything.
    if (m_engine.m_lineNesting <= kMaxLineNesting + 1)
        return true;
    m_engine.ShowScriptError("Too many levels of calls, subscripts and Ifs nested in one line - 32 is the maximum.",
                             column);
    return false;
}

int CPandrel_Script::EvaluateExpression(TokenList& tokens, int& index, int limit, CEngineVariant& result,
                                        int errorColumn)
{
    LineNestingLevel level(*this);
    if (!level.Allowed(TokenAt(tokens, index, limit).Column))
        return 1;

    if (index < limit && index < tokens.GetCount()) {
        if (const CompiledExpression* compiled = CompiledUnlessLone(tokens, index, limit))
            return RunCompiledExpression(tokens, *compiled, index, limit, result, errorColumn);
        // A lone literal or plain variable (an argument, a Return value) is
        // its own value: the token after it ends the expression.
        ScriptToken& only = tokens.GetToken(index);
        if (only.Is(kTokenLiteral)) {
            result.Assign(only.Value);
        } else {
            CEngineVariant* variable = FindVariable(only);
            if (!variable) {
                ShowScriptError("Variable used without being declared.", only.Column);
                return 1;
            }
            result.Assign(*variable);
        }
        ++index;
        return 0;
    }
    // Nothing to read (a statement that ends where its expression should
    // begin): its compiled form only reports the fault.
    CompiledExpression empty;
    CompileExpression(tokens, index, limit, empty);
    return RunCompiledExpression(tokens, empty, index, limit, result, errorColumn);
}

int CPandrel_Script::OperandEnd(TokenList& tokens, int index, int limit)
{
    ScriptToken& token = TokenAt(tokens, index, limit);
    switch (token.Type) {
    case kTokenLiteral:
    case kTokenMacro:
        return index + 1;
    case kTokenVariable: {
        // Each "[" closes at its matching "]".
        int at = index + 1;
        while (TokenAt(tokens, at, limit).Is(kTokenLeftBracket)) {
            int depth = 0;
            for (;; ++at) {
                ScriptToken& inner = TokenAt(tokens, at, limit);
                if (inner.Is(kTokenEndOfLine))
                    return -1;
                if (inner.Is(kTokenLeftBracket))
                    ++depth;
                else if (inner.Is(kTokenRightBracket) && --depth == 0)
                    break;
            }
            ++at;
        }
        return at;
    }
    case kTokenBuiltin:
    case kTokenUserFunction: {
        if (!TokenAt(tokens, index + 1, limit).Is(kTokenLeftParen))
            return -1;
        const int close = FindClosingBracket(tokens, index + 1, limit);
        return close < 0 ? -1 : close + 1;
    }
    default:
        return -1;
    }
}

void CPandrel_Script::CompileExpression(TokenList& tokens, int start, int limit, CompiledExpression& compiled)
{
    // The precedence algorithm over token types only, counting the values
    // instead of computing them. Where reading the tokens would report an
    // error, a step reports it. AND and OR get a test of their left side;
    // when it decides, the right side is skipped as SkipOperand skips it,
    // and the steps go on at the state that skip leaves. That is the step
    // after the AND/OR applies in all but malformed expressions; for those
    // the steps from that state are compiled on their own.
    compiled.Start = start;
    compiled.Limit = limit;
    std::vector<ExpressionStep>& steps = compiled.Steps;
    steps.clear();

    struct Pending
    {
        int code;
        int test;   // AND and OR: the step of their short-circuit test, or -1
    };
    struct State
    {
        int index;
        bool afterOperand;
        int values;
        std::vector<Pending> operators;
    };
    // A short-circuit test waiting for its Jump: the state its skip leaves,
    // and, once the AND/OR was applied in the same walk, where that left it.
    struct Skip
    {
        int test;
        State skipped;
        bool applied = false;
        int appliedAt = 0;
        int appliedValues = 0;
        bool appliedAfterOperand = false;
        int stepAfter = 0;
    };
    std::vector<Skip> skips;
    std::map<std::vector<int>, int> walked;   // a state's key: the first step of its walk

    auto emit = [&](ExpressionStep::Action action, int code, int token, int flags = ExpressionStep::kNoFlags) {
        steps.push_back({action, static_cast<unsigned char>(code), static_cast<unsigned char>(flags), token, 0, 0.0});
    };

    auto walk = [&](State state) {
        int& index = state.index;
        std::vector<Pending>& operators = state.operators;
        auto reduce = [&]() -> bool {
            const Pending top = operators.back();
            const int needed = top.code == kOpNot || top.code == kOpNegate ? 1 : 2;
            if (state.values < needed) {
                emit(ExpressionStep::kError, kErrorInExpression, 0);
                return false;
            }
            state.values -= needed - 1;
            emit(ExpressionStep::kOperator, top.code, 0);
            operators.pop_back();
            for (Skip& skip : skips) {
                if (skip.test == top.test && top.test >= 0) {
                    skip.applied = true;
                    skip.appliedAt = index;
                    skip.appliedValues = state.values;
                    skip.appliedAfterOperand = state.afterOperand;
                    skip.stepAfter = static_cast<int>(steps.size());
                }
            }
            return true;
        };

        for (;;) {
            ScriptToken& token = TokenAt(tokens, index, limit);
            switch (token.Type) {
            case kTokenLiteral:
            case kTokenVariable:
            case kTokenBuiltin:
            case kTokenUserFunction:
            case kTokenMacro: {
                const int end = token.Is(kTokenLiteral) ? index + 1 : OperandEnd(tokens, index, limit);
                if (end < 0) {
                    emit(ExpressionStep::kOperand, 0, index, ExpressionStep::kOpenEnded);
                    return;
                }
                ExpressionStep::Action action = ExpressionStep::kOperand;
                if (token.Is(kTokenLiteral))
                    action = ExpressionStep::kLiteral;
                else if (token.Is(kTokenVariable) && end == index + 1)
                    action = ExpressionStep::kVariable;
                else if (token.Is(kTokenVariable) && HasLoneSubscripts(tokens, index, end))
                    action = ExpressionStep::kElement;
                emit(action, 0, index);
                ++state.values;
                index = end;
                state.afterOperand = true;
                continue;
            }
            default:
                break;
            }

            const int code = OperatorOf(token, state.afterOperand);
            for (bool again = true; again;) {
                again = false;
                switch (ActionFor(operators.back().code, code)) {
                case R:
                    if (!reduce())
                        return;
                    again = true;
                    break;
                case S: {
                    const int values = state.values;
                    operators.push_back({code, -1});
                    ++index;
                    state.afterOperand = false;
                    if (code != kOpAnd && code != kOpOr)
                        break;
                    // Copied only here: a copy at every bracket made deep
                    // brackets cost the square of their depth.
                    std::vector<Pending> below(operators.begin(), operators.end() - 1);
                    int skipEnd = index;
                    const bool skipFails = !SkipOperand(tokens, skipEnd, limit);
                    if (values == 0) {
                        // No left side: it counts as false, so AND always
                        // skips and OR never does.
                        if (code == kOpOr)
                            break;
                        if (skipFails) {
                            emit(ExpressionStep::kError, kErrorInExpression, 0);
                            return;
                        }
                        operators.pop_back();
                        index = skipEnd;
                        state.afterOperand = true;
                        break;
                    }
                    operators.back().test = static_cast<int>(steps.size());
                    emit(ExpressionStep::kShortCircuit, code, 0, skipFails ? ExpressionStep::kSkipFails : 0);
                    if (!skipFails) {
                        for (Pending& outer : below)
                            outer.test = -1;   // their own walk decides their jumps
                        Skip skip;
                        skip.test = operators.back().test;
                        skip.skipped = State{skipEnd, true, values, std::move(below)};
                        skips.push_back(std::move(skip));
                    }
                    break;
                }
                case M:
                    while (operators.back().code != kOpOpenBracket) {
                        if (operators.back().code == kOpEnd) {
                            emit(ExpressionStep::kError, kErrorUnbalancedBrackets, 0);
                            return;
                        }
                        if (!reduce())
                            return;
                    }
                    operators.pop_back();
                    ++index;
                    state.afterOperand = true;
                    break;
                case A:
                    if (state.values != 1)
                        emit(ExpressionStep::kError, kErrorInExpression, 0);
                    else
                        emit(ExpressionStep::kAccept, 0, index);
                    return;
                case E1:
                    emit(ExpressionStep::kError, kErrorMissingRightBracket, 0);
                    return;
                case E2:
                    emit(ExpressionStep::kError, kErrorUnbalancedBrackets, 0);
                    return;
                }
            }
        }
    };

    walk(State{start, false, 0, {{kOpEnd, -1}}});
    // Each test's jump; walking a state may add tests of its own.
    for (size_t i = 0; i < skips.size(); ++i) {
        const Skip skip = skips[i];
        int target;
        if (skip.applied && skip.appliedAt == skip.skipped.index && skip.appliedValues == skip.skipped.values &&
            skip.appliedAfterOperand) {
            target = skip.stepAfter;
        } else {
            std::vector<int> key{skip.skipped.index, skip.skipped.values};
            for (const Pending& pending : skip.skipped.operators)
                key.push_back(pending.code);
            auto found = walked.find(key);
            if (found != walked.end()) {
                target = found->second;
            } else {
                target = static_cast<int>(steps.size());
                walked.emplace(std::move(key), target);
                walk(skip.skipped);
            }
        }
        steps[static_cast<size_t>(skip.test)].Jump = target;
    }

    int operands = 0;
    compiled.NumbersOnly = true;
    compiled.EndToken = -1;
    for (ExpressionStep& step : steps) {
        if (step.Do == ExpressionStep::kAccept)
            compiled.EndToken = compiled.EndToken == -1 || compiled.EndToken == step.Token ? step.Token : -2;
        switch (step.Do) {
        case ExpressionStep::kLiteral: {
            CEngineVariant& literal = tokens.GetToken(step.Token).Value;
            if (literal.IsNumber())
                step.Number = literal.GetNumber();
            else
                compiled.NumbersOnly = false;
            ++operands;
            break;
        }
        case ExpressionStep::kVariable:
        case ExpressionStep::kElement:
            ++operands;
            break;
        case ExpressionStep::kOperator:
            if (step.Code == kOpEqualExact || step.Code == kOpConcatenate)
                compiled.NumbersOnly = false;
            break;
        case ExpressionStep::kShortCircuit:
        case ExpressionStep::kAccept:
            break;
        default:
            compiled.NumbersOnly = false;
            break;
        }
    }
    if (operands > CompiledExpression::kNumberDepth)
        compiled.NumbersOnly = false;
    // Operand steps of a NumbersOnly expression are literals and variables.
    compiled.TwoOperands = compiled.NumbersOnly && steps.size() == 4 && steps[0].Do != ExpressionStep::kOperator &&
                           steps[1].Do != ExpressionStep::kOperator && steps[2].Do == ExpressionStep::kOperator &&
                           !IsUnary(steps[2].Code) && steps[3].Do == ExpressionStep::kAccept;
}

CEngineVariant* CPandrel_Script::FindOperandVariable(TokenList& tokens, const ExpressionStep& step)
{
    if (step.Do == ExpressionStep::kElement)
        return LoneSubscriptElement(tokens, step.Token);
    ScriptToken& token = tokens.GetToken(step.Token);
    CEngineVariant* variable = FindVariable(token);
    step.Lookup.Variable = token.Lookup.Variable;
    step.Lookup.Epoch = token.Lookup.Epoch;
    return variable;
}

inline __attribute__((always_inline)) bool CPandrel_Script::ReadNumberOperand(TokenList& tokens,
                                                                              const ExpressionStep& step,
                                                                              double& number)
{
    if (step.Do == ExpressionStep::kLiteral) {
        number = step.Number;
        return true;
    }
    CEngineVariant* variable = step.Do == ExpressionStep::kVariable ? m_variables.CachedLookup(step.Lookup) : nullptr;
    if (!variable)
        variable = FindOperandVariable(tokens, step);
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

bool CPandrel_Script::RunOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index,
                                   CEngineVariant& result)
{
    double value;
    bool integral;
    if (compiled.TwoOperands ? !RunTwoOperands(tokens, compiled, index, value, integral)
                             : !RunOnNumbers(tokens, compiled, index, value, integral))
        return false;
    if (integral)
        result.SetInt(static_cast<int>(value));
    else
        result.SetNumber(value);
    return true;
}

bool CPandrel_Script::RunOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index, double& value,
                                   bool& isInt)
{
    // The operators as the variants apply them to two numbers; a value that
    // is not a number sends the whole expression the general way, which
    // reads the same variables again (reading has no effects).
    if (compiled.TwoOperands)
        return RunTwoOperands(tokens, compiled, index, value, isInt);
    const std::vector<ExpressionStep>& steps = compiled.Steps;
    double values[CompiledExpression::kNumberDepth];
    bool integral[CompiledExpression::kNumberDepth];   // made by SetInt: its integer form is cached
    int top = 0;
    const size_t count = steps.size();
    for (size_t i = 0; i < count; ++i) {
        const ExpressionStep& step = steps[i];
        switch (step.Do) {
        case ExpressionStep::kLiteral:
        case ExpressionStep::kVariable:
        case ExpressionStep::kElement:
            if (!ReadNumberOperand(tokens, step, values[top]))
                return false;
            integral[top++] = false;
            break;
        case ExpressionStep::kOperator: {
            const bool unary = IsUnary(step.Code);
            bool isInt;
            if (!ApplyToDoubles(step.Code, values[top - (unary ? 1 : 2)], values[top - 1], isInt))
                return false;
            if (!unary)
                --top;
            integral[top - 1] = isInt;
            break;
        }
        case ExpressionStep::kShortCircuit: {
            const bool truth = values[top - 1] != 0.0;
            if (truth == (step.Code == kOpOr)) {
                if (step.Flags & ExpressionStep::kSkipFails)
                    return false;
                values[top - 1] = truth ? 1 : 0;
                integral[top - 1] = true;
                i = static_cast<size_t>(step.Jump) - 1;
            }
            break;
        }
        case ExpressionStep::kAccept:
            value = values[0];
            isInt = integral[0];
            index = step.Token;
            return true;
        default:
            return false;
        }
    }
    return false;
}

int CPandrel_Script::RunCompiledExpression(TokenList& tokens, const CompiledExpression& compiled, int& index,
                                           int limit, CEngineVariant& result, int errorColumn)
{
    // The evaluator's own errors point at the expression's first token.
    auto reportError = [&](int error) {
        const int column = errorColumn >= 0 ? errorColumn : TokenAt(tokens, compiled.Start, limit).Column;
        ShowScriptError(ExpressionErrorText(error), column);
        return 1;
    };
    if (compiled.NumbersOnly && RunOnNumbers(tokens, compiled, index, result))
        return 0;
    ValueStackFrame values(m_values);
    const std::vector<ExpressionStep>& steps = compiled.Steps;
    const size_t count = steps.size();
    for (size_t i = 0; i < count; ++i) {
        const ExpressionStep& step = steps[i];
        switch (step.Do) {
        case ExpressionStep::kLiteral:
            m_values.Push().Assign(tokens.GetToken(step.Token).Value);
            break;
        case ExpressionStep::kVariable: {
            ScriptToken& token = tokens.GetToken(step.Token);
            CEngineVariant* variable = FindVariable(token);
            if (!variable) {
                ShowScriptError("Variable used without being declared.", token.Column);
                return 1;
            }
            m_values.Push().Assign(*variable);
            break;
        }
        case ExpressionStep::kElement:
        case ExpressionStep::kOperand: {
            int at = step.Token;
            CEngineVariant& slot = m_values.Push();
            int failed;
            switch (tokens.GetToken(at).Type) {
            case kTokenVariable: failed = EvaluateVariable(tokens, at, limit, slot); break;
            case kTokenBuiltin: failed = CallBuiltin(tokens, at, limit, slot); break;
            case kTokenUserFunction: failed = CallUserFunction(tokens, at, limit, slot); break;
            default: failed = EvaluateMacro(tokens, at, limit, slot); break;
            }
            if (failed)
                return 1;
            if (step.Flags & ExpressionStep::kOpenEnded)
                return reportError(kErrorInExpression);
            break;
        }
        case ExpressionStep::kOperator:
            if (!ApplyToNumbers(step.Code))
                ApplyOperator(step.Code, values.Base());
            break;
        case ExpressionStep::kShortCircuit: {
            CEngineVariant& left = m_values.At(m_values.GetCount() - 1);
            const bool truth = left.IsTrue();
            if (truth == (step.Code == kOpOr)) {
                if (step.Flags & ExpressionStep::kSkipFails)
                    return reportError(kErrorInExpression);
                left.SetInt(truth ? 1 : 0);
                i = static_cast<size_t>(step.Jump) - 1;   // past the AND/OR, its right side skipped
            }
            break;
        }
        case ExpressionStep::kAccept:
            result = static_cast<CEngineVariant&&>(m_values.At(values.Base()));
            index = step.Token;
            return 0;
        case ExpressionStep::kError:
            return reportError(step.Code);
        }
    }
    return reportError(kErrorInExpression);   // not reached: every walk ends in an accept or an error
}

bool CPandrel_Script::SkipOperand(TokenList& tokens, int& index, int limit)
{
    // Up to the next keyword other than NOT, or a "," or closing bracket
    // that belongs to an enclosing expression; brackets opened inside the
    // skipped operand are passed over with all they hold.
    int depth = 0;
    for (;; ++index) {
        ScriptToken& token = TokenAt(tokens, index, limit);
        switch (token.Type) {
        case kTokenEndOfLine:
            return depth == 0;
        case kTokenLeftParen:
        case kTokenLeftBracket:
            ++depth;
            break;
        case kTokenRightParen:
        case kTokenRightBracket:
            if (depth == 0)
                return true;
            --depth;
            break;
        case kTokenComma:
            if (depth == 0)
                return true;
            break;
        case kTokenKeyword:
            if (depth == 0 && !token.IsKeyword(kKeywordNot))
                return true;
            break;
        default:
            break;
        }
    }
}

bool CPandrel_Script::ApplyToNumbers(int code)
{
    // Two numbers under an arithmetic or comparison operator, the common
    // case of loops and conditions, without the general operator's way
    // round; anything else goes there.
    const int count = m_values.GetCount();
    if (count < 2 || IsUnary(code))
        return false;
    CEngineVariant& left = m_values.At(count - 2);
    CEngineVariant& right = m_values.At(count - 1);
    if (!left.IsNumber() || !right.IsNumber())
        return false;
    double value = left.GetNumber();
    bool integral;
    if (!ApplyToDoubles(code, value, right.GetNumber(), integral))
        return false;
    if (integral)
        left.SetInt(static_cast<int>(value));
    else
        left.SetNumber(value);
    m_values.PopTo(count - 1);
    return true;
}

bool CPandrel_Script::ApplyOperator(int code, int base)
{
    const int count = m_values.GetCount();
    if (code == kOpNot || code == kOpNegate) {
        if (count - base < 1)
            return false;
        CEngineVariant& value = m_values.At(count - 1);
        if (code == kOpNot) {
            value.Not();
        } else {
            CEngineVariant minusOne;
            minusOne.SetInt(-1);
            value.Multiply(minusOne);
        }
        return true;
    }
    if (count - base < 2)
        return false;
    CEngineVariant& left = m_values.At(count - 2);
    CEngineVariant& right = m_values.At(count - 1);
    switch (code) {
    case kOpLess: left.SetInt(left.Less(right) ? 1 : 0); break;
    case kOpGreater: left.SetInt(left.Greater(right) ? 1 : 0); break;
    case kOpLessEqual: left.SetInt(left.Less(right) || left.Equal(right) ? 1 : 0); break;
    case kOpGreaterEqual: left.SetInt(left.Greater(right) || left.Equal(right) ? 1 : 0); break;
    case kOpNotEqual: left.SetInt(left.Equal(right) ? 0 : 1); break;
    case kOpEqual: left.SetInt(left.Equal(right) ? 1 : 0); break;
    case kOpEqualExact: left.SetInt(left.EqualExact(right) ? 1 : 0); break;
    case kOpAnd: left.SetInt(left.And(right) ? 1 : 0); break;
    case kOpOr: left.SetInt(left.Or(right) ? 1 : 0); break;
    case kOpConcatenate: left.Concatenate(right); break;
    case kOpAdd: left.Add(right); break;
    case kOpSubtract: left.Subtract(right); break;
    case kOpMultiply: left.Multiply(right); break;
    case kOpDivide: left.Divide(right); break;
    case kOpPower: left.SetNumber(Power(left.GetNumber(), right.GetNumber())); break;
    default: return false;
    }
    m_values.PopTo(count - 1);
    return true;
}
