#include "tests/fuzz/FuzzInput.h"

#include "tests/support/TestFiles.h"

#include <windows.h>

#include <ctype.h>

namespace fuzz {

namespace {

// Pieces the token-level mutations put in: the language's operators,
// brackets, quotes, keywords and block words, and values at the edges.
const char* const kOperators[] = {"=", "==", "<>", "<", ">", "<=", ">=", "+", "-", "*", "/", "^", "&", ",",
                                  " And ", " Or ", " Not ", "-", "--", "^-"};
const char* const kBrackets[] = {"(", ")", "[", "]", "((", "))", "[[", "]]", "()", "[]", "[0]", "[-1]", "[1][1]"};
const char* const kQuotes[] = {"\"", "'", "\"\"", "''", "\"'", "'\""};
const char* const kWords[] = {"If", "Then", "Else", "ElseIf", "EndIf", "While", "WEnd", "Do", "Until", "For",
                              "Next", "To", "Step", "ExitLoop", "ContinueLoop", "Select", "Case", "EndSelect",
                              "Dim", "ReDim", "Local", "Global", "Func", "EndFunc", "Return", "Exit", "TAG",
                              "Goto", "ByRef", "And", "Or", "Not", "Case Else", "ExitLoop 9", "Eval", "Call",
                              "UBound", "StringSplit", "StringFormat", "StringMid", "Opt", "Delay", "AdlibEnable",
                              "IsDeclared", "StringReplace", "StringInStr", "BitShift", "Random", "Fib", "Swap",
                              "Down", "NoSuchFunction"};
const char* const kValues[] = {"0", "-1", "1e308", "1e309", "-1e308", "4.9e-324", "1e-400", "2147483647",
                               "2147483648", "-2147483649", "4294967296", "9223372036854775807",
                               "99999999999999999999999999999", "0x", "0xFFFFFFFF", "0x80000000", "0x123456789",
                               "16777216", "16777217", "65", "64", "384", "385", ".", "1.", ".5", "1e", "1e+",
                               "1e5+2", "\"\"", "\"0x10\"", "@ERROR", "@CRLF", "@NOPE", "$", "@", "$a", "$out",
                               "$i", "$arr[0]", "$n"};
const char* const kBlockLines[] = {"EndIf", "Else", "ElseIf 1 Then", "If 1 Then", "If 0 Then", "WEnd", "While 1",
                                   "While 0", "Do", "Until 1", "Until 0", "Next", "For $i = 1 To 3",
                                   "For $i = 1 To 2 Step 0", "Select", "Case 1", "Case Else", "EndSelect",
                                   "Func F($a, ByRef $b)", "EndFunc", "Return", "Return 1", "ExitLoop",
                                   "ContinueLoop", "ExitLoop 2", "TAG $t", "Goto $t", "Exit", "Exit 3",
                                   "Dim $arr[3]", "ReDim $arr[2][2]", "Global $g", "Local $l = 1", "F(1, $g)",
                                   "[Script]", "[HalvaneInfo]", "[General]", "WinRect=1,2,3,4", "WinRect=1,2",
                                   "WinIndex=99999999999", "Comment: x", "$x = 1 -> At Win [0]",
                                   "$x = 1 -> At Win [2147483647]", "$x = 1 -> At Win [-5]", "$x = 1 -> At Win [",
                                   "$x = 1=> [remove on faster speed]", "=> [remove on faster speed]",
                                   "AdlibEnable(\"F\", 0)", "Call(\"F\")", "Eval(\"x\")", "Delay(5)"};
const char* const kGeneralKeys[] = {"Name=", "StartKey=", "EndKey=", "Description=", "Enable=", "RepeatOption=",
                                    "RepeatTimes=", "OriginalSpeed=", "UseSimilarWin=", "UseHalvane=",
                                    "TriggerRobot="};

template <size_t N>
const char* Pick(Random& random, const char* const (&items)[N])
{
    return items[random.Below(N)];
}

std::vector<std::string> SplitLines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find('\n', start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            return lines;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
}

std::string JoinLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (size_t i = 0; i < lines.size(); ++i) {
        if (i)
            text += '\n';
        text += lines[i];
    }
    return text;
}

// The lines after "[Script]", or all lines when there is none.
size_t FirstScriptLine(const std::vector<std::string>& lines)
{
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].compare(0, 8, "[Script]") == 0)
            return i + 1;
    }
    return 0;
}

