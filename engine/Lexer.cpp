// The lexer: one script line into tokens.
#include "engine/ScriptEngine.h"

#include "engine/NumberConversion.h"

#include <string.h>

namespace {

bool IsLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

bool IsWordChar(char ch)
{
    return IsLetter(ch) || IsDigit(ch) || ch == '_';
}

bool IsHexDigit(char ch)
{
    return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
}

char AsciiUpper(char ch)
{
    return ch >= 'a' && ch <= 'z' ? static_cast<char>(ch - 'a' + 'A') : ch;
}

// The keywords and the builtin names, hashed once, so that a word costs one
// probe instead of a walk through 248 names. Keywords win; among builtins
// the first of the table's order wins (the names are unique anyway).
class ReservedWords
{
public:
    ReservedWords()
    {
        for (int id = 0; id < kKeywordCount; ++id)
            Add(KeywordName(id), kTokenKeyword, id);
        const BuiltinEntry* builtins = GetBuiltinTable();
        for (int index = 0; index < kBuiltinCount; ++index)
            Add(builtins[index].Name, kTokenBuiltin, index);
    }

    // `word` is upper case, `length` characters long.
    bool Find(const char* word, int length, int& type, int& id) const
    {
        for (unsigned slot = Hash(word, length) & kMask; m_slots[slot].name; slot = (slot + 1) & kMask) {
            const Slot& entry = m_slots[slot];
            if (entry.length == length && memcmp(entry.name, word, static_cast<size_t>(length)) == 0) {
                type = entry.type;
                id = entry.id;
                return true;
            }
        }
        return false;
    }

private:
    enum { kSize = 1024, kMask = kSize - 1 };

    struct Slot
    {
        const char* name;
        int length;
        int type;
        int id;
    };

    static unsigned Hash(const char* word, int length)
    {
        unsigned hash = 2166136261u;
        for (int i = 0; i < length; ++i)
            hash = (hash ^ static_cast<unsigned char>(word[i])) * 16777619u;
        return hash;
    }

    void Add(const char* name, int type, int id)
    {
        int length = static_cast<int>(strlen(name));
        int foundType, foundId;
        if (Find(name, length, foundType, foundId))
            return;
        unsigned slot = Hash(name, length) & kMask;
        while (m_slots[slot].name)
            slot = (slot + 1) & kMask;
        m_slots[slot] = Slot{name, length, type, id};
    }

    Slot m_slots[kSize] = {};
};

const ReservedWords& Reserved()
{
    static const ReservedWords words;
    return words;
}

}  // namespace

int CPandrel_Script::Tokenise(const char* line, TokenList& tokens)
{
    tokens.Clear();
    if (!line)
        line = "";
    int position = 0;
    for (;;) {
        while (line[position] == ' ' || line[position] == '\t')
            ++position;
        const int column = position;
        const char ch = line[position];
        if (ch == '\0') {
            tokens.AppendNew(kTokenEndOfLine, column);
            return 0;
        }

        if (IsDigit(ch) || ch == '.') {
            ScriptToken& token = tokens.AppendNew(kTokenLiteral, column);
            if (ScanNumber(line, position, token))
                continue;
            token.Type = kTokenEndOfLine;   // the failed number's slot ends the list
            ShowScriptError("Unable to parse line.", column);
            return 1;
        }
        if (IsLetter(ch) || ch == '_') {
            ScanWord(line, position, tokens.AppendNew(kTokenUserFunction, column));
            continue;
        }

        int type = kTokenEndOfLine;
        switch (ch) {
        case '"':
        case '\'':
            if (ScanString(line, position, tokens.AppendNew(kTokenLiteral, column)))
                continue;
            tokens.GetToken(tokens.GetCount() - 1).Type = kTokenEndOfLine;
            return 1;
        case '$':
        case '@': {
            int end = position + 1;
            while (IsWordChar(line[end]))
                ++end;
            if (end == position + 1) {
                ShowScriptError("Badly formated variable or macro.", column);
                return 1;
            }
            ScriptToken& token = tokens.AppendNew(ch == '$' ? kTokenVariable : kTokenMacro, column);
            token.Value.SetString(line + position + 1, end - position - 1);
            position = end;
            continue;
        }
        case ';':
            tokens.AppendNew(kTokenEndOfLine, column);   // the rest is a comment
            return 0;
        case '<':
            type = line[position + 1] == '=' ? kTokenLessEqual
                 : line[position + 1] == '>' ? kTokenNotEqual : kTokenLess;
            break;
        case '=':
            type = line[position + 1] == '=' ? kTokenEqualExact : kTokenEqual;
            break;
        case '>':
            type = line[position + 1] == '=' ? kTokenGreaterEqual : kTokenGreater;
            break;
        case '&': type = kTokenConcatenate; break;
        case '(': type = kTokenLeftParen; break;
        case ')': type = kTokenRightParen; break;
        case '*': type = kTokenMultiply; break;
        case '+': type = kTokenPlus; break;
        case ',': type = kTokenComma; break;
        case '-': type = kTokenMinus; break;
        case '/': type = kTokenDivide; break;
        case '[': type = kTokenLeftBracket; break;
        case ']': type = kTokenRightBracket; break;
        case '^': type = kTokenPower; break;
        default:
            ShowScriptError("Unable to parse line.", column);
            tokens.AppendNew(kTokenEndOfLine, column);
            return 1;
        }
        tokens.AppendNew(type, column);
        bool twoCharacters = type == kTokenLessEqual || type == kTokenNotEqual ||
                             type == kTokenEqualExact || type == kTokenGreaterEqual;
        position += twoCharacters ? 2 : 1;
    }
}

