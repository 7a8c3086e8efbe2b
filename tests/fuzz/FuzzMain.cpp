// kestrune_fuzz: runs mutated macro files through the whole path a macro
// takes (FuzzRun.h) and reports crashes, hangs, overruns of the budget,
// unexpected message boxes and growth of memory and handles.
//
//   kestrune_fuzz [--seed S] [--first K] [--count N] [--budget-ms M] [--budget-lines L]
//                 [--overrun SECONDS] [--hang SECONDS] [--progress N] [--real-boxes]
//                 [--findings FOLDER] [--corpus FOLDER]... [--outcomes FILE]
//
// Input n of seed S is always the same file: a finding is made again with
// --seed S --first n --count 1. Without --corpus the seeds are the macro
// file fixtures of the tests, tests/fuzz/corpus and the programs of
// bench/language. Message boxes are caught at the program's call and
// answered OK; with --real-boxes they are shown and answered (slower). The
// inputs of findings are kept in the findings folder
// (default: fuzz-findings in the current folder). Run it under Wine on a
// virtual display (build-x86_64/ where the 64-bit build runs):
//
//   tools/wine-session.sh --temp-prefix --virtual-display --
//       wine build/tests/fuzz/kestrune_fuzz.exe --seed 1 --count 1000000 --progress 10000
//
// With --outcomes, what each input's run came to is written to FILE, a line
// an input (OutcomeLine in FuzzCampaign.h): the same campaign run by two
// builds of the engine, compared line by line, shows where they differ.
//
// Exit code: 0 when nothing was found, 1 after findings, 3 after a crash,
// 4 after a hang (an input that runs past --hang seconds), 2 on bad usage.
#include "tests/fuzz/FuzzCampaign.h"
#include "tests/support/TestFiles.h"

#include <windows.h>

#include <inttypes.h>
#include <stdlib.h>
#include <string.h>

