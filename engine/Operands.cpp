// The operands of an expression: variables and array elements, builtin
// calls and user-function calls.
#include "engine/InlineEvaluation.h"
#include "engine/ScriptEngine.h"

namespace {

const char kWrongSubscripts[] =
    "Array variable has incorrect number of subscripts or subscript dimension range exceeded.";
const char kBadCall[] = "Error parsing function call.";
const char kWrongArgumentCount[] = "Incorrect number of parameters in function call.";
const char kNotAVariable[] = "Expected a variable in user function call.";
const char kUndeclared[] = "Variable used without being declared.";

// Keeps the elements that ByRef arguments alias alive until the call is
// over, even when the call re-dimensions their array: the references among
// the first `Bound` arguments on the operand stack are unpinned at the end.
class PinnedArguments
{
public:
    PinnedArguments(ValueStack& values, int base) : m_values(values), m_base(base) {}
    ~PinnedArguments()
    {
        for (int i = 0; i < Bound; ++i) {
            CEngineVariant& argument = m_values.At(m_base + i);
            if (argument.IsReference())
                CEngineVariant::UnpinElement(argument.GetTarget());
        }
    }
    PinnedArguments(const PinnedArguments&) = delete;
    PinnedArguments& operator=(const PinnedArguments&) = delete;

    int Bound = 0;   // arguments set so far

private:
    ValueStack& m_values;
    const int m_base;
};

}  // namespace

int CPandrel_Script::FindClosingBracket(TokenList& tokens, int open, int limit)
{
    // What lies between the brackets does not change: the "(" keeps the
    // answer, which holds for every limit beyond it.
    ScriptToken& opening = tokens.GetToken(open);
    if (opening.CloseBracket > 0 && opening.CloseBracket - 1 < limit)
        return opening.CloseBracket - 1;
    int depth = 0;
    for (int i = open; i < limit; ++i) {
        ScriptToken& token = tokens.GetToken(i);
        if (token.Is(kTokenEndOfLine))
            return -1;
        if (token.Is(kTokenLeftParen)) {
            ++depth;
        } else if (token.Is(kTokenRightParen) && --depth == 0) {
            if (opening.Is(kTokenLeftParen))
                opening.CloseBracket = i + 1;
            return i;
        }
    }
    return -1;
}

int CPandrel_Script::CallBrackets(TokenList& tokens, int& index, int limit, int nameColumn)
{
    // The arguments end at the matching ")", which ends each of them as the
    // end of the line would.
    ++index;
    const int close = TokenAt(tokens, index, limit).Is(kTokenLeftParen) ? FindClosingBracket(tokens, index, limit) : -1;
    if (close < 0)
        ShowScriptError(kBadCall, nameColumn);
    return close;
}

CEngineVariant* CPandrel_Script::SelectElement(CEngineVariant& array, const int* subscripts, int count)
{
    return array.ElementAt(subscripts, count);
}

int CPandrel_Script::EvaluateSubscripts(TokenList& tokens, int& index, int limit,
                                        int (&subscripts)[kMaxArrayDimensions], int& count)
{
    count = 0;
    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    while (TokenAt(tokens, index, limit).Is(kTokenLeftBracket)) {
        const int bracketColumn = TokenAt(tokens, index, limit).Column;
        ++index;
        int subscript;
        if (!ReadLoneSubscript(tokens, index, limit, subscript)) {
            if (EvaluateExpression(tokens, index, limit, value))
                return 1;
            subscript = value.GetInt();
        }
        if (subscript < 0 || !TokenAt(tokens, index, limit).Is(kTokenRightBracket)) {
            ShowScriptError("Array variable subscript badly formatted.", bracketColumn);
            return 1;
        }
        ++index;
        if (count < kMaxArrayDimensions)
            subscripts[count++] = subscript;
    }
    return 0;
}

bool CPandrel_Script::HasLoneSubscripts(TokenList& tokens, int index, int end)
{
    int at = index + 1;
    while (at + 2 < end && tokens.GetToken(at).Is(kTokenLeftBracket) &&
           (tokens.GetToken(at + 1).Is(kTokenLiteral) || tokens.GetToken(at + 1).Is(kTokenVariable)) &&
           tokens.GetToken(at + 2).Is(kTokenRightBracket))
        at += 3;
    return at == end && end > index + 1;
}

