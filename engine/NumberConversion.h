// The script language's own readings of number texts and its integer
// conversions. They never fail: text that is not a number reads as 0, and
// every double converts to an integer without undefined behaviour.
#pragma once

// The leading decimal number of `text`: white space, an optional sign,
// digits with an optional fraction and exponent, up to the first character
// that does not fit. "inf", "nan" and hexadecimal floats are not numbers
// here; text without digits gives 0. Only the first `length` characters are
// read (all of them up to the terminating zero when `length` is -1).
double ReadDecimalNumber(const char* text, int length = -1);

// The leading decimal integer of `text`: white space, an optional sign and
// digits; no digits gives 0. Converted like DoubleToInt32, so values within
// the 64-bit range wrap to their low 32 bits and longer ones saturate.
int ReadDecimalInteger(const char* text);

// Up to eight hexadecimal digits as one 32-bit value (the first `length`
// characters of `digits`); no digits gives 0. A ninth digit or any other
// character makes the whole value 0 and the result false.
bool ReadHexDigits(const char* digits, int length, int& value);

// A double truncated toward zero. NaN gives 0; values beyond the 64-bit range
// saturate.
long long DoubleToInt64(double value);

// A double truncated toward zero to 32 bits: NaN gives 0, values within the
// 64-bit range keep their low 32 bits (4294967295 is -1, as a 32-bit word
// holds it), values beyond saturate at INT_MIN or INT_MAX.
int DoubleToInt32(double value);

// The text of a number in the "%.15g" form: at most 15 significant digits,
// fixed or exponent notation, whichever is shorter, the exponent with a sign
// and at least two digits ("1e+20"). Returns the length.
enum { kNumberTextSize = 32 };
int FormatNumber(double value, char (&buffer)[kNumberTextSize]);
