// Running a compiled statement (CompiledStatement.h). Each kind does what
// the statement's executor does when it reads the same tokens, without
// reading them again; where a run could go another way than the common one
// before it has done anything, it hands the statement to that executor.
#include "engine/InlineEvaluation.h"
#include "engine/ScriptEngine.h"

namespace {

const char kWrongSubscripts[] =
    "Array variable has incorrect number of subscripts or subscript dimension range exceeded.";

}  // namespace

inline __attribute__((always_inline)) int CPandrel_Script::RunReturn(CompiledStatement& statement,
                                                                      TokenList& tokens)
{
    // Straight into the level's return value: an expression sets its result
    // only once it has its value, and nothing reads the return value before
    // the level ends.
    if (EvaluateInto(tokens, statement.Expression, *m_returnValue))
        return 1;
    m_returnFlag = 1;
    return 0;
}

inline __attribute__((always_inline)) int CPandrel_Script::RunStatement(CompiledStatement& statement,
                                                                         TokenList& tokens, int& nextLine)
{
    const int index = statement.Index;
    switch (statement.What) {
    case CompiledStatement::kNothing:
        return 0;
    case CompiledStatement::kAssign:
        return RunCompiledAssignment(statement, tokens);
    case CompiledStatement::kCall: {
        if (!statement.Call)
            return ExecuteCall(tokens, index);
        // A call as a statement: its result is dropped.
        ValueStackFrame frame(m_values);
        CEngineVariant& dropped = m_values.Push();
        const CallPlan& plan = *statement.Call;
        return plan.Function ? CallPlannedFunction(tokens, plan, dropped) : RunPlannedBuiltinCall(tokens, plan, dropped);
    }
    case CompiledStatement::kIf: {
        const int ifLine = m_currentLine;
        bool truth;
        return TestCondition(tokens, statement.Expression, truth) ? 1 : ExecuteBlockIf(ifLine, truth, nextLine);
    }
    case CompiledStatement::kIfThen: {
        bool truth;
        if (TestCondition(tokens, statement.Expression, truth))
            return 1;
        if (!truth)
            return 0;
        LineNestingLevel level(*this);
        if (!level.Allowed(tokens.GetToken(statement.ThenIndex).Column))
            return 1;
        // `If c Then Return v` ends a function: inline.
        CompiledStatement& then = *statement.Then;
        return then.What == CompiledStatement::kReturn ? RunReturn(then, tokens)
                                                       : RunCompiledStatement(then, tokens, nextLine);
    }
    case CompiledStatement::kReturn:
        return RunReturn(statement, tokens);
    case CompiledStatement::kReturnNothing:
    case CompiledStatement::kEndFunc:
        m_returnFlag = 1;   // ends this level at the top of the next turn
        return 0;
    case CompiledStatement::kElse: return ExecuteElse(tokens, index, nextLine);
    case CompiledStatement::kEndIf: return ExecuteEndIf(tokens, index);
    case CompiledStatement::kWhile: return ExecuteWhile(tokens, index, nextLine);
    case CompiledStatement::kWend: return ExecuteWend(tokens, index, nextLine);
    case CompiledStatement::kDo: return ExecuteDo(tokens, index);
    case CompiledStatement::kUntil: return ExecuteUntil(tokens, index, nextLine);
    case CompiledStatement::kFor: return ExecuteFor(tokens, index, nextLine);
    case CompiledStatement::kNext: return ExecuteNext(tokens, index, nextLine);
    case CompiledStatement::kSelect: return ExecuteSelect(tokens, index, nextLine);
    case CompiledStatement::kCase: return ExecuteCase(tokens, index, nextLine);
    case CompiledStatement::kEndSelect: return ExecuteEndSelect(tokens, index);
    case CompiledStatement::kExitLoop: return ExecuteExitLoop(tokens, index, nextLine);
    case CompiledStatement::kContinueLoop: return ExecuteContinueLoop(tokens, index, nextLine);
    case CompiledStatement::kFromTokens:
    default:
        return ExecuteStatement(tokens, index, nextLine);
    }
}

bool CPandrel_Script::RunLines(int line, bool waitLoop)
{
    while (!m_returnFlag) {
        // Most turns run a line whose statement is compiled, with nothing
        // to poll and the pump not due.
        bool pumpChecked = false;
        if (!waitLoop && NothingToPoll() && !UseHalvane) {
            pumpChecked = true;
            if (TurnIsQuiet()) {
                if (CachedLine* ready = ReadyLine(line)) {
                    m_currentLine = line++;
                    ++m_statistics.LinesRun;
                    if (!ready->Ran)
                        FetchNextLineAhead(*ready, line);
                    RunStatement(ready->Statement, *ready->Tokens, line);
                    continue;
                }
            } else {
                PumpUnlessEarly(false);
            }
        }
        if (!Turn(line, waitLoop, pumpChecked))
            return true;
    }
    return false;
}

int CPandrel_Script::RunCompiledStatement(CompiledStatement& statement, TokenList& tokens, int& nextLine)
{
    return RunStatement(statement, tokens, nextLine);
}

int CPandrel_Script::RunCompiledAssignment(CompiledStatement& statement, TokenList& tokens)
{
    // ExecuteAssignment for a plain variable. One not declared yet is
    // declared (or refused) there.
    ScriptToken& variableToken = tokens.GetToken(statement.Index);
    CEngineVariant* variable = FindVariable(variableToken);
    if (!variable)
        return ExecuteAssignment(tokens, statement.Index);
    int at = statement.Expression.Start;
    if (statement.OnNumbers && RunOnNumbers(tokens, *statement.Expression.Compiled, at, *variable))
        return 0;
    int status;
    if (statement.MayAppend && TryAppendInPlace(tokens, at, *variable, status))
        return status;

    ValueStackFrame frame(m_values);
    CEngineVariant& value = m_values.Push();
    if (EvaluateExpression(tokens, statement.Expression, value))
        return 1;
    CEngineVariant* target = FindVariable(variableToken);
    if (!target) {
        ShowScriptError(kWrongSubscripts, variableToken.Column);
        return 1;
    }
    *target = static_cast<CEngineVariant&&>(value);
    return 0;
}
