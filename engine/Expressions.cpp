// The expression evaluator: operator precedence with two stacks, driven by
// an action table. Operands (literals, variables, calls, macros) go on the
// operand stack as they are read; each operator is shifted onto the operator
// stack or makes the operators above it apply first.
#include "engine/InlineEvaluation.h"
#include "engine/ScriptEngine.h"

#include <math.h>

#include <map>

namespace {

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
    if (compiled && compiled->NumbersOnly && TestOnNumbers(tokens, *compiled, index, truth))
        return 0;
    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    if (EvaluateExpression(tokens, index, value))
        return 1;
    truth = value.IsTrue();
    return 0;
}

int CPandrel_Script::EvaluateCondition(TokenList& tokens, const ExpressionRef& condition, bool& truth)
{
    int index = condition.Start;
    const CompiledExpression* compiled = condition.Compiled;
    if (compiled && compiled->NumbersOnly && TestOnNumbers(tokens, *compiled, index, truth))
        return 0;
    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    if (EvaluateExpression(tokens, condition, value))
        return 1;
    truth = value.IsTrue();
    return 0;
}

inline bool CPandrel_Script::TestOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index,
                                           bool& truth)
{
    double value;
    bool integral;
    if (!(compiled.TwoOperands ? RunTwoOperands(tokens, compiled, index, value, integral)
                               : RunOnNumbers(tokens, compiled, index, value, integral)))
        return false;
    truth = value != 0.0;
    return true;
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
    // line's tokens, a form for each range that starts at the token: a form
    // is never made again, so that one in use further up the stack, or kept
    // by a compiled line, stays as it is.
    ScriptToken& first = tokens.GetToken(index);
    for (CompiledExpression* kept = tokens.GetCompiled(first); kept; kept = tokens.NextCompiled(*kept))
        if (kept->Start == index && kept->Limit == limit)
            return *kept;
    CompiledExpression& compiled = tokens.AddCompiled(first);
    CompileExpression(tokens, index, limit, compiled);
    return compiled;
}

static_assert(kMaxLineNesting == 32, "the message names the limit");

bool CPandrel_Script::LineNestingLevel::Refused(int column)
{
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
        return EvaluateLoneOperand(tokens, index, result);
    }
    // Nothing to read (a statement that ends where its expression should
    // begin): its compiled form only reports the fault.
    CompiledExpression empty;
    CompileExpression(tokens, index, limit, empty);
    return RunCompiledExpression(tokens, empty, index, limit, result, errorColumn);
}

int CPandrel_Script::EvaluateExpression(TokenList& tokens, const ExpressionRef& expression, CEngineVariant& result)
{
    return EvaluateInto(tokens, expression, result);
}

int CPandrel_Script::EvaluateLoneOperand(TokenList& tokens, int& index, CEngineVariant& result)
{
    // A lone literal or plain variable (an argument, a Return value) is its
    // own value: the token after it ends the expression.
    if (LoneOperandInto(tokens.GetToken(index), result))
        return 1;
    ++index;
    return 0;
}

int CPandrel_Script::ReportUndeclared(ScriptToken& variable)
{
    ShowScriptError("Variable used without being declared.", variable.Column);
    return 1;
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

    for (ExpressionStep& step : steps)
        if (step.Do != ExpressionStep::kAccept && step.Do != ExpressionStep::kError)
            step.Site = &tokens.GetToken(step.Token);
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
    // Calls whose plans are regular run from them (a user function's plan
    // may come later, once its parameters have been read).
    for (ExpressionStep& step : steps) {
        if (step.Do != ExpressionStep::kOperand || (step.Flags & ExpressionStep::kOpenEnded))
            continue;
        const int type = tokens.GetToken(step.Token).Type;
        if (type != kTokenBuiltin && type != kTokenUserFunction)
            continue;
        const CallPlan* plan = PlanCall(tokens, step.Token, limit);
        if (plan && plan->Regular)
            step.Call = plan;
    }
    // An expression that is NumbersOnly but for calls with plans runs on
    // numbers too, as far as their results are numbers.
    int calls = 0;
    bool numbersAndCalls = !compiled.NumbersOnly && operands <= CompiledExpression::kNumberDepth;
    for (const ExpressionStep& step : steps) {
        switch (step.Do) {
        case ExpressionStep::kLiteral:
            numbersAndCalls = numbersAndCalls && tokens.GetToken(step.Token).Value.IsNumber();
            break;
        case ExpressionStep::kOperand:
            numbersAndCalls = numbersAndCalls && step.Call;
            ++calls;
            break;
        case ExpressionStep::kOperator:
            numbersAndCalls = numbersAndCalls && step.Code != kOpEqualExact && step.Code != kOpConcatenate;
            break;
        case ExpressionStep::kError:
            numbersAndCalls = false;
            break;
        default:
            break;
        }
    }
    compiled.NumbersAndCalls = numbersAndCalls && calls > 0;
    // Operand steps of a NumbersOnly expression are literals and variables.
    compiled.TwoOperands = compiled.NumbersOnly && steps.size() == 4 && steps[0].Do != ExpressionStep::kOperator &&
                           steps[1].Do != ExpressionStep::kOperator && steps[2].Do == ExpressionStep::kOperator &&
                           !IsUnary(steps[2].Code) && steps[3].Do == ExpressionStep::kAccept;
}

