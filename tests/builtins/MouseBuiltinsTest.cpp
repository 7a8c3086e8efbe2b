// Mouse builtins with real input: where the cursor lands, the button and
// wheel events a low-level hook sees, and the messages a window receives.
#include "tests/builtins/BuiltinTestSupport.h"
#include "tests/builtins/TestWindow.h"
#include "tests/support/InputRecorder.h"

#include <gtest/gtest.h>

using namespace builtins_test;
using testing_support::InputRecorder;

namespace {

// The test window covers (100, 100)-(500, 400); its edit the top 30 pixels.
class MouseTest : public testing::Test
{
protected:
    MouseTest() : window({100, 100, 500, 400}, RGB(255, 255, 255), {}, true) {}

    POINT Cursor()
    {
        POINT point;
        GetCursorPos(&point);
        return point;
    }
    void MoveTo(int x, int y) { Call("MOUSEMOVE", {Int(x), Int(y)}); }
    // Under Wine the cursor position that GetCursorPos reports falls back to
    // the display's pointer 100 ms after synthetic input moved it; where a
    // test starts from a position some time later, it sets both.
    void PlaceCursor(int x, int y)
    {
        SetCursorPos(x, y);
        TestWindow::Pump();
    }
    // Runs a builtin, then waits for its events to arrive.
    void Run(const char* builtin, const std::vector<CEngineVariant>& args)
    {
        recorder.Clear();
        window.ClearMessages();
        Call(builtin, args);
        recorder.Settle();
        TestWindow::Pump();
    }
    int Hooked(UINT message)
    {
        int count = 0;
        for (const InputRecorder::Mouse& event : recorder.Mice())
            count += event.message == message ? 1 : 0;
        return count;
    }

