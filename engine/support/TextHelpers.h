// Small text routines of the builtins: hexadecimal digits, line ends, colour
// byte order, bounded copies.
#pragma once

#include <windows.h>
#include <stddef.h>

namespace EngineSupport {

// Writes `value` as exactly `width` upper-case hexadecimal digits, lowest
// digit last, and a terminator, into `buffer` (of at least width + 1 bytes;
// a negative width counts as 0). True when the value fitted in that many
// digits; otherwise the buffer holds its lowest digits.
bool FormatHex(DWORD value, char* buffer, int width);

// Reads `text` as at most 8 hexadecimal digits (either case, no prefix). Any
// other character, or more than 8 digits, gives 0 and false; the empty text
// gives 0 and true.
bool ParseHex(const char* text, DWORD& value);

// Removes every "\r" from `text`, in place.
void StripCarriageReturns(char* text);

// The buffer size that ExpandLineFeeds needs for `text`: its length, one
// more for each "\n", and the terminator.
int ExpandedLength(const char* text);

// Copies `source` into `buffer` (of `bufferSize` bytes) with a "\r" put
// before every "\n". A buffer smaller than ExpandedLength(source) receives
// as much as fits, always terminated.
void ExpandLineFeeds(const char* source, char* buffer, int bufferSize);

// Exchanges the red and blue bytes and clears the top byte: 0xRRGGBB to the
// COLORREF 0x00BBGGRR and back.
void SwapRedBlue(COLORREF& colour);

// Copies at most size - 1 characters of `source` and always terminates
// (nothing is written when size is 0).
void CopyStringBounded(char* buffer, const char* source, size_t size);

// A copy of `text` made with new[]; the caller frees it with delete[].
char* DuplicateString(const char* text);

}  // namespace EngineSupport