namespace {

fuzz::Corpus g_corpus;
fuzz::CampaignSettings g_settings;
DWORD g_hangSeconds = 60;
HANDLE g_crashed = nullptr;
volatile DWORD g_crashCode = 0;

// Keeps the input under way and ends the process with `exitCode`.
void ReportAndEnd(const char* kind, const char* detail, int exitCode)
{
    const uint64_t input = fuzz::CurrentInput();
    std::string kept;
    if (input != ~0ull)
        kept = fuzz::KeepInput(g_settings.FindingsFolder, kind, g_settings.Seed, input,
                               fuzz::MakeInput(g_corpus, g_settings.Seed, input));
    printf("finding: %s at input %" PRIu64 " of seed %" PRIu64 ": %s (input: %s)\n", kind, input, g_settings.Seed,
           detail, kept.c_str());
    fflush(stdout);
    TerminateProcess(GetCurrentProcess(), static_cast<UINT>(exitCode));
}

// On the faulting thread, with little stack left after an overflow: only
// note the fault and let the watch report it.
LONG WINAPI NoteCrash(EXCEPTION_POINTERS* exception)
{
    g_crashCode = exception->ExceptionRecord->ExceptionCode;
    SetEvent(g_crashed);
    Sleep(INFINITE);
    return EXCEPTION_CONTINUE_SEARCH;
}

// Watches the input under way: a crash, or one input running for minutes.
DWORD WINAPI Watch(void*)
{
    uint64_t watched = ~0ull;
    DWORD since = GetTickCount();
    for (;;) {
        if (WaitForSingleObject(g_crashed, 200) == WAIT_OBJECT_0) {
            char detail[64];
            snprintf(detail, sizeof detail, "exception 0x%08lX", static_cast<unsigned long>(g_crashCode));
            ReportAndEnd("crash", detail, 3);
        }
        const uint64_t input = fuzz::CurrentInput();
        if (input != watched) {
            watched = input;
            since = GetTickCount();
        } else if (input != ~0ull && GetTickCount() - since > g_hangSeconds * 1000) {
            ReportAndEnd("hang", "no end after the hang limit", 4);
        }
    }
}

int Usage()
{
    fprintf(stderr, "usage: kestrune_fuzz [--seed S] [--first K] [--count N] [--budget-ms M] [--budget-lines L]\n"
                    "                     [--overrun SECONDS] [--hang SECONDS] [--progress N] [--real-boxes]\n"
                    "                     [--findings FOLDER] [--corpus FOLDER]... [--outcomes FILE]\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv)
{
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    g_settings.FindingsFolder = "fuzz-findings";
    g_settings.Log = stdout;
    std::vector<std::string> corpusFolders;
    for (int i = 1; i < argc; ++i) {
        if (strcmp(argv[i], "--real-boxes") == 0) {
            g_settings.MessageBoxes = fuzz::Boxes::Shown;
            continue;
        }
        const bool valued = i + 1 < argc;
        const char* value = valued ? argv[i + 1] : "";
        if (strcmp(argv[i], "--seed") == 0 && valued)
            g_settings.Seed = strtoull(value, nullptr, 10);
        else if (strcmp(argv[i], "--first") == 0 && valued)
            g_settings.First = strtoull(value, nullptr, 10);
        else if (strcmp(argv[i], "--count") == 0 && valued)
            g_settings.Count = strtoull(value, nullptr, 10);
        else if (strcmp(argv[i], "--budget-ms") == 0 && valued)
            g_settings.RunBudget.Milliseconds = strtoul(value, nullptr, 10);
        else if (strcmp(argv[i], "--budget-lines") == 0 && valued)
            g_settings.RunBudget.Lines = strtoll(value, nullptr, 10);
        else if (strcmp(argv[i], "--overrun") == 0 && valued)
            g_settings.OverrunSeconds = atof(value);
        else if (strcmp(argv[i], "--hang") == 0 && valued)
            g_hangSeconds = strtoul(value, nullptr, 10);
        else if (strcmp(argv[i], "--progress") == 0 && valued)
            g_settings.ProgressEvery = strtoull(value, nullptr, 10);
        else if (strcmp(argv[i], "--findings") == 0 && valued)
            g_settings.FindingsFolder = value;
        else if (strcmp(argv[i], "--corpus") == 0 && valued)
            corpusFolders.push_back(value);
        else if (strcmp(argv[i], "--outcomes") == 0 && valued && !g_settings.Outcomes) {
            g_settings.Outcomes = fopen(value, "w");
            if (!g_settings.Outcomes) {
                fprintf(stderr, "cannot write %s\n", value);
                return 2;
            }
        }
        else
            return Usage();
        ++i;
    }
    if (corpusFolders.empty())
        corpusFolders = {testing_support::SourcePath("macro/fixtures"), testing_support::SourcePath("fuzz/corpus"),
                         testing_support::SourcePath("../bench/language")};
    for (const std::string& folder : corpusFolders) {
        if (!fuzz::AddCorpusFolder(g_corpus, folder)) {
            fprintf(stderr, "no seed files (*.txt) in %s\n", folder.c_str());
            return 2;
        }
    }

    testing_support::TempFolder work;
    g_settings.WorkFolder = work.Path();
    g_crashed = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SetUnhandledExceptionFilter(NoteCrash);
    CloseHandle(CreateThread(nullptr, 0, Watch, nullptr, 0, nullptr));

    printf("%zu seed files; seed %" PRIu64 ", inputs %" PRIu64 " to %" PRIu64 "\n", g_corpus.Files.size(),
           g_settings.Seed, g_settings.First, g_settings.First + g_settings.Count - 1);
    fflush(stdout);
    const fuzz::CampaignReport report = fuzz::RunCampaign(g_corpus, g_settings);
    fuzz::PrintReport(stdout, g_settings, report);
    if (g_settings.Outcomes)
        fclose(g_settings.Outcomes);
    return report.Findings.empty() ? 0 : 1;
}
