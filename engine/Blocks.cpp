// Block statements. Blocks are not compiled: a statement that opens one
// looks forward through the following lines for its closing keyword
// (nesting counted) and keeps a record of the open block on one of the
// engine's block stacks. What a scan finds depends on the line texts alone,
// so each opening line keeps its result; conditions met on the way (ElseIf,
// Case) are still evaluated, in order, every time.
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

namespace {

const char kIllegalText[] = "Illegal text at the end of statement (one statement per line).";
const char kThenMissing[] = "If statements must have a Then keyword.";
const char kTooManyElse[] = "Too many Else statements for matching If statement.";
const char kNotInLoop[] = "\"ExitLoop/ContinueLoop\" statements only valid from inside a For/Do/While loop.";
const char kForBadlyFormatted[] =
    "\"For\" statement is badly formatted.\n\nShould be:\n\nFor $varname = nn To nn [Step nn]";

// A line "If ... Then" with nothing after the Then opens a block.
bool OpensIfBlock(TokenList& tokens)
{
    for (int i = 0; i + 1 < tokens.GetCount(); ++i)
        if (tokens.GetToken(i).IsKeyword(kKeywordThen) && tokens.GetToken(i + 1).Is(kTokenEndOfLine))
            return true;
    return false;
}

}  // namespace

inline BlockRecord* CPandrel_Script::InnermostOfThisLevel(BlockStack& stack)
{
    return !stack.IsEmpty() && stack.Top().CallLevel == m_nestingDepth ? &stack.Top() : nullptr;
}

// Every block statement asks, so the stacks are looked at inline (its
// callers are all in this file).
inline void CPandrel_Script::DropAbandonedBlocks(int line)
{
    // A Goto may leave blocks before their closing statements, whose records
    // then stay open. Every block of this level that still runs holds the
    // line being run: a record that does not is one left that way, and is
    // dropped before it can decide where an Else, a Next or an ExitLoop goes
    // (and before a loop by Goto piles up records without end).
    while (m_ifStack.TopLeftBehind(line, m_nestingDepth))
        m_ifStack.Pop();
    while (m_selectStack.TopLeftBehind(line, m_nestingDepth))
        m_selectStack.Pop();
    while (m_loopStack.TopLeftBehind(line, m_nestingDepth))
        m_loopStack.Pop();
}

template <typename OnBranch>
int CPandrel_Script::WalkBlock(int openLine, const BlockWords& words, OnBranch&& onBranch, int& end)
{
    if (CachedLine* cached = CachedLineAt(openLine); cached && cached->BlockEnd > 0) {
        end = cached->BlockEnd;
        for (const BlockBranch& branch : cached->Branches)
            if (onBranch(branch.Line, *branch.Entry, false))
                return 1;
        return 0;
    }
    std::vector<BlockBranch> branches;
    int depth = 0;
    end = 0;
    const int count = g_ScriptFile.GetLineCount();
    for (int line = openLine + 1; line <= count && !end; ++line) {
        m_currentLine = line;
        TokenList* tokens = TokensForScan(line);
        if (!tokens)
            return 1;
        ScriptToken& first = tokens->GetToken(0);
        if (first.IsKeyword(words.Open)) {
            if (!words.NestsOnlyAsBlock || OpensIfBlock(*tokens))
                ++depth;
        } else if (first.IsKeyword(words.Close)) {
            if (depth-- == 0)
                end = line;
        } else if (depth == 0 && (first.IsKeyword(words.Branch) || first.IsKeyword(words.OtherBranch))) {
            CachedLine* entry = CachedLineAt(line);
            branches.push_back({line, entry});
            if (onBranch(line, *entry, true))
                return 1;
        }
    }
    m_currentLine = openLine;
    // What a scan finds depends on the line texts alone: the opening line keeps it.
    if (CachedLine* cached = CachedLineAt(openLine); cached && end) {
        cached->Branches.swap(branches);
        cached->BlockEnd = end;
    }
    return 0;
}

int CPandrel_Script::FindBlockEnd(int openLine, int openKeyword, int closeKeyword)
{
    const BlockWords loopWords = {openKeyword, closeKeyword, -1, -1, false};
    int end = 0;
    if (WalkBlock(openLine, loopWords, [](int, CachedLine&, bool) { return 0; }, end))
        return -1;
    return end;
}