bool CPandrel_Script::ReadLoneSubscript(TokenList& tokens, int& index, int limit, int& subscript)
{
    // As the evaluator reads a lone operand, without its stack; the level it
    // would count must still be allowed, so that the limit's error stays.
    if (m_lineNesting > kMaxLineNesting || !TokenAt(tokens, index + 1, limit).Is(kTokenRightBracket))
        return false;
    ScriptToken& only = TokenAt(tokens, index, limit);
    if (only.Is(kTokenLiteral)) {
        subscript = only.Value.GetInt();
    } else if (only.Is(kTokenVariable)) {
        CEngineVariant* variable = FindVariable(only);
        if (!variable)
            return false;
        subscript = variable->GetInt();
    } else {
        return false;
    }
    ++index;
    return true;
}

CEngineVariant* CPandrel_Script::LoneSubscriptElement(TokenList& tokens, int index)
{
    // The general way may read the subscripts two levels deeper than the
    // statement (the expression's level, then the subscript's): below the
    // limit by two, no level can be refused.
    if (m_lineNesting >= kMaxLineNesting)
        return nullptr;
    CEngineVariant* array = FindVariable(tokens.GetToken(index));
    if (!array || !array->IsArray())
        return nullptr;
    int subscripts[kMaxArrayDimensions];
    int count = 0;
    const int limit = tokens.GetCount();
    for (int at = index + 1; tokens.GetToken(at).Is(kTokenLeftBracket); at += 3) {
        int inside = at + 1;
        if (count == kMaxArrayDimensions || !ReadLoneSubscript(tokens, inside, limit, subscripts[count]) ||
            subscripts[count] < 0)
            return nullptr;
        ++count;
    }
    return SelectElement(*array, subscripts, count);
}

int CPandrel_Script::EvaluateVariable(TokenList& tokens, int& index, int limit, CEngineVariant& result)
{
    ScriptToken& token = TokenAt(tokens, index, limit);
    const int column = token.Column;
    CEngineVariant* variable = FindVariable(token);
    if (!variable) {
        ShowScriptError(kUndeclared, column);
        return 1;
    }
    ++index;
    ScriptToken& next = TokenAt(tokens, index, limit);
    if (!next.Is(kTokenLeftBracket)) {
        result.Assign(*variable);   // an array without subscripts is copied whole
        return 0;
    }
    if (!variable->IsArray()) {
        ShowScriptError("Subscript used with non-Array variable.", next.Column);
        return 1;
    }
    int subscripts[kMaxArrayDimensions];
    int count;
    if (EvaluateSubscripts(tokens, index, limit, subscripts, count))
        return 1;
    // Taken again: a subscript may have run a function that changed the array.
    variable = FindVariable(token);
    CEngineVariant* element = variable ? SelectElement(*variable, subscripts, count) : nullptr;
    if (!element) {
        ShowScriptError(kWrongSubscripts, column);
        return 1;
    }
    result.Assign(*element);
    return 0;
}

bool CPandrel_Script::PlanArguments(TokenList& tokens, int open, int limit, int parameters, CallPlan& plan)
{
    // As the call would read them: each argument an expression up to the
    // ")" whose end does not depend on its values, followed by a "," when
    // another comes. Builtins (`parameters` < 0) take any number, none of
    // them empty; a user function takes its parameters, the last perhaps
    // followed by a ",".
    plan.Regular = false;
    plan.Limit = limit;
    plan.Arguments.clear();
    if (!TokenAt(tokens, open, limit).Is(kTokenLeftParen))
        return false;
    const int close = FindClosingBracket(tokens, open, limit);
    if (close < 0)
        return false;
    plan.Close = close;
    int at = open + 1;
    for (int argument = 0; parameters < 0 ? at < close : argument < parameters; ++argument) {
        if (at >= close)
            return false;
        const CompiledExpression* compiled = nullptr;
        int end = at + 1;
        if (!IsLoneOperand(tokens, at, close)) {
            compiled = &CompiledAt(tokens, at, close);
            end = compiled->EndToken;
            if (end < 0)
                return false;
        }
        CallPlan::Argument& planned = plan.Arguments.emplace_back();
        ScriptToken& first = tokens.GetToken(at);
        planned.Start = at;
        planned.Column = first.Column;
        planned.First = &first;
        planned.Compiled = compiled;
        if (!compiled && first.Is(kTokenLiteral)) {
            planned.IsLiteral = true;
            planned.Literal.Assign(first.Value);
        }
        if (end < close && !tokens.GetToken(end).Is(kTokenComma))
            return false;
        at = end < close ? end + 1 : end;
        if (parameters < 0 && at == close && end < close)
            return false;   // a "," with nothing after it
    }
    if (at != close)
        return false;
    plan.Regular = true;
    plan.SimpleArguments = true;
    for (const CallPlan::Argument& argument : plan.Arguments)
        plan.SimpleArguments = plan.SimpleArguments && (!argument.Compiled || argument.Compiled->NumbersOnly);
    return true;
}

