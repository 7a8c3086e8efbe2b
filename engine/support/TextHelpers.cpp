#include "engine/support/TextHelpers.h"

#include <string.h>

namespace EngineSupport {

bool FormatHex(DWORD value, char* buffer, int width)
{
    static const char digits[] = "0123456789ABCDEF";
    if (width < 0)
        width = 0;
    buffer[width] = '\0';
    for (int i = width - 1; i >= 0; --i) {
        buffer[i] = digits[value & 0xF];
        value >>= 4;
    }
    return value == 0;
}

bool ParseHex(const char* text, DWORD& value)
{
    value = 0;
    const size_t length = strlen(text);
    if (length > 8)
        return false;
    DWORD result = 0;
    for (size_t i = 0; i < length; ++i) {
        const char ch = text[i];
        DWORD digit;
        if (ch >= '0' && ch <= '9')
            digit = static_cast<DWORD>(ch - '0');
        else if (ch >= 'A' && ch <= 'F')
            digit = static_cast<DWORD>(ch - 'A' + 10);
        else if (ch >= 'a' && ch <= 'f')
            digit = static_cast<DWORD>(ch - 'a' + 10);
        else
            return false;
        result = result << 4 | digit;
    }
    value = result;
    return true;
}

void StripCarriageReturns(char* text)
{
    char* out = text;
    for (const char* in = text; *in; ++in)
        if (*in != '\r')
            *out++ = *in;
    *out = '\0';
}

int ExpandedLength(const char* text)
{
    int length = 0;
    for (const char* p = text; *p; ++p)
        length += *p == '\n' ? 2 : 1;
    return length + 1;
}

void ExpandLineFeeds(const char* source, char* buffer, int bufferSize)
{
    if (bufferSize <= 0)
        return;
    char* out = buffer;
    char* const last = buffer + bufferSize - 1;   // room for the terminator
    for (const char* in = source; *in && out < last; ++in) {
        if (*in == '\n') {
            if (last - out < 2)
                break;   // a line end is written whole or not at all
            *out++ = '\r';
        }
        *out++ = *in;
    }
    *out = '\0';
}

void SwapRedBlue(COLORREF& colour)
{
    colour = (colour & 0x00FF00) | (colour & 0xFF) << 16 | (colour >> 16 & 0xFF);
}

void CopyStringBounded(char* buffer, const char* source, size_t size)
{
    if (size == 0)
        return;
    size_t length = strlen(source);
    if (length > size - 1)
        length = size - 1;
    memcpy(buffer, source, length);
    buffer[length] = '\0';
}

char* DuplicateString(const char* text)
{
    if (!text)
        text = "";
    const size_t size = strlen(text) + 1;
    char* copy = new char[size];
    memcpy(copy, text, size);
    return copy;
}

}  // namespace EngineSupport
