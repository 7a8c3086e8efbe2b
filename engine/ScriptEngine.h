// CPandrel_Script: the script interpreter. One process-wide instance,
// g_ScriptEngine, runs the lines of the line store g_ScriptFile on the UI
// thread. It holds the run state, the run options of the language, the
// builtin table, the user functions, the variables and the block stacks; the
// state that the builtin families share (key sender, window search, waits,
// hot keys and Adlib, open files, mouse and pixel options) is in its
// BuiltinContext (engine/builtins/BuiltinContext.h), which handlers receive.
#pragma once

#include "engine/BlockStack.h"
#include "engine/BuiltinTable.h"
#include "engine/CompiledStatement.h"
#include "engine/EngineString.h"
#include "engine/EngineVariant.h"
#include "engine/ScriptFile.h"
#include "engine/LineCache.h"
#include "engine/Tokens.h"
#include "engine/UserFunctionList.h"
#include "engine/VariableScopes.h"
#include "engine/VariantList.h"
#include "engine/ValueStack.h"
#include "engine/builtins/BuiltinContext.h"
#include "framework/Framework.h"
#include "macro/HalvaneInfo.h"

#include <stdio.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

enum
{
    // The message queue is emptied at least this many ticks apart while lines run.
    kPumpIntervalTicks = 4,
    kMaxNestingDepth = 384,
    // Calls, subscripts and single-line Ifs nested within one line: each is
    // a level deeper on the program's stack, and the deepest line at the
    // deepest level of calls must still fit in it.
    kMaxLineNesting = 32,
    kHotKeyRingSize = 64
};

// Beside the engine: script hot-key ids on their way to the run loop, and
// the flag of a WAITLONG in progress (cleared by its timer thread).
extern int g_HotKeyRing[kHotKeyRingSize];
extern int g_HotKeyRingWritePosition;
extern volatile BYTE g_LongWaitActive;

// How often and how far apart a line bound to a recorded window looks for it
// before the run gives up (the tests shorten the wait).
struct WindowBindingRetries
{
    int Tries = 40;                 // for each bound line
    int TriesAfterLaunch = 600;     // the first one after the script started a program
    DWORD IntervalMs = 500;
};

class CPandrel_Script
{
public:
    CPandrel_Script();
    CPandrel_Script(const CPandrel_Script&) = delete;
    CPandrel_Script& operator=(const CPandrel_Script&) = delete;
    virtual ~CPandrel_Script();

    // Running
    // Runs lines from `startLine` (1-based) until the level ends; 0, or 1 when
    // the nesting limit refused the level. A blocking builtin sets its run
    // state and calls Execute(0, 0) as its wait loop.
    int Execute(int startLine, int topLevel);
    // Checks the loaded script and readies the engine to run it: 0, or 1
    // after an error was reported.
    int PrepareScript(const char* fileName);
    // Runs a nested level from `line` with the caller's context saved and
    // restored: user-function calls, Call, Adlib and hot keys. `keepScope`
    // opens a local scope for the level; @error comes back as it was only
    // with `restoreError`. The level starts with `initialReturn` as its
    // return value, which lands in `returned` when given. Execute's result.
    int CallFunction(int line, bool keepScope, bool restoreError,
                     CEngineVariant* returned = nullptr, int initialReturn = 0);
    // CallFunction's level, its Return writing into `returned`.
    int RunLevel(int line, bool restoreError, CEngineVariant& returned, int initialReturn);
    // The user function of that name (without regard to case): its Func
    // line, parameter count and EndFunc line. False when there is none.
    bool LookupUserFunction(const char* name, int& firstLine, int& parameterCount, int& lastLine) const;

    // Lexer
    // Turns one line into tokens ending with an end-of-line token: 0, or 1
    // after reporting an error (the list then holds what was read before it).
    int Tokenise(const char* line, TokenList& tokens);

    // Builtins, results and errors
    // Presets the result to 1 and @error to 0 and calls the builtin's handler.
    int CallBuiltinByIndex(int index, CVariantList& args, CEngineVariant& result);
    const BuiltinEntry& GetBuiltin(int index) const { return m_builtins[index]; }
    int GetBuiltinCount() const { return m_builtinCount; }
    void SetError(int code) { m_error = code; }
    int GetError() const { return m_error; }
    // Reports a script error in the current line in the "Internal Error" box
    // and stops the run. `column` -1: no caret line.
    void ShowScriptError(const CString& message, int column);
    // The same report with a second text (such as a system error text) in
    // place of the caret line.
    void ShowScriptErrorPlain(const CString& message, const char* detail);

