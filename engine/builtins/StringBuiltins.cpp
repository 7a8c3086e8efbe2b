// String builtins. Texts are read with GetString and counts with GetInt, so
// numbers serve as texts and texts as counts; positions that scripts see are
// 1-based.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/builtins/BuiltinSupport.h"
#include "engine/support/TextHelpers.h"

#include <string.h>

// StringFormat.cpp.
int BuiltinStringFormat(BuiltinContext& context, CVariantList& args, CEngineVariant& result);

namespace {

const char kWhiteSpace[] = " \t\n\v\f\r";

bool IsWhiteSpace(char ch)
{
    return ch != '\0' && strchr(kWhiteSpace, ch) != nullptr;
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

// Sets `result` to characters [first, first + count) of `text`.
void SetPiece(CEngineVariant& result, const char* text, int first, int count)
{
    result.SetString(text + first, count);
}

// Whether every character of the argument passes `test`; the empty text does.
template <typename Test>
int EveryCharacter(CVariantList& args, Test test)
{
    for (const char* walk = args.GetItem(0).GetString(); *walk; ++walk)
        if (!test(*walk))
            return 0;
    return 1;
}

// Whether `text` begins with the `length` characters of `search`.
bool MatchesAt(const char* text, const char* search, int length, bool caseSensitive)
{
    if (caseSensitive)
        return strncmp(text, search, static_cast<size_t>(length)) == 0;
    for (int i = 0; i < length; ++i)
        if (FoldCharLower(text[i]) != FoldCharLower(search[i]))
            return false;
    return true;
}

// A text read as an optional sign, digits, and an optional decimal point
// followed by digits.
struct NumberShape
{
    int digits = 0;
    bool point = false;
    bool wholeText = false;    // nothing else follows
};

NumberShape ReadNumberShape(const char* text)
{
    NumberShape shape;
    const char* walk = text;
    if (*walk == '+' || *walk == '-')
        ++walk;
    for (; IsDigit(*walk); ++walk)
        ++shape.digits;
    if (*walk == '.') {
        shape.point = true;
        for (++walk; IsDigit(*walk); ++walk)
            ++shape.digits;
    }
    shape.wholeText = *walk == '\0';
    return shape;
}

int BuiltinStringLen(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(args.GetItem(0).GetStringLength());
    return 0;
}

int BuiltinStringLeft(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& text = args.GetItem(0);
    const int length = text.GetStringLength();
    const int count = args.GetItem(1).GetInt();
    SetPiece(result, text.GetString(), 0, count <= 0 ? 0 : (count < length ? count : length));
    return 0;
}

int BuiltinStringRight(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& text = args.GetItem(0);
    const int length = text.GetStringLength();
    const int wanted = args.GetItem(1).GetInt();
    const int count = wanted <= 0 ? 0 : (wanted < length ? wanted : length);
    SetPiece(result, text.GetString(), length - count, count);
    return 0;
}

int BuiltinStringMid(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& text = args.GetItem(0);
    const int length = text.GetStringLength();
    const int start = args.GetItem(1).GetInt();
    const int wanted = args.GetItem(2).GetInt();
    if (start < 1 || start > length || wanted <= 0) {
        result.SetString("");
        return 0;
    }
    const int available = length - start + 1;
    SetPiece(result, text.GetString(), start - 1, wanted < available ? wanted : available);
    return 0;
}

int BuiltinStringTrimLeft(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& text = args.GetItem(0);
    const int length = text.GetStringLength();
    const int count = args.GetItem(1).GetInt();
    if (count < 0 || count >= length)
        result.SetString("");
    else
        SetPiece(result, text.GetString(), count, length - count);
    return 0;
}

int BuiltinStringTrimRight(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& text = args.GetItem(0);
    const int length = text.GetStringLength();
    const int count = args.GetItem(1).GetInt();
    if (count < 0 || count >= length)
        result.SetString("");
    else
        SetPiece(result, text.GetString(), 0, length - count);
    return 0;
}

int BuiltinStringInStr(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineString text;
    text.Assign(args.GetItem(0).GetString(), args.GetItem(0).GetStringLength());
    const char* search = args.GetItem(1).GetString();
    const bool caseSensitive = args.GetItem(2).GetInt() != 0;
    const int occurrence = args.GetCount() >= 4 ? args.GetItem(3).GetInt() : 1;
    if (occurrence == 0) {
        result.SetInt(0);
        context.SetError(1);
        return 0;
    }
    const int position = text.Find(search, caseSensitive, occurrence);
    const bool found = occurrence > 0 ? position < text.GetLength() : position >= 0;
    result.SetInt(found ? position + 1 : 0);
    return 0;
}

int BuiltinStringLower(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineString text(args.GetItem(0).GetString());
    text.MakeLower();
    result.SetString(text, text.GetLength());
    return 0;
}

int BuiltinStringUpper(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineString text(args.GetItem(0).GetString());
    text.MakeUpper();
    result.SetString(text, text.GetLength());
    return 0;
}

int BuiltinStringStripCR(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    char* buffer = EngineSupport::DuplicateString(args.GetItem(0).GetString());
    EngineSupport::StripCarriageReturns(buffer);
    result.SetString(buffer);
    delete[] buffer;
    return 0;
}

int BuiltinStringAddCR(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const char* text = args.GetItem(0).GetString();
    const int size = EngineSupport::ExpandedLength(text);
    char* buffer = new char[static_cast<size_t>(size)];
    EngineSupport::ExpandLineFeeds(text, buffer, size);
    result.SetString(buffer, size - 1);
    delete[] buffer;
    return 0;
}

int BuiltinStringReplace(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& textArgument = args.GetItem(0);
    const CEngineString search(args.GetItem(1).GetString());
    // Nothing to look for: the text comes back as it is.
    if (search.IsEmpty()) {
        result.SetString(textArgument.GetString(), textArgument.GetStringLength());
        return 0;
    }
    const CEngineString text(textArgument.GetString());
    const CEngineString replacement(args.GetItem(2).GetString());
    const int limit = args.GetItem(3).GetInt();
    const bool caseSensitive = args.GetItem(4).GetInt() != 0;

    CEngineString output(text.GetLength());
    int replaced = 0;
    int position = 0;
    const int searchLength = search.GetLength();
    while (position < text.GetLength()) {
        if ((limit <= 0 || replaced < limit) && position + searchLength <= text.GetLength() &&
            MatchesAt(text.GetText() + position, search, searchLength, caseSensitive)) {
            output.Append(replacement);
            position += searchLength;
            ++replaced;
        } else {
            output.AppendChar(text.CharAt(position));
            ++position;
        }
    }
    result.SetString(output, output.GetLength());
    return 0;
}

int BuiltinStringSplit(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CEngineString text(args.GetItem(0).GetString());
    const CEngineString delimiters(args.GetItem(1).GetString());
    const int length = text.GetLength();

    if (delimiters.IsEmpty()) {
        // Every character is a piece.
        if (!BuiltinSupport::MakeArray(result, length + 1)) {
            context.SetError(1);
            return 0;
        }
        BuiltinSupport::ArrayElement(result, 0)->SetInt(length);
        for (int i = 0; i < length; ++i)
            BuiltinSupport::ArrayElement(result, i + 1)->SetString(text.GetText() + i, 1);
        return 0;
    }

    int pieces = 1;
    for (int i = 0; i < length; ++i)
        if (strchr(delimiters, text.CharAt(i)))
            ++pieces;
    if (pieces == 1) {
        BuiltinSupport::MakeArray(result, 2);
        BuiltinSupport::ArrayElement(result, 0)->SetInt(1);
        BuiltinSupport::ArrayElement(result, 1)->SetString(text, length);
        context.SetError(1);
        return 0;
    }
    if (!BuiltinSupport::MakeArray(result, pieces + 1)) {
        context.SetError(1);
        return 0;
    }
    BuiltinSupport::ArrayElement(result, 0)->SetInt(pieces);
    int piece = 1;
    int start = 0;
    for (int i = 0; i <= length; ++i) {
        if (i == length || strchr(delimiters, text.CharAt(i))) {
            BuiltinSupport::ArrayElement(result, piece++)->SetString(text.GetText() + start, i - start);
            start = i + 1;
        }
    }
    return 0;
}

int BuiltinStringStripWS(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    CEngineVariant& argument = args.GetItem(0);
    const int flags = args.GetItem(1).GetInt();
    if (flags == 0) {
        result = argument;
        return 0;
    }
    if (argument.IsArray()) {
        context.SetError(1);
        return 0;
    }
    const CEngineString text(argument.GetString());
    CEngineString output(text.GetLength());
    if (flags & 8) {
        for (int i = 0; i < text.GetLength(); ++i)
            if (!IsWhiteSpace(text.CharAt(i)))
                output.AppendChar(text.CharAt(i));
        result.SetString(output, output.GetLength());
        return 0;
    }
    int first = 0;
    int end = text.GetLength();
    if (flags & 1)
        while (first < end && IsWhiteSpace(text.CharAt(first)))
            ++first;
    if (flags & 2)
        while (end > first && IsWhiteSpace(text.CharAt(end - 1)))
            --end;
    for (int i = first; i < end; ++i) {
        const char ch = text.CharAt(i);
        // A run of white space keeps its first character.
        if ((flags & 4) && IsWhiteSpace(ch) && i > first && IsWhiteSpace(text.CharAt(i - 1)))
            continue;
        output.AppendChar(ch);
    }
    result.SetString(output, output.GetLength());
    return 0;
}

int BuiltinStringIsAlpha(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, [](char ch) { return IsCharAlphaA(ch) != FALSE; }));
    return 0;
}

