// The switch "-a <name>".
#include "app/CommandLine.h"

#include <gtest/gtest.h>

namespace {

TEST(RunSwitch, NamesTheMacroAfterTheSwitch)
{
    const struct
    {
        const char* commandLine;
        bool recognised;
        const char* name;
    } cases[] = {
        { "-a Daily Report", true, "daily report" },
        { "-A Daily", true, "daily" },           // the command line is lower-cased first
        { "-a \"Quoted\" ", true, "\"quoted\" " },
        { "-a ", true, "" },
        { "-a", false, "" },                     // no blank after the letter
        { " -a Daily", false, "" },              // not at the very first character
        { "-aDaily", false, "" },
        { "", false, "" },
    };
    for (const auto& c : cases) {
        CString name = "unchanged";
        EXPECT_EQ(ParseRunSwitch(c.commandLine, name) != FALSE, c.recognised) << '"' << c.commandLine << '"';
        if (c.recognised) {
            EXPECT_STREQ(name, c.name) << '"' << c.commandLine << '"';
        }
    }
    CString name;
    EXPECT_FALSE(ParseRunSwitch(nullptr, name));
}

}  // namespace
