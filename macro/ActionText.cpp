#include "macro/ActionText.h"

#include "macro/KeyNames.h"
#include "macro/NumberText.h"

#include <windows.h>

#include <limits.h>
#include <string.h>

namespace {

const char kFasterSpeedMarker[] = "=> [remove on faster speed]";
const char kStepBinding[] = " At Win [";
const char kScriptBinding[] = "-> At Win [";

// The shut-down steps are whole texts, both ways.
const struct ShutdownStep
{
    const char* step;
    const char* statement;
} kShutdownSteps[] = {
    {"Shut down computer", "Shutdown(1)"},
    {"Power off computer", "Shutdown(8)"},
    {"Restart computer", "Shutdown(2)"},
    {"Log off computer", "Shutdown(0)"},
};

bool StartsWith(const CString& text, const char* prefix)
{
    return strncmp(text, prefix, strlen(prefix)) == 0;
}

bool EndsWith(const CString& text, const char* suffix)
{
    const int length = static_cast<int>(strlen(suffix));
    return text.GetLength() >= length && strcmp(static_cast<const char*>(text) + text.GetLength() - length, suffix) == 0;
}

CString After(const CString& text, const char* prefix)
{
    return text.Mid(static_cast<int>(strlen(prefix)));
}

CString WithoutSuffix(const CString& text, const char* suffix)
{
    return EndsWith(text, suffix) ? text.Left(text.GetLength() - static_cast<int>(strlen(suffix))) : text;
}

// The suffixes a line carries: the faster-speed marker at its very end and,
// before it, the last window binding that has a "]" after it.
struct Suffixes
{
    CString body;      // the line without them
    CString binding;   // from the binding's text to the end, or empty
    bool faster = false;
};

Suffixes SplitSuffixes(const CString& line, const char* bindingText)
{
    Suffixes parts;
    parts.body = line;
    if (EndsWith(parts.body, kFasterSpeedMarker)) {
        parts.faster = true;
        parts.body = WithoutSuffix(parts.body, kFasterSpeedMarker);
    }
    int binding = -1;
    for (int at = parts.body.Find(bindingText); at >= 0; at = parts.body.Find(bindingText, at + 1))
        if (parts.body.Find(']', at + static_cast<int>(strlen(bindingText))) >= 0)
            binding = at;
    if (binding >= 0) {
        parts.binding = parts.body.Mid(binding);
        parts.body = parts.body.Left(binding);
    }
    return parts;
}

CString Joined(const CString& statement, const CString& binding, bool faster)
{
    CString line = statement + binding;
    if (faster)
        line += kFasterSpeedMarker;
    return line;
}

// ---- Step line to statement ----------------------------------------------------

// The count of a click step: the text between ", " and " times", else 1.
CString ClickCount(const CString& step)
{
    if (!EndsWith(step, "times"))
        return "1";
    const int comma = step.Find(", ");
    const int times = step.Find(" times");
    return comma >= 0 && times > comma ? step.Mid(comma + 2, times - comma - 2) : CString("1");
}

CString MoveStatement(const CString& step, const char* prefix, const char* builtin)
{
    const CString rest = After(step, prefix);
    const int comma = rest.Find(',');
    const CString x = comma >= 0 ? rest.Left(comma) : rest;
    const CString y = comma >= 0 ? rest.Mid(comma + 2) : CString();
    return CString(builtin) + "(" + x + ", " + y + ")";
}

CString KeyStatement(const CString& step, const char* prefix, const char* builtin)
{
    const CString opening = CString(builtin) + "(\"\",\"\",\"\",\"";
    const CString rest = After(step, prefix);
    const int comma = rest.Find(',');
    if (comma < 0)
        return opening + rest + "\", 1)";
    if (comma == 0) {
        // The comma key, written without a blank before its count.
        const CString doubled = CString(prefix) + ",,";
        const int at = step.Find(doubled);
        const CString count = at >= 0 ? WithoutSuffix(step.Mid(at + doubled.GetLength() + 1), " times") : CString("1");
        return opening + ",\"," + count + ")";
    }
    return opening + rest.Left(comma) + "\", " + WithoutSuffix(rest.Mid(comma + 2), " times") + ")";
}

CString WaitStatement(const CString& step)
{
    static const struct
    {
        const char* unit;
        long long factor;
    } kUnits[] = {{" milliseconds", 1}, {" seconds", 1000}, {" minutes", 60000}};
    CString number = After(step, "Wait ");
    long long factor = 1;
    for (const auto& unit : kUnits) {
        if (EndsWith(step, unit.unit)) {
            number = WithoutSuffix(number, unit.unit);
            factor = unit.factor;
            break;
        }
    }
    long long total = static_cast<long long>(StringToInt(number)) * factor;
    if (total > INT_MAX)
        total = INT_MAX;   // a count of minutes that does not fit in the statement
    if (total < INT_MIN)
        total = INT_MIN;
    return (total < 60001 ? "WAIT(" : "WAITLONG(") + IntToText(static_cast<int>(total)) + ")";
}

CString TypedTextStatement(const CString& step)
{
    CString text = After(step, "Input text ");
    text.Remove('"');
    // Raw, so that ^ + ! # and braces in the text are typed as they stand.
    return "Send(\"" + text + "\", 1)";
}

CString ColourByte(const CString& digits, int pair)
{
    const CString high = digits.Mid(pair * 2, 1);
    const CString low = digits.Mid(pair * 2 + 1, 1);
    return IntToText(16 * HexDigitValue(high) + HexDigitValue(low));
}

CString ColourTestStatement(const CString& step)
{
    CString x = "-1", y = "-1";
    int condition;
    if (StartsWith(step, "If color at (")) {
        const int open = step.Find('(');
        const int comma = step.Find(',', open);
        const int close = step.Find(')', comma < 0 ? open : comma);
        x = step.Mid(open + 1, comma - open - 1);
        y = step.Mid(comma + 1, close - comma - 1);
        x.TrimLeft(' ');
        y.TrimLeft(' ');
        condition = close + 2;
    } else {
        condition = static_cast<int>(strlen("If color at mouse point")) + 1;
    }
    const CString word = step.Mid(condition);
    const char* mode = StartsWith(word, "Unqual to #") ? "1" : StartsWith(word, "Approximately equal to #") ? "2" : "0";
    const int hash = step.Find('#');
    const CString digits = hash >= 0 ? WithoutSuffix(step.Mid(hash + 1), ", Then") : CString();
    return "If CheckColor(" + x + "," + y + "," + ColourByte(digits, 0) + "," + ColourByte(digits, 1) + "," +
           ColourByte(digits, 2) + "," + mode + ") Then";
}

CString LoopStatement(const CString& step)
{
    const CString rest = After(step, "Start loop");
    const int comma = rest.Find(',');
    const CString number = comma >= 0 ? rest.Left(comma) : rest;
    const int loop = step.Find(", loop ");
    const int times = step.Find(" times", loop < 0 ? 0 : loop);
    const CString count = loop >= 0 && times > loop ? step.Mid(loop + 7, times - loop - 7) : CString();
    return "For $count" + number + " = 1 To " + count;
}

// A text as a double-quoted literal of the script language, where a double
// quote inside is written twice: a program path or parameters that quote a
// file name must not end the literal early.
CString QuotedLiteral(const CString& text)
{
    CString doubled = text;
    doubled.Replace("\"", "\"\"");
    return "\"" + doubled + "\"";
}

CString RunStatement(const CString& step)
{
    // "Run program|text2|c|m": m and c are the last character and the one
    // two places before it.
    CString rest = After(step, "Run ");
    const CString m = rest.Right(1);
    const CString c = rest.GetLength() >= 3 ? rest.Mid(rest.GetLength() - 3, 1) : CString();
    rest = rest.Left(rest.GetLength() - 4);
    const int bar = rest.ReverseFind('|');
    const CString text2 = bar >= 0 ? rest.Mid(bar + 1) : CString();
    const CString program = bar >= 0 ? rest.Left(bar) : rest;
    const char* builtin = m == "1" ? "RunReadyInput(" : m == "2" ? "RunWait(" : "Run(";
    return builtin + (QuotedLiteral(program) + ", " + QuotedLiteral(text2) + ", " + c + ")");
}

CString StepStatement(const CString& step)
{
    if (StartsWith(step, "Mouse Left Click"))
        return "MouseClick(\"left\", " + ClickCount(step) + ")";
    if (StartsWith(step, "Mouse Right Click"))
        return "MouseClick(\"right\", " + ClickCount(step) + ")";
    if (StartsWith(step, "Mouse Double Click"))
        return "MouseDoubleClick(\"left\", " + ClickCount(step) + ")";
    if (StartsWith(step, "Mouse Scroll "))
        return After(step, "Mouse Scroll ").CompareNoCase("Up") == 0 ? "MouseWheel(\"up\")" : "MouseWheel(\"down\")";
    if (StartsWith(step, "Mouse Left Down"))
        return "MouseDown(\"left\")";
    if (StartsWith(step, "Mouse Left Up"))
        return "MouseUp(\"left\")";
    if (StartsWith(step, "Mouse Right Down"))
        return "MouseDown(\"right\")";
    if (StartsWith(step, "Mouse Right Up"))
        return "MouseUp(\"right\")";
    if (StartsWith(step, "Mouse move to"))
        return MoveStatement(step, "Mouse move to ", "MouseMove");
    if (StartsWith(step, "Relative mouse move"))
        return MoveStatement(step, "Relative mouse move ", "MouseRelativeMove");
    if (StartsWith(step, "Key Press "))
        return KeyStatement(step, "Key Press ", "KeySend");
    if (StartsWith(step, "Key Up "))
        return KeyStatement(step, "Key Up ", "KeyUp");
    if (StartsWith(step, "Key Down "))
        return KeyStatement(step, "Key Down ", "KeyDown");
    if (StartsWith(step, "Wait"))
        return WaitStatement(step);
    if (StartsWith(step, "Input text"))
        return TypedTextStatement(step);
    if (StartsWith(step, "If color at "))
        return ColourTestStatement(step);
    if (StartsWith(step, "Else") || StartsWith(step, "EndIf"))
        return step;
    if (StartsWith(step, "TAG"))
        return "TAG $" + After(step, "TAG ");
    if (StartsWith(step, "Switch to TAG"))
        return "GOTO $" + After(step, "Switch to TAG ");
    if (StartsWith(step, "Start loop"))
        return LoopStatement(step);
    if (StartsWith(step, "End loop block"))
        return "Next";
    if (StartsWith(step, "Comment:"))
        return step;
    if (StartsWith(step, "Run "))
        return RunStatement(step);
    for (const ShutdownStep& shutdown : kShutdownSteps)
        if (step == shutdown.step)
            return shutdown.statement;
    return CString();
}

// ---- Statement to step line ------------------------------------------------

// The text between the statement's first two double quotes.
CString FirstQuoted(const CString& statement)
{
    const int open = statement.Find('"');
    const int close = open >= 0 ? statement.Find('"', open + 1) : -1;
    return close > open ? statement.Mid(open + 1, close - open - 1) : CString();
}

// The text between the opening parenthesis and the last closing one.
CString Arguments(const CString& statement)
{
    const int open = statement.Find('(');
    const int close = statement.ReverseFind(')');
    return open >= 0 && close > open ? statement.Mid(open + 1, close - open - 1) : CString();
}

CString ButtonName(const CString& statement)
{
    CString button = FirstQuoted(statement);
    button.MakeLower();
    if (!button.IsEmpty())
        button.SetAt(0, FoldCharUpper(button[0]));
    return button;
}

CString TimesSuffix(CString count)
{
    count.TrimLeft(' ');
    return count == "1" ? CString() : ", " + count + " times";
}

CString ClickStep(const CString& statement, const CString& name)
{
    const int comma = statement.Find(", ");
    const int close = statement.ReverseFind(')');
    const CString count = comma >= 0 && close > comma ? statement.Mid(comma + 2, close - comma - 2) : CString("1");
    return "Mouse " + name + " Click" + TimesSuffix(count);
}

CString MoveStep(const CString& statement, const char* prefix)
{
    const CString arguments = Arguments(statement);
    const int comma = arguments.Find(',');
    CString x = comma >= 0 ? arguments.Left(comma) : arguments;
    CString y = comma >= 0 ? arguments.Mid(comma + 1) : CString();
    x.Trim(' ');
    y.Trim(' ');
    return prefix + x + ", " + y;
}

CString KeyStep(const CString& statement, const char* builtin, const char* prefix)
{
    const CString opening = CString(builtin) + "(\"\",\"\",\"\",\"";
    const int lastQuote = statement.ReverseFind('"');
    const CString key = lastQuote >= opening.GetLength() ? statement.Mid(opening.GetLength(), lastQuote - opening.GetLength())
                                                          : CString();
    const int lastComma = statement.ReverseFind(',');
    const int close = statement.ReverseFind(')');
    const CString count = lastComma >= 0 && close > lastComma ? statement.Mid(lastComma + 1, close - lastComma - 1)
                                                              : CString("1");
    return prefix + key + TimesSuffix(count);
}

CString ColourTestStep(const CString& statement)
{
    CString parts[6];
    const CString arguments = Arguments(statement);
    int start = 0;
    for (int i = 0; i < 6; ++i) {
        int comma = arguments.Find(',', start);
        parts[i] = comma >= 0 && i < 5 ? arguments.Mid(start, comma - start) : arguments.Mid(start);
        parts[i].Trim(' ');
        start = comma >= 0 ? comma + 1 : arguments.GetLength();
    }
    CString step = parts[0] == "-1" && parts[1] == "-1" ? CString("If color at mouse point ")
                                                        : "If color at (" + parts[0] + ", " + parts[1] + ") ";
    step += parts[5] == "1" ? "Unqual to #" : parts[5] == "2" ? "Approximately equal to #" : "Equal to #";
    for (int i = 2; i < 5; ++i) {
        const unsigned int value = static_cast<unsigned int>(StringToInt(parts[i]));
        step += HexDigitText(value / 16) + HexDigitText(value % 16);
    }
    return step + ", Then";
}

CString LoopStep(const CString& statement)
{
    CString number = After(statement, "For $count");
    const int equals = number.Find('=');
    if (equals >= 0)
        number = number.Left(equals);
    number.TrimRight(' ');
    const int to = statement.Find(" To ");
    CString count = to >= 0 ? statement.Mid(to + 4) : CString();
    count.Trim(' ');
    return "Start loop" + number + ", loop " + count + " times";
}

// The double-quoted literal that opens at `open`, a doubled quote inside
// standing for one; `close` is its closing quote. An unclosed literal gives
// the empty text and a `close` of -1.
CString ReadQuotedLiteral(const CString& statement, int open, int& close)
{
    CString text;
    for (int at = open + 1; at < statement.GetLength(); ++at) {
        if (statement[at] != '"') {
            text += statement[at];
        } else if (at + 1 < statement.GetLength() && statement[at + 1] == '"') {
            text += '"';
            ++at;
        } else {
            close = at;
            return text;
        }
    }
    close = -1;
    return CString();
}

CString RunStep(const CString& statement, const char* mode)
{
    // Run("program", "text2", c): the program and text2 are the two quoted
    // texts, c the argument after them.
    int close1 = -1, close2 = -1;
    const int open1 = statement.Find('"');
    const CString program = open1 >= 0 ? ReadQuotedLiteral(statement, open1, close1) : CString();
    const int open2 = close1 >= 0 ? statement.Find('"', close1 + 1) : -1;
    const CString text2 = open2 >= 0 ? ReadQuotedLiteral(statement, open2, close2) : CString();
    const int comma = close2 >= 0 ? statement.Find(',', close2) : -1;
    const int close = statement.ReverseFind(')');
    CString c = comma >= 0 && close > comma ? statement.Mid(comma + 1, close - comma - 1) : CString();
    c.Trim(' ');
    if (c.GetLength() != 1)
        MessageBoxA(nullptr, "Some error may happened", "Warning", MB_OK);
    return "Run " + program + "|" + text2 + "|" + c + "|" + mode;
}

CString StatementStep(const CString& statement)
{
    if (StartsWith(statement, "MouseClick("))
        return ClickStep(statement, ButtonName(statement));
    if (StartsWith(statement, "MouseDoubleClick("))
        return ClickStep(statement, "Double");
    if (StartsWith(statement, "MouseWheel("))
        return FirstQuoted(statement).CompareNoCase("up") == 0 ? "Mouse Scroll Up" : "Mouse Scroll Down";
    if (StartsWith(statement, "MouseDown("))
        return "Mouse " + ButtonName(statement) + " Down";
    if (StartsWith(statement, "MouseUp("))
        return "Mouse " + ButtonName(statement) + " Up";
    if (StartsWith(statement, "MouseMove("))
        return MoveStep(statement, "Mouse move to ");
    if (StartsWith(statement, "MouseRelativeMove("))
        return MoveStep(statement, "Relative mouse move ");
    if (StartsWith(statement, "KeySend("))
        return KeyStep(statement, "KeySend", "Key Press ");
    if (StartsWith(statement, "KeyUp("))
        return KeyStep(statement, "KeyUp", "Key Up ");
    if (StartsWith(statement, "KeyDown("))
        return KeyStep(statement, "KeyDown", "Key Down ");
    if (StartsWith(statement, "WAIT(") || StartsWith(statement, "WAITLONG("))
        return "Wait " + Arguments(statement) + " milliseconds";
    if (StartsWith(statement, "Send(")) {
        // Both the raw form and the older one without the flag.
        const int open = statement.Find('"');
        const int close = statement.ReverseFind('"');
        return "Input text " + (close > open ? statement.Mid(open + 1, close - open - 1) : CString());
    }
    if (StartsWith(statement, "If CheckColor("))
        return ColourTestStep(statement);
    if (StartsWith(statement, "Else") || StartsWith(statement, "EndIf") || StartsWith(statement, "Comment:"))
        return statement;
    if (StartsWith(statement, "TAG $"))
        return "TAG " + After(statement, "TAG $");
    if (StartsWith(statement, "GOTO $"))
        return "Switch to TAG " + After(statement, "GOTO $");
    if (StartsWith(statement, "For $count"))
        return LoopStep(statement);
    if (StartsWith(statement, "Next"))
        return "End loop block";
    if (StartsWith(statement, "RunReadyInput("))
        return RunStep(statement, "1");
    if (StartsWith(statement, "RunWait("))
        return RunStep(statement, "2");
    if (StartsWith(statement, "Run("))
        return RunStep(statement, "0");
    for (const ShutdownStep& shutdown : kShutdownSteps)
        if (statement == shutdown.statement)
            return shutdown.step;
    return CString();
}

}  // namespace

CString ActionTextToScript(const CString& actionLine)
{
    const Suffixes parts = SplitSuffixes(actionLine, kStepBinding);
    return Joined(StepStatement(parts.body), parts.binding.IsEmpty() ? CString() : "->" + parts.binding, parts.faster);
}

CString ScriptToActionText(const CString& statement)
{
    const Suffixes parts = SplitSuffixes(statement, kScriptBinding);
    return Joined(StatementStep(parts.body), parts.binding.Mid(2), parts.faster);
}
