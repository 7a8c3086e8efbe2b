// The expression evaluator: operator precedence with two stacks, driven by
// an action table. Operands (literals, variables, calls, macros) go on the
// operand stack as they are read; each operator is shifted onto the operator
// stack or makes the operators above it apply first.
#include "engine/ScriptEngine.h"

#include <math.h>

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

// Gives the operator stack back to its depth at the start of an evaluation.
class OperatorFrame
{
public:
    explicit OperatorFrame(std::vector<int>& stack) : m_stack(stack), m_base(stack.size()) {}
    ~OperatorFrame() { m_stack.resize(m_base); }
    OperatorFrame(const OperatorFrame&) = delete;
    OperatorFrame& operator=(const OperatorFrame&) = delete;

private:
    std::vector<int>& m_stack;
    const size_t m_base;
};

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
    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    if (EvaluateExpression(tokens, index, value))
        return 1;
    truth = value.IsTrue();
    return 0;
}

int CPandrel_Script::EvaluateExpression(TokenList& tokens, int& index, int limit, CEngineVariant& result,
                                        int errorColumn)
{
    // A lone literal or plain variable (an argument, a Return value) is
    // its own value: the token after it ends the expression.
    if (index < limit && index < tokens.GetCount()) {
        ScriptToken& only = tokens.GetToken(index);
        ScriptToken& next = TokenAt(tokens, index + 1, limit);
        const bool ends = next.Is(kTokenEndOfLine) || next.Is(kTokenComma) || next.Is(kTokenRightBracket) ||
                          (next.Is(kTokenKeyword) && OperatorOf(next, true) == kOpEnd);
        if ((only.Is(kTokenLiteral) || only.Is(kTokenVariable)) && ends) {
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
    }

    // An expression is compiled the second time it is evaluated (most lines
    // of a recorded macro run once, and reading them once is cheaper than
    // compiling them); one that is malformed is read token by token each
    // time and reports its error.
    if (index < limit && index < tokens.GetCount()) {
        ScriptToken& first = tokens.GetToken(index);
        if (first.Compiled == 0) {
            first.Compiled = -1;
        } else {
            CompiledExpression* compiled = tokens.GetCompiled(first);
            if (!compiled) {
                compiled = &tokens.AddCompiled(first);
                CompileExpression(tokens, index, limit, *compiled);
            }
            if (compiled->Valid && compiled->Start == index && compiled->Limit == limit)
                return RunCompiledExpression(tokens, *compiled, index, limit, result);
        }
    }
    return InterpretExpression(tokens, index, limit, result, errorColumn);
}

int CPandrel_Script::InterpretExpression(TokenList& tokens, int& index, int limit, CEngineVariant& result,
                                         int errorColumn)
{
    // The evaluator's own errors point at the expression's first token.
    const int column = errorColumn >= 0 ? errorColumn : TokenAt(tokens, index, limit).Column;
    ValueStackFrame values(m_values);
    OperatorFrame operators(m_operators);
    m_operators.push_back(kOpEnd);
    bool afterOperand = false;

    for (;;) {
        ScriptToken& token = TokenAt(tokens, index, limit);
        int failed;
        switch (token.Type) {
        case kTokenLiteral:
            m_values.Push().Assign(token.Value);
            ++index;
            afterOperand = true;
            continue;
        case kTokenVariable: failed = EvaluateVariable(tokens, index, limit, m_values.Push()); break;
        case kTokenBuiltin: failed = CallBuiltin(tokens, index, limit, m_values.Push()); break;
        case kTokenUserFunction: failed = CallUserFunction(tokens, index, limit, m_values.Push()); break;
        case kTokenMacro: failed = EvaluateMacro(tokens, index, limit, m_values.Push()); break;
        default: failed = -1; break;
        }
        if (failed > 0)
            return 1;
        if (failed == 0) {
            afterOperand = true;
            continue;
        }

        const int code = OperatorOf(token, afterOperand);
        for (bool again = true; again;) {
            again = false;
            const int top = m_operators.back();
            switch (ActionFor(top, code)) {
            case R:
                if (!ApplyOperator(top, values.Base())) {
                    ShowScriptError("Error in expression.", column);
                    return 1;
                }
                m_operators.pop_back();
                again = true;
                break;
            case S:
                m_operators.push_back(code);
                ++index;
                afterOperand = false;
                if (code == kOpAnd || code == kOpOr) {
                    // Short-circuit: a true left side of OR, or a false one of
                    // AND, decides; the right side is not evaluated.
                    const bool truth = values.GetCount() > 0 && m_values.At(m_values.GetCount() - 1).IsTrue();
                    if (truth == (code == kOpOr)) {
                        if (!SkipOperand(tokens, index, limit)) {
                            ShowScriptError("Error in expression.", column);
                            return 1;
                        }
                        if (values.GetCount() > 0)
                            m_values.At(m_values.GetCount() - 1).SetInt(truth ? 1 : 0);
                        m_operators.pop_back();
                        afterOperand = true;
                    }
                }
                break;
            case M:
                while (m_operators.back() != kOpOpenBracket) {
                    const int inner = m_operators.back();
                    if (inner == kOpEnd) {
                        ShowScriptError("Unbalanced brackets in expression.", column);
                        return 1;
                    }
                    if (!ApplyOperator(inner, values.Base())) {
                        ShowScriptError("Error in expression.", column);
                        return 1;
                    }
                    m_operators.pop_back();
                }
                m_operators.pop_back();
                ++index;
                afterOperand = true;
                break;
            case A:
                if (values.GetCount() != 1) {
                    ShowScriptError("Error in expression.", column);
                    return 1;
                }
                result = static_cast<CEngineVariant&&>(m_values.At(values.Base()));
                return 0;
            case E1:
                ShowScriptError("Missing right bracket ')' in expression.", column);
                return 1;
            case E2:
                ShowScriptError("Unbalanced brackets in expression.", column);
                return 1;
            }
        }
    }
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
    // The interpreter's algorithm, over token types only, counting the
    // values instead of computing them; anything it would report as an
    // error leaves the expression uncompiled.
    compiled.Start = start;
    compiled.Limit = limit;
    compiled.Valid = false;
    std::vector<ExpressionStep>& steps = compiled.Steps;
    steps.clear();
    struct Pending
    {
        int code;
        int test;   // for AND and OR: the step of their short-circuit test
    };
    std::vector<Pending> operators{{kOpEnd, -1}};
    int values = 0;
    bool afterOperand = false;
    int index = start;

    auto reduce = [&]() -> bool {
        const Pending top = operators.back();
        const int needed = top.code == kOpNot || top.code == kOpNegate ? 1 : 2;
        if (values < needed)
            return false;
        values -= needed - 1;
        steps.push_back({ExpressionStep::kOperator, static_cast<unsigned char>(top.code), 0, 0});
        if (top.test >= 0)
            steps[static_cast<size_t>(top.test)].Jump = static_cast<int>(steps.size());
        operators.pop_back();
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
            const int end = OperandEnd(tokens, index, limit);
            if (end < 0)
                return;
            ExpressionStep::Action action = ExpressionStep::kOperand;
            if (token.Is(kTokenLiteral))
                action = ExpressionStep::kLiteral;
            else if (token.Is(kTokenVariable) && end == index + 1)
                action = ExpressionStep::kVariable;
            steps.push_back({action, 0, index, 0});
            ++values;
            index = end;
            afterOperand = true;
            continue;
        }
        default:
            break;
        }

        const int code = OperatorOf(token, afterOperand);
        for (bool again = true; again;) {
            again = false;
            switch (ActionFor(operators.back().code, code)) {
            case R:
                if (!reduce())
                    return;
                again = true;
                break;
            case S:
                if ((code == kOpAnd || code == kOpOr) && values == 0)
                    return;
                operators.push_back({code, -1});
                if (code == kOpAnd || code == kOpOr) {
                    operators.back().test = static_cast<int>(steps.size());
                    steps.push_back({ExpressionStep::kShortCircuit, static_cast<unsigned char>(code), 0, 0});
                }
                ++index;
                afterOperand = false;
                break;
            case M:
                while (operators.back().code != kOpOpenBracket) {
                    if (operators.back().code == kOpEnd || !reduce())
                        return;
                }
                operators.pop_back();
                ++index;
                afterOperand = true;
                break;
            case A:
                if (values != 1)
                    return;
                compiled.End = index;
                compiled.Valid = true;
                return;
            case E1:
            case E2:
                return;
            }
        }
    }
}

