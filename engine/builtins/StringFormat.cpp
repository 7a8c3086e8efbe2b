// StringFormat(format, value1, ...): printf-style formatting for scripts.
// Only the printf features that are safe with script values are honoured:
// the flags "-+ #0", a width, a precision and one of the conversions
// "diouxXeEfgGs". Anything else after a "%" is copied as text, so a format
// can never write memory ("%n"), read missing values ("%*d") or overrun a
// buffer (widths and precisions are bounded and the output grows as needed).
#include "engine/builtins/BuiltinFamily.h"

#include <stdio.h>
#include <string.h>

#include <vector>

namespace {

// Widths and precisions above this are cut to it, and so are texts.
const int kMaxPiece = 65535;

struct Specification
{
    char text[32];        // the rebuilt "%...c" handed to the C library
    char conversion;
};

// Digits read as a count, bounded; returns the position after them.
const char* ReadBoundedCount(const char* walk, int& count)
{
    count = 0;
    while (*walk >= '0' && *walk <= '9') {
        if (count <= kMaxPiece)
            count = count * 10 + (*walk - '0');
        ++walk;
    }
    if (count > kMaxPiece)
        count = kMaxPiece;
    return walk;
}

// Reads the specification that starts at the "%" at `start`. Returns the
// position after its conversion character, or null when the text there is
// no specification this formatter accepts (`scanned` then tells how many
// characters to copy as text).
const char* ReadSpecification(const char* start, Specification& spec, int& scanned)
{
    const char* walk = start + 1;
    char flags[8];
    int flagCount = 0;
    while (*walk && strchr("-+ #0", *walk)) {
        if (flagCount < static_cast<int>(sizeof flags) - 1 && !memchr(flags, *walk, static_cast<size_t>(flagCount)))
            flags[flagCount++] = *walk;
        ++walk;
    }
    flags[flagCount] = '\0';
    int width = -1;
    if (*walk >= '0' && *walk <= '9')
        walk = ReadBoundedCount(walk, width);
    int precision = -1;
    if (*walk == '.')
        walk = ReadBoundedCount(walk + 1, precision);

    if (*walk == '\0' || !strchr("diouxXeEfgGs", *walk)) {
        scanned = static_cast<int>(walk - start);
        return nullptr;
    }
    spec.conversion = *walk;
    char widthText[8] = "";
    char precisionText[9] = "";
    if (width >= 0)
        snprintf(widthText, sizeof widthText, "%d", width);
    if (precision >= 0)
        snprintf(precisionText, sizeof precisionText, ".%d", precision);
    snprintf(spec.text, sizeof spec.text, "%%%s%s%s%c", flags, widthText, precisionText, spec.conversion);
    return walk + 1;
}

// Formats one value by `spec` and appends it.
void AppendFormatted(CEngineString& output, const Specification& spec, CEngineVariant& value)
{
    std::vector<char> buffer;
    auto format = [&](auto argument) {
        const int length = snprintf(nullptr, 0, spec.text, argument);
        if (length <= 0)
            return;
        buffer.resize(static_cast<size_t>(length) + 1);
        snprintf(buffer.data(), buffer.size(), spec.text, argument);
        output.Append(buffer.data(), length);
    };
    switch (spec.conversion) {
    case 'e': case 'E': case 'f': case 'g': case 'G':
        format(value.GetNumber());
        break;
    case 'd': case 'i':
        format(value.GetInt());
        break;
    case 'o': case 'u': case 'x': case 'X':
        format(static_cast<unsigned>(value.GetInt()));
        break;
    default: {
        CEngineString text(value.GetString());
        text.Truncate(kMaxPiece);
        format(text.GetText());
        break;
    }
    }
}

char EscapedCharacter(char ch)
{
    switch (ch) {
    case 'n': return '\n';
    case 'r': return '\r';
    case 't': return '\t';
    case '%': return '%';
    }
    return '\0';
}

}  // namespace

// Bound with the string builtins (StringBuiltins.cpp).
int BuiltinStringFormat(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const CEngineString format(args.GetItem(0).GetString());
    const int valueCount = args.GetCount();
    int nextValue = 1;
    CEngineString output(format.GetLength());

    const char* walk = format.GetText();
    while (*walk) {
        if (*walk == '\\') {
            const char escaped = EscapedCharacter(walk[1]);
            if (escaped) {
                output.AppendChar(escaped);
                walk += 2;
            } else {
                // Not an escape: the backslash and what follows are text.
                const int length = walk[1] ? 2 : 1;
                output.Append(walk, length);
                walk += length;
            }
            continue;
        }
        if (*walk != '%') {
            output.AppendChar(*walk++);
            continue;
        }
        if (walk[1] == '%') {
            output.AppendChar('%');
            walk += 2;
            continue;
        }
        // With the values used up the output ends at this specification.
        if (nextValue >= valueCount)
            break;
        Specification spec;
        int scanned = 0;
        const char* after = ReadSpecification(walk, spec, scanned);
        if (!after) {
            output.Append(walk, scanned);
            walk += scanned;
            continue;
        }
        AppendFormatted(output, spec, args.GetItem(nextValue++));
        walk = after;
    }
    result.SetString(output, output.GetLength());
    return 0;
}
