// CNumEdit: an edit box holding one number within a range. Keystrokes that
// would leave something other than a number in range are undone, and the
// box remembers the most decimals the user has typed, so that values set
// later (by the spin arrows, say) keep showing them.
#pragma once

#include "framework/Ui.h"

#include <float.h>

class CNumEdit : public CEdit
{
public:
    // What IsValidText says of a text.
    enum Validity { VALID = 0, OUT_OF_RANGE = 1, NOT_A_NUMBER = 2, LONE_SIGN = 3 };

    CNumEdit() = default;

    // Adds `count` steps to the value, clamped into the range.
    virtual void ChangeValue(int count);
    virtual float GetDelta() { return m_delta; }
    virtual void SetDelta(float delta) { m_delta = delta; }
    virtual void GetRange(float& min, float& max) const;
    virtual void SetRange(float min, float max);
    virtual int GetVerbose() const { return m_verbose; }
    // With verbose on, invalid input is also reported in a message box.
    virtual void SetVerbose(int verbose) { m_verbose = verbose; }
    virtual int IsValidText(const CString& text);
    virtual int IsValid();
    // FALSE, changing nothing, for a value outside the range.
    virtual BOOL SetValue(float value);
    // The value in the box; the minimum when the text is not a valid value.
    virtual float GetValue();
    // The printf format values are shown with ("%.2f"), after counting the
    // decimals of `value` into the decimal places.
    virtual CString FormatValue(float value);

protected:
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);

    BYTE m_decimalPlaces = 0;   // never decreases
    int m_verbose = 0;
    float m_delta = 1.0f;
    float m_min = -FLT_MAX;
    float m_max = FLT_MAX;

    DECLARE_MESSAGE_MAP()
};