int BuiltinStringIsAlNum(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, [](char ch) { return IsCharAlphaNumericA(ch) != FALSE; }));
    return 0;
}

int BuiltinStringIsDigit(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, IsDigit));
    return 0;
}

int BuiltinStringIsXDigit(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, [](char ch) {
        return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F');
    }));
    return 0;
}

int BuiltinStringIsLower(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, [](char ch) { return IsCharLowerA(ch) != FALSE; }));
    return 0;
}

int BuiltinStringIsUpper(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, [](char ch) { return IsCharUpperA(ch) != FALSE; }));
    return 0;
}

int BuiltinStringIsSpace(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, IsWhiteSpace));
    return 0;
}

int BuiltinStringIsAscii(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    result.SetInt(EveryCharacter(args, [](char ch) { return static_cast<unsigned char>(ch) < 128; }));
    return 0;
}

int BuiltinStringIsFloat(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    // [sign] digits "." digits, with the decimal point and at least one digit.
    const NumberShape shape = ReadNumberShape(args.GetItem(0).GetString());
    result.SetInt(shape.wholeText && shape.digits > 0 && shape.point ? 1 : 0);
    return 0;
}

int BuiltinStringIsInt(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    // [sign] digits.
    const NumberShape shape = ReadNumberShape(args.GetItem(0).GetString());
    result.SetInt(shape.wholeText && shape.digits > 0 && !shape.point ? 1 : 0);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"STRINGADDCR", BuiltinStringAddCR},
    {"STRINGFORMAT", BuiltinStringFormat},
    {"STRINGINSTR", BuiltinStringInStr},
    {"STRINGISALNUM", BuiltinStringIsAlNum},
    {"STRINGISALPHA", BuiltinStringIsAlpha},
    {"STRINGISASCII", BuiltinStringIsAscii},
    {"STRINGISDIGIT", BuiltinStringIsDigit},
    {"STRINGISFLOAT", BuiltinStringIsFloat},
    {"STRINGISINT", BuiltinStringIsInt},
    {"STRINGISLOWER", BuiltinStringIsLower},
    {"STRINGISSPACE", BuiltinStringIsSpace},
    {"STRINGISUPPER", BuiltinStringIsUpper},
    {"STRINGISXDIGIT", BuiltinStringIsXDigit},
    {"STRINGLEFT", BuiltinStringLeft},
    {"STRINGLEN", BuiltinStringLen},
    {"STRINGLOWER", BuiltinStringLower},
    {"STRINGMID", BuiltinStringMid},
    {"STRINGREPLACE", BuiltinStringReplace},
    {"STRINGRIGHT", BuiltinStringRight},
    {"STRINGSPLIT", BuiltinStringSplit},
    {"STRINGSTRIPCR", BuiltinStringStripCR},
    {"STRINGSTRIPWS", BuiltinStringStripWS},
    {"STRINGTRIMLEFT", BuiltinStringTrimLeft},
    {"STRINGTRIMRIGHT", BuiltinStringTrimRight},
    {"STRINGUPPER", BuiltinStringUpper},
};

}  // namespace

extern const BuiltinFamily kStringBuiltins = MakeBuiltinFamily("strings", kBindings);
