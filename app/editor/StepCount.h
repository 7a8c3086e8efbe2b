// The count of a step ("Mouse Left Click, 3 times"), read from its numeric
// edit: nothing for a count of 1, ", <n> times" otherwise.
#pragma once

#include "controls/NumEdit.h"

inline CString CountSuffix(CNumEdit& countEdit)
{
    const int count = static_cast<int>(countEdit.GetValue());
    if (count == 1)
        return CString();
    CString suffix;
    suffix.Format(", %d times", count);
    return suffix;
}