// ---- If ... ElseIf ... Else ... EndIf --------------------------------------

int CPandrel_Script::ExecuteIf(TokenList& tokens, int index, int& nextLine)
{
    const int ifLine = m_currentLine;
    int at = index + 1;
    bool truth;
    if (EvaluateCondition(tokens, at, truth))
        return 1;
    ScriptToken& then = tokens.GetToken(at);
    if (!then.IsKeyword(kKeywordThen)) {
        ShowScriptError(kThenMissing, then.Column);
        return 1;
    }
    ++at;
    if (!tokens.GetToken(at).Is(kTokenEndOfLine)) {   // a single-line If
        if (!truth)
            return 0;
        LineNestingLevel level(*this);
        return level.Allowed(tokens.GetToken(at).Column) ? ExecuteStatement(tokens, at, nextLine) : 1;
    }
    return ExecuteBlockIf(ifLine, truth, nextLine);
}

int CPandrel_Script::ExecuteBlockIf(int ifLine, bool conditionTrue, int& nextLine)
{
    int chosen = conditionTrue ? ifLine + 1 : 0;   // the first line of the branch that runs
    std::unique_ptr<TokenList> fresh;

    // An ElseIf whose turn has come: its condition decides.
    auto testElseIf = [&](int line, CachedLine& entry) -> int {
        m_currentLine = line;
        TokenList* tokens = TokensForRun(line, entry, fresh);
        if (!tokens)
            return 1;
        int at = 1;
        bool truth;
        if (EvaluateCondition(*tokens, at, truth))
            return 1;
        ScriptToken& then = tokens->GetToken(at);
        if (!then.IsKeyword(kKeywordThen)) {
            ShowScriptError(kThenMissing, then.Column);
            return 1;
        }
        if (truth)
            chosen = line + 1;
        return 0;
    };

    bool sawElse = false;
    auto onBranch = [&](int line, CachedLine& entry, bool scanning) -> int {
        TokenList& tokens = *entry.Tokens;   // a walk offers only lines read without error
        const bool isElse = tokens.GetToken(0).IsKeyword(kKeywordElse);
        if (scanning) {
            if (sawElse) {
                ShowScriptError(kTooManyElse, -1);
                return 1;
            }
            sawElse = isElse;
            if (isElse && ExpectEndOfLine(tokens, 1))
                return 1;
        }
        if (chosen)
            return 0;
        if (isElse) {
            chosen = line + 1;
            return 0;
        }
        return testElseIf(line, entry);
    };
    static const BlockWords kIfWords = {kKeywordIf, kKeywordEndIf, kKeywordElse, kKeywordElseIf, true};
    int endIf = 0;
    if (WalkBlock(ifLine, kIfWords, onBranch, endIf))
        return 1;
    if (!endIf) {
        m_currentLine = ifLine;
        ShowScriptError("\"If\" statement has no matching \"EndIf\" statement.", -1);
        return 1;
    }
    m_currentLine = ifLine;

    DropAbandonedBlocks(ifLine);
    BlockRecord& record = m_ifStack.PushNew();
    record.Kind = kBlockIf;
    record.StartLine = ifLine;
    record.EndIfLine = endIf;
    record.CallLevel = m_nestingDepth;
    nextLine = chosen ? chosen : endIf;
    return 0;
}

int CPandrel_Script::ExecuteElse(TokenList& tokens, int index, int& nextLine)
{
    // The branch that ran is over: on at the EndIf's line, which closes the
    // block. An Else outside any running If (reached by a Goto into the
    // block) has nowhere to go.
    DropAbandonedBlocks(m_currentLine);
    const BlockRecord* block = InnermostOfThisLevel(m_ifStack);
    if (!block) {
        ShowScriptError(tokens.GetToken(index).IsKeyword(kKeywordElseIf)
                            ? "\"ElseIf\" statement with no matching \"If\" statement."
                            : "\"Else\" statement with no matching \"If\" statement.",
                        -1);
        return 1;
    }
    nextLine = block->EndIfLine;
    return 0;
}

