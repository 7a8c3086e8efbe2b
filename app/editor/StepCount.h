// The count of a step ("Mouse Left Click, 3 times") and of the repeat
// options: a numeric edit with its spin arrows, from 1 up, starting at 1.
#pragma once

#include "controls/NumEdit.h"
#include "controls/NumSpinCtrl.h"

inline void SetUpCount(CNumSpinCtrl& spin, CNumEdit& countEdit, float maximum)
{
    spin.SetBuddy(&countEdit);
    spin.SetRange(1, maximum);
    spin.SetPos(1);
    spin.SetDelta(1);
}

// Nothing for a count of 1, ", <n> times" otherwise.
inline CString CountSuffix(CNumEdit& countEdit)
{
    const int count = static_cast<int>(countEdit.GetValue());
    if (count == 1)
        return CString();
    CString suffix;
    suffix.Format(", %d times", count);
    return suffix;
}
