// script_host: runs one macro file or script file with the real engine and
// reports the outcome on standard output.
//
//   script_host [--speed N] [--halvane] [--similar] [--answer] [--stats] [--inert] <file>
//
// --speed N    the macro's speed code (1: lines marked for the faster speed go)
// --halvane    lines bound to recorded windows wait for their windows
// --similar    a similar window may stand in for a recorded one
// --answer     press OK on every message box and report it, instead of
//              leaving the boxes to a user
// --stats      also report the run's time, lines and message pumping
// --inert      every builtin does nothing (and fails with @error 1), so that
//              a run shows what the engine itself costs
//
// A file that starts with "[General]" is read as a macro file, any other as
// a plain script. Output lines:
//   box: <caption> | <text, line ends as \n>     (with --answer, per box)
//   result: ran | not-loaded | not-prepared
//   exit-code: <n>                               (what the script's Exit gave)
//   seconds: <s> lines: <n> pumps: <n> pump-seconds: <s>   (with --stats)
// The program's own exit code is the script's exit code; 255 when the file
// could not be read, 254 when its preparation failed.
#include "tests/host/ScriptHost.h"

#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <memory>

namespace {

std::string OneLine(const std::string& text)
{
    std::string line;
    for (char ch : text) {
        if (ch == '\n')
            line += "\\n";
        else if (ch != '\r')
            line += ch;
    }
    return line;
}

int Usage()
{
    fprintf(stderr, "usage: script_host [--speed N] [--halvane] [--similar] [--answer] [--stats] [--inert] <file>\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    script_host::RunSettings settings;
    settings.AnswerBoxes = false;
    bool statistics = false;
    bool inert = false;
    const char* file = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--speed") == 0 && i + 1 < argc)
            settings.SpeedMode = atoi(argv[++i]);
        else if (strcmp(argv[i], "--halvane") == 0)
            settings.UseHalvane = 1;
        else if (strcmp(argv[i], "--similar") == 0)
            settings.UseSimilarWin = 1;
        else if (strcmp(argv[i], "--answer") == 0)
            settings.AnswerBoxes = true;
        else if (strcmp(argv[i], "--stats") == 0)
            statistics = true;
        else if (strcmp(argv[i], "--inert") == 0)
            inert = true;
        else if (argv[i][0] == '-' || file)
            return Usage();
        else
            file = argv[i];
    }
    if (!file)
        return Usage();

    std::unique_ptr<script_host::InertBuiltins> inertBuiltins;
    if (inert)
        inertBuiltins = std::make_unique<script_host::InertBuiltins>();
    const script_host::RunReport report = script_host::RunFile(file, settings);
    for (const testing_support::DialogAnswerer::Seen& box : report.Boxes)
        printf("box: %s | %s\n", box.caption.c_str(), OneLine(box.text).c_str());
    printf("result: %s\n", !report.Loaded ? "not-loaded" : report.Prepared ? "ran" : "not-prepared");
    printf("exit-code: %d\n", report.ExitCode);
    if (statistics)
        printf("seconds: %.6f lines: %lld pumps: %lld pump-seconds: %.6f\n", report.Seconds,
               report.Statistics.LinesRun, report.Statistics.Pumps, report.Statistics.PumpSeconds);
    fflush(stdout);
    if (!report.Loaded)
        return 255;
    if (!report.Prepared)
        return 254;
    return report.ExitCode;
}