int CPandrel_Script::ExecuteEndIf(TokenList& tokens, int index)
{
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    // Only the record of this EndIf's own block closes; a stray EndIf closes nothing.
    DropAbandonedBlocks(m_currentLine);
    const BlockRecord* block = InnermostOfThisLevel(m_ifStack);
    if (block && block->EndIfLine == m_currentLine)
        m_ifStack.Pop();
    return 0;
}

// ---- Loops -------------------------------------------------------------------

BlockRecord* CPandrel_Script::CurrentLoop(int kind)
{
    DropAbandonedBlocks(m_currentLine);
    BlockRecord* loop = InnermostOfThisLevel(m_loopStack);
    return loop && loop->Kind == kind ? loop : nullptr;
}

void CPandrel_Script::PushLoop(int kind, int startLine, int endLine)
{
    DropAbandonedBlocks(startLine);
    const int ifDepth = m_ifStack.GetCount();
    const int selectDepth = m_selectStack.GetCount();
    BlockRecord& record = m_loopStack.PushNew();
    record.Kind = kind;
    record.StartLine = startLine;
    record.EndLine = endLine;
    record.IfDepth = ifDepth;
    record.SelectDepth = selectDepth;
    record.CallLevel = m_nestingDepth;
}

int CPandrel_Script::ExecuteWhile(TokenList& tokens, int index, int& nextLine)
{
    const int whileLine = m_currentLine;
    int at = index + 1;
    bool truth;
    if (EvaluateCondition(tokens, at, truth) || ExpectEndOfLine(tokens, at))
        return 1;
    const int wend = FindBlockEnd(whileLine, kKeywordWhile, kKeywordWend);
    if (wend < 0)
        return 1;
    if (wend == 0) {
        ShowScriptError("\"While\" statement has no matching \"Wend\" statement.", -1);
        return 1;
    }
    if (truth) {
        PushLoop(kBlockWhile, whileLine, wend);
        nextLine = whileLine + 1;
    } else {
        nextLine = wend + 1;
    }
    return 0;
}

int CPandrel_Script::ExecuteWend(TokenList& tokens, int index, int& nextLine)
{
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    BlockRecord* loop = CurrentLoop(kBlockWhile);
    if (!loop) {
        ShowScriptError("\"Wend\" statement with no matching \"While\" statement.", -1);
        return 1;
    }
    nextLine = loop->StartLine;   // the While tests its condition again
    m_loopStack.Pop();
    return 0;
}

int CPandrel_Script::ExecuteDo(TokenList& tokens, int index)
{
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    const int doLine = m_currentLine;
    const int until = FindBlockEnd(doLine, kKeywordDo, kKeywordUntil);
    if (until < 0)
        return 1;
    if (until == 0) {
        ShowScriptError("\"Do\" statement has no matching \"Until\" statement.", -1);
        return 1;
    }
    PushLoop(kBlockDo, doLine, until);
    return 0;
}

int CPandrel_Script::ExecuteUntil(TokenList& tokens, int index, int& nextLine)
{
    int at = index + 1;
    bool truth;
    if (EvaluateCondition(tokens, at, truth) || ExpectEndOfLine(tokens, at))
        return 1;
    BlockRecord* loop = CurrentLoop(kBlockDo);   // after the condition, which may have run functions
    if (!loop) {
        ShowScriptError("\"Until\" statement with no matching \"Do\" statement.", -1);
        return 1;
    }
    if (truth)
        m_loopStack.Pop();
    else
        nextLine = loop->StartLine + 1;
    return 0;
}

bool CPandrel_Script::ForLoopGoesOn(CEngineVariant& variable, BlockRecord& loop)
{
    if (variable.IsNumber() && loop.Limit.IsNumber() && loop.Step.IsNumber()) {
        const double value = variable.GetNumber(), limit = loop.Limit.GetNumber();
        return loop.Step.GetNumber() < 0.0 ? value >= limit : value <= limit;
    }
    CEngineVariant zero;
    zero.SetInt(0);
    if (loop.Step.Less(zero))
        return variable.Greater(loop.Limit) || variable.Equal(loop.Limit);
    return variable.Less(loop.Limit) || variable.Equal(loop.Limit);
}

