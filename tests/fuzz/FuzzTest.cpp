// A short fuzz campaign with a fixed seed: a few thousand mutated macro
// files run through the whole path without an overrun, an unexpected box
// or a leak (a crash ends the test program, a hang its time limit).
#include "tests/fuzz/FuzzCampaign.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

namespace {

TEST(Fuzz, AFixedSeedRunsCleanly)
{
    fuzz::Corpus corpus;
    for (const char* folder : {"macro/fixtures", "fuzz/corpus", "../bench/language"})
        ASSERT_GT(fuzz::AddCorpusFolder(corpus, testing_support::SourcePath(folder)), 0u) << folder;

    testing_support::TempFolder work;
    fuzz::CampaignSettings settings;
    settings.Seed = 20261211;
    settings.Count = 3000;
    settings.RunBudget.Milliseconds = 100;
    settings.WorkFolder = work.Path();
    settings.Log = stdout;
    const fuzz::CampaignReport report = fuzz::RunCampaign(corpus, settings);
    fuzz::PrintReport(stdout, settings, report);
    EXPECT_EQ(report.Inputs, settings.Count);
    EXPECT_TRUE(report.Findings.empty());
    // The mutations reach the run loop and its errors, not only the reader.
    EXPECT_GT(report.Prepared, settings.Count / 3);
    EXPECT_GT(report.ScriptErrors, settings.Count / 10);

    // A few of them with the boxes shown and answered as a user would.
    settings.First = settings.Count;
    settings.Count = 200;
    settings.MessageBoxes = fuzz::Boxes::Shown;
    const fuzz::CampaignReport shown = fuzz::RunCampaign(corpus, settings);
    fuzz::PrintReport(stdout, settings, shown);
    EXPECT_EQ(shown.Inputs, settings.Count);
    EXPECT_GT(shown.ScriptErrors, settings.Count / 10);
    EXPECT_TRUE(shown.Findings.empty());
}

}  // namespace
