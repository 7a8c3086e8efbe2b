// Mouse builtins: moves (at once or in steps), clicks, drags, the wheel and
// the cursor's position and shape. Their pauses are the run options that a
// recorded macro replays with; the run's messages are pumped in them, and
// the end key cuts a long run of clicks, wheel steps or move steps short
// with every button let go.
#include "engine/builtins/BuiltinFamily.h"

#include "engine/automation/ThreadInputAttachments.h"
#include "engine/builtins/BuiltinSupport.h"
#include "engine/support/MouseInput.h"

namespace {

const int kStepPause = 20;          // ms after each step of a stepped move
const int kMinimumStep = 32;        // absolute input units
const int kDefaultSpeed = 10;

// A screen coordinate in the absolute input units of mouse_event (0-65535
// across the desktop), rounded so that the event lands on that pixel.
int ToAbsolute(int value, int extent)
{
    if (extent <= 1)
        return value;
    return static_cast<int>(static_cast<long long>(value) * 65535 / (extent - 1) + 1);
}

// One step from `from` toward `to`: a `speed`-th of the distance left, at
// least kMinimumStep, never past the target.
int StepToward(int from, int to, int speed)
{
    const long long distance = static_cast<long long>(to) - from;
    const long long length = distance < 0 ? -distance : distance;
    long long step = length / speed;
    if (step < kMinimumStep)
        step = kMinimumStep;
    if (step >= length)
        return to;
    return static_cast<int>(distance > 0 ? from + step : from - step);
}

void SendAbsoluteMove(int x, int y)
{
    mouse_event(MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE, static_cast<DWORD>(x), static_cast<DWORD>(y), 0, 0);
}

// Moves the cursor to the screen point (x, y). Speed 0 moves at once and
// pauses `singleMovePause` ms; other speeds (outside 1-100: 10) move in
// steps with a pause after each. False when the run stopped on the way.
bool MoveMouseTo(BuiltinContext& context, int x, int y, int speed, int singleMovePause)
{
    RECT desktop;
    GetWindowRect(GetDesktopWindow(), &desktop);
    const int width = desktop.right - desktop.left;
    const int height = desktop.bottom - desktop.top;
    const int targetX = ToAbsolute(x, width);
    const int targetY = ToAbsolute(y, height);
    if (speed == 0) {
        SendAbsoluteMove(targetX, targetY);
        return context.PauseBetweenSteps(singleMovePause);
    }
    if (speed < 0 || speed > 100)
        speed = kDefaultSpeed;
    POINT cursor;
    GetCursorPos(&cursor);
    int currentX = ToAbsolute(cursor.x, width);
    int currentY = ToAbsolute(cursor.y, height);
    while (currentX != targetX || currentY != targetY) {
        currentX = StepToward(currentX, targetX, speed);
        currentY = StepToward(currentY, targetY, speed);
        SendAbsoluteMove(currentX, currentY);
        if (!context.PauseBetweenSteps(kStepPause))
            return false;
    }
    return true;
}

// A press and release of a button, with the run options' pause between;
// the button goes up also when the run stops meanwhile. False then.
bool ClickOnce(BuiltinContext& context, const char* button, int downDelay)
{
    EngineSupport::MouseButtonDown(button);
    const bool goOn = context.PauseBetweenSteps(downDelay);
    EngineSupport::MouseButtonUp(button);
    return goOn;
}

// An optional count: `fallback` when the argument is not given.
int CountArgument(CVariantList& args, int index, int fallback)
{
    return args.GetCount() > index ? args.GetItem(index).GetInt() : fallback;
}

int BuiltinMouseMove(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const POINT point = BuiltinSupport::ToScreen(args.GetItem(0).GetInt(), args.GetItem(1).GetInt(), options.MouseCoordMode);
    MoveMouseTo(context, point.x, point.y, 0, 2);
    return 0;
}

int BuiltinMouseRelativeMove(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    POINT cursor;
    GetCursorPos(&cursor);
    const POINT point = BuiltinSupport::ToScreen(cursor.x + args.GetItem(0).GetInt(),
                                                 cursor.y + args.GetItem(1).GetInt(), options.MouseCoordMode);
    MoveMouseTo(context, point.x, point.y, 0, kStepPause);
    return 0;
}

int BuiltinMouseClick(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const CEngineString button(args.GetItem(0).GetString());
    const int clicks = CountArgument(args, 1, 1);
    for (int i = 0; i < clicks; ++i) {
        if (!ClickOnce(context, button, options.MouseClickDownDelay) ||
            !context.PauseBetweenSteps(options.MouseClickDelay))
            break;
    }
    return 0;
}

int BuiltinMouseDoubleClick(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const CEngineString button(args.GetItem(0).GetString());
    const int count = CountArgument(args, 1, 1);
    for (int i = 0; i < count; ++i) {
        if (!ClickOnce(context, button, options.MouseClickDownDelay) || !context.PauseBetweenSteps(1) ||
            !ClickOnce(context, button, options.MouseClickDownDelay) ||
            !context.PauseBetweenSteps(options.MouseClickDelay))
            break;
    }
    return 0;
}

int BuiltinMouseClickDrag(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const CEngineString button(args.GetItem(0).GetString());
    const POINT from = BuiltinSupport::ToScreen(args.GetItem(1).GetInt(), args.GetItem(2).GetInt(), options.MouseCoordMode);
    const POINT to = BuiltinSupport::ToScreen(args.GetItem(3).GetInt(), args.GetItem(4).GetInt(), options.MouseCoordMode);
    const int speed = CountArgument(args, 5, -1);
    if (!MoveMouseTo(context, from.x, from.y, speed, 2))
        return 0;
    EngineSupport::MouseButtonDown(button);
    // The drag itself always moves in steps, so that the target sees it. A
    // stopped drag lets the button go where it stopped.
    const bool dragged = context.PauseBetweenSteps(options.MouseClickDragDelay) &&
                         MoveMouseTo(context, to.x, to.y, speed == 0 || speed == 1 ? 2 : speed, 2) &&
                         context.PauseBetweenSteps(options.MouseClickDragDelay);
    EngineSupport::MouseButtonUp(button);
    if (dragged)
        context.PauseBetweenSteps(options.MouseClickDelay);
    return 0;
}

int BuiltinMouseDown(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const EngineSupport::MouseButton button = EngineSupport::MouseButtonNamed(args.GetItem(0).GetString());
    EngineSupport::MouseButtonDown(button);
    context.NoteMouseButton(button, true);
    return 0;
}

int BuiltinMouseUp(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const EngineSupport::MouseButton button = EngineSupport::MouseButtonNamed(args.GetItem(0).GetString());
    EngineSupport::MouseButtonUp(button);
    context.NoteMouseButton(button, false);
    return 0;
}

int BuiltinMouseWheel(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    const CEngineString direction(args.GetItem(0).GetString());
    const int clicks = CountArgument(args, 1, 1);
    for (int i = 0; i < clicks; ++i) {
        EngineSupport::MouseWheelStep(direction);
        if (!context.PauseBetweenSteps(options.MouseClickDelay))
            break;
    }
    return 0;
}

int BuiltinMouseGetPos(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    const MouseAndPixelOptions& options = context.MouseAndPixel();
    POINT point;
    GetCursorPos(&point);
    const POINT origin = BuiltinSupport::CoordinateOrigin(options.MouseCoordMode);
    BuiltinSupport::MakePointArray(result, point.x - origin.x, point.y - origin.y);
    return 0;
}

int BuiltinMouseGetCursor(BuiltinContext& context, CVariantList& args, CEngineVariant& result)
{
    POINT point;
    GetCursorPos(&point);
    HCURSOR cursor = nullptr;
    {
        // GetCursor answers for the calling thread's input: share the input
        // of the window under the cursor.
        ThreadInputAttachments attachment;
        const HWND window = WindowFromPoint(point);
        if (window)
            attachment.Attach(GetCurrentThreadId(), GetWindowThreadProcessId(window, nullptr));
        cursor = GetCursor();
    }
    static const LPCSTR kShapes[] = {
        IDC_APPSTARTING, IDC_ARROW, IDC_CROSS, IDC_HELP, IDC_IBEAM, IDC_ICON, IDC_NO, IDC_SIZE,
        IDC_SIZEALL, IDC_SIZENESW, IDC_SIZENS, IDC_SIZENWSE, IDC_SIZEWE, IDC_UPARROW, IDC_WAIT,
    };
    int shape = 0;
    for (int i = 0; i < static_cast<int>(sizeof kShapes / sizeof kShapes[0]) && shape == 0; ++i)
        if (cursor && cursor == LoadCursorA(nullptr, kShapes[i]))
            shape = i + 1;
    result.SetInt(shape);
    return 0;
}

const BuiltinBinding kBindings[] = {
    {"MOUSECLICK", BuiltinMouseClick},
    {"MOUSEDOUBLECLICK", BuiltinMouseDoubleClick},
    {"MOUSECLICKDRAG", BuiltinMouseClickDrag},
    {"MOUSEDOWN", BuiltinMouseDown},
    {"MOUSEGETCURSOR", BuiltinMouseGetCursor},
    {"MOUSEGETPOS", BuiltinMouseGetPos},
    {"MOUSEMOVE", BuiltinMouseMove},
    {"MOUSERELATIVEMOVE", BuiltinMouseRelativeMove},
    {"MOUSEUP", BuiltinMouseUp},
    {"MOUSEWHEEL", BuiltinMouseWheel},
};

}  // namespace

extern const BuiltinFamily kMouseBuiltins = MakeBuiltinFamily("mouse", kBindings);