int CPandrel_Script::ExecuteFor(TokenList& tokens, int index, int& nextLine)
{
    const int forLine = m_currentLine;
    ScriptToken& variableToken = tokens.GetToken(index + 1);
    if (!variableToken.Is(kTokenVariable)) {
        ShowScriptError(kForBadlyFormatted, variableToken.Column);
        return 1;
    }
    if (!tokens.GetToken(index + 2).Is(kTokenEqual)) {
        ShowScriptError(kForBadlyFormatted, tokens.GetToken(index + 2).Column);
        return 1;
    }
    const char* name = variableToken.Value.GetString();
    if (!FindVariable(variableToken)) {
        if (m_mustDeclareVars == 1) {
            ShowScriptError("Variable used without being declared.", variableToken.Column);
            return 1;
        }
        CEngineVariant zero;
        zero.SetInt(0);
        m_variables.Declare(name, zero, kScopeAuto);
    }

    ValueStackFrame frame(m_values);
    CEngineVariant& start = m_values.Push();
    CEngineVariant& limit = m_values.Push();
    CEngineVariant& step = m_values.Push();
    int at = index + 3;
    if (EvaluateExpression(tokens, at, start))
        return 1;
    *FindVariable(variableToken) = static_cast<CEngineVariant&&>(start);
    if (!tokens.GetToken(at).IsKeyword(kKeywordTo)) {
        ShowScriptError(kForBadlyFormatted, tokens.GetToken(at).Column);
        return 1;
    }
    ++at;
    if (EvaluateExpression(tokens, at, limit))
        return 1;
    if (tokens.GetToken(at).IsKeyword(kKeywordStep)) {
        ++at;
        if (EvaluateExpression(tokens, at, step))
            return 1;
    } else {
        step.SetInt(1);
    }
    if (ExpectEndOfLine(tokens, at))
        return 1;

    const int next = FindBlockEnd(forLine, kKeywordFor, kKeywordNext);
    if (next < 0)
        return 1;
    if (next == 0) {
        ShowScriptError("\"For\" statement has no matching \"Next\" statement.", -1);
        return 1;
    }
    TokenList* forTokens = TokensForScan(forLine);   // cached since the line ran
    PushLoop(kBlockFor, forLine, next);
    BlockRecord& loop = m_loopStack.Top();
    if (forTokens) {
        loop.Counter = &forTokens->GetToken(1);
        loop.CounterCache = m_lineCache.GetResets();
    }
    loop.Limit = static_cast<CEngineVariant&&>(limit);
    loop.Step = static_cast<CEngineVariant&&>(step);
    if (ForLoopGoesOn(*FindVariable(variableToken), loop)) {
        nextLine = forLine + 1;
    } else {
        m_loopStack.Pop();
        nextLine = next + 1;
    }
    return 0;
}

int CPandrel_Script::ExecuteNext(TokenList& tokens, int index, int& nextLine)
{
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    BlockRecord* loop = CurrentLoop(kBlockFor);
    if (!loop) {
        ShowScriptError("\"Next\" statement with no matching \"For\" statement.", -1);
        return 1;
    }
    // The counter is the variable the For line names.
    ScriptToken& counter = loop->Counter && loop->CounterCache == m_lineCache.GetResets() && LineCacheCurrent()
                               ? *loop->Counter : TokensForScan(loop->StartLine)->GetToken(1);
    CEngineVariant* variable = FindVariable(counter);
    if (!variable) {
        ShowScriptError("Variable used without being declared.", -1);
        return 1;
    }
    variable->Add(loop->Step);
    if (ForLoopGoesOn(*variable, *loop))
        nextLine = loop->StartLine + 1;
    else
        m_loopStack.Pop();
    return 0;
}