size_t PickScriptLine(Random& random, const std::vector<std::string>& lines)
{
    const size_t first = FirstScriptLine(lines);
    if (first >= lines.size())
        return lines.empty() ? 0 : lines.size() - 1;
    return first + random.Below(lines.size() - first);
}

// A token of a line as the language reads it, roughly: a word, number,
// variable or macro, a string, or one character of anything else.
struct Span
{
    size_t start;
    size_t length;
    char kind;   // 'w' word, 'n' number, 'v' variable or macro, 's' string, 'o' operator, 'b' bracket
};

std::vector<Span> Tokens(const std::string& line)
{
    std::vector<Span> spans;
    size_t i = 0;
    auto isWord = [&](size_t at) { return at < line.size() && (isalnum(static_cast<unsigned char>(line[at])) || line[at] == '_'); };
    while (i < line.size()) {
        const char c = line[i];
        const size_t start = i;
        if (c == ' ' || c == '\t' || c == '\r') {
            ++i;
            continue;
        }
        char kind;
        if (isdigit(static_cast<unsigned char>(c)) || c == '.') {
            while (isWord(i) || line[i] == '.')
                ++i;
            kind = 'n';
        } else if (isWord(i)) {
            while (isWord(i))
                ++i;
            kind = 'w';
        } else if (c == '$' || c == '@') {
            ++i;
            while (isWord(i))
                ++i;
            kind = 'v';
        } else if (c == '"' || c == '\'') {
            ++i;
            while (i < line.size() && line[i] != c)
                ++i;
            if (i < line.size())
                ++i;
            kind = 's';
        } else if (c == '(' || c == ')' || c == '[' || c == ']') {
            ++i;
            kind = 'b';
        } else {
            ++i;
            if (i < line.size() && (line[i] == '=' || line[i] == '>'))
                ++i;
            kind = 'o';
        }
        spans.push_back({start, i - start, kind});
    }
    return spans;
}

// A token of the line of the wanted kind ('*' any), or false when none.
bool PickToken(Random& random, const std::string& line, char kind, Span& span)
{
    std::vector<Span> matching;
    for (const Span& s : Tokens(line)) {
        if (kind == '*' || s.kind == kind)
            matching.push_back(s);
    }
    if (matching.empty())
        return false;
    span = matching[random.Below(matching.size())];
    return true;
}

// ---------------------------------------------------------------- byte level

void FlipByte(Random& random, std::string& text)
{
    if (!text.empty())
        text[random.Below(text.size())] ^= static_cast<char>(1u << random.Below(8));
}

void InsertByte(Random& random, std::string& text)
{
    static const char kSpecial[] = {'\0', '\x1a', '\r', '\n', '\t', '"', '\'', '(', ')', '[', ']', '$', '@',
                                    ';', '_', '\xff', '\x80', '%', '#', '.'};
    const char byte = random.OneIn(3) ? static_cast<char>(random.Below(256)) : kSpecial[random.Below(sizeof kSpecial)];
    text.insert(random.Below(text.size() + 1), random.Length(8), byte);
}

void EraseBytes(Random& random, std::string& text)
{
    if (!text.empty()) {
        const size_t at = random.Below(text.size());
        text.erase(at, random.Length(64));
    }
}

void CopyBytes(Random& random, std::string& text)
{
    if (text.empty())
        return;
    const size_t from = random.Below(text.size());
    const std::string piece = text.substr(from, random.Length(256));
    text.insert(random.Below(text.size() + 1), piece);
}

// ---------------------------------------------------------------- token level

void ReplaceToken(Random& random, std::vector<std::string>& lines, char kind, const char* replacement)
{
    std::string& line = lines[PickScriptLine(random, lines)];
    Span span;
    if (PickToken(random, line, kind, span))
        line.replace(span.start, span.length, replacement);
    else
        line.insert(random.Below(line.size() + 1), replacement);
}

void InsertPiece(Random& random, std::vector<std::string>& lines, const char* piece)
{
    std::string& line = lines[PickScriptLine(random, lines)];
    line.insert(random.Below(line.size() + 1), piece);
}

void RemoveToken(Random& random, std::vector<std::string>& lines)
{
    std::string& line = lines[PickScriptLine(random, lines)];
    Span span;
    if (PickToken(random, line, '*', span))
        line.erase(span.start, span.length);
}