bool CPandrel_Script::RunOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index,
                                   CEngineVariant& result)
{
    double value;
    bool integral;
    if (compiled.TwoOperands ? !RunTwoOperands(tokens, compiled, index, value, integral)
                             : !RunOnNumbers(tokens, compiled, index, value, integral))
        return false;
    SetNumberValue(result, value, integral);
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
        case ExpressionStep::kOperator:
        case ExpressionStep::kShortCircuit:
            if (!StepOnNumbers(step, values, integral, top, i))
                return false;
            break;
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
    if (compiled.NumbersOnly && RunOnNumbers(tokens, compiled, index, result))
        return 0;
    ValueStackFrame values(m_values);
    size_t first = 0;
    if (compiled.NumbersAndCalls) {
        const int outcome = RunNumbersAndCalls(tokens, compiled, index, result, first);
        if (outcome != kStoppedOnNumbers)
            return outcome;
    }
    return RunSteps(tokens, compiled, first, values.Base(), index, limit, result, errorColumn);
}

int CPandrel_Script::RunNumbersAndCalls(TokenList& tokens, const CompiledExpression& compiled, int& index,
                                        CEngineVariant& result, size_t& resume)
{
    // On plain numbers as long as the operands, the calls' results among
    // them, are numbers. The first that is not stops it: the numbers so far
    // go on the operand stack as the general way would have them there (and
    // a call's result after them), and the general way goes on from there,
    // so that no call runs twice.
    const std::vector<ExpressionStep>& steps = compiled.Steps;
    double values[CompiledExpression::kNumberDepth];
    bool integral[CompiledExpression::kNumberDepth];
    int top = 0;
    const size_t count = steps.size();
    CEngineVariant called;
    auto stop = [&](size_t at, bool withCalled) {
        for (int i = 0; i < top; ++i)
            SetNumberValue(m_values.Push(), values[i], integral[i]);
        if (withCalled)
            m_values.Push() = static_cast<CEngineVariant&&>(called);
        resume = at;
        return kStoppedOnNumbers;
    };
    for (size_t i = 0; i < count; ++i) {
        const ExpressionStep& step = steps[i];
        switch (step.Do) {
        case ExpressionStep::kLiteral:
        case ExpressionStep::kVariable:
        case ExpressionStep::kElement:
            if (!ReadNumberOperand(tokens, step, values[top]))
                return stop(i, false);
            integral[top++] = false;
            break;
        case ExpressionStep::kOperand: {
            const CallPlan& plan = *step.Call;
            if (plan.Function ? CallPlannedFunction(tokens, plan, called) : RunPlannedBuiltinCall(tokens, plan, called))
                return 1;
            if (!called.IsNumber())
                return stop(i + 1, true);
            values[top] = called.GetNumber();
            integral[top++] = false;
            break;
        }
        case ExpressionStep::kOperator:
        case ExpressionStep::kShortCircuit:
            if (!StepOnNumbers(step, values, integral, top, i))
                return stop(i, false);
            break;
        case ExpressionStep::kAccept:
            if (integral[0])
                result.SetInt(static_cast<int>(values[0]));
            else
                result.SetNumber(values[0]);
            index = step.Token;
            return 0;
        default:
            return stop(i, false);
        }
    }
    return stop(count, false);
}

int CPandrel_Script::RunSteps(TokenList& tokens, const CompiledExpression& compiled, size_t first, int base, int& index,
                              int limit, CEngineVariant& result, int errorColumn)
{
    // The evaluator's own errors point at the expression's first token.
    auto reportError = [&](int error) {
        const int column = errorColumn >= 0 ? errorColumn : TokenAt(tokens, compiled.Start, limit).Column;
        ShowScriptError(ExpressionErrorText(error), column);
        return 1;
    };
    const std::vector<ExpressionStep>& steps = compiled.Steps;
    const size_t count = steps.size();
    for (size_t i = first; i < count; ++i) {
        const ExpressionStep& step = steps[i];
        switch (step.Do) {
        case ExpressionStep::kLiteral:
            m_values.Push().Assign(step.Site->Value);
            break;
        case ExpressionStep::kVariable: {
            ScriptToken& token = *step.Site;
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
            case kTokenBuiltin:
                failed = step.Call ? RunPlannedBuiltinCall(tokens, *step.Call, slot)
                                   : CallBuiltin(tokens, at, limit, slot);
                break;
            case kTokenUserFunction:
                if (!step.Call) {
                    const CallPlan* plan = PlanCall(tokens, at, limit);
                    if (plan && plan->Regular)
                        step.Call = plan;
                }
                failed = step.Call ? CallPlannedFunction(tokens, *step.Call, slot)
                                   : CallUserFunction(tokens, at, limit, slot);
                break;
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
                ApplyOperator(step.Code, base);
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
            result = static_cast<CEngineVariant&&>(m_values.At(base));
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