    // The context that builtin handlers receive, with the families' state.
    BuiltinContext& Context() { return m_context; }

    // Handlers of the engine's own builtins (bound in EngineBuiltins.cpp).
    int BuiltinOpt(CVariantList& args, CEngineVariant& result);
    int BuiltinDelay(CVariantList& args, CEngineVariant& result);
    int BuiltinSetError(CVariantList& args, CEngineVariant& result);

    // State the application and the tests look at
    int GetRunState() const { return m_runState; }
    void SetRunState(int state) { m_runState = state; }
    int GetCurrentLine() const { return m_currentLine; }
    void SetCurrentLine(int position) { m_currentLine = position; }
    int GetNestingDepth() const { return m_nestingDepth; }
    const CEngineString& GetScriptName() const { return m_scriptName; }
    const CEngineString& GetScriptFullPath() const { return m_scriptFullPath; }
    const CEngineString& GetScriptDir() const { return m_scriptDir; }

    // Written by the application before each run.
    int UseHalvane = 0;              // bound lines wait for their recorded window
    int UseSimilarWin = 0;           // the window finder may take a similar window
    // Set by the application when the macro's end key is pressed; cleared by
    // PrepareScript.
    BYTE StopFlag = 0;

    // The variables of the running script (tests and the test host read them).
    VariableScopes& GetVariables() { return m_variables; }

    // Counters of the run loop since the last PrepareScript, for benchmarks.
    struct RunStatistics
    {
        long long LinesRun = 0;       // statements executed
        long long Pumps = 0;          // times the message queue was emptied
        double PumpSeconds = 0.0;     // time spent doing that
    };
    const RunStatistics& GetRunStatistics() const { return m_statistics; }

    // Kills WAITLONG's timer event and ends its timer period, once: when the
    // run loop sees the wait over, or when the run ends first.
    void EndLongWaitTimer();

private:
    // The test host's window into the engine (tests/host/EngineAccess.h).
    friend class CPandrel_ScriptTestAccess;
    // The context passes the engine's services on to the builtins.
    friend class BuiltinContext;

    // Lexer parts (Lexer.cpp).
    bool ScanNumber(const char* line, int& position, ScriptToken& token);
    void ScanWord(const char* line, int& position, ScriptToken& token);
    bool ScanString(const char* line, int& position, ScriptToken& token);
    void ExpandEnvironmentText(CEngineString& text);

    // Preparation: user functions and their calls (UserFunctions.cpp).
    // Offers the lines from `first` on to `visit`, each tokenised for the
    // scan and made the current line (so that an error points at it);
    // `visit` gives the next line to offer, 0 to stop, or -1 after it
    // reported an error. Returns -1 after an error (the lexer's or the
    // visitor's), else 0.
    int ScanLines(int first, const std::function<int(int position, TokenList& tokens)>& visit);
    int RegisterFunctions();
    int VerifyFunctionCalls();
    // Compiles the statement of every line of the prepared script.
    void CompileLines();
    // Finds the EndFunc of the Func at `funcLine`: its position, the last
    // line when the script ends first, -1 after an error was reported.
    int FindEndFunc(int funcLine);
    // Reads the Func line's parameters: their count, or -1 after an error.
    int CountFuncParameters(TokenList& tokens);

    // Tags (Tags.cpp).
    void FindTag(const CString& lineText, int position);
    void RegisterTags(int startLine);
    // Whether the tags of the lines from `startLine` on are registered already.
    bool TagsHold(int startLine) const
    {
        return m_tagsGeneration == g_ScriptFile.GetGeneration() && m_tagsScannedFrom &&
               (startLine > 1 ? startLine : 1) >= m_tagsScannedFrom;
    }
    // The label of a TAG or GOTO statement: the text after the keyword that
    // starts at `keywordColumn`, without blanks and comment; false when empty.
    bool ReadLabel(const char* lineText, int keywordColumn, int keywordLength, CString& label) const;

