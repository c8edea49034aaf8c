"""Runs kestrola-replay on a script in a scratch folder and reads back what it printed: the JSON
dumps, the error text, the exit status and the progress log; and builds tables to play on."""
import math
import os
import sys
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
from scratch import BEFORE_THE_IMAGES, Folder  # noqa: E402,F401


def play(script):
    with Folder() as folder:
        return folder.run(script=script)


def cue_ops(dump):
    return [cue["op"] for cue in dump["cues"]]


class ReplayTest(unittest.TestCase):
    def play(self, script, status=0):
        run = play(script)
        self.assertEqual(run.status, status, run.stderr)
        return run


def ball_line(index, **fields):
    return f"set ball {index} " + " ".join(f"{k} {v!r}" if isinstance(v, float) else f"{k} {v}"
                                          for k, v in fields.items()) + "\n"


def table_with(balls, players=1, running=True):
    """A fresh match whose table holds only the given balls ({index: fields}); time is started
    when running, with no tick due, so that 'ticks N' runs exactly N ticks of play."""
    script = "ticks 1\n" + ("click 120 157\n" if players == 1 else "click 120 174\n")
    for index in range(20):
        script += ball_line(index, **balls[index]) if index in balls else \
            f"set ball {index} onTable 0\n"
    if running:
        script += "set buttonState 0 0\nset buttonState 10 0\nkey space\n"
    return script


def ball(dump, index):
    return dump["balls"][index]


def position(b):
    return (b["x"], b["y"])


def velocity(b):
    return (b["vx"], b["vy"])


def look(dump, *names):
    """The dump's values at the dotted names, such as "gameMode", "tools.usesLeft.1" or
    "balls.0.vx": a tuple of them, or the value itself for one name."""
    values = []
    for name in names:
        value = dump
        for key in name.split("."):
            value = value[int(key)] if key.isdigit() else value[key]
        values.append(value)
    return values[0] if len(names) == 1 else tuple(values)


def rolled(vx, vy):
    """The velocity after one tick on the cloth of a ball whose components are each zero or faster
    than half a pixel: each loses half a percent, then the speed is capped at 3, same direction."""
    vx, vy = vx * 0.995, vy * 0.995
    speed = math.sqrt(vx * vx + vy * vy)
    return (vx / speed * 3.0, vy / speed * 3.0) if speed > 3.0 else (vx, vy)
