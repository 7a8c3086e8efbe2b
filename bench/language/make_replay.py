"""Writes the replay program of the language benchmark into a folder:
replay.txt, a macro file of 10,000 recorded-style script lines (mouse moves
and clicks, keys, typed text and short waits, bound to recorded windows,
some marked for removal at the faster speed), and replay.py, the same steps
as Python calls of functions that stand in for the builtins.

    python3 make_replay.py <folder>
"""
import os
import sys

LINES = 10000


def step(i):
    """The i-th step: (script line, Python statement or None when the faster
    speed drops it)."""
    window = (i // 40) % 3
    kind = i % 10
    if kind == 0:
        return ("MouseMove(%d, %d)-> At Win [%d]=> [remove on faster speed]" % (100 + i % 700, 80 + i % 500, window),
                None)
    if kind == 1:
        return ("WAIT(%d)=> [remove on faster speed]" % (16 + i % 180), None)
    if kind == 2:
        x, y = 120 + i % 640, 90 + i % 480
        return ("MouseMove(%d, %d)-> At Win [%d]" % (x, y, window), "mouse_move(%d, %d)" % (x, y))
    if kind == 3:
        return ('MouseClick("left", 1)-> At Win [%d]' % window, 'mouse_click("left", 1)')
    if kind == 4:
        ms = 20 + i % 180
        return ("WAIT(%d)" % ms, "wait(%d)" % ms)
    if kind == 5:
        return ('KeyDown("","","","Shift", 1)-> At Win [%d]' % window, 'key_down("", "", "", "Shift", 1)')
    if kind == 6:
        key = chr(ord("A") + i % 26)
        return ('KeySend("","","","%s", 1)-> At Win [%d]' % (key, window), 'key_send("", "", "", "%s", 1)' % key)
    if kind == 7:
        return ('KeyUp("","","","Shift", 1)-> At Win [%d]' % window, 'key_up("", "", "", "Shift", 1)')
    if kind == 8:
        return ('Send("Order %d shipped", 1)-> At Win [%d]' % (i, window), 'send("Order %d shipped", 1)' % i)
    if i % 20 == 9:
        return ("Comment: ==== step %d ====" % i, None)
    ms = 50 + i % 150
    return ("WAIT(%d)" % ms, "wait(%d)" % ms)


PYTHON_HEAD = '''# The replay program: the recorded steps that the faster speed keeps, each a
# call of a function standing in for the builtin (argument checks only).
import time
start = time.perf_counter()
state = {"x": 0, "y": 0, "keys": 0, "typed": 0}
def mouse_move(x, y, speed=10):
    state["x"], state["y"] = int(x), int(y)
def mouse_click(button, clicks=1):
    if button not in ("left", "right", "middle"):
        raise ValueError(button)
def wait(ms):
    if ms > 200:
        time.sleep(ms / 1000)
def key_send(a, b, c, key, count=1):
    state["keys"] += int(count)
key_down = key_send
key_up = key_send
def send(text, raw=0):
    state["typed"] += len(str(text))
'''


def main():
    folder = sys.argv[1]
    steps = [step(i) for i in range(LINES)]
    with open(os.path.join(folder, "replay.txt"), "w", newline="\r\n") as macro:
        macro.write("[General]\nName=replay\nStartKey=None\nEndKey=None\nDescription=\nEnable=0\n"
                    "RepeatOption=0\nRepeatTimes=1\nOriginalSpeed=1\nUseSimilarWin=0\nUseHalvane=0\n"
                    "TriggerRobot=\n[Script]\n")
        for line, _ in steps:
            macro.write(line + "\n")
        macro.write("[HalvaneInfo]\n")
        for window in range(3):
            macro.write("WinIndex=%d\nWinTitle=Window %d\nWinPath=C:\\windows\\notepad.exe\n"
                        "WinParentLevel=0\nWinRect=0,0,400,300\n" % (window, window))
    with open(os.path.join(folder, "replay.py"), "w") as program:
        program.write(PYTHON_HEAD)
        for _, statement in steps:
            if statement:
                program.write(statement + "\n")
        program.write("print(time.perf_counter() - start)\n")


main()