    // Run loop parts (RunLoop.cpp).
    void PumpMessages();
    // Empties the message queue when a wait is going on or the clock has
    // moved on since the last time.
    void PumpIfDue(bool waiting);
    // Its parts: a turn that does not wait and finds the tick count where it
    // was and the batch of turns between clock reads not over; and the rest,
    // which reads the clock or empties the queue.
    bool TurnIsQuiet()
    {
        return GetTickCount() - m_lastPumpTick < kPumpIntervalTicks && ++m_turnsSinceClockRead < m_turnsPerClockRead;
    }
    void PumpUnlessEarly(bool waiting);
    // A turn has nothing to poll: the run goes on, with no wait, script hot
    // key, Adlib function or stop pending.
    bool NothingToPoll()
    {
        return m_runState == kRunStateRunning && !StopFlag && !m_context.Callbacks().Adlib.Enabled &&
               !g_LongWaitActive && !m_longWaitEvent && m_hotKeyReadPosition == g_HotKeyRingWritePosition;
    }
    // The cache entry of `line` when its compiled statement can run as it is.
    CachedLine* ReadyLine(int line)
    {
        if (!LineCacheCurrent())
            return nullptr;
        CachedLine* cached = m_lineCache.At(line);
        return cached && RunsAsCompiled(*cached) ? cached : nullptr;
    }
    // Whether a cached line's compiled statement can run as it is: it has
    // one, and its strings are not to be read afresh.
    bool RunsAsCompiled(const CachedLine& cached) const
    {
        return cached.StatementReady && !(cached.MayExpand && m_expandEnvStrings == 1);
    }
    // The lines of a level from `line` on, turn after turn, until it
    // returns (false) or the run stops (true); the loop of Execute.
    bool RunLines(int line, bool waitLoop);
    // Opens a nested level: false, after the report, past the nesting limit.
    bool EnterNestedLevel();
    bool RefuseNesting();
    // Execute(line, 0): a level that a call opens.
    int RunNestedLevel(int line);
    void StartTopLevelRun();
    // A WM_QUIT the pump took goes back to the queue as a level ends.
    void PassQuitOn();
    // A turn of the run loop (Execute) in full: the pump unless
    // `pumpChecked`, the polls, the window binding, then the line at `line`.
    // False when the run stops.
    bool Turn(int& line, bool waitLoop, bool pumpChecked);
    // Runs the current line when it has no compiled statement at hand, and
    // compiles one for it when its tokens come from the cache.
    void RunLineFromTokens(CachedLine& cached, int& nextLine);
    // Runs the current line from its compiled statement (RunsAsCompiled).
    // RunLines has this inline for the turns that poll nothing.
    void RunReadyLine(CachedLine& ready, int& nextLine);
    // Marks `current` as run and has the processor fetch what the lines
    // from `nextLine` on read while `current` runs.
    void FetchNextLineAhead(CachedLine& current, int nextLine);
    // The end of a top-level run: the script's hot keys are unregistered and
    // their pending presses dropped.
    void EndTopLevelRun();
    // Ends a WAITLONG still in progress.
    void CancelLongWait();
    // A WM_HOTKEY with no window whose id is a script hot-key slot goes into
    // the hot-key ring; true when `message` was one.
    bool RouteScriptHotKey(const MSG& message);

    // Per-turn polls (WaitPolls.cpp).
    bool PollWaitState();
    bool PollHotKeyRing();
    bool PollAdlib();
    bool PollRunWait();
    bool PollRecordedWindowWait();
    bool PollWindowWait();
    bool PollProcessWait();
    // Runs a user function by name for the hot keys and Adlib: false when
    // there is no such function.
    bool RunCallback(const char* functionName);

    // Window-bound lines (automation/WindowBinding.cpp).
    bool BindLineWindow(int position);
    bool FindRecordedWindow();
    void GiveUpRecordedWindow();

