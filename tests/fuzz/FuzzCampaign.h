// A fuzz campaign: inputs first .. first + count - 1 of a seed, each
// written as a macro file and run through the whole path (FuzzRun.h), with
// the findings: runs far over their budget, boxes other than the ones bad
// input shows, and growth of the process's memory and handle counts.
// Crashes and endless runs are caught by the program around it
// (FuzzMain.cpp), which knows the input under way through CurrentInput().
#pragma once

#include "tests/fuzz/FuzzInput.h"
#include "tests/fuzz/FuzzRun.h"

#include <stdint.h>
#include <stdio.h>

#include <string>
#include <vector>

namespace fuzz {

struct CampaignSettings
{
    uint64_t Seed = 1;
    uint64_t First = 0;
    uint64_t Count = 1000;
    Budget RunBudget;
    Boxes MessageBoxes = Boxes::Caught;
    double OverrunSeconds = 5.0;      // a run this long is a hang found
    std::string WorkFolder;           // where each input is written as a macro file
    std::string FindingsFolder;       // where the inputs of findings are kept; empty: not kept
    uint64_t ProgressEvery = 0;       // inputs between progress lines on Log; 0: none
    FILE* Log = nullptr;
    // When set, one line per input with what its run came to (OutcomeLine).
    FILE* Outcomes = nullptr;
    // Growth over the campaign (measured after a warm-up) that is a leak.
    size_t LeakBytes = 48u << 20;
    unsigned long LeakHandles = 64;
};

struct Finding
{
    uint64_t Input;
    std::string Kind;     // "overrun", "box", "leak"
    std::string Detail;
};

struct CampaignReport
{
    uint64_t Inputs = 0;
    uint64_t Prepared = 0;           // ran (PrepareScript accepted them)
    uint64_t ScriptErrors = 0;       // ended with a script error box
    uint64_t StoppedByBudget = 0;
    double Seconds = 0.0;
    double LongestRun = 0.0;
    size_t MemoryAfterWarmUp = 0, MemoryAtEnd = 0, MemoryPeak = 0;
    unsigned long HandlesAfterWarmUp = 0, HandlesAtEnd = 0;
    std::vector<Finding> Findings;
};

CampaignReport RunCampaign(const Corpus& corpus, const CampaignSettings& settings);

// The file an input is written to in the work folder, and the number of the
// input under way (~0 when none), for the crash and hang watch.
std::string InputPath(const std::string& workFolder);
uint64_t CurrentInput();
// Keeps an input's file as <findings>\<kind>-<seed>-<input>.txt; its path.
std::string KeepInput(const std::string& findingsFolder, const std::string& kind, uint64_t seed, uint64_t input,
                      const std::string& bytes);

// What an input's run came to, on one line: whether it ran and was stopped
// by the budget, the lines run, the exit code, a digest of the global
// variables and every box. Two builds of the engine that give an input the
// same line behaved alike on it (inputs stopped by the budget excepted,
// whose lines depend on the machine's speed).
std::string OutcomeLine(uint64_t input, const Outcome& outcome);

void PrintReport(FILE* out, const CampaignSettings& settings, const CampaignReport& report);

}  // namespace fuzz
