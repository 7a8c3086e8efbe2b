// Statements: one per line. The run loop hands each tokenised line to
// ExecuteStatement with the number of the next line to run, which jumps,
// loops and branches change.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

namespace {

const char kIllegalText[] = "Illegal text at the end of statement (one statement per line).";
const char kSubscriptsBadlyFormatted[] = "Array variable subscript badly formatted.";
const char kWrongSubscripts[] =
    "Array variable has incorrect number of subscripts or subscript dimension range exceeded.";

// Variable names compare without regard to case.
bool SameName(const char* a, const char* b)
{
    for (; *a && *b; ++a, ++b)
        if (FoldCharUpper(*a) != FoldCharUpper(*b))
            return false;
    return *a == *b;
}

// Out of line, so that ExecuteStatement stays a plain dispatch that needs
// no frame of its own.
__attribute__((noinline)) int ReportUnparsableLine(CPandrel_Script& engine, int column)
{
    engine.ShowScriptError("Unable to parse line.", column);
    return 1;
}

}  // namespace

int CPandrel_Script::ReportIllegalText(ScriptToken& token)
{
    ShowScriptError(kIllegalText, token.Column);
    return 1;
}

int CPandrel_Script::ExecuteStatement(TokenList& tokens, int index, int& nextLine)
{
    ScriptToken& first = tokens.GetToken(index);
    switch (first.Type) {
    case kTokenKeyword:
        return ExecuteKeyword(tokens, index, nextLine);
    case kTokenBuiltin:
    case kTokenUserFunction:
        return ExecuteCall(tokens, index);
    case kTokenVariable:
        return ExecuteAssignment(tokens, index);
    case kTokenEndOfLine:
        return 0;   // an empty or comment-only line
    default:
        return ReportUnparsableLine(*this, first.Column);
    }
}

int CPandrel_Script::ExecuteCall(TokenList& tokens, int index)
{
    // A call as a statement: its result is dropped.
    ValueStackFrame frame(m_values);
    CEngineVariant& dropped = m_values.Push();
    const int limit = tokens.GetCount();
    const int status = tokens.GetToken(index).Is(kTokenBuiltin) ? CallBuiltin(tokens, index, limit, dropped)
                                                                : CallUserFunction(tokens, index, limit, dropped);
    return status ? status : ExpectEndOfLine(tokens, index);
}

int CPandrel_Script::ExecuteKeyword(TokenList& tokens, int index, int& nextLine)
{
    switch (tokens.GetToken(index).Value.GetInt()) {
    case kKeywordIf: return ExecuteIf(tokens, index, nextLine);
    case kKeywordElse:
    case kKeywordElseIf: return ExecuteElse(tokens, index, nextLine);
    case kKeywordEndIf: return ExecuteEndIf(tokens, index);
    case kKeywordWhile: return ExecuteWhile(tokens, index, nextLine);
    case kKeywordWend: return ExecuteWend(tokens, index, nextLine);
    case kKeywordDo: return ExecuteDo(tokens, index);
    case kKeywordUntil: return ExecuteUntil(tokens, index, nextLine);
    case kKeywordFor: return ExecuteFor(tokens, index, nextLine);
    case kKeywordNext: return ExecuteNext(tokens, index, nextLine);
    case kKeywordExitLoop: return ExecuteExitLoop(tokens, index, nextLine);
    case kKeywordContinueLoop: return ExecuteContinueLoop(tokens, index, nextLine);
    case kKeywordSelect: return ExecuteSelect(tokens, index, nextLine);
    case kKeywordCase: return ExecuteCase(tokens, index, nextLine);
    case kKeywordEndSelect: return ExecuteEndSelect(tokens, index);
    case kKeywordDim: return ExecuteDim(tokens, index + 1, kScopeAuto, false);
    case kKeywordReDim: return ExecuteDim(tokens, index + 1, kScopeAuto, true);
    case kKeywordLocal: return ExecuteDim(tokens, index + 1, kScopeLocal, false);
    case kKeywordGlobal: return ExecuteDim(tokens, index + 1, kScopeGlobal, false);
    case kKeywordFunc: return ExecuteFuncSkip(tokens, index, nextLine);
    case kKeywordReturn: return ExecuteReturn(tokens, index);
    case kKeywordEndFunc:
        m_returnFlag = 1;   // ends this level at the top of the next turn
        return 0;
    case kKeywordExit: return ExecuteExit(tokens, index);
    case kKeywordTag: return ExecuteTag(tokens, index);
    case kKeywordGoto: return ExecuteGoto(tokens, index, nextLine);
    default:   // AND, OR, NOT, THEN, TO, STEP, BYREF
        ShowScriptError("Invalid keyword at the start of this line.", -1);
        return 1;
    }
}

