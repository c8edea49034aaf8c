"""A game played by hand in a real window, recorded as it runs and played again by the scripted
driver: the replay ends in the very state the game ended in, on the very picture the window
showed. (A recording is a script: the driver's refusal of a line it cannot read is in
tests/replay/test_shell.py.)"""
import json
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
import bmp  # noqa: E402
from scratch import GAME, Folder  # noqa: E402
from virtual_display import GameWindow, start_display, stop_display, wait_for  # noqa: E402


def state_at_exit(recording):
    """The state the game wrote as it ended: (gameMode, turn, player, points), the balls'
    position, velocity, value and place, exactly, and the two lines of the message strip."""
    lines = [line[2:] for line in recording.splitlines() if line.startswith("# ")]
    head = next(line for line in lines if line.startswith("at exit:")).replace(",", "").split()
    game = (int(head[3]), int(head[5]), int(head[7]), [int(head[9]), int(head[10])])
    balls = []
    for line in lines:
        if line.startswith("ball "):
            words = line.split()
            balls.append(tuple(float(w) for w in words[2:6]) + (int(words[7]), int(words[9])))
    messages = {line.split(":", 1)[0][8:]: line.split(": ", 1)[1] if ": " in line else ""
                for line in lines if line.startswith("message ")}
    return game, balls, messages


def state_of(dump):
    match = dump["match"]
    game = (dump["gameMode"], match["turnNumber"], match["currentPlayer"], match["points"])
    balls = [(b["x"], b["y"], b["vx"], b["vy"], b["value"], b["onTable"]) for b in dump["balls"]]
    return game, balls, dump["messages"]


class PlayedInAWindow(unittest.TestCase):
    """A game played once in a real window on its own display, for all the class's checks: its
    recording and the window's last picture."""

    @classmethod
    def setUpClass(cls):
        cls.xvfb, cls.env = start_display("640x480")
        try:
            with Folder() as folder:
                cls.recording, cls.window = cls.play(folder)
        finally:
            stop_display(cls.xvfb)


