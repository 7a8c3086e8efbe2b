#include "tests/fuzz/FuzzCampaign.h"

#include <windows.h>
#include <psapi.h>

#include <inttypes.h>
#include <stdint.h>

namespace fuzz {

namespace {

volatile uint64_t g_currentInput = ~0ull;

// Where the system gives no handle count (Wine gives 0): the handles of
// the process's table that are open, found by asking after each one.
unsigned long CountOpenHandles()
{
    const uintptr_t kHandleStep = 4, kHandlesLooked = 32768;
    unsigned long open = 0;
    for (uintptr_t value = kHandleStep; value <= kHandlesLooked * kHandleStep; value += kHandleStep) {
        DWORD flags;
        if (GetHandleInformation(reinterpret_cast<HANDLE>(value), &flags))
            ++open;
    }
    return open;
}

struct Usage
{
    size_t Memory = 0;        // private bytes
    unsigned long Handles = 0;
};

Usage MeasureUsage()
{
    Usage usage;
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                             sizeof counters))
        usage.Memory = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
    DWORD handles = 0;
    if (GetProcessHandleCount(GetCurrentProcess(), &handles) && handles)
        usage.Handles = handles;
    else
        usage.Handles = CountOpenHandles();
    return usage;
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return fclose(file) == 0 && written;
}

std::string OneLine(const std::string& text)
{
    std::string line;
    for (char ch : text.substr(0, 300)) {
        if (ch == '\n')
            line += "\\n";
        else if (ch != '\r')
            line += ch;
    }
    return line;
}

// FNV-1a, 64 bits: a digest that is the same on every build.
uint64_t Digest(const std::string& text)
{
    uint64_t hash = 14695981039346656037ull;
    for (unsigned char ch : text)
        hash = (hash ^ ch) * 1099511628211ull;
    return hash;
}

}  // namespace

std::string OutcomeLine(uint64_t input, const Outcome& outcome)
{
    char head[160];
    snprintf(head, sizeof head, "%" PRIu64 ": ran %d budget %d lines %lld exit %d globals %016" PRIx64, input,
             outcome.Prepared ? 1 : 0, outcome.StoppedByBudget ? 1 : 0,
             outcome.StoppedByBudget ? -1ll : outcome.Lines, outcome.ExitCode, Digest(outcome.Globals));
    std::string line = head;
    for (const Box& box : outcome.Boxes)
        line += " | " + OneLine(box.Caption) + ": " + OneLine(box.Text);
    return line;
}

std::string InputPath(const std::string& workFolder)
{
    return workFolder + "\\fuzz.txt";
}

uint64_t CurrentInput()
{
    return g_currentInput;
}

std::string KeepInput(const std::string& findingsFolder, const std::string& kind, uint64_t seed, uint64_t input,
                      const std::string& bytes)
{
    if (findingsFolder.empty())
        return std::string();
    CreateDirectoryA(findingsFolder.c_str(), nullptr);
    char name[96];
    snprintf(name, sizeof name, "\\%s-%" PRIu64 "-%" PRIu64 ".txt", kind.c_str(), seed, input);
    const std::string path = findingsFolder + name;
    return WriteBytes(path, bytes) ? path : std::string();
}

