"""Plays a long random session (KESTROLA_ALLOCATIONS_SEED, the same one each run unless set)
through kestrola-allocations, which counts every call into the allocator once the first frame
is drawn. The player picks menu rows, tool buttons and places on the table, clicks anywhere,
moves the mouse, presses every key, waits, stalls and lets time run, but never leaves the game;
then the same session again with the computer at both players' places.
A failing session's script is kept in the build folder; the driver replays it too."""
import os
import random
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
from scratch import Folder  # noqa: E402

PROGRAM = os.environ["KESTROLA_ALLOCATIONS"]
REPORT = os.environ.get("KESTROLA_ALLOCATIONS_REPORT", os.getcwd())
SEED = int(os.environ.get("KESTROLA_ALLOCATIONS_SEED", "20261207"))
SESSION_MS = 600000
KEYS = ["space", "return", "escape"] + [chr(c) for c in range(ord("a"), ord("z") + 1)] + \
    [str(d) for d in range(10)]


def on_quit_row(x, y):
    return 90 < x < 200 and 203 <= y < 225


def session(rng):
    lines, ms = [], 0
    while ms < SESSION_MS:
        roll = rng.random()
        if roll < 0.12:  # a start menu row: tutorial, one player, two players, options
            lines.append("click 120 %d" % rng.choice((140, 157, 174, 190)))
        elif roll < 0.18:  # an options row: speed, messages, sound, music
            lines.append("click 120 %d" % rng.choice((140, 160, 178, 195)))
        elif roll < 0.33:  # a tool button of the row shown, or the row switch
            lines.append("click %d 85" % (30 * rng.randrange(10) + 15))
        elif roll < 0.50:  # a place on the table, to apply, aim or cancel
            lines.append("click %d %d%s" % (rng.randrange(35, 265), rng.randrange(135, 265),
                                            " right" if rng.random() < 0.1 else ""))
        elif roll < 0.58:
            x, y = rng.randrange(320), rng.randrange(320)
            if not on_quit_row(x, y):
                lines.append("click %d %d %s" % (x, y, rng.choice(("left", "middle", "right"))))
        elif roll < 0.66:
            lines.append("motion %d %d%s" % (rng.randrange(320), rng.randrange(320),
                                              " left" if rng.random() < 0.2 else ""))
        elif roll < 0.76:
            lines.append("%s %s" % (rng.choice(("key", "key", "key", "keydown", "keyup")),
                                    rng.choice(KEYS)))
        elif roll < 0.86:
            lines.append("wait %d" % rng.randrange(1, 2000))
            ms += int(lines[-1].split()[1])
        elif roll < 0.88:
            lines.append("stall %d" % rng.randrange(400))
        else:
            lines.append("ticks %d" % rng.randrange(1, 400))
            ms += 25 * int(lines[-1].split()[1])
    return "\n".join(lines) + "\n"


# The same session played by people, then with the computer at both players' places (where its
# thinking runs on every pass of a match), at its strongest and its weakest.
PLAYERS = (("people", {"KESTROLA_COMPUTER": ""}),
           ("the computer", {"KESTROLA_COMPUTER": "1,2", "KESTROLA_COMPUTER_LEVEL": "3,1"}))


def main():
    script = session(random.Random(SEED))
    failed = 0
    for who, settings in PLAYERS:
        with Folder() as folder:
            with open(folder.file("session"), "w") as file:
                file.write(script)
            run = folder.run([PROGRAM, "session"], timeout=600, **settings)
        print("played by %s:\n%s" % (who, run.stdout + run.stderr))
        if run.status != 0:
            kept = os.path.join(REPORT, "allocations-%d.script" % SEED)
            with open(kept, "w") as file:
                file.write(script)
            print("allocations: the session's script is kept in %s (played with %s)"
                  % (kept, " ".join("%s=%s" % item for item in settings.items())))
            failed = run.status
    return failed


if __name__ == "__main__":
    sys.exit(main())