CallPlan* CPandrel_Script::PlanCall(TokenList& tokens, int index, int limit)
{
    // One plan for each call, made the first time it is asked for; a user
    // function's plan waits until its parameters have been read.
    if (index >= limit || index >= tokens.GetCount())
        return nullptr;
    ScriptToken& name = tokens.GetToken(index);
    if (CallPlan* plan = tokens.GetCallPlan(name))
        return plan->Limit == limit ? plan : nullptr;
    // Planning a call compiles its arguments, which plans the calls among
    // them: no deeper than a run may nest calls in a line, so that the
    // deepest line costs no more of the stack than its run would.
    if (m_planningDepth > kMaxLineNesting)
        return nullptr;
    struct Deeper
    {
        int& depth;
        explicit Deeper(int& d) : depth(++d) {}
        ~Deeper() { --depth; }
    } deeper(m_planningDepth);
    if (name.Is(kTokenBuiltin)) {
        CallPlan& plan = tokens.AddCallPlan(name);
        const int builtin = name.Value.GetInt();
        plan.Builtin = builtin;
        if (!PlanArguments(tokens, index + 1, limit, -1, plan) || builtin < 0 || builtin >= m_builtinCount ||
            !BuiltinAcceptsArgumentCount(m_builtins[builtin], static_cast<int>(plan.Arguments.size())))
            plan.Regular = false;
        return &plan;
    }
    const UserFunctionEntry* function = FindUserFunction(name);
    if (!function || !function->ParametersRead || function->ParametersGeneration != g_ScriptFile.GetGeneration())
        return nullptr;
    CallPlan& plan = tokens.AddCallPlan(name);
    bool byValue = true;
    for (const UserFunctionParameter& parameter : function->Parameters)
        byValue = byValue && !parameter.ByRef;
    if (!byValue || !PlanArguments(tokens, index + 1, limit, static_cast<int>(function->Parameters.size()), plan))
        plan.Regular = false;
    plan.Function = function;
    return &plan;
}

int CPandrel_Script::CallBuiltin(TokenList& tokens, int& index, int limit, CEngineVariant& result)
{
    const CallPlan* plan = PlanCall(tokens, index, limit);
    if (!plan || !plan->Regular)
        return CallBuiltinFromTokens(tokens, index, limit, result);
    index = plan->Close + 1;
    return RunPlannedBuiltinCall(tokens, *plan, result);
}

int CPandrel_Script::RunPlannedBuiltinCall(TokenList& tokens, const CallPlan& plan, CEngineVariant& result)
{
    ScopedArgumentList arguments(m_argumentLists);
    CVariantList& list = arguments.List();
    for (const CallPlan::Argument& argument : plan.Arguments)
        if (EvaluateArgumentInto(tokens, argument, plan.Close, list.AppendNew()))
            return 1;
    if (CallBuiltinByIndex(plan.Builtin, list, result) != 0)
        return 1;
    // A stop during the builtin (a wait that the end key ended) ends the
    // statement: nothing more of the line may run.
    return m_runState == kRunStateStop ? 1 : 0;
}

int CPandrel_Script::CallBuiltinFromTokens(TokenList& tokens, int& index, int limit, CEngineVariant& result)
{
    ScriptToken& name = TokenAt(tokens, index, limit);
    const int builtin = name.Value.GetInt();
    const int nameColumn = name.Column;
    const int close = CallBrackets(tokens, index, limit, nameColumn);
    if (close < 0)
        return 1;
    ScopedArgumentList arguments(m_argumentLists);
    CVariantList& list = arguments.List();
    int at = index + 1;
    while (at < close) {
        if (EvaluateExpression(tokens, at, close, list.AppendNew()))
            return 1;
        if (at >= close)
            break;
        if (!tokens.GetToken(at).Is(kTokenComma)) {
            ShowScriptError(kBadCall, nameColumn);
            return 1;
        }
        ++at;
        if (at >= close) {
            // A "," with nothing after it: an empty expression.
            CEngineVariant& missing = list.AppendNew();
            if (EvaluateExpression(tokens, at, close, missing))
                return 1;
        }
    }
    if (builtin < 0 || builtin >= m_builtinCount ||
        !BuiltinAcceptsArgumentCount(m_builtins[builtin], list.GetCount())) {
        ShowScriptError(kWrongArgumentCount, nameColumn);
        return 1;
    }
    index = close + 1;
    if (CallBuiltinByIndex(builtin, list, result) != 0)
        return 1;
    // A stop during the builtin (a wait that the end key ended) ends the
    // statement: nothing more of the line may run.
    return m_runState == kRunStateStop ? 1 : 0;
}

