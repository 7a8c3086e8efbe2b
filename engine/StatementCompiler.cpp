// Reading a line's statement once into its compiled form (CompiledStatement.h).
// Only what the tokens alone decide goes into it: a statement whose parts
// could end elsewhere on another run, or that reads wrongly, keeps the kind
// that runs it from its tokens.
#include "engine/ScriptEngine.h"

bool CPandrel_Script::RefExpression(TokenList& tokens, int start, int limit, ExpressionRef& expression, int& end)
{
    if (start >= limit || start >= tokens.GetCount())
        return false;
    expression.Start = start;
    expression.Limit = limit;
    expression.First = &tokens.GetToken(start);
    if (IsLoneOperand(tokens, start, limit)) {
        expression.Compiled = nullptr;
        end = start + 1;
        return true;
    }
    expression.Compiled = &CompiledAt(tokens, start, limit);
    end = expression.Compiled->EndToken;
    return end >= 0;
}

void CPandrel_Script::CompileStatement(TokenList& tokens, int index, CompiledStatement& compiled)
{
    compiled = CompiledStatement();
    compiled.Index = index;
    const int lineEnd = tokens.GetCount() - 1;   // the end-of-line token
    ScriptToken& first = tokens.GetToken(index);
    int end = 0;
    switch (first.Type) {
    case kTokenEndOfLine:
        compiled.What = CompiledStatement::kNothing;
        break;
    case kTokenBuiltin:
    case kTokenUserFunction:
        compiled.What = CompiledStatement::kCall;
        if (const CallPlan* plan = PlanCall(tokens, index, lineEnd + 1))
            if (plan->Regular && plan->Close + 1 == lineEnd)
                compiled.Call = plan;
        break;
    case kTokenVariable:
        // $v = e: a subscripted variable is read from the tokens.
        if (tokens.GetToken(index + 1).Is(kTokenEqual) &&
            RefExpression(tokens, index + 2, lineEnd + 1, compiled.Expression, end) && end == lineEnd) {
            compiled.What = CompiledStatement::kAssign;
            const CompiledExpression* right = compiled.Expression.Compiled;
            compiled.OnNumbers = right && right->NumbersOnly;
            compiled.MayAppend = tokens.GetToken(index + 2).Is(kTokenVariable) &&
                                 tokens.GetToken(index + 3).Is(kTokenConcatenate);
        }
        break;
    case kTokenKeyword:
        switch (first.Value.GetInt()) {
        case kKeywordIf:
            if (!RefExpression(tokens, index + 1, lineEnd + 1, compiled.Expression, end) ||
                !tokens.GetToken(end).IsKeyword(kKeywordThen))
                break;
            if (end + 1 == lineEnd) {
                compiled.What = CompiledStatement::kIf;
            } else {
                compiled.What = CompiledStatement::kIfThen;
                compiled.ThenIndex = end + 1;
                compiled.Then = std::make_unique<CompiledStatement>();
                CompileStatement(tokens, end + 1, *compiled.Then);
            }
            break;
        case kKeywordReturn:
            if (index + 1 == lineEnd)
                compiled.What = CompiledStatement::kReturnNothing;
            else if (RefExpression(tokens, index + 1, lineEnd + 1, compiled.Expression, end) && end == lineEnd)
                compiled.What = CompiledStatement::kReturn;
            break;
        case kKeywordEndFunc: compiled.What = CompiledStatement::kEndFunc; break;
        case kKeywordElse:
        case kKeywordElseIf: compiled.What = CompiledStatement::kElse; break;
        case kKeywordEndIf: compiled.What = CompiledStatement::kEndIf; break;
        case kKeywordWhile: compiled.What = CompiledStatement::kWhile; break;
        case kKeywordWend: compiled.What = CompiledStatement::kWend; break;
        case kKeywordDo: compiled.What = CompiledStatement::kDo; break;
        case kKeywordUntil: compiled.What = CompiledStatement::kUntil; break;
        case kKeywordFor: compiled.What = CompiledStatement::kFor; break;
        case kKeywordNext: compiled.What = CompiledStatement::kNext; break;
        case kKeywordSelect: compiled.What = CompiledStatement::kSelect; break;
        case kKeywordCase: compiled.What = CompiledStatement::kCase; break;
        case kKeywordEndSelect: compiled.What = CompiledStatement::kEndSelect; break;
        case kKeywordExitLoop: compiled.What = CompiledStatement::kExitLoop; break;
        case kKeywordContinueLoop: compiled.What = CompiledStatement::kContinueLoop; break;
        default: break;
        }
        break;
    default:
        break;
    }
}