    // The tokens of a line (LineTokens.cpp). For running: the cached list, or
    // one read afresh into `fresh` when its strings expand environment
    // variables; null after a lexer error was reported. For scans the cached
    // list serves always: a scan looks only at token types.
    TokenList* TokensForRun(int position, std::unique_ptr<TokenList>& fresh);
    // The same for the line whose cache entry is at hand.
    TokenList* TokensForRun(int position, CachedLine& entry, std::unique_ptr<TokenList>& fresh)
    {
        return entry.Tokens && !(entry.MayExpand && m_expandEnvStrings == 1) ? entry.Tokens.get()
                                                                            : TokensForRun(position, fresh);
    }
    TokenList* TokensForScan(int position)
    {
        CachedLine* cached = CachedLineAt(position);
        return cached && cached->Tokens ? cached->Tokens.get() : ReadTokensForScan(position);
    }
    TokenList* ReadTokensForScan(int position);
    CachedLine* CachedLineAt(int position)
    {
        if (!LineCacheCurrent())
            RebuildLineCache();
        return m_lineCache.At(position);
    }
    // Whether the cache holds the line store as it is now.
    bool LineCacheCurrent() const
    {
        return m_lineCache.GetGeneration() == g_ScriptFile.GetGeneration();   // never 0, as a forgotten cache's
    }
    // The cache starts again for the line store as it is now; forgetting it
    // makes the next look-up do that.
    void RebuildLineCache();
    void ForgetLineCache();
    // The variable a variable token names (automatic scope), or null; the
    // answer is kept in the token, or in `cache` for a place of its own
    // (a compiled expression's step).
    CEngineVariant* FindVariable(ScriptToken& token) { return FindVariable(token, token.Lookup); }
    __attribute__((always_inline)) CEngineVariant* FindVariable(ScriptToken& token, VariableLookupCache& cache)
    {
        // A name last found in the running function's scope is looked for
        // at its place there first: calls of the function come and go
        // between two look-ups from the same place.
        if (token.NameHash) {
            if (cache.LocalIndex >= 0) {
                if (CEngineVariant* placed = m_variables.AtPlace(cache))
                    return placed;
            } else if (CEngineVariant* cached = m_variables.CachedLookup(cache)) {
                return cached;
            }
        }
        return FindVariableAgain(token, cache);
    }
    CEngineVariant* FindVariableAgain(ScriptToken& token, VariableLookupCache& cache);
    // The user function a user-function token names, or null.
    const UserFunctionEntry* FindUserFunction(ScriptToken& token);
    // The function's parameters as its Func line declares them, read once
    // per line-store generation (UserFunctions.cpp); null after a lexer error
    // was reported.
    const std::vector<UserFunctionParameter>* ParametersOf(const UserFunctionEntry& function)
    {
        if (function.ParametersRead && function.ParametersGeneration == g_ScriptFile.GetGeneration())
            return &function.Parameters;
        return ReadParameters(function);
    }
    const std::vector<UserFunctionParameter>* ReadParameters(const UserFunctionEntry& function);

    // Compiled statements (StatementCompiler.cpp, CompiledStatements.cpp).
    // Fills `compiled` with the compiled form of the statement at `index`.
    void CompileStatement(TokenList& tokens, int index, CompiledStatement& compiled);
    // The expression from `start` up to `limit` for a compiled statement:
    // true, with the token after it in `end`, when that end is the same on
    // every run.
    bool RefExpression(TokenList& tokens, int start, int limit, ExpressionRef& expression, int& end);
    int RunCompiledStatement(CompiledStatement& statement, TokenList& tokens, int& nextLine);
    // The same, inline in the run loop.
    int RunStatement(CompiledStatement& statement, TokenList& tokens, int& nextLine);
    int RunCompiledAssignment(CompiledStatement& statement, TokenList& tokens);
    int RunReturn(CompiledStatement& statement, TokenList& tokens);

    // Statements (Statements.cpp).
    int ExecuteStatement(TokenList& tokens, int index, int& nextLine);
    int ExecuteKeyword(TokenList& tokens, int index, int& nextLine);
    // A builtin or user function called as a statement (kept apart, so
    // that ExecuteStatement stays a plain dispatch).
    int ExecuteCall(TokenList& tokens, int index);
    int ExecuteAssignment(TokenList& tokens, int index);
    int ExecuteDim(TokenList& tokens, int index, int scope, bool reDim);
    int ExecuteReturn(TokenList& tokens, int index);
    int ExecuteExit(TokenList& tokens, int index);
    int ExecuteGoto(TokenList& tokens, int index, int& nextLine);
    int ExecuteTag(TokenList& tokens, int index);
    int ExecuteFuncSkip(TokenList& tokens, int index, int& nextLine);
    // Reports the first token left at `index` unless it ends the line.
    int ExpectEndOfLine(TokenList& tokens, int index)
    {
        return tokens.GetToken(index).Is(kTokenEndOfLine) ? 0 : ReportIllegalText(tokens.GetToken(index));
    }
    int ReportIllegalText(ScriptToken& token);
    // `$v = $v & ...` with a right side that only reads: appends in place.
    // True when it handled the statement (the outcome is in `status`).
    bool TryAppendInPlace(TokenList& tokens, int index, CEngineVariant& variable, int& status);
    // `$v = e` where e, from `index` to the end of the line, is an
    // expression on numbers that ends the line: stores its value. False,
    // with nothing done, when the statement must take the general way.
    bool AssignNumbers(TokenList& tokens, int index, CEngineVariant& variable);