    TestWindow window;
    InputRecorder recorder;
};

TEST_F(MouseTest, MoveLandsOnTheExactPixel)
{
    const POINT points[] = {{0, 0}, {1, 1}, {300, 200}, {512, 384}, {1022, 766}, {1023, 767}, {7, 760}};
    for (const POINT& p : points) {
        MoveTo(p.x, p.y);
        EXPECT_EQ(Cursor().x, p.x) << p.x << "," << p.y;
        EXPECT_EQ(Cursor().y, p.y) << p.x << "," << p.y;
    }
}

TEST_F(MouseTest, CoordinateModeZeroCountsFromTheForegroundWindow)
{
    MoveTo(120, 130);
    EXPECT_EQ(Call("MOUSEGETPOS").Text(), "[120|130]");
    OptionScope relative("MouseCoordMode", 0);
    EXPECT_EQ(Call("MOUSEGETPOS").Text(), "[20|30]");
    MoveTo(50, 60);
    EXPECT_EQ(Cursor().x, 150);
    EXPECT_EQ(Cursor().y, 160);
    EXPECT_EQ(Call("MOUSEGETPOS").Text(), "[50|60]");
}

TEST_F(MouseTest, RelativeMoveAddsToTheCursor)
{
    MoveTo(300, 300);
    Call("MOUSERELATIVEMOVE", {Int(25), Int(-40)});
    EXPECT_EQ(Cursor().x, 325);
    EXPECT_EQ(Cursor().y, 260);
    Call("MOUSERELATIVEMOVE", {Int(-325), Int(0), Int(50)});
    EXPECT_EQ(Cursor().x, 0);
    EXPECT_EQ(Cursor().y, 260);
}

TEST_F(MouseTest, ClicksReachTheWindowUnderTheCursor)
{
    MoveTo(300, 250);
    Run("MOUSECLICK", {Text("left")});
    EXPECT_EQ(window.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(window.Count(WM_LBUTTONUP), 1);

    // Two quick clicks make a double click, as a user's would.
    Run("MOUSECLICK", {Text("RIGHT"), Int(2)});
    EXPECT_EQ(Hooked(WM_RBUTTONDOWN), 2);
    EXPECT_EQ(window.Count(WM_RBUTTONDOWN) + window.Count(WM_RBUTTONDBLCLK), 2);
    EXPECT_EQ(window.Count(WM_RBUTTONUP), 2);

    Run("MOUSECLICK", {Text("Middle"), Int(3)});
    EXPECT_EQ(Hooked(WM_MBUTTONDOWN), 3);
    EXPECT_EQ(Hooked(WM_MBUTTONUP), 3);

    Run("MOUSECLICK", {Text("primary")});             // any other name is the left button
    EXPECT_EQ(Hooked(WM_LBUTTONDOWN), 1);

    Run("MOUSECLICK", {Text("left"), Int(0)});
    Run("MOUSECLICK", {Text("left"), Int(-2)});
    EXPECT_TRUE(recorder.Mice().empty());
    EXPECT_TRUE(window.Messages().empty());
}

TEST_F(MouseTest, DoubleClickIsSeenAsOne)
{
    MoveTo(300, 250);
    Run("MOUSEDOUBLECLICK", {Text("left")});
    EXPECT_EQ(window.Count(WM_LBUTTONDOWN), 1);
    EXPECT_EQ(window.Count(WM_LBUTTONDBLCLK), 1);
    EXPECT_EQ(window.Count(WM_LBUTTONUP), 2);

    Run("MOUSEDOUBLECLICK", {Text("left"), Int(2)});
    EXPECT_EQ(Hooked(WM_LBUTTONDOWN), 4);
    EXPECT_EQ(Hooked(WM_LBUTTONUP), 4);
}

TEST_F(MouseTest, DownAndUpAreSeparate)
{
    MoveTo(300, 250);
    Run("MOUSEDOWN", {Text("right")});
    EXPECT_EQ(window.Count(WM_RBUTTONDOWN), 1);
    EXPECT_EQ(window.Count(WM_RBUTTONUP), 0);
    Run("MOUSEUP", {Text("right")});
    EXPECT_EQ(window.Count(WM_RBUTTONUP), 1);
}

TEST_F(MouseTest, WheelStepsInEitherDirection)
{
    MoveTo(300, 250);
    Run("MOUSEWHEEL", {Text("up"), Int(3)});
    ASSERT_EQ(Hooked(WM_MOUSEWHEEL), 3);
    for (const InputRecorder::Mouse& event : recorder.Mice())
        EXPECT_EQ(static_cast<short>(HIWORD(event.mouseData)), WHEEL_DELTA);
    Run("MOUSEWHEEL", {Text("down")});
    ASSERT_EQ(Hooked(WM_MOUSEWHEEL), 1);
    EXPECT_EQ(static_cast<short>(HIWORD(recorder.Mice()[0].mouseData)), -WHEEL_DELTA);
    Run("MOUSEWHEEL", {Text("up"), Int(0)});
    EXPECT_EQ(Hooked(WM_MOUSEWHEEL), 0);
}

// The moves of a drag between its button events.
struct Drag
{
    POINT down = {-1, -1};
    POINT up = {-1, -1};
    std::vector<InputRecorder::Mouse> moves;
    int movesBefore = 0;
};

Drag ReadDrag(const std::vector<InputRecorder::Mouse>& events)
{
    Drag drag;
    bool pressed = false;
    for (const InputRecorder::Mouse& event : events) {
        if (event.message == WM_LBUTTONDOWN) {
            drag.down = event.point;
            pressed = true;
        } else if (event.message == WM_LBUTTONUP) {
            drag.up = event.point;
            pressed = false;
        } else if (event.message == WM_MOUSEMOVE) {
            if (pressed)
                drag.moves.push_back(event);
            else if (drag.up.x < 0)
                ++drag.movesBefore;
        }
    }
    return drag;
}

TEST_F(MouseTest, DragMovesInStepsWithTheButtonHeld)
{
    PlaceCursor(120, 300);
    // The second move starts where the first ended (see PlaceCursor).
    OptionScope dragDelay("MouseClickDragDelay", 20);
    Run("MOUSECLICKDRAG", {Text("left"), Int(150), Int(250), Int(350), Int(270)});
    const Drag drag = ReadDrag(recorder.Mice());
    EXPECT_EQ(drag.down.x, 150);
    EXPECT_EQ(drag.down.y, 250);
    EXPECT_EQ(drag.up.x, 350);
    EXPECT_EQ(drag.up.y, 270);
    // Without a speed both moves go in steps, slowing down toward the end.
    EXPECT_GT(drag.movesBefore, 3);
    ASSERT_GT(drag.moves.size(), 20u);
    for (size_t i = 1; i < drag.moves.size(); ++i) {
        EXPECT_GE(drag.moves[i].point.x, drag.moves[i - 1].point.x) << i;
        EXPECT_GE(drag.moves[i].point.y, drag.moves[i - 1].point.y) << i;
    }
    EXPECT_GT(drag.moves[1].point.x - drag.moves[0].point.x, drag.moves.back().point.x - drag.moves[drag.moves.size() - 2].point.x);
    EXPECT_EQ(drag.moves.back().point.x, 350);
    EXPECT_EQ(drag.moves.back().point.y, 270);
    // A pause after each step.
    const DWORD span = drag.moves.back().time - drag.moves.front().time;
    EXPECT_GE(span, (drag.moves.size() - 1) * 15);
    // The window saw the mouse move with its button down (the system merges
    // moves while the window does not read its queue).
    int heldMoves = 0;
    for (const TestWindow::Message& m : window.Messages())
        heldMoves += m.message == WM_MOUSEMOVE && (m.wParam & MK_LBUTTON) ? 1 : 0;
    EXPECT_GE(heldMoves, 1);
    EXPECT_EQ(window.Count(WM_LBUTTONUP), 1);
}

TEST_F(MouseTest, AFasterDragTakesFewerSteps)
{
    OptionScope dragDelay("MouseClickDragDelay", 20);
    PlaceCursor(150, 250);
    Run("MOUSECLICKDRAG", {Text("left"), Int(150), Int(250), Int(350), Int(270), Int(2)});
    const Drag fast = ReadDrag(recorder.Mice());
    PlaceCursor(150, 250);
    Run("MOUSECLICKDRAG", {Text("left"), Int(150), Int(250), Int(350), Int(270), Int(0)});
    const Drag atOnce = ReadDrag(recorder.Mice());   // 0 drags at speed 2 too
    EXPECT_EQ(fast.up.x, 350);
    EXPECT_LT(fast.moves.size(), 20u);
    EXPECT_GT(fast.moves.size(), 3u);
    EXPECT_EQ(atOnce.moves.size(), fast.moves.size());
    EXPECT_EQ(atOnce.movesBefore, 1);
}

TEST_F(MouseTest, CursorShapeOfTheWindowUnderTheCursor)
{
    PlaceCursor(300, 250);
    EXPECT_EQ(Call("MOUSEGETCURSOR").result.GetInt(), 2);   // the arrow
    PlaceCursor(300, 110);                                   // over the edit
    EXPECT_EQ(Call("MOUSEGETCURSOR").result.GetInt(), 5);   // the I-beam
}

}  // namespace