int CPandrel_Script::ExecuteAssignment(TokenList& tokens, int index)
{
    ScriptToken& variableToken = tokens.GetToken(index);
    const int column = variableToken.Column;
    int at = index + 1;
    const bool subscripted = tokens.GetToken(at).Is(kTokenLeftBracket);

    CEngineVariant* variable = FindVariable(variableToken);
    if (!variable) {
        if (m_mustDeclareVars == 1) {
            ShowScriptError("Variable used without being declared.", column);
            return 1;
        }
        if (subscripted) {
            ShowScriptError("You must DIM an array before you can assign to it.", column);
            return 1;
        }
        CEngineVariant empty;
        empty.SetString("");
        variable = m_variables.Declare(variableToken.Value.GetString(), empty, kScopeAuto);
    }

    // The element is chosen before the right side runs, as ever, but taken
    // again afterwards: a function on the right may have changed the array.
    const bool element = variable->IsArray() && subscripted;
    int subscripts[kMaxArrayDimensions];
    int subscriptCount = 0;
    CEngineVariant* chosen = variable;
    if (element) {
        if (EvaluateSubscripts(tokens, at, tokens.GetCount(), subscripts, subscriptCount))
            return 1;
        variable = FindVariable(variableToken);
        chosen = variable ? SelectElement(*variable, subscripts, subscriptCount) : nullptr;
        if (!chosen) {
            ShowScriptError(kWrongSubscripts, column);
            return 1;
        }
    }

    ScriptToken& equals = tokens.GetToken(at);
    if (!equals.Is(kTokenEqual)) {
        ShowScriptError("Expected a = operator in assignment statement.", equals.Column);
        return 1;
    }
    ++at;

    // A right side on numbers runs no function, so the element chosen is
    // still the one to assign.
    if (AssignNumbers(tokens, at, *chosen))
        return 0;
    int status;
    if (!element && TryAppendInPlace(tokens, at, *variable, status))
        return status;

    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    if (EvaluateExpression(tokens, at, value) || ExpectEndOfLine(tokens, at))
        return 1;

    CEngineVariant* target = FindVariable(variableToken);
    if (target && element)
        target = target->IsArray() ? SelectElement(*target, subscripts, subscriptCount) : nullptr;
    if (!target) {
        ShowScriptError(kWrongSubscripts, column);
        return 1;
    }
    *target = static_cast<CEngineVariant&&>(value);
    return 0;
}

bool CPandrel_Script::AssignNumbers(TokenList& tokens, int index, CEngineVariant& variable)
{
    // The value is made only after every operand was read, so it can go
    // straight into the variable, even when the right side reads it.
    const int limit = tokens.GetCount();
    const CompiledExpression* compiled = index < limit ? CompiledUnlessLone(tokens, index, limit) : nullptr;
    if (!compiled || !compiled->NumbersOnly || compiled->EndToken != limit - 1 ||
        !tokens.GetToken(limit - 1).Is(kTokenEndOfLine))
        return false;
    return RunOnNumbers(tokens, *compiled, index, variable);
}

bool CPandrel_Script::TryAppendInPlace(TokenList& tokens, int index, CEngineVariant& variable, int& status)
{
    // "$s = $s & ..." builds a string piece by piece. Evaluated as written it
    // copies the whole string on every append; when the rest of the line
    // only reads (literals, macros, plain variables, arithmetic, "&" and
    // brackets), appending its text in place gives the same string.
    ScriptToken& same = tokens.GetToken(index);
    if (!same.Is(kTokenVariable) || !tokens.GetToken(index + 1).Is(kTokenConcatenate) ||
        !(variable.IsString() || variable.IsNumber()) ||
        !SameName(same.Value.GetString(), tokens.GetToken(index - 2).Value.GetString()))
        return false;

    // The rest must be well formed, so that no error of the evaluator's own
    // could differ from the one the whole expression would give.
    bool operandNext = true;
    int depth = 0;
    for (int i = index + 2;; ++i) {
        ScriptToken& token = tokens.GetToken(i);
        if (operandNext) {
            if (token.Is(kTokenLiteral) || token.Is(kTokenMacro)) {
                operandNext = false;
            } else if (token.Is(kTokenVariable)) {
                CEngineVariant* read = FindVariable(token);
                if (!read || read->IsArray() || tokens.GetToken(i + 1).Is(kTokenLeftBracket))
                    return false;
                operandNext = false;
            } else if (token.Is(kTokenLeftParen)) {
                ++depth;
            } else if (!token.Is(kTokenMinus)) {
                return false;
            }
        } else if (token.Is(kTokenPlus) || token.Is(kTokenMinus) || token.Is(kTokenMultiply) ||
                   token.Is(kTokenDivide) || token.Is(kTokenPower) || token.Is(kTokenConcatenate)) {
            operandNext = true;
        } else if (token.Is(kTokenRightParen) && depth > 0) {
            --depth;
        } else if (token.Is(kTokenEndOfLine) && depth == 0) {
            break;
        } else {
            return false;
        }
    }

    ValueStackFrame frame(m_values);
    CEngineVariant& tail = m_values.Push();
    int at = index + 2;
    status = EvaluateExpression(tokens, at, tokens.GetCount(), tail, same.Column);
    if (status == 0)
        variable.Concatenate(tail);
    return true;
}