int CPandrel_Script::RunCompiledExpression(TokenList& tokens, const CompiledExpression& compiled, int& index,
                                           int limit, CEngineVariant& result)
{
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
                left.SetInt(truth ? 1 : 0);
                i = static_cast<size_t>(step.Jump) - 1;   // past the AND/OR, its right side skipped
            }
            break;
        }
        }
    }
    result = static_cast<CEngineVariant&&>(m_values.At(values.Base()));
    index = compiled.End;
    return 0;
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
    if (count < 2)
        return false;
    CEngineVariant& left = m_values.At(count - 2);
    CEngineVariant& right = m_values.At(count - 1);
    if (!left.IsNumber() || !right.IsNumber())
        return false;
    const double a = left.GetNumber(), b = right.GetNumber();
    switch (code) {
    case kOpAdd: left.SetNumber(a + b); break;
    case kOpSubtract: left.SetNumber(a - b); break;
    case kOpMultiply: left.SetNumber(a * b); break;
    case kOpDivide: left.SetNumber(a / b); break;
    case kOpLess: left.SetInt(a < b ? 1 : 0); break;
    case kOpGreater: left.SetInt(a > b ? 1 : 0); break;
    case kOpLessEqual: left.SetInt(a <= b ? 1 : 0); break;
    case kOpGreaterEqual: left.SetInt(a >= b ? 1 : 0); break;
    case kOpEqual: left.SetInt(a == b ? 1 : 0); break;
    case kOpNotEqual: left.SetInt(a == b ? 0 : 1); break;
    default: return false;
    }
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
