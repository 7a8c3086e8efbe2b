// Decimal numbers in the texts of macro files.
#pragma once

#include "framework/String.h"

// The decimal text of a number, with a minus sign for negatives.
CString IntToText(int value);

// The text's leading decimal number: leading white space and one sign are
// accepted, digits are taken up to the first other character; 0 when there
// are none. Values beyond the int range saturate.
int StringToInt(const CString& text);
