// The clean-up of a stopped recording's lines, step by step in the order
// the recorder runs them, on lines that events alone do not give.
#include "app/recorder/RecordedLines.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> CleanedUp(const std::vector<std::string>& recorded)
{
    CStringArray lines;
    for (const std::string& line : recorded)
        lines.Add(line.c_str());
    RemoveUnfinishedKeyDowns(lines);
    RemoveLeadingStartKeyUps(lines);
    RemoveTrailingWaitsAndKeyDowns(lines);
    UnmarkMovesBeforeWaits(lines);
    std::vector<std::string> result;
    for (INT_PTR i = 0; i < lines.GetSize(); ++i)
        result.push_back(lines[i].GetString());
    return result;
}

TEST(RecordedLines, StoppingRemovesHeldKeysStartKeysAndTrailingLines)
{
    const std::string M = "=> [remove on faster speed]";
    const struct
    {
        const char* name;
        std::vector<std::string> recorded;
        std::vector<std::string> kept;
    } cases[] = {
        {"a key is held when its release comes later, whatever follows its name",
         {"Key Down <Shift> At Win [0]", "Key Down A", "Key Up A", "Key Up <Shift>", "Key Down B At Win [1]",
          "Key Up B"},
         {"Key Down <Shift> At Win [0]", "Key Down A", "Key Up A", "Key Up <Shift>", "Key Down B At Win [1]",
          "Key Up B"}},
        {"keys never released go, wherever they are; a bracket never closed is left alone",
         {"Key Down <Ctrl>", "Key Down A", "Key Down <Broken", "Key Up A", "Mouse Left Up"},
         {"Key Down A", "Key Down <Broken", "Key Up A", "Mouse Left Up"}},
        {"releases of Ctrl and Alt at the start go, past the waits between them",
         {"Key Up <Ctrl>", "Wait 300 milliseconds", "Key Up <Alt>", "Key Press X", "Key Up <Ctrl>"},
         {"Wait 300 milliseconds", "Key Press X", "Key Up <Ctrl>"}},
        {"waits and presses at the end go",
         {"Mouse Left Up", "Wait 900 milliseconds", "Key Down <Alt>", "Wait 300 milliseconds" + M},
         {"Mouse Left Up"}},
        {"only a marked move before a wait loses its marker",
         {"Mouse move to 1, 2" + M, "Wait 60 milliseconds" + M, "Mouse move to 3, 4" + M, "Mouse Left Down",
          "Mouse move to 5, 6", "Wait 70 milliseconds", "Mouse Left Up"},
         {"Mouse move to 1, 2", "Wait 60 milliseconds" + M, "Mouse move to 3, 4" + M, "Mouse Left Down",
          "Mouse move to 5, 6", "Wait 70 milliseconds", "Mouse Left Up"}},
        {"nothing left", {"Wait 300 milliseconds", "Key Down <Ctrl>"}, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CleanedUp(c.recorded), c.kept) << c.name;
}

}  // namespace
