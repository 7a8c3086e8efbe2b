#include "tests/engine/EngineTestSupport.h"

namespace engine_test {

std::string Describe(TokenList& tokens)
{
    static const char* const kOperators[] = {
        nullptr, nullptr, nullptr, "=", ">", "<", "<>", ">=", "<=", "(", ")", "+", "-", "/", "*",
        nullptr, "eol", nullptr, ",", "&", "[", "]", nullptr, "==", "^",
    };
    std::string text;
    for (int i = 0; i < tokens.GetCount(); ++i) {
        ScriptToken& token = tokens.GetToken(i);
        std::string item;
        switch (token.Type) {
        case kTokenKeyword: item = std::string("kw(") + KeywordName(token.Value.GetInt()) + ")"; break;
        case kTokenBuiltin:
            item = std::string("fn(") + GetBuiltinTable()[token.Value.GetInt()].Name + ")";
            break;
        case kTokenLiteral:
            item = std::string(token.Value.IsString() ? "str(" : "num(") + token.Value.GetString() + ")";
            break;
        case kTokenVariable: item = std::string("var(") + token.Value.GetString() + ")"; break;
        case kTokenMacro: item = std::string("mac(") + token.Value.GetString() + ")"; break;
        case kTokenUserFunction: item = std::string("word(") + token.Value.GetString() + ")"; break;
        default: item = kOperators[token.Type]; break;
        }
        if (!text.empty())
            text += " ";
        text += item + "@" + std::to_string(token.Column);
    }
    return text;
}

void LoadLines(const std::vector<std::string>& lines, int current)
{
    g_ScriptFile.Clear();
    int number = 0;
    for (const std::string& line : lines)
        g_ScriptFile.AddLine(++number, line.c_str(), 0);
    g_ScriptFile.BuildIndex();
    g_ScriptEngine.SetCurrentLine(current);
}

std::vector<testing_support::DialogAnswerer::Seen> CaptureBoxes(const std::function<void()>& action)
{
    testing_support::DialogAnswerer answerer(IDOK);
    action();
    return answerer.Dialogs();
}

CVariantList Args(const std::vector<CEngineVariant>& values)
{
    CVariantList list;
    for (const CEngineVariant& value : values)
        list.Append(value);
    return list;
}

CEngineVariant Int(int value)
{
    CEngineVariant v;
    v.SetInt(value);
    return v;
}

CEngineVariant Text(const char* text)
{
    CEngineVariant v;
    v.SetString(text);
    return v;
}

}  // namespace engine_test
