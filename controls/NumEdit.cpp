#include "controls/NumEdit.h"

#include <math.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

// The whole text read as a finite number (blanks around it allowed).
bool ParseNumber(const char* text, double& value)
{
    char* end = nullptr;
    value = strtod(text, &end);
    if (end == text)
        return false;
    while (*end == ' ' || *end == '\t')
        ++end;
    return *end == '\0' && !isnan(value);
}

}  // namespace

BEGIN_MESSAGE_MAP(CNumEdit, CEdit)
    ON_WM_CHAR()
END_MESSAGE_MAP()

void CNumEdit::GetRange(float& min, float& max) const
{
    min = m_min;
    max = m_max;
}

void CNumEdit::SetRange(float min, float max)
{
    m_min = min;
    m_max = max;
}

int CNumEdit::IsValidText(const CString& text)
{
    int result = VALID;
    double value = 0;
    if (text == "+" || text == "-")
        return LONE_SIGN;
    if (!ParseNumber(text, value))
        result = NOT_A_NUMBER;
    else if (value > m_max || value < m_min)
        result = OUT_OF_RANGE;
    if (m_verbose && result == OUT_OF_RANGE)
        MessageBox("Given value is out of range.\n", nullptr, MB_ICONERROR);
    else if (m_verbose && result == NOT_A_NUMBER)
        MessageBox("Characters must be a number.\n", nullptr, MB_ICONERROR);
    return result;
}

int CNumEdit::IsValid()
{
    CString text;
    GetWindowText(text);
    return IsValidText(text);
}

CString CNumEdit::FormatValue(float value)
{
    char shown[64];
    snprintf(shown, sizeof shown, "%G", value);
    // Only the fraction counts: "1.5E+10" has one decimal, not four.
    if (const char* point = strchr(shown, '.')) {
        size_t decimals = strspn(point + 1, "0123456789");
        if (decimals > m_decimalPlaces)
            m_decimalPlaces = static_cast<BYTE>(decimals);
    }
    CString format;
    format.Format("%%.%df", m_decimalPlaces);
    return format;
}

BOOL CNumEdit::SetValue(float value)
{
    if (!(value >= m_min && value <= m_max))   // NaN included
        return FALSE;
    CString text;
    text.Format(FormatValue(value), value);
    SetWindowText(text);
    return TRUE;
}

float CNumEdit::GetValue()
{
    CString text;
    GetWindowText(text);
    double value = 0;
    if (IsValidText(text) != VALID || !ParseNumber(text, value))
        return m_min;
    return static_cast<float>(value);
}

void CNumEdit::ChangeValue(int count)
{
    float value = GetValue() + m_delta * static_cast<float>(count);
    if (value > m_max)
        value = m_max;
    else if (value < m_min)
        value = m_min;
    SetValue(value);
}

void CNumEdit::OnChar(UINT ch, UINT, UINT)
{
    if (ch == ' ')
        return;
    float before = GetValue();
    Default();
    switch (IsValid()) {
    case VALID:
        FormatValue(GetValue());   // remembers the decimals typed
        break;
    case LONE_SIGN:
        break;
    default: {
        SetValue(before);
        SetSel(0, -1);
        // The rest of a paste or of held-down keys would only be refused too.
        MSG queued;
        while (::PeekMessageA(&queued, m_hWnd, WM_CHAR, WM_CHAR, PM_REMOVE)) {
        }
        break;
    }
    }
}
