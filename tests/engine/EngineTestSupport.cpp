#include "tests/engine/EngineTestSupport.h"

namespace engine_test {

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
