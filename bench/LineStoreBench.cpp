// Loading and tokenising a recorded macro: writes a macro file of 10,000
// script lines in the style the recorder produces (mouse and key statements
// bound to recorded windows, waits and moves marked for the faster speed),
// loads it into the line store in both speed modes, tokenises every stored
// line, and prints lines per second.
//
// Run under Wine after a build:
//   tools/wine-session.sh --temp-prefix --virtual-display -- wine build/bench/line_store_bench.exe
#include "engine/ScriptEngine.h"
#include "engine/ScriptFile.h"

#include <windows.h>

#include <stdio.h>

#include <string>

namespace {

const int kScriptLines = 10000;

double Now()
{
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// One recorded step after another, cycling through the shapes a recording has.
std::string RecordedLine(int i)
{
    char line[256];
    const int window = (i / 40) % 3;
    switch (i % 10) {
    case 0:
        snprintf(line, sizeof line, "MouseMove(%d, %d)-> At Win [%d]=> [remove on faster speed]", 100 + i % 700, 80 + i % 500, window);
        break;
    case 1:
        snprintf(line, sizeof line, "WAIT(%d)=> [remove on faster speed]", 16 + i % 180);
        break;
    case 2:
        snprintf(line, sizeof line, "MouseMove(%d, %d)-> At Win [%d]", 120 + i % 640, 90 + i % 480, window);
        break;
    case 3:
        snprintf(line, sizeof line, "MouseClick(\"left\", 1)-> At Win [%d]", window);
        break;
    case 4:
        snprintf(line, sizeof line, "WAIT(%d)=> [remove on faster speed]", 220 + i % 500);
        break;
    case 5:
        snprintf(line, sizeof line, "KeyDown(\"\",\"\",\"\",\"Shift\", 1)-> At Win [%d]", window);
        break;
    case 6:
        snprintf(line, sizeof line, "KeySend(\"\",\"\",\"\",\"%c\", 1)-> At Win [%d]", 'A' + i % 26, window);
        break;
    case 7:
        snprintf(line, sizeof line, "KeyUp(\"\",\"\",\"\",\"Shift\", 1)-> At Win [%d]", window);
        break;
    case 8:
        snprintf(line, sizeof line, "Send(\"Order %d shipped\", 1)-> At Win [%d]", i, window);
        break;
    default:
        snprintf(line, sizeof line, i % 20 == 9 ? "Comment: ==== step %d ====" : "WAIT(%d)", 900 + i % 3000);
        break;
    }
    return line;
}

std::string MacroFileText()
{
    std::string text =
        "[General]\r\nName=bench\r\nStartKey=None\r\nEndKey=None\r\nDescription=\r\nEnable=0\r\n"
        "RepeatOption=0\r\nRepeatTimes=1\r\nOriginalSpeed=1\r\nUseSimilarWin=0\r\nUseHalvane=1\r\n"
        "TriggerRobot=\r\n[Script]\r\n";
    for (int i = 0; i < kScriptLines; ++i)
        text += RecordedLine(i) + "\r\n";
    text += "[HalvaneInfo]\r\n";
    for (int w = 0; w < 3; ++w) {
        char record[256];
        snprintf(record, sizeof record,
                 "WinIndex=%d\r\nWinTitle=Window %d\r\nWinPath=C:\\windows\\notepad.exe\r\n"
                 "WinParentLevel=0\r\nWinRect=0,0,640,480\r\n", w, w);
        text += record;
    }
    return text;
}

struct Figures
{
    double loadSeconds = 0;
    double tokeniseSeconds = 0;
    long long loadedLines = 0;
    long long tokenisedLines = 0;
};

void Measure(const char* path, int speedMode, int rounds, Figures& figures)
{
    TokenList tokens;
    for (int round = 0; round < rounds; ++round) {
        g_ScriptFile.Clear();
        g_ScriptFile.SpeedMode = speedMode;
        double start = Now();
        g_ScriptFile.LoadMacroFile(path, 0);
        g_ScriptFile.BuildIndex();
        double loaded = Now();
        const int count = g_ScriptFile.GetLineCount();
        for (int position = 1; position <= count; ++position) {
            g_ScriptEngine.SetCurrentLine(position);
            if (g_ScriptEngine.Tokenise(g_ScriptFile.GetLine(position), tokens) != 0)
                printf("line %d did not tokenise\n", position);
        }
        double done = Now();
        figures.loadSeconds += loaded - start;
        figures.tokeniseSeconds += done - loaded;
        figures.loadedLines += kScriptLines;
        figures.tokenisedLines += count;
    }
}

}  // namespace

int main()
{
    char folder[MAX_PATH];
    GetTempPathA(sizeof folder, folder);
    char path[MAX_PATH];
    GetTempFileNameA(folder, "kbm", 0, path);
    const std::string text = MacroFileText();
    FILE* file = fopen(path, "wb");
    if (!file || fwrite(text.data(), 1, text.size(), file) != text.size()) {
        printf("cannot write %s\n", path);
        return 1;
    }
    fclose(file);

    const int kRounds = 30;
    const char* modes[] = {"original speed", "faster speed"};
    for (int mode = 0; mode < 2; ++mode) {
        Figures figures;
        Measure(path, 0, 2, figures);   // warm the file cache and the allocator
        figures = Figures();
        Measure(path, mode, kRounds, figures);
        const double total = figures.loadSeconds + figures.tokeniseSeconds;
        printf("%s: %lld stored lines of %d per load\n", modes[mode],
               figures.tokenisedLines / kRounds, kScriptLines);
        printf("  load:             %12.0f file lines/s\n", figures.loadedLines / figures.loadSeconds);
        printf("  tokenise:         %12.0f lines/s\n", figures.tokenisedLines / figures.tokeniseSeconds);
        printf("  load + tokenise:  %12.0f file lines/s\n", figures.loadedLines / total);
    }
    DeleteFileA(path);
    return 0;
}