void AddSubscripts(Random& random, std::vector<std::string>& lines)
{
    std::string& line = lines[PickScriptLine(random, lines)];
    Span span;
    if (!PickToken(random, line, 'v', span))
        return;
    std::string subscripts;
    const size_t count = random.OneIn(8) ? random.Length(80) : 1 + random.Below(3);
    for (size_t i = 0; i < count; ++i)
        subscripts += "[" + std::string(Pick(random, kValues)) + "]";
    line.insert(span.start + span.length, subscripts);
}

// ---------------------------------------------------------------- line level

void DeepNesting(Random& random, std::vector<std::string>& lines)
{
    const size_t depth = random.Length(random.OneIn(4) ? 5000 : 400);
    const size_t at = PickScriptLine(random, lines);
    std::string open, close;
    switch (random.Below(6)) {
    case 0: open = "("; close = ")"; break;
    case 1: open = "Abs("; close = ")"; break;
    case 2: open = "Down("; close = ")"; break;
    case 3: open = "$a["; close = "]"; break;
    case 4: {
        // Single-line Ifs, each the statement of the one before.
        std::string ifs;
        for (size_t i = 0; i < depth; ++i)
            ifs += "If $n < 9 Then ";
        lines.insert(lines.begin() + static_cast<long>(at), ifs + "$n = $n + 1");
        return;
    }
    default: {
        // Blocks inside blocks.
        std::vector<std::string> block;
        const char* kinds[][2] = {{"If 1 Then", "EndIf"}, {"While $n < 2", "WEnd"}, {"For $i = 1 To 1", "Next"},
                                  {"Select", "EndSelect"}, {"Do", "Until 1"}};
        const size_t kind = random.Below(5);
        for (size_t i = 0; i < depth; ++i)
            block.push_back(kinds[kind][0]);
        block.push_back("$n = $n + 1");
        for (size_t i = 0; i < depth; ++i)
            block.push_back(kinds[kind][1]);
        lines.insert(lines.begin() + static_cast<long>(at), block.begin(), block.end());
        return;
    }
    }
    std::string expression;
    for (size_t i = 0; i < depth; ++i)
        expression += open;
    expression += "1";
    for (size_t i = 0; i < depth; ++i)
        expression += close;
    lines.insert(lines.begin() + static_cast<long>(at), "$r = " + expression);
}

void LongLine(Random& random, std::vector<std::string>& lines)
{
    std::string& line = lines[PickScriptLine(random, lines)];
    const size_t length = random.Length(200000);
    switch (random.Below(3)) {
    case 0: {
        std::string literal = "$s = \"";
        literal.append(length, 'x');
        line = literal + "\"";
        break;
    }
    case 1: {
        std::string sum = "$s = 1";
        while (sum.size() < length)
            sum += " + 1";
        line = sum;
        break;
    }
    default: {
        const std::string unit = line.empty() ? "x" : line;
        while (line.size() < length)
            line += unit;
        break;
    }
    }
}

void ChangeGeneral(Random& random, std::vector<std::string>& lines)
{
    const size_t first = FirstScriptLine(lines);
    const size_t end = first ? first - 1 : 0;
    switch (random.Below(4)) {
    case 0:   // truncated: the file ends inside the block
        lines.resize(random.Below(end + 1));
        break;
    case 1:   // a line of the block taken out, so that the rest shifts
        if (end > 1)
            lines.erase(lines.begin() + static_cast<long>(1 + random.Below(end - 1)));
        break;
    default: {
        const std::string line =
            std::string(Pick(random, kGeneralKeys)) + (random.OneIn(2) ? Pick(random, kValues) : "1");
        if (end > 1)
            lines[1 + random.Below(end - 1)] = line;
        else
            lines.insert(lines.begin(), line);
        break;
    }
    }
}

void EditLines(Random& random, std::vector<std::string>& lines, const Corpus& corpus)
{
    const size_t at = PickScriptLine(random, lines);
    switch (random.Below(6)) {
    case 0:
        lines.erase(lines.begin() + static_cast<long>(at));
        break;
    case 1:
        lines.insert(lines.begin() + static_cast<long>(at), lines[at]);
        break;
    case 2:
        std::swap(lines[at], lines[PickScriptLine(random, lines)]);
        break;
    case 3: {
        const std::vector<std::string> other = SplitLines(corpus.Files[random.Below(corpus.Files.size())]);
        lines.insert(lines.begin() + static_cast<long>(at), other[PickScriptLine(random, other)]);
        break;
    }
    case 4:
        lines.insert(lines.begin() + static_cast<long>(at), Pick(random, kBlockLines));
        break;
    default:
        lines[at] += random.OneIn(2) ? " -> At Win [" + std::to_string(random.Below(4)) + "]"
                                      : std::string("=> [remove on faster speed]");
        break;
    }
}