    // Blocks (Blocks.cpp).
    int ExecuteIf(TokenList& tokens, int index, int& nextLine);
    int ExecuteBlockIf(int ifLine, bool conditionTrue, int& nextLine);
    int ExecuteElse(TokenList& tokens, int index, int& nextLine);
    int ExecuteEndIf(TokenList& tokens, int index);
    int ExecuteWhile(TokenList& tokens, int index, int& nextLine);
    int ExecuteWend(TokenList& tokens, int index, int& nextLine);
    int ExecuteDo(TokenList& tokens, int index);
    int ExecuteUntil(TokenList& tokens, int index, int& nextLine);
    int ExecuteFor(TokenList& tokens, int index, int& nextLine);
    int ExecuteNext(TokenList& tokens, int index, int& nextLine);
    int ExecuteExitLoop(TokenList& tokens, int index, int& nextLine);
    int ExecuteContinueLoop(TokenList& tokens, int index, int& nextLine);
    int ExecuteSelect(TokenList& tokens, int index, int& nextLine);
    int ExecuteCase(TokenList& tokens, int index, int& nextLine);
    int ExecuteEndSelect(TokenList& tokens, int index);
    // The keywords that shape a block for the walk below: its opening and
    // closing ones, and those that start one of its branches (none for a loop).
    struct BlockWords
    {
        int Open;
        int Close;
        int Branch;
        int OtherBranch;
        bool NestsOnlyAsBlock;   // If: a single-line If opens no nested block
    };
    // Walks the block opened at `openLine`: its closing line goes to `end`
    // (0 when the script ends first) and each of its branch lines, in order,
    // is offered to `onBranch` (with `scanning` true when the line was just
    // found by a scan, false when it came from the line cache). Returns 1
    // after a script error, reported by the lexer or by `onBranch`.
    // `onBranch` is called as onBranch(int line, CachedLine& entry, bool
    // scanning) -> int, the entry holding the line's tokens; a
    // template, so that the walk a loop makes on every pass allocates nothing.
    template <typename OnBranch>
    int WalkBlock(int openLine, const BlockWords& words, OnBranch&& onBranch, int& end);
    // The line that closes the block opened at `openLine` (WHILE/WEND,
    // DO/UNTIL, FOR/NEXT, nesting counted); 0 when the script ends first;
    // -1 after a lexer error was reported.
    int FindBlockEnd(int openLine, int openKeyword, int closeKeyword);
    // The loop that the Wend, Until or Next on the current line closes: the
    // top loop record, once those of blocks a Goto left are dropped, when it
    // is of `kind` and belongs to this level; null otherwise.
    BlockRecord* CurrentLoop(int kind);
    // The top record of `stack` when it belongs to this call level; null otherwise.
    BlockRecord* InnermostOfThisLevel(BlockStack& stack);
    // Pops the records of this level's blocks that do not hold `line`: blocks
    // that a Goto left before their end.
    void DropAbandonedBlocks(int line);
    void PushLoop(int kind, int startLine, int endLine);
    // Whether the For variable `variable` still lies within the loop's limit.
    static bool ForLoopGoesOn(CEngineVariant& variable, BlockRecord& loop);

    // Expressions (Expressions.cpp, Operands.cpp, AtMacros.cpp). Each reads
    // tokens from `index` up to (not including) `limit`, where the line is
    // taken to end, and advances `index`: 0, or 1 after an error was reported.
    int EvaluateExpression(TokenList& tokens, int& index, int limit, CEngineVariant& result,
                           int errorColumn = -1);
    int EvaluateExpression(TokenList& tokens, int& index, CEngineVariant& result)
    {
        return EvaluateExpression(tokens, index, tokens.GetCount(), result);
    }
    // Counts one level of nesting within the line being run (an expression
    // inside a call or subscript, the statement after a single-line If's
    // Then) while it lives; Allowed() reports the error past the limit.
    class LineNestingLevel
    {
    public:
        explicit LineNestingLevel(CPandrel_Script& engine) : m_engine(engine) { ++engine.m_lineNesting; }
        ~LineNestingLevel() { --m_engine.m_lineNesting; }
        LineNestingLevel(const LineNestingLevel&) = delete;
        LineNestingLevel& operator=(const LineNestingLevel&) = delete;
        // The line's own statement and expression are not nested in anything.
        bool Allowed(int column) { return m_engine.m_lineNesting <= kMaxLineNesting + 1 || Refused(column); }