int CPandrel_Script::ExecuteDim(TokenList& tokens, int index, int scope, bool reDim)
{
    int at = index;
    for (;;) {
        ScriptToken& variableToken = tokens.GetToken(at);
        if (!variableToken.Is(kTokenVariable)) {
            ShowScriptError("No variable given for \"Dim\", \"Local\" or \"Global\" statement.",
                            tokens.GetToken(at - 1).Column);
            return 1;
        }
        const char* name = variableToken.Value.GetString();
        if (!m_variables.Lookup(name, scope)) {
            CEngineVariant empty;
            empty.SetString("");
            m_variables.Declare(name, empty, scope);
        }
        ++at;

        if (tokens.GetToken(at).Is(kTokenLeftBracket)) {
            int sizes[kMaxArrayDimensions];
            int count = 0;
            ValueStackFrame frame(m_values);
            CEngineVariant& size = m_values.Push();
            while (tokens.GetToken(at).Is(kTokenLeftBracket)) {
                const int bracketColumn = tokens.GetToken(at).Column;
                ++at;
                if (EvaluateExpression(tokens, at, size))
                    return 1;
                if (size.GetInt() < 1 || !tokens.GetToken(at).Is(kTokenRightBracket)) {
                    ShowScriptError(kSubscriptsBadlyFormatted, bracketColumn);
                    return 1;
                }
                ++at;
                if (count == kMaxArrayDimensions) {
                    ShowScriptError("Too many subscripts used for an array - 64 is the maximum.", bracketColumn);
                    return 1;
                }
                sizes[count++] = size.GetInt();
            }
            // Taken again: a size may have run a function that made variables.
            CEngineVariant* variable = m_variables.Lookup(name, scope);
            CEngineVariant old;
            if (reDim && variable->IsArray())
                old = static_cast<CEngineVariant&&>(*variable);
            variable->ClearSubscripts();
            for (int i = 0; i < count; ++i)
                variable->PushSubscript(sizes[i]);
            if (!variable->CreateArray()) {
                ShowScriptError("Unable to allocate array - maximum total size is 16777216 elements.",
                                variableToken.Column);
                return 1;
            }
            if (old.IsArray())
                variable->CopyElementsFrom(old);
        } else if (tokens.GetToken(at).Is(kTokenEqual)) {
            ++at;
            const int expressionColumn = tokens.GetToken(at).Column;
            ValueStackFrame frame(m_values);
            CEngineVariant& value = m_values.Push();
            if (EvaluateExpression(tokens, at, value)) {
                ShowScriptError("Error in expression.", expressionColumn);
                return 1;
            }
            *m_variables.Lookup(name, scope) = static_cast<CEngineVariant&&>(value);
        }

        ScriptToken& after = tokens.GetToken(at);
        if (after.Is(kTokenEndOfLine))
            return 0;
        if (!after.Is(kTokenComma)) {
            ShowScriptError(kSubscriptsBadlyFormatted, after.Column);
            return 1;
        }
        ++at;
    }
}

int CPandrel_Script::ExecuteReturn(TokenList& tokens, int index)
{
    int at = index + 1;
    if (!tokens.GetToken(at).Is(kTokenEndOfLine)) {
        ValueStackFrame frame(m_values);
        CEngineVariant& value = m_values.Push();
        if (EvaluateExpression(tokens, at, value) || ExpectEndOfLine(tokens, at))
            return 1;
        *m_returnValue = static_cast<CEngineVariant&&>(value);
    }
    m_returnFlag = 1;
    return 0;
}

int CPandrel_Script::ExecuteExit(TokenList& tokens, int index)
{
    int at = index + 1;
    if (!tokens.GetToken(at).Is(kTokenEndOfLine)) {
        ValueStackFrame frame(m_values);
        CEngineVariant& value = m_values.Push();
        if (EvaluateExpression(tokens, at, value))
            return 1;
        g_ScriptExitCode = value.GetInt();
        if (ExpectEndOfLine(tokens, at))
            return 1;
    }
    m_runState = kRunStateStop;
    return 0;
}

int CPandrel_Script::ExecuteFuncSkip(TokenList& tokens, int index, int& nextLine)
{
    // A Func met while running: its body runs only when called.
    int firstLine, parameterCount, lastLine;
    if (LookupUserFunction(tokens.GetToken(index + 1).Value.GetString(), firstLine, parameterCount, lastLine))
        nextLine = lastLine + 1;
    return 0;
}
