// Runs one macro file the whole way a macro takes in the program: the macro
// file reader (CRobot::LoadFromFile), the line store with its window
// bindings (LoadMacroFile), the lexer, PrepareScript and the run loop, on
// this (UI) thread, with the builtins that reach outside the process inert,
// a budget of lines and time, and every message box answered at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fuzz {

struct Budget
{
    long long Lines = 200000;   // lines run before the run is stopped
    DWORD Milliseconds = 50;    // time of the run before it is stopped
};

struct Box
{
    std::string Caption;
    std::string Text;
};

struct Outcome
{
    bool Prepared = false;        // PrepareScript accepted it, and it ran
    bool StoppedByBudget = false;
    double Seconds = 0.0;         // loading, preparing and running
    long long Lines = 0;
    std::vector<Box> Boxes;       // every box shown, in order
    int ExitCode = 0;             // what the script's Exit gave
    // The global variables at the end, one "NAME=value" line each (an array
    // by its dimensions), for comparing what two builds of the engine make
    // of the same input.
    std::string Globals;
};

// How message boxes are answered: shown and answered with OK as soon as
// they are built, or caught at the program's call of MessageBoxA and
// answered there without a window (many times faster under Wine).
enum class Boxes { Shown, Caught };

// For the length of a fuzz session: inert builtins but for those that only
// compute (maths, strings, Eval, Opt, Delay, Adlib, Call), the window
// binding's retries cut short, and every box and dialog of this thread
// answered.
class Session
{
public:
    explicit Session(Boxes boxes);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    Outcome Run(const std::string& macroFilePath, const Budget& budget);

    struct State;   // the hook and the budget's timer reach it

private:
    State* m_state;
};

// Whether a box is one the system shows for bad input: the script error
// report, the macro file reader's bad window record, the window binding
// giving up. Any other box is a finding.
bool IsExpectedBox(const Box& box);

}  // namespace fuzz
