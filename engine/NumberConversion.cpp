#include "engine/NumberConversion.h"

#include <limits.h>
#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <string>

namespace {

bool IsBlank(char ch)
{
    return ch == ' ' || (ch >= '\t' && ch <= '\r');
}

bool IsDigit(char ch)
{
    return ch >= '0' && ch <= '9';
}

int HexDigitValue(char ch)
{
    if (ch >= '0' && ch <= '9')
        return ch - '0';
    if (ch >= 'a' && ch <= 'f')
        return ch - 'a' + 10;
    if (ch >= 'A' && ch <= 'F')
        return ch - 'A' + 10;
    return -1;
}

const double kTwoPow63 = 9223372036854775808.0;

// The low 32 bits of a 64-bit word, as a 32-bit integer holds them.
int LowWord(unsigned long long word)
{
    return static_cast<int>(static_cast<unsigned>(word & 0xFFFFFFFFu));
}

}  // namespace

double ReadDecimalNumber(const char* text, int length)
{
    const char* end = length < 0 ? text + strlen(text) : text + length;
    const char* p = text;
    while (p < end && IsBlank(*p))
        ++p;
    bool negative = false;
    if (p < end && (*p == '+' || *p == '-'))
        negative = *p++ == '-';

    // The span of "digits [. digits] [e [sign] digits]", found here so that
    // the C library converts nothing but plain decimal digits ("inf", "nan"
    // and "0x" floats never reach it).
    const char* mantissa = p;
    int digits = 0;
    while (p < end && IsDigit(*p))
        ++p, ++digits;
    if (p < end && *p == '.') {
        ++p;
        while (p < end && IsDigit(*p))
            ++p, ++digits;
    }
    if (digits == 0)
        return 0.0;
    if (p < end && (*p == 'e' || *p == 'E')) {
        const char* exponent = p + 1;
        if (exponent < end && (*exponent == '+' || *exponent == '-'))
            ++exponent;
        if (exponent < end && IsDigit(*exponent)) {
            p = exponent;
            while (p < end && IsDigit(*p))
                ++p;
        }
    }

    // strtod gives the correctly rounded double of the span.
    const size_t spanLength = static_cast<size_t>(p - mantissa);
    char small[64];
    std::string large;
    char* span = small;
    if (spanLength >= sizeof small) {
        large.resize(spanLength + 1);
        span = &large[0];
    }
    memcpy(span, mantissa, spanLength);
    span[spanLength] = '\0';
    double magnitude = strtod(span, nullptr);
    return negative ? -magnitude : magnitude;
}

int ReadDecimalInteger(const char* text)
{
    const char* p = text;
    while (IsBlank(*p))
        ++p;
    bool negative = false;
    if (*p == '+' || *p == '-')
        negative = *p++ == '-';

    // Accumulate the magnitude until it leaves the 64-bit range.
    unsigned long long magnitude = 0;
    bool beyond = false;
    const unsigned long long limit = negative ? 9223372036854775808ULL : 9223372036854775807ULL;
    for (; IsDigit(*p); ++p) {
        if (beyond)
            continue;
        unsigned digit = static_cast<unsigned>(*p - '0');
        if (magnitude > (limit - digit) / 10)
            beyond = true;
        else
            magnitude = magnitude * 10 + digit;
    }
    if (beyond)
        return negative ? INT_MIN : INT_MAX;
    return LowWord(negative ? 0 - magnitude : magnitude);
}

bool ReadHexDigits(const char* digits, int length, int& value)
{
    value = 0;
    if (length > 8)
        return false;
    unsigned word = 0;
    for (int i = 0; i < length; ++i) {
        int digit = HexDigitValue(digits[i]);
        if (digit < 0)
            return false;
        word = word << 4 | static_cast<unsigned>(digit);
    }
    value = static_cast<int>(word);
    return true;
}

long long DoubleToInt64(double value)
{
    if (isnan(value))
        return 0;
    if (value >= kTwoPow63)
        return LLONG_MAX;
    if (value < -kTwoPow63)
        return LLONG_MIN;
    return static_cast<long long>(value);
}

int DoubleToInt32(double value)
{
    if (value >= kTwoPow63)
        return INT_MAX;
    if (value < -kTwoPow63)
        return INT_MIN;
    return LowWord(static_cast<unsigned long long>(DoubleToInt64(value)));   // NaN gives 0
}

int FormatNumber(double value, char (&buffer)[kNumberTextSize])
{
    // MinGW's C99 formatting, not the system library's: the exponent has at
    // least two digits, and the result does not depend on the Windows version.
    int length = snprintf(buffer, sizeof buffer, "%.15g", value);
    if (length < 0 || length >= static_cast<int>(sizeof buffer)) {
        buffer[0] = '0';
        buffer[1] = '\0';
        return 1;
    }
    return length;
}