// Two files in one: the head of one and the tail of another.
std::string Splice(Random& random, const std::string& a, const std::string& b)
{
    std::vector<std::string> first = SplitLines(a), second = SplitLines(b);
    const size_t cut = FirstScriptLine(first) + random.Below(first.size() - FirstScriptLine(first) + 1);
    first.resize(cut);
    const size_t from = FirstScriptLine(second) + random.Below(second.size() - FirstScriptLine(second) + 1);
    first.insert(first.end(), second.begin() + static_cast<long>(from), second.end());
    return JoinLines(first);
}

void MutateOnce(Random& random, std::string& text, const Corpus& corpus)
{
    const size_t kind = random.Below(20);
    if (kind < 4) {
        switch (kind) {
        case 0: FlipByte(random, text); break;
        case 1: InsertByte(random, text); break;
        case 2: EraseBytes(random, text); break;
        default: CopyBytes(random, text); break;
        }
        return;
    }
    std::vector<std::string> lines = SplitLines(text);
    if (lines.empty())
        lines.push_back(std::string());
    switch (kind) {
    case 4: ReplaceToken(random, lines, 'o', Pick(random, kOperators)); break;
    case 5: InsertPiece(random, lines, Pick(random, kOperators)); break;
    case 6: InsertPiece(random, lines, Pick(random, kBrackets)); break;
    case 7: InsertPiece(random, lines, Pick(random, kQuotes)); break;
    case 8: ReplaceToken(random, lines, 'w', Pick(random, kWords)); break;
    case 9: ReplaceToken(random, lines, 'n', Pick(random, kValues)); break;
    case 10: ReplaceToken(random, lines, 'v', Pick(random, kValues)); break;
    case 11: ReplaceToken(random, lines, 'b', Pick(random, kBrackets)); break;
    case 12: RemoveToken(random, lines); break;
    case 13: AddSubscripts(random, lines); break;
    case 14: if (random.OneIn(3)) DeepNesting(random, lines); else EditLines(random, lines, corpus); break;
    case 15: if (random.OneIn(3)) LongLine(random, lines); else EditLines(random, lines, corpus); break;
    case 16: ChangeGeneral(random, lines); break;
    default: EditLines(random, lines, corpus); break;
    }
    text = JoinLines(lines);
}

}  // namespace

uint64_t Random::Next()
{
    // splitmix64
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

size_t Random::Length(size_t largest)
{
    // Each bit length equally likely: short runs are common, long ones occur.
    size_t bits = 0;
    while ((static_cast<size_t>(1) << bits) < largest)
        ++bits;
    const size_t top = static_cast<size_t>(1) << Below(bits + 1);
    return 1 + Below(top < largest ? top : largest);
}

std::string AsMacroFile(const std::string& name, const std::string& script)
{
    return "[General]\r\nName=" + name +
           "\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=1\r\nRepeatOption=0\r\nRepeatTimes=1\r\n"
           "OriginalSpeed=1\r\nUseSimilarWin=0\r\nUseHalvane=0\r\nTriggerRobot=\r\n[Script]\r\n" +
           script;
}

size_t AddCorpusFolder(Corpus& corpus, const std::string& folder)
{
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.txt").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        return 0;
    size_t added = 0;
    do {
        const std::string path = folder + "\\" + found.cFileName;
        const std::string bytes = testing_support::ReadFileBytes(path);
        std::string name = found.cFileName;
        name.erase(name.size() - 4);
        corpus.Files.push_back(bytes.compare(0, 9, "[General]") == 0 ? bytes : AsMacroFile(name, bytes));
        corpus.Names.push_back(path);
        ++added;
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return added;
}

std::string MakeInput(const Corpus& corpus, uint64_t seed, uint64_t number)
{
    Random random(seed * 0x2545F4914F6CDD1Dull ^ (number + 1) * 0x9E3779B97F4A7C15ull);
    if (corpus.Files.empty())
        return std::string();
    std::string text = corpus.Files[random.Below(corpus.Files.size())];
    if (random.OneIn(8))
        text = Splice(random, text, corpus.Files[random.Below(corpus.Files.size())]);
    const size_t mutations = 1 + random.Below(random.OneIn(4) ? 12 : 4);
    for (size_t i = 0; i < mutations; ++i)
        MutateOnce(random, text, corpus);
    return text;
}

}  // namespace fuzz
