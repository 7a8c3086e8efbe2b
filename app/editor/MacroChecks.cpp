#include "app/editor/MacroChecks.h"

#include <algorithm>

const char kNameCharactersMessage[] = "cannot contain any of the following characters:\n \\ / : * ? \" < > |";

namespace {

// Device names: a file of this name, with any extension, is the device.
bool IsReservedDeviceName(const CString& name)
{
    int dot = name.Find('.');
    CString stem = dot < 0 ? name : name.Left(dot);
    // "CON .txt" names the device too: blanks before the dot do not count.
    stem.TrimRight(" ");
    stem.MakeUpper();
    static const char* const kDevices[] = { "CON", "PRN", "AUX", "NUL" };
    for (const char* device : kDevices)
        if (stem == device)
            return true;
    if (stem.GetLength() == 4 && (stem.Left(3) == "COM" || stem.Left(3) == "LPT"))
        return stem[3] >= '1' && stem[3] <= '9';
    return false;
}

bool HasForbiddenCharacter(const CString& name)
{
    if (name.FindOneOf("/\\:*?\"<>|") >= 0)
        return true;
    for (int i = 0; i < name.GetLength(); ++i)
        if (static_cast<unsigned char>(name[i]) < 32)
            return true;
    return false;
}

}  // namespace

CString MacroNameProblem(const CString& name)
{
    if (name.IsEmpty())
        return "Macro name is empty. Please enter macro name.";
    const char last = name[name.GetLength() - 1];
    if (HasForbiddenCharacter(name) || IsReservedDeviceName(name) || last == '.' || last == ' ')
        return kNameCharactersMessage;
    return CString();
}

CString HotKeyProblem(const CString& text)
{
    if (text.CompareNoCase("None") == 0)
        return "Macro's Start/End Hotkey is not set. Please set the start/End Hotkey for macro.";
    if (text.CompareNoCase("Ctrl + Alt + R") == 0 || text.CompareNoCase("Ctrl + Alt + S") == 0)
        return "Hotkeys 'Ctrl+Alt+R' and 'Ctrl+Alt+S' are reserved for recording robots.\n\n"
               "Please set the Start/End Hotkey for robot.";
    static const char* const kModifierPrefixes[] = {
        "Ctrl + Shift + Alt + ", "Ctrl + Shift + ", "Ctrl + Alt + ", "Shift + Alt + ", "Shift + ", "Ctrl + ", "Alt + ",
    };
    for (const char* prefix : kModifierPrefixes)
        if (text.CompareNoCase(prefix) == 0)
            return "You can not specify key '" + text +
                   "' as Start or End Hotkey.\n\nPlease specify Start or End Hotkey like something below:\n"
                   "'Ctrl + Shift + Alt + M', 'Ctrl + K', 'Ctrl + Shift + 9' or <F2>";
    CString upper = text;
    upper.MakeUpper();
    if (upper.Find("<F12>") >= 0)
        return "Key <F12> is reserved by Windows and it can not be used as Start/End Hotkey.\n\n"
               "Please use another hotkey.";
    return CString();
}

int ClampRepeatCount(int count)
{
    return std::min<int>(kMaxRepeatCount, std::max<int>(kMinRepeatCount, count));
}

CString SingleLine(const CString& text)
{
    CString line = text;
    for (int i = 0; i < line.GetLength(); ++i)
        if (static_cast<unsigned char>(line[i]) < 32)
            line.SetAt(i, ' ');
    return line;
}