int CPandrel_Script::ExecuteExitLoop(TokenList& tokens, int index, int& nextLine)
{
    DropAbandonedBlocks(m_currentLine);
    int at = index + 1;
    int levels = 1;
    if (!tokens.GetToken(at).Is(kTokenEndOfLine)) {
        ValueStackFrame frame(m_values);
        CEngineVariant& value = m_values.Push();
        if (EvaluateExpression(tokens, at, value))
            return 1;
        levels = value.GetInt();
    }
    if (ExpectEndOfLine(tokens, at))
        return 1;
    if (levels < 0)
        return 0;
    // ExitLoop 0 leaves every loop of this level.
    int left = 0;
    while (levels == 0 || left < levels) {
        if (!InnermostOfThisLevel(m_loopStack))
            break;
        BlockRecord& loop = m_loopStack.Top();
        nextLine = loop.EndLine + 1;
        m_ifStack.PopTo(loop.IfDepth);
        m_selectStack.PopTo(loop.SelectDepth);
        m_loopStack.Pop();
        ++left;
    }
    if (levels != 0 && left < levels) {
        ShowScriptError(kNotInLoop, -1);
        return 1;
    }
    return 0;
}

int CPandrel_Script::ExecuteContinueLoop(TokenList& tokens, int index, int& nextLine)
{
    DropAbandonedBlocks(m_currentLine);
    if (!InnermostOfThisLevel(m_loopStack)) {
        ShowScriptError(kNotInLoop, -1);
        return 1;
    }
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    BlockRecord& loop = m_loopStack.Top();
    m_ifStack.PopTo(loop.IfDepth);
    m_selectStack.PopTo(loop.SelectDepth);
    nextLine = loop.EndLine;   // its Wend, Until or Next decides whether it goes on
    return 0;
}

// ---- Select ... Case ... EndSelect ---------------------------------------

int CPandrel_Script::ExecuteSelect(TokenList& tokens, int index, int& nextLine)
{
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    const int selectLine = m_currentLine;
    int chosen = 0;
    std::unique_ptr<TokenList> fresh;

    // A Case whose turn has come: "Case Else", or its condition, decides.
    auto testCase = [&](int line, CachedLine& entry) -> int {
        m_currentLine = line;
        TokenList* tokens = TokensForRun(line, entry, fresh);
        if (!tokens)
            return 1;
        int at = 1;
        bool truth = true;
        if (tokens->GetToken(1).IsKeyword(kKeywordElse))
            at = 2;
        else if (EvaluateCondition(*tokens, at, truth))
            return 1;
        if (ExpectEndOfLine(*tokens, at))
            return 1;
        if (truth)
            chosen = line + 1;
        return 0;
    };

    int cases = 0;
    auto onCase = [&](int line, CachedLine& entry, bool) -> int {
        ++cases;
        return chosen ? 0 : testCase(line, entry);
    };
    static const BlockWords kSelectWords = {kKeywordSelect, kKeywordEndSelect, kKeywordCase, kKeywordCase, false};
    int endSelect = 0;
    if (WalkBlock(selectLine, kSelectWords, onCase, endSelect))
        return 1;
    if (!endSelect || cases == 0) {
        m_currentLine = selectLine;
        ShowScriptError("\"Select\" statement is missing \"EndSelect\" or \"Case\" statement.", -1);
        return 1;
    }
    m_currentLine = selectLine;

    DropAbandonedBlocks(selectLine);
    BlockRecord& record = m_selectStack.PushNew();
    record.Kind = kBlockSelect;
    record.SelectLine = selectLine;
    record.EndSelectLine = endSelect;
    record.CallLevel = m_nestingDepth;
    nextLine = chosen ? chosen : endSelect;
    return 0;
}

int CPandrel_Script::ExecuteCase(TokenList&, int, int& nextLine)
{
    // The case that ran is over: on at the EndSelect, which closes the block.
    DropAbandonedBlocks(m_currentLine);
    const BlockRecord* block = InnermostOfThisLevel(m_selectStack);
    if (!block) {
        ShowScriptError("\"Case\" statement with no matching \"Select\" statement.", -1);
        return 1;
    }
    nextLine = block->EndSelectLine;
    return 0;
}

int CPandrel_Script::ExecuteEndSelect(TokenList& tokens, int index)
{
    if (ExpectEndOfLine(tokens, index + 1))
        return 1;
    DropAbandonedBlocks(m_currentLine);
    const BlockRecord* block = InnermostOfThisLevel(m_selectStack);
    if (block && block->EndSelectLine == m_currentLine)
        m_selectStack.Pop();
    return 0;
}