int CPandrel_Script::CallUserFunction(TokenList& tokens, int& index, int limit, CEngineVariant& result)
{
    const CallPlan* plan = PlanCall(tokens, index, limit);
    if (!plan || !plan->Regular)
        return CallUserFunctionFromTokens(tokens, index, limit, result);
    index = plan->Close + 1;
    return RunPlannedUserCall(tokens, *plan, result);
}

int CPandrel_Script::RunPlannedUserCall(TokenList& tokens, const CallPlan& plan, CEngineVariant& result)
{
    return CallPlannedFunction(tokens, plan, result);
}

void CPandrel_Script::BindArgumentByName(const UserFunctionEntry& function, const UserFunctionParameter& parameter,
                                         CEngineVariant& value)
{
    if (function.DistinctParameters)
        m_variables.BindParameterAlias(parameter.Name.GetText(), parameter.Hash, value.GetTarget());
    else if (value.IsReference())
        m_variables.DeclareAliasUpper(parameter.Name.GetText(), parameter.Hash, value.GetTarget());
    else
        m_variables.DeclareUpper(parameter.Name.GetText(), parameter.Hash, value, kScopeLocal);
}

int CPandrel_Script::CallUserFunctionFromTokens(TokenList& tokens, int& index, int limit, CEngineVariant& result)
{
    ScriptToken& name = TokenAt(tokens, index, limit);
    const int nameColumn = name.Column;
    const UserFunctionEntry* function = FindUserFunction(name);
    if (!function) {
        ShowScriptError("Unknown function name.", nameColumn);
        return 1;
    }
    const int close = CallBrackets(tokens, index, limit, nameColumn);
    if (close < 0)
        return 1;
    const std::vector<UserFunctionParameter>* parameters = ParametersOf(*function);
    if (!parameters)
        return 1;

    // Each argument in the order of the parameters, on the operand stack: a
    // value, or for a ByRef parameter a reference to the caller's variable
    // or element.
    ValueStackFrame arguments(m_values);
    PinnedArguments pinned(m_values, arguments.Base());
    // By place, not by iterator: a line store changed by what an argument
    // runs refills the list in place.
    int at = index + 1;
    for (size_t p = 0; p < parameters->size(); ++p) {
        const UserFunctionParameter& parameter = (*parameters)[p];
        if (at >= close) {
            ShowScriptError(kWrongArgumentCount, nameColumn);
            return 1;
        }
        if (parameter.ByRef) {
            ScriptToken& argument = tokens.GetToken(at);
            if (!argument.Is(kTokenVariable)) {
                ShowScriptError(kNotAVariable, argument.Column);
                return 1;
            }
            const int variableColumn = argument.Column;
            CEngineVariant* target = FindVariable(argument);
            if (!target) {
                ShowScriptError(kUndeclared, variableColumn);
                return 1;
            }
            ++at;
            if (target->IsArray() && TokenAt(tokens, at, close).Is(kTokenLeftBracket)) {
                int subscripts[kMaxArrayDimensions];
                int count;
                if (EvaluateSubscripts(tokens, at, close, subscripts, count))
                    return 1;
                target = FindVariable(argument);
                target = target ? SelectElement(*target, subscripts, count) : nullptr;
                if (!target) {
                    ShowScriptError(kWrongSubscripts, variableColumn);
                    return 1;
                }
            }
            ScriptToken& after = TokenAt(tokens, at, close);
            if (!after.Is(kTokenComma) && !after.Is(kTokenEndOfLine)) {
                ShowScriptError(kNotAVariable, after.Column);
                return 1;
            }
            CEngineVariant::PinElement(target);
            m_values.Push().SetReference(target);
        } else if (EvaluateExpression(tokens, at, close, m_values.Push())) {
            return 1;
        }
        ++pinned.Bound;
        if (TokenAt(tokens, at, close).Is(kTokenComma))
            ++at;
    }
    if (at < close) {
        ShowScriptError(kWrongArgumentCount, tokens.GetToken(at).Column);
        return 1;
    }

    if (RunUserFunction(*function, arguments.Base(), result))
        return 1;
    index = close + 1;
    // A stop inside the function (Exit, the end key) ends the caller's statement too.
    return m_runState == kRunStateStop ? 1 : 0;
}

