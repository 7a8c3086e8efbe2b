#include "tests/engine/ScriptTestSupport.h"

namespace script_test {

script_host::RunReport RunClean(const Lines& lines, const script_host::RunSettings& settings)
{
    script_host::RunReport report = script_host::RunLines(lines, settings);
    EXPECT_TRUE(report.Prepared);
    for (const Box& box : report.Boxes)
        ADD_FAILURE() << "unexpected box \"" << box.caption << "\": " << box.text;
    return report;
}

std::string ValueOf(const std::string& expression)
{
    // Twice on one line: the first evaluation compiles the expression, the
    // second runs what the first made.
    RunClean({"For $valueOfPass = 1 To 2", "$r = " + expression,
              "If $valueOfPass = 1 Then $valueOfFirst = $r", "Next"});
    EXPECT_EQ(script_host::Global("valueOfFirst"), script_host::Global("r")) << expression;
    return script_host::Global("r");
}

std::string ErrorText(int lineNumber, const std::string& line, int column, const std::string& message)
{
    std::string text = "Line " + std::to_string(lineNumber) + ":\n\n" + line + "\n";
    if (column >= 0)
        text += line.substr(0, static_cast<size_t>(column)) + "^ ERROR\n";
    return text + "\nError: " + message;
}

Box RunExpectingError(const Lines& lines)
{
    script_host::RunReport report = script_host::RunLines(lines);
    EXPECT_EQ(report.Boxes.size(), 1u);
    return report.Boxes.empty() ? Box() : report.Boxes.front();
}

}  // namespace script_test