    private:
        bool Refused(int column);
        CPandrel_Script& m_engine;
    };
    // The compiled form (CompiledExpression.h): made once, run each time.
    void CompileExpression(TokenList& tokens, int start, int limit, CompiledExpression& compiled);
    int RunCompiledExpression(TokenList& tokens, const CompiledExpression& compiled, int& index, int limit,
                              CEngineVariant& result, int errorColumn);
    // Its parts: a NumbersAndCalls expression on numbers (0, 1 after an
    // error, or kStoppedOnNumbers with the steps from `resume` on left to
    // the general way), and the general way from step `first`, the
    // evaluation's operands on the stack from `base`.
    enum { kStoppedOnNumbers = 2 };
    int RunNumbersAndCalls(TokenList& tokens, const CompiledExpression& compiled, int& index, CEngineVariant& result,
                           size_t& resume);
    int RunSteps(TokenList& tokens, const CompiledExpression& compiled, size_t first, int base, int& index, int limit,
                 CEngineVariant& result, int errorColumn);
    // Runs a NumbersOnly expression on plain numbers: false, with nothing
    // changed, when an operand is not a number (or is missing).
    bool RunOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index, CEngineVariant& result);
    // The same, giving the value and whether it is held as an integer.
    bool RunOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index, double& value,
                      bool& integral);
    // RunOnNumbers' parts: an operand step's number (a variable's look-up
    // kept with the step), and a TwoOperands expression's value (inline
    // where conditions and assignments take them).
    bool ReadNumberOperand(TokenList& tokens, const ExpressionStep& step, double& number);
    bool RunTwoOperands(TokenList& tokens, const CompiledExpression& compiled, int& index, double& value,
                        bool& integral);
    bool TwoOperandsInto(TokenList& tokens, const CompiledExpression& compiled, int& index, CEngineVariant& result);
    int TestCondition(TokenList& tokens, const ExpressionRef& condition, bool& truth);
    // The compiled form of the expression from `index` up to `limit`.
    CompiledExpression& CompiledAt(TokenList& tokens, int index, int limit);
    // A literal or plain variable that is the whole expression.
    bool IsLoneOperand(TokenList& tokens, int index, int limit);
    // The compiled form of the expression from `index` to `limit`, null
    // when it is a lone operand (which is never compiled, so a form kept
    // for it answers at once).
    const CompiledExpression* CompiledUnlessLone(TokenList& tokens, int index, int limit)
    {
        const CompiledExpression* kept = tokens.GetCompiled(tokens.GetToken(index));
        if (kept && kept->Start == index && kept->Limit == limit && !kept->Steps.empty())
            return kept;
        return IsLoneOperand(tokens, index, limit) ? nullptr : &CompiledAt(tokens, index, limit);
    }
    // The token after the operand that starts at `index`; -1 when its
    // brackets do not close within the limit or it is no operand.
    int OperandEnd(TokenList& tokens, int index, int limit);
    int EvaluateCondition(TokenList& tokens, int& index, bool& truth);
    // The same for an expression whose form is known.
    int EvaluateExpression(TokenList& tokens, const ExpressionRef& expression, CEngineVariant& result);
    int EvaluateCondition(TokenList& tokens, const ExpressionRef& condition, bool& truth);
    // A condition that is an expression on numbers, run on plain numbers:
    // false when an operand is not a number.
    bool TestOnNumbers(TokenList& tokens, const CompiledExpression& compiled, int& index, bool& truth);
    // A lone literal or plain variable that is the whole expression at `index`.
    int EvaluateLoneOperand(TokenList& tokens, int& index, CEngineVariant& result);
    int LoneOperandInto(ScriptToken& only, CEngineVariant& result);
    // EvaluateExpression for a known form, inline (InlineEvaluation.h).
    int EvaluateInto(TokenList& tokens, const ExpressionRef& expression, CEngineVariant& result);
    // "Variable used without being declared." at the variable: 1.
    int ReportUndeclared(ScriptToken& variable);
    int EvaluateVariable(TokenList& tokens, int& index, int limit, CEngineVariant& result);
    // Whether the variable at `index` is followed, up to `end`, by subscripts
    // that are each a literal or a plain variable (`$grid[$r][3]`).
    static bool HasLoneSubscripts(TokenList& tokens, int index, int end);
    // The subscript whose "[" is at `index` when it is a lone literal or
    // declared plain variable that may be read without the evaluator (the
    // line's nesting allows one more level): true, with `index` on its "]".
    bool ReadLoneSubscript(TokenList& tokens, int& index, int limit, int& subscript);
    // For a number expression: the element that the variable at `index`
    // and its lone subscripts name, when it exists and each subscript reads
    // as ReadLoneSubscript reads it; null otherwise, for the general way to
    // take it (and report what is wrong).
    CEngineVariant* LoneSubscriptElement(TokenList& tokens, int index);
    // Reads `[e]...`: the first 64 subscripts (an array takes no more) and
    // the number of them: 0, or 1 after an error.
    int EvaluateSubscripts(TokenList& tokens, int& index, int limit, int (&subscripts)[kMaxArrayDimensions],
                           int& count);
    // The element of `array` at the subscripts, created on first use; null
    // when their number or range does not fit.
    static CEngineVariant* SelectElement(CEngineVariant& array, const int* subscripts, int count);
    int EvaluateMacro(TokenList& tokens, int& index, int limit, CEngineVariant& result);
    // A call runs from its plan (CallPlan.h) once the plan is made and
    // regular; otherwise from the tokens, which report what is wrong.
    int CallBuiltin(TokenList& tokens, int& index, int limit, CEngineVariant& result);
    int CallUserFunction(TokenList& tokens, int& index, int limit, CEngineVariant& result);
    int CallBuiltinFromTokens(TokenList& tokens, int& index, int limit, CEngineVariant& result);
    int CallUserFunctionFromTokens(TokenList& tokens, int& index, int limit, CEngineVariant& result);
    // Fills `plan` with the arguments of the call whose "(" is at `open`:
    // true when they make it regular (`parameters` < 0 for a builtin, which
    // takes any number; the builtin's own count is checked by the caller).
    // Reads and compiles, reports nothing.
    bool PlanArguments(TokenList& tokens, int open, int limit, int parameters, CallPlan& plan);
    // Evaluates a planned argument as EvaluateExpression would.
    int EvaluateArgumentInto(TokenList& tokens, const CallPlan::Argument& argument, int close, CEngineVariant& value);
    // The plan of the call whose name is at `index`, made the first time it
    // is asked for (reading and compiling, reporting nothing); null for a
    // user function whose parameters have not been read yet, or when the
    // call's plan was made for another limit.
    CallPlan* PlanCall(TokenList& tokens, int index, int limit);
    // A regular call run from its plan.
    int RunPlannedUserCall(TokenList& tokens, const CallPlan& plan, CEngineVariant& result);
    int RunPlannedBuiltinCall(TokenList& tokens, const CallPlan& plan, CEngineVariant& result);
    // The call of a user function whose arguments are on the operand stack
    // from `argumentsBase` on: its new level, with them as its parameters
    // (EnterUserFunction inline, InlineEvaluation.h, with the planned call
    // CallPlannedFunction, the level RunLevel and RunNestedLevel).
    int RunUserFunction(const UserFunctionEntry& function, int argumentsBase, CEngineVariant& result);
    int EnterUserFunction(const UserFunctionEntry& function, int argumentsBase, CEngineVariant& result);
    int CallPlannedFunction(TokenList& tokens, const CallPlan& plan, CEngineVariant& result);
    // A parameter bound as anything but a value under a name of its own.
    void BindArgumentByName(const UserFunctionEntry& function, const UserFunctionParameter& parameter,
                            CEngineVariant& value);
    // The position of the ")" that closes the "(" at `open`; -1 when the line
    // ends first.
    static int FindClosingBracket(TokenList& tokens, int open, int limit);
    // After a call's name at `index`: moves to its "(" and gives the ")"
    // that closes it; -1 after reporting a call without them.
    int CallBrackets(TokenList& tokens, int& index, int limit, int nameColumn);
    // The token at `index`, or an end of line at and beyond `limit`.
    ScriptToken& TokenAt(TokenList& tokens, int index, int limit);
    // Short-circuit: passes over the right operand of an AND or OR. False
    // after an error (brackets still open at the end of the line).
    bool SkipOperand(TokenList& tokens, int& index, int limit);
    // Applies an operator to the top of the operand stack, of which the
    // evaluation owns the slots from `base` on: false when it lacks operands.
    bool ApplyOperator(int code, int base);
    // ApplyOperator's short way for two numbers: false when it does not apply.
    bool ApplyToNumbers(int code);

    // Both error reports: the caret line when `column` >= 0, the detail when
    // there is one (ScriptErrors.cpp).
    void ReportScriptError(const CString& message, int column, const char* detail);

    // The engine's state, in declaration order; the run loop and the
    // statement executor are members and use it directly.
    CEngineString m_scriptName;
    CEngineString m_scriptFullPath;
    CEngineString m_scriptDir;
    HWND m_toolTip = nullptr;
    int m_nestingDepth = 0;
    int m_lineNesting = 0;           // levels open within the line; each user-function level starts at 0
    int m_planningDepth = 0;         // calls being planned within calls (PlanCall)
    int m_currentLine = 0;
    int m_runState = kRunStateRunning;

    // Run options of the language (Opt).
    BYTE m_runErrorsFatal = 1;
    BYTE m_expandEnvStrings = 0;
    BYTE m_mustDeclareVars = 0;

    UserFunctionList m_userFunctions;
    CEngineVariant m_result;         // the current builtin's or wait's result
    BYTE m_returnFlag = 0;           // ends the current level at the next turn
    int m_error = 0;                 // @error
    BlockStack m_ifStack;
    BlockStack m_selectStack;
    BlockStack m_loopStack;

    int m_hotKeyReadPosition = 0;    // next hot-key ring entry to take

    const BuiltinEntry* m_builtins = nullptr;
    int m_builtinCount = 0;

    // The wait for a line's recorded window.
    BYTE m_bindingInProgress = 0;
    int m_bindingTries = 0;
    int m_bindingTryLimit = 40;
    WindowBindingRetries m_bindingRetries;
    BYTE m_programLaunched = 0;
    HalvaneInfo m_currentWindow;
    int m_currentWindowPosition = -1;

    VariableScopes m_variables;

    // The language core's state.
    // Where the running level's Return puts its value: the caller's slot for
    // it, or, outside any call, a value of the engine's own.
    CEngineVariant m_topReturnValue;
    CEngineVariant* m_returnValue = &m_topReturnValue;
    std::map<std::string, int> m_tags;   // TAG name -> its line; the first one wins
    int m_tagsScannedFrom = 0;       // lines from here on are in m_tags (0: none)
    unsigned m_tagsGeneration = 0;   // the line store's state they were read from
    unsigned m_functionsGeneration = 1;   // counts the preparations, for FindUserFunction
    LineCache m_lineCache;           // tokens and block ends of the loaded lines
    TokenList m_scratchTokens;       // a line read before it goes into the cache
    ValueStack m_values;             // operands of the expression evaluator
    ArgumentListPool m_argumentLists;
    ScriptToken m_endToken;          // what TokenAt gives beyond the limit
    DWORD m_lastPumpTick = 0;        // when the queue was last emptied
    LONGLONG m_lastPumpCounter = 0;
    int m_turnsSinceClockRead = 0;
    int m_turnsPerClockRead = 32;    // the batch of turns between clock reads; it adapts
    LONGLONG m_lastClockRead = 0;
    RunStatistics m_statistics;
    BYTE m_quitPending = 0;          // the pump took a WM_QUIT from the queue
    int m_quitCode = 0;
    volatile LONG m_longWaitEvent = 0;   // WAITLONG's timer event and period
    UINT m_longWaitPeriod = 0;

    // The builtins' context and the state it holds.
    BuiltinContext m_context{*this};

    // The lexer's working texts, kept so that lines are read without allocating.
    CEngineString m_lexerText;
    CEngineString m_lexerExpansion;
};

extern CPandrel_Script g_ScriptEngine;

// Opt("TrayIconDebug"): kept for Opt only.
extern BYTE g_TrayIconDebug;
// The exit code that the script's Exit statement gave, 0 until then.
extern int g_ScriptExitCode;
