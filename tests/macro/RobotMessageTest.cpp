#include "macro/Robot.h"
#include "tests/support/DialogAnswerer.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

using testing_support::DialogAnswerer;
using testing_support::SourcePath;

namespace {

TEST(RobotFile, BadWindowRecordShowsTheMessageAndKeepsWhatWasRead)
{
    DialogAnswerer answerer;
    CRobot r;
    EXPECT_EQ(r.LoadFromFile(SourcePath("macro/fixtures/bad-rect.txt").c_str()), 0);
    ASSERT_TRUE(answerer.WaitFor(1));
    EXPECT_EQ(answerer.Dialogs()[0].text, "Failed to load record Window info");
    EXPECT_EQ(r.Script.GetSize(), 2);
    ASSERT_EQ(r.HalvaneInfos.size(), 1u);
    EXPECT_STREQ(r.HalvaneInfos[0].WinTitle, "A");
    EXPECT_EQ(r.UseHalvane, 1);
}

}  // namespace
