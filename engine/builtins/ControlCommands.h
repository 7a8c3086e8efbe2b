// What the control builtins do to a control: the clicks, ControlCommand's
// commands, and reading a status bar part of another process.
#pragma once

#include "engine/EngineVariant.h"

#include <windows.h>

#include <functional>
#include <string>

// Clicks the middle of `control` up to `clicks` times with the button named
// "RIGHT", "MIDDLE" or anything else for the left one, calling `pause`
// after each click; the clicks end when it returns false (the run stops).
// `window` is made the active window first.
void ClickControl(HWND window, HWND control, const char* button, int clicks, const std::function<bool()>& pause);

struct ControlCommandRequest
{
    HWND Window;
    HWND Control;
    const char* ControlName;   // "ComboBox1", "ListBox2": selects the message family
    const char* Command;
    CEngineVariant& Option;
};

// Runs the command on the control, leaving its answer in `result` (preset
// to 1); false when the command failed or is unknown (@error 1).
bool RunControlCommand(const ControlCommandRequest& request, CEngineVariant& result);

// The text of part `part` (1-based) of the status bar `bar`, which may
// belong to another process, cut at 4,095 characters: false when there is
// no such part or it cannot be read.
bool ReadStatusBarPart(HWND bar, int part, std::string& text);
