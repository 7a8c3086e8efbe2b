// The operands of an expression: variables and array elements, builtin
// calls and user-function calls.
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

int CPandrel_Script::CallBuiltin(TokenList& tokens, int& index, int limit, CEngineVariant& result)
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
    ScriptToken& name = TokenAt(tokens, index, limit);
    const int nameColumn = name.Column;
    const UserFunctionEntry* function = FindUserFunction(name);
    if (!function) {
        ShowScriptError("Unknown function name.", nameColumn);
        return 1;
    }
    const int funcLine = function->FirstLine;
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

    // The parameters become the new level's local variables.
    m_variables.PushScope();
    for (int argument = 0; argument < pinned.Bound; ++argument) {
        const UserFunctionParameter& parameter = (*parameters)[static_cast<size_t>(argument)];
        CEngineVariant& value = m_values.At(arguments.Base() + argument);
        // Names that come once each go straight into the new scope.
        if (function->DistinctParameters) {
            if (value.IsReference())
                m_variables.BindParameterAlias(parameter.Name.GetText(), parameter.Hash, value.GetTarget());
            else
                m_variables.BindParameter(parameter.Name.GetText(), parameter.Hash,
                                          static_cast<CEngineVariant&&>(value));
        } else if (value.IsReference())
            m_variables.DeclareAliasUpper(parameter.Name.GetText(), parameter.Hash, value.GetTarget());
        else
            m_variables.DeclareUpper(parameter.Name.GetText(), parameter.Hash, value, kScopeLocal);
    }
    // The result is an operand slot of the caller's expression, which
    // nothing reads until the call is over.
    const int status = CallFunction(funcLine + 1, false, false, &result, 0);
    m_variables.PopScope();
    if (status != 0)
        return 1;
    index = close + 1;
    // A stop inside the function (Exit, the end key) ends the caller's statement too.
    return m_runState == kRunStateStop ? 1 : 0;
}