CampaignReport RunCampaign(const Corpus& corpus, const CampaignSettings& settings)
{
    CampaignReport report;
    const std::string path = InputPath(settings.WorkFolder);
    // Memory is measured once the larger inputs have had their turn: the
    // heap's high-water mark is no leak.
    const uint64_t warmUp = settings.Count / 20 < 20000 ? settings.Count / 20 : 20000;
    LARGE_INTEGER frequency, begin, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&begin);
    auto elapsed = [&] {
        QueryPerformanceCounter(&now);
        return static_cast<double>(now.QuadPart - begin.QuadPart) / static_cast<double>(frequency.QuadPart);
    };
    auto find = [&](uint64_t input, const char* kind, const std::string& detail, const std::string& bytes) {
        std::string kept = KeepInput(settings.FindingsFolder, kind, settings.Seed, input, bytes);
        report.Findings.push_back({input, kind, detail + (kept.empty() ? "" : " (input: " + kept + ")")});
        if (settings.Log) {
            fprintf(settings.Log, "finding: %s at input %" PRIu64 ": %s\n", kind, input,
                    report.Findings.back().Detail.c_str());
            fflush(settings.Log);
        }
    };

    Session session(settings.MessageBoxes);
    Usage usage = MeasureUsage();
    for (uint64_t i = 0; i < settings.Count; ++i) {
        const uint64_t input = settings.First + i;
        const std::string bytes = MakeInput(corpus, settings.Seed, input);
        if (!WriteBytes(path, bytes)) {
            find(input, "io", "the input could not be written to " + path, std::string());
            break;
        }
        g_currentInput = input;
        const Outcome outcome = session.Run(path, settings.RunBudget);
        g_currentInput = ~0ull;

        ++report.Inputs;
        if (settings.Outcomes)
            fprintf(settings.Outcomes, "%s\n", OutcomeLine(input, outcome).c_str());
        report.Prepared += outcome.Prepared;
        report.StoppedByBudget += outcome.StoppedByBudget;
        if (outcome.Seconds > report.LongestRun)
            report.LongestRun = outcome.Seconds;
        for (const Box& box : outcome.Boxes) {
            if (box.Caption == "Internal Error")
                ++report.ScriptErrors;
            if (!IsExpectedBox(box))
                find(input, "box", "\"" + box.Caption + "\": " + OneLine(box.Text), bytes);
        }
        if (outcome.Seconds > settings.OverrunSeconds) {
            char detail[96];
            snprintf(detail, sizeof detail, "ran %.2f s on a budget of %lu ms", outcome.Seconds,
                     static_cast<unsigned long>(settings.RunBudget.Milliseconds));
            find(input, "overrun", detail, bytes);
        }

        const bool warmedUp = i + 1 == warmUp;
        const bool progress = settings.ProgressEvery && (i + 1) % settings.ProgressEvery == 0;
        if (warmedUp || progress || i + 1 == settings.Count) {
            usage = MeasureUsage();
            if (usage.Memory > report.MemoryPeak)
                report.MemoryPeak = usage.Memory;
            if (warmedUp) {
                report.MemoryAfterWarmUp = usage.Memory;
                report.HandlesAfterWarmUp = usage.Handles;
            }
        }
        if (progress && settings.Log) {
            const double seconds = elapsed();
            fprintf(settings.Log,
                    "progress: %" PRIu64 " inputs in %.0f s (%.0f/s), %" PRIu64 " ran, %" PRIu64
                    " script errors, %" PRIu64 " stopped by budget, memory %.1f MB, handles %lu\n",
                    report.Inputs, seconds, static_cast<double>(report.Inputs) / seconds, report.Prepared,
                    report.ScriptErrors, report.StoppedByBudget, static_cast<double>(usage.Memory) / 1048576.0,
                    usage.Handles);
            fflush(settings.Log);
        }
    }
    report.Seconds = elapsed();
    report.MemoryAtEnd = usage.Memory;
    report.HandlesAtEnd = usage.Handles;
    if (warmUp && report.Inputs == settings.Count) {
        if (report.MemoryAtEnd > report.MemoryAfterWarmUp + settings.LeakBytes)
            find(settings.First + settings.Count - 1, "leak", "memory grew by more than the allowance", std::string());
        if (report.HandlesAtEnd > report.HandlesAfterWarmUp + settings.LeakHandles)
            find(settings.First + settings.Count - 1, "leak", "handle count grew by more than the allowance",
                 std::string());
    }
    return report;
}

void PrintReport(FILE* out, const CampaignSettings& settings, const CampaignReport& report)
{
    fprintf(out, "seed %" PRIu64 ", inputs %" PRIu64 " to %" PRIu64 "\n", settings.Seed, settings.First,
            settings.First + report.Inputs - (report.Inputs ? 1 : 0));
    fprintf(out, "inputs: %" PRIu64 " in %.1f s (%.0f/s); ran: %" PRIu64 "; script errors: %" PRIu64
                 "; stopped by budget: %" PRIu64 "; longest run: %.3f s\n",
            report.Inputs, report.Seconds, report.Seconds > 0 ? static_cast<double>(report.Inputs) / report.Seconds : 0.0,
            report.Prepared, report.ScriptErrors, report.StoppedByBudget, report.LongestRun);
    fprintf(out, "memory: %.1f MB after warm-up, %.1f MB at the end, %.1f MB peak; handles: %lu after warm-up, %lu at the end\n",
            static_cast<double>(report.MemoryAfterWarmUp) / 1048576.0, static_cast<double>(report.MemoryAtEnd) / 1048576.0,
            static_cast<double>(report.MemoryPeak) / 1048576.0, report.HandlesAfterWarmUp, report.HandlesAtEnd);
    fprintf(out, "findings: %zu\n", report.Findings.size());
    for (const Finding& finding : report.Findings)
        fprintf(out, "  %s at input %" PRIu64 ": %s\n", finding.Kind.c_str(), finding.Input, finding.Detail.c_str());
    fflush(out);
}

}  // namespace fuzz