class RecordedGame(PlayedInAWindow):

    @staticmethod
    def play(folder):
        """Menus, the options with the music left on (its track changes draw on chance), a
        two-player match of three turns with a Cue, a Fan, a Chaos and End turn, a pause in the
        middle of a turn, then the tutorial's first pages; F10 ends it."""
        env = RecordedGame.env
        path = folder.file("game.rec")
        game = subprocess.Popen([GAME], cwd=folder.path, env=dict(env, KESTROLA_RECORD=path),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        window = GameWindow(env)
        assert wait_for(window.find, 30), "no window"
        window.x("xdotool", "windowfocus", "--sync", window.id)

        def click(x, y, pause=0.25, button="1"):
            window.click(x, y, button)
            time.sleep(pause)

        def key(name, pause=0.25):
            window.x("xdotool", "key", "--window", window.id, name)
            time.sleep(pause)
        time.sleep(0.5)
        click(120, 190)                    # Options
        click(120, 140)                    # a faster game
        click(120, 160)                    # the hints off
        click(120, 212, 0.5)               # back
        click(120, 174, 0.5)               # two players
        click(45, 85), click(90, 160), click(75, 140)          # a Cue stroke up and left
        click(75, 85), click(150, 230), click(200, 230)        # a Fan blowing right
        key("space", 1.5)
        click(150, 85)                     # paused mid-turn, with a Reflect block in hand
        click(200, 200, button="3")        # and dropped again
        key("space", 1.0)
        click(285, 85), click(255, 85)     # paused again, and End turn: player 2 to move
        click(135, 85), click(150, 200)    # Chaos
        key("space", 2.0)
        click(255, 85, 0.5)                # End turn again: player 1
        click(15, 85, 0.5)                 # time cannot start on a table at rest
        key("Escape", 0.5)
        click(120, 140, 0.5)               # the tutorial
        key("Return"), key("Return"), key("Return", 1.0)
        picture = window.rgb()
        key("F10")
        assert game.wait(timeout=30) == 1
        with open(path) as file:
            return file.read(), picture

    def test_the_driver_replays_the_recording_to_the_same_state_and_picture(self):
        lines = self.recording.splitlines()
        self.assertNotIn("set", {line.split()[0] for line in lines if line and line[0] != "#"})
        for needed in ("click 150 85", "queue motion", "keydown space", "keyup return", "stall"):
            self.assertTrue(any(needed in line for line in lines), needed)
        # Before its last pass, the replay looks at the game as the window showed it last.
        end = next(i for i, line in enumerate(lines) if line.endswith("keydown f10"))
        with Folder() as folder:
            run = folder.run(script="\n".join(lines[:end] + ["shot last.bmp", "dump"] +
                                              lines[end:]) + "\n", timeout=600)
            self.assertEqual(run.status, 1, run.stderr)
            picture = bmp.rgb(folder.file("last.bmp"))
        self.assertEqual(state_of(run.last), state_at_exit(self.recording))
        for turn in ("Player 2, your turn now", "Player 1, now it is your turn"):
            self.assertIn(turn, run.last["pushed"], "several turns were played")
        tracks = [cue["name"] for cue in run.last["cues"] if cue["op"] == "playMusic"]
        self.assertGreaterEqual(len(set(tracks)), 2, "the music played, and changed")
        differing = sum(picture[i:i + 3] != self.window[i:i + 3] for i in range(0, 270000, 3))
        self.assertEqual(differing, 0, "pixels differ from the window's last picture")


class RecordedGameAgainstTheComputer(PlayedInAWindow):
    """The computer plays both players of a match in the window while a person clicks, moves the
    mouse and presses keys over it; Escape leaves the match and F10 the game. The recording holds the computer's
    events like a person's and none of the person's, and replays exactly without the computer."""

    @classmethod
    def play(cls, folder):
        path = folder.file("game.rec")
        env = dict(cls.env, KESTROLA_RECORD=path, KESTROLA_COMPUTER="1,2",
                   KESTROLA_COMPUTER_LEVEL="1", KESTROLA_COMPUTER_SEED="")
        game = subprocess.Popen([GAME], cwd=folder.path, env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL)
        window = GameWindow(cls.env)
        assert wait_for(window.find, 30), "no window"
        window.x("xdotool", "windowfocus", "--sync", window.id)
        time.sleep(0.5)
        window.click(120, 190)             # Options
        window.click(120, 140)             # faster: 50 ticks a second
        window.click(120, 140)             # and 60
        window.click(120, 212)             # back
        time.sleep(0.5)
        window.click(120, 174)             # two players, both the computer's

        def recorded():
            with open(path) as file:
                return file.read()

        # Until player 2 has started time too: the first turn was played to its end. Meanwhile
        # a person presses a tool, clicks the table and the time button, and a key.
        deadline = time.monotonic() + 120
        while recorded().count("keyup space") < 2 and time.monotonic() < deadline:
            for x, y in ((3, 3), (45, 85), (150, 200), (15, 85)):
                window.click(x, y)
            window.key("b")
            time.sleep(0.3)
        time.sleep(1.0)
        window.key("Escape")
        time.sleep(0.5)
        window.click(120, 140)             # the tutorial's first page, which stands still
        time.sleep(1.0)
        picture = window.rgb()
        window.key("F10")
        assert game.wait(timeout=30) == 1
        return recorded(), picture

    def test_the_computers_events_are_recorded_and_none_of_the_persons(self):
        lines = [line for line in self.recording.splitlines() if line and line[0] != "#"]
        self.assertGreaterEqual(sum(line.endswith("keyup space") for line in lines), 2,
                                "both players' turns began")
        clicks = [line.split()[-2:] for line in lines
                  if line.split()[0] == "click" or line.startswith("queue click")]
        self.assertTrue(any(int(y) >= 126 for _, y in clicks), "the computer clicked the table")
        comments = [line for line in self.recording.splitlines() if line.startswith("# ")]
        self.assertEqual(comments[1:4], ["# version 0.1.0",
                                         "# computer: seats 1,2, levels 1, seed 1",
                                         "# Replay this without KESTROLA_COMPUTER: the "
                                         "computer's moves are here."])
        for persons in ("click 3 3", "motion 3 3", "keydown b", "keyup b"):
            self.assertFalse(any(line.endswith(persons) for line in lines), persons)

    def test_the_recording_replays_exactly_without_the_computer(self):
        lines = self.recording.splitlines()
        end = next(i for i, line in enumerate(lines) if line.endswith("keydown f10"))
        with Folder() as folder:
            run = folder.run(script="\n".join(lines[:end] + ["shot last.bmp", "dump"] +
                                              lines[end:]) + "\n", timeout=600,
                             KESTROLA_COMPUTER="")
            self.assertEqual(run.status, 1, run.stderr)
            picture = bmp.rgb(folder.file("last.bmp"))
        self.assertNotIn("computer", run.log)
        self.assertGreaterEqual(state_at_exit(self.recording)[0][0], 100,
                                "Escape left the match for the menu, and the tutorial started")
        self.assertEqual(state_of(run.last), state_at_exit(self.recording))
        self.assertIn("Player 2, your turn now", run.last["pushed"], "a whole turn was played")
        differing = sum(picture[i:i + 3] != self.window[i:i + 3] for i in range(0, 270000, 3))
        self.assertEqual(differing, 0, "pixels differ from the window's last picture")


if __name__ == "__main__":
    unittest.main()
