// The checks of the editor's Save as tables: which names can be macro file
// names, which hot keys can start and end a macro, the repeat count's range.
#include "app/editor/MacroChecks.h"

#include <gtest/gtest.h>

namespace {

const std::string kEmpty = "Macro name is empty. Please enter macro name.";
const std::string kCharacters = kNameCharactersMessage;

TEST(MacroNameCheck, NamesThatCannotBeFileNamesAreRefused)
{
    EXPECT_EQ(kCharacters, "cannot contain any of the following characters:\n \\ / : * ? \" < > |");
    const struct
    {
        const char* name;
        const std::string& message;
    } refused[] = {
        { "", kEmpty },
        { "a/b", kCharacters }, { "a\\b", kCharacters }, { "a:b", kCharacters }, { "a*", kCharacters },
        { "what?", kCharacters }, { "say \"hi\"", kCharacters }, { "<tag>", kCharacters }, { "a|b", kCharacters },
        { "two\r\nlines", kCharacters }, { "tab\there", kCharacters },
        // Device names, in any case, with or without an extension.
        { "CON", kCharacters }, { "con", kCharacters }, { "Prn", kCharacters }, { "AUX", kCharacters },
        { "NUL", kCharacters }, { "nul.txt", kCharacters }, { "COM1", kCharacters }, { "com9.log", kCharacters },
        { "LPT1", kCharacters }, { "lpt9", kCharacters }, { "CON .backup", kCharacters },
        // Windows drops a trailing dot or blank: "a." would be the file "a".
        { "report.", kCharacters }, { "report ", kCharacters }, { "...", kCharacters },
    };
    for (const auto& c : refused)
        EXPECT_EQ(MacroNameProblem(c.name).str(), c.message) << '"' << c.name << '"';

    const char* const accepted[] = {
        "Daily report", "CONSOLE", "CON1", "COM10", "COM0", "LPT", "my.macro", "NULL", " leading blank", "x",
        "Auxiliary", "Prnt",
    };
    for (const char* name : accepted)
        EXPECT_EQ(MacroNameProblem(name).str(), "") << '"' << name << '"';
}

TEST(HotKeyCheck, KeysAMacroCannotUseAreRefusedWithTheirReason)
{
    const std::string notSet = "Macro's Start/End Hotkey is not set. Please set the start/End Hotkey for macro.";
    const std::string reserved = "Hotkeys 'Ctrl+Alt+R' and 'Ctrl+Alt+S' are reserved for recording robots.\n\n"
                                 "Please set the Start/End Hotkey for robot.";
    const std::string f12 = "Key <F12> is reserved by Windows and it can not be used as Start/End Hotkey.\n\n"
                            "Please use another hotkey.";
    auto noKey = [](const std::string& text) {
        return "You can not specify key '" + text +
               "' as Start or End Hotkey.\n\nPlease specify Start or End Hotkey like something below:\n"
               "'Ctrl + Shift + Alt + M', 'Ctrl + K', 'Ctrl + Shift + 9' or <F2>";
    };
    const struct
    {
        const char* key;
        std::string message;
    } cases[] = {
        { "None", notSet },
        { "none", notSet },
        { "Ctrl + Alt + r", reserved },
        { "Ctrl + Alt + S", reserved },
        { "ctrl + alt + s", reserved },
        { "Ctrl + ", noKey("Ctrl + ") },
        { "Ctrl + Shift + Alt + ", noKey("Ctrl + Shift + Alt + ") },
        { "Shift + Alt + ", noKey("Shift + Alt + ") },
        { "Alt + ", noKey("Alt + ") },
        { "Ctrl + <F12>", f12 },
        { "<F12>", f12 },
        { "Shift + <f12>", f12 },
        // Keys a macro may use.
        { "Ctrl + Alt + t", "" },
        { "Ctrl + Shift + Alt + r", "" },
        { "<F11>", "" },
        { "Ctrl + <F1>", "" },
        { "Alt + 9", "" },
    };
    for (const auto& c : cases)
        EXPECT_EQ(HotKeyProblem(c.key).str(), c.message) << c.key;
}

TEST(RepeatCount, StaysFromOneTo999999)
{
    const int cases[][2] = { { 0, 1 }, { -5, 1 }, { 1, 1 }, { 42, 42 }, { 999999, 999999 }, { 1000000, 999999 } };
    for (const auto& c : cases)
        EXPECT_EQ(ClampRepeatCount(c[0]), c[1]) << c[0];
}

TEST(SingleLineText, LineBreaksBecomeBlanks)
{
    EXPECT_EQ(SingleLine("first\r\nsecond\tthird").str(), "first  second third");
    EXPECT_EQ(SingleLine("plain").str(), "plain");
}

}  // namespace