bool CPandrel_Script::ScanNumber(const char* line, int& position, ScriptToken& token)
{
    const char* start = line + position;
    if (start[0] == '0' && (start[1] == 'x' || start[1] == 'X')) {
        const char* digits = start + 2;
        const char* end = digits;
        while (IsHexDigit(*end))
            ++end;
        int value;
        if (!ReadHexDigits(digits, static_cast<int>(end - digits), value))
            return false;   // more than eight digits
        token.Value.SetInt(value);
        position = static_cast<int>(end - line);
        return true;
    }

    // Which characters may come next: a point, an exponent, a sign, and
    // whether a digit is still needed.
    bool point = true, exponent = true, sign = false, needDigit = true;
    const char* end = start;
    for (;; ++end) {
        const char ch = *end;
        if (IsDigit(ch)) {
            // A sign is allowed only right after the E, so "1e5+2" is 1e5, "+", 2.
            needDigit = false;
            sign = false;
        } else if (ch == '.' && point) {
            point = sign = needDigit = false;
            exponent = true;
        } else if ((ch == 'e' || ch == 'E') && exponent && !needDigit) {
            point = exponent = false;
            needDigit = sign = true;
        } else if ((ch == '+' || ch == '-') && sign) {
            point = exponent = sign = false;
            needDigit = true;
        } else {
            break;
        }
    }
    if (needDigit)
        return false;
    token.Value.SetNumber(ReadDecimalNumber(start, static_cast<int>(end - start)));
    position = static_cast<int>(end - line);
    return true;
}

void CPandrel_Script::ScanWord(const char* line, int& position, ScriptToken& token)
{
    int end = position;
    while (IsWordChar(line[end]))
        ++end;
    const int length = end - position;

    char small[64];
    char* word = length < static_cast<int>(sizeof small) ? small : new char[length + 1];
    for (int i = 0; i < length; ++i)
        word[i] = AsciiUpper(line[position + i]);
    word[length] = '\0';

    int type, id;
    if (Reserved().Find(word, length, type, id)) {
        token.Type = type;
        token.Value.SetInt(id);
    } else {
        token.Type = kTokenUserFunction;
        token.Value.SetString(word, length);
    }
    if (word != small)
        delete[] word;
    position = end;
}

bool CPandrel_Script::ScanString(const char* line, int& position, ScriptToken& token)
{
    const char delimiter = line[position];
    const int column = position;
    CEngineString& text = m_lexerText;
    text.Assign("", 0);
    int at = position + 1;
    for (;;) {
        const char* stop = strchr(line + at, delimiter);
        if (!stop) {
            ShowScriptError("String missing closing quote.", column);
            return false;
        }
        text.Append(line + at, static_cast<int>(stop - (line + at)));
        at = static_cast<int>(stop - line) + 1;
        if (line[at] != delimiter)
            break;
        text.AppendChar(delimiter);   // a doubled delimiter stands for one
        ++at;
    }
    position = at;
    if (m_expandEnvStrings == 1)
        ExpandEnvironmentText(text);
    token.Value.SetString(text.GetText(), text.GetLength());
    return true;
}

void CPandrel_Script::ExpandEnvironmentText(CEngineString& text)
{
    // "%%" is "%"; "%NAME%" (or "%NAME" at the end) is the variable's value,
    // empty when it is not set; the result is kept within 4,095 characters.
    const int kLimit = 4095;
    CEngineString& expanded = m_lexerExpansion;
    expanded.Assign("", 0);
    const char* p = text.GetText();
    const char* end = p + text.GetLength();
    auto room = [&] { return kLimit - expanded.GetLength(); };
    while (p < end && room() > 0) {
        if (*p != '%') {
            const char* next = static_cast<const char*>(memchr(p, '%', static_cast<size_t>(end - p)));
            int run = static_cast<int>((next ? next : end) - p);
            expanded.Append(p, run < room() ? run : room());
            p += run;
            continue;
        }
        if (p + 1 < end && p[1] == '%') {
            expanded.AppendChar('%');
            p += 2;
            continue;
        }
        const char* nameStart = p + 1;
        const char* nameEnd = static_cast<const char*>(memchr(nameStart, '%', static_cast<size_t>(end - nameStart)));
        if (!nameEnd)
            nameEnd = end;
        CEngineString name;
        name.Assign(nameStart, static_cast<int>(nameEnd - nameStart));
        p = nameEnd < end ? nameEnd + 1 : end;
        DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
        if (size > 1) {
            char* value = new char[size];
            DWORD length = GetEnvironmentVariableA(name, value, size);
            if (length < size) {
                int copy = static_cast<int>(length);
                expanded.Append(value, copy < room() ? copy : room());
            }
            delete[] value;
        }
    }
    text.Assign(expanded);
}
