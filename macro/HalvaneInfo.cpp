#include "macro/HalvaneInfo.h"

#include "macro/NumberText.h"

#include <string.h>

namespace {

// The text after `key` when the line starts with it (case-sensitive).
bool TakeValue(const CString& line, const char* key, CString& value)
{
    size_t length = strlen(key);
    if (strncmp(line, key, length) != 0)
        return false;
    value = line.Mid(static_cast<int>(length));
    return true;
}

// "left,top,right,bottom": three commas are needed, with text after the
// first and the second; the text after the third may be empty (bottom 0).
bool ParseRect(const CString& text, RECT& rect)
{
    int first = text.Find(',');
    if (first < 0 || first + 1 >= text.GetLength())
        return false;
    int second = text.Find(',', first + 1);
    if (second < 0 || second + 1 >= text.GetLength())
        return false;
    int third = text.Find(',', second + 1);
    if (third < 0)
        return false;
    rect.left = StringToInt(text.Left(first));
    rect.top = StringToInt(text.Mid(first + 1, second - first - 1));
    rect.right = StringToInt(text.Mid(second + 1, third - second - 1));
    rect.bottom = StringToInt(text.Mid(third + 1));
    return true;
}

}  // namespace

bool HalvaneInfoReader::ReadLine(const CString& line)
{
    CString value;
    if (TakeValue(line, "WinIndex=", value))
        m_building.WinIndex = StringToInt(value);
    else if (TakeValue(line, "WinTitle=", value))
        m_building.WinTitle = value;
    else if (TakeValue(line, "WinPath=", value))
        m_building.WinPath = value;
    else if (TakeValue(line, "WinParentLevel=", value))
        m_building.WinParentLevel = StringToInt(value);
    else if (TakeValue(line, "WinRect=", value)) {
        if (!ParseRect(value, m_building.WinRect))
            return false;
        m_records.push_back(m_building);
    }
    return true;
}

CString FormatHalvaneInfo(const HalvaneInfo& info)
{
    CString text;
    text.Format("WinIndex=%d\nWinTitle=%s\nWinPath=%s\nWinParentLevel=%d\nWinRect=%d,%d,%d,%d\n",
                info.WinIndex, (LPCSTR)info.WinTitle, (LPCSTR)info.WinPath, info.WinParentLevel,
                static_cast<int>(info.WinRect.left), static_cast<int>(info.WinRect.top),
                static_cast<int>(info.WinRect.right), static_cast<int>(info.WinRect.bottom));
    return text;
}
