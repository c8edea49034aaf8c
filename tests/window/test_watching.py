"""A recorded game watched in the game's own window and played on from where it ends: the new
recording is the old one and what followed, and the scripted driver replays it to the state the
game ended in. A recording that cannot be watched is refused with its reason before anything
starts."""
import os
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
from scratch import GAME, Folder  # noqa: E402
from test_recording import state_at_exit, state_of  # noqa: E402
from virtual_display import GameWindow, start_display, stop_display, wait_for  # noqa: E402


def events(recording):
    """The recording's lines but its comments and the way out (F10) at its end."""
    lines = [line for line in recording.splitlines() if line and line[0] != "#"]
    while lines and lines[-1].endswith("f10"):
        lines.pop()
    return lines


class Window(GameWindow):
    """The game's window, whatever its title says: a watched game names its keys there."""

    def find(self):
        found = self.x("xdotool", "search", "--name", "^Kestrola").stdout.split()
        self.id = found[0].decode() if found else None
        return self.id is not None

    def title(self):
        return self.x("xdotool", "getwindowname", self.id).stdout.decode().strip()

    def play(self, moves):
        for move in moves:
            if isinstance(move, str):
                self.x("xdotool", "key", "--window", self.id, move)
            else:
                self.click(*move)
            time.sleep(0.3)


class WatchedAndPlayedOn(unittest.TestCase):
    """Two turns of a two-player match are played and recorded; the recording is watched at 8
    times the speed and handed over at its end, and a third turn is played on."""

    @classmethod
    def setUpClass(cls):
        cls.xvfb, cls.env = start_display("640x480")
        try:
            with Folder() as folder:
                cls.first = cls.run_game(folder, [
                    (120, 190), (120, 140), (120, 140), (120, 212),    # Options: speed 60
                    (120, 174),                                        # two players
                    (45, 85), (90, 160), (75, 140), "space", 1.5,      # a Cue stroke
                    (255, 85),                                         # End turn: player 2
                    (135, 85), (150, 200), "space", 1.5, (255, 85)])   # a Chaos; player 1
                cls.title_after, cls.second = cls.watch(folder, cls.first)
        finally:
            stop_display(cls.xvfb)

    @classmethod
    def run_game(cls, folder, moves, **settings):
        """Plays MOVES (clicks, keys and pauses in seconds) in a recorded game, then F10."""
        path = folder.file("played.rec")
        game = subprocess.Popen([GAME], cwd=folder.path, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL,
                                env=dict(cls.env, KESTROLA_RECORD=path, **settings))
        window = Window(cls.env)
        assert wait_for(window.find, 30), "no window"
        window.x("xdotool", "windowfocus", "--sync", window.id)
        time.sleep(0.5)
        for move in moves:
            if isinstance(move, float):
                time.sleep(move)
            else:
                window.play([move])
        window.key("F10")
        assert game.wait(timeout=30) == 1
        with open(path) as file:
            return file.read()

    @classmethod
    def watch(cls, folder, recording):
        watched = folder.file("watched.rec")
        with open(watched, "w") as file:
            file.write(recording)
        path = folder.file("played-on.rec")
        game = subprocess.Popen([GAME], cwd=folder.path, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL,
                                env=dict(cls.env, KESTROLA_RECORD=path, KESTROLA_WATCH=watched,
                                         KESTROLA_PLAY_ON="1"))
        window = Window(cls.env)
        assert wait_for(window.find, 30), "no window"
        window.x("xdotool", "windowfocus", "--sync", window.id)
        cls.title_watching = window.title()
        window.play(["8", (45, 85), "Return"])     # the person's clicks go nowhere while watching
        assert wait_for(lambda: "to play" in window.title(), 60), window.title()
        title = window.title()
        window.play([(45, 85), (90, 160), (75, 140), "space"])    # player 1's third turn
        time.sleep(1.5)
        window.play([(255, 85)])
        window.key("F10")
        assert game.wait(timeout=30) == 1
        with open(path) as file:
            return title, file.read()

    def test_the_window_names_the_keys_and_then_whose_turn_it_is(self):
        self.assertIn("P pause, 1 2 4 8 speed, B start, N next turn, H play from here",
                      self.title_watching)
        self.assertEqual(self.title_after, "Kestrola: player 1 to play")

    def test_the_new_recording_is_the_old_one_and_what_followed(self):
        # The wait before the old game's way out goes on into the new one's.
        old, new = events(self.first), events(self.second)
        while old[-1].startswith("wait") or old[-1].endswith("f10"):
            old.pop()
        self.assertEqual(self.second.splitlines()[:3], self.first.splitlines()[:3])
        self.assertEqual(new[:len(old)], old)
        self.assertIn("keyup space", new[len(old):], "a turn was played on")

    def test_the_driver_replays_the_played_on_game_to_its_end(self):
        with Folder() as folder:
            run = folder.run(script="\n".join(events(self.second) + ["dump"]) + "\n",
                             timeout=600)
        self.assertEqual(run.status, 0, run.stderr)
        self.assertEqual(state_of(run.last), state_at_exit(self.second))


class RefusedRecordings(unittest.TestCase):
    """Another version's recording, a damaged one, a file that is no recording and a missing
    one: each is refused with its reason, and nothing is started or written. Recordings of games
    against the computer are taken."""

    HEADER = ("# Kestrola, a recorded game: play it with kestrola-replay\n# version 0.1.0\n"
              "# computer: none\n")

    def test_the_computers_seats_as_recordings_name_them_are_taken(self):
        for seats in ("seats 1,2, levels 3,1, seed 5", "seats 2, levels 1, seed 1"):
            with Folder() as folder:
                path = folder.file("given.rec")
                with open(path, "w") as file:
                    file.write(self.HEADER.replace("none", seats) + "wait 5\n")
                game = subprocess.Popen([GAME], cwd=folder.path, stderr=subprocess.PIPE,
                                        text=True, env=dict(os.environ, KESTROLA_WATCH=path,
                                                            SDL_VIDEODRIVER="dummy",
                                                            SDL_AUDIODRIVER="dummy"))
                started = wait_for(lambda: "Program started" in (folder.log() or ""), 10)
                game.kill()
                self.assertTrue(started, seats)
                self.assertEqual(game.communicate()[1], "", seats)

    def refused(self, text):
        with Folder() as folder:
            path = folder.file("given.rec")
            if text is not None:
                with open(path, "w") as file:
                    file.write(text)
            kept = folder.file("kept.rec")
            with open(kept, "w") as file:
                file.write("a recording of an earlier game\n")
            done = subprocess.run([GAME], cwd=folder.path, capture_output=True, text=True,
                                  timeout=30, env=dict(os.environ, KESTROLA_WATCH=path,
                                                       KESTROLA_RECORD=kept,
                                                       SDL_VIDEODRIVER="dummy"))
            with open(kept) as file:
                self.assertEqual(file.read(), "a recording of an earlier game\n")
            self.assertIsNone(folder.log(), "nothing started")
        self.assertEqual(done.returncode, 1)
        return done.stderr

    def test_each_is_refused_with_its_reason(self):
        other = self.HEADER.replace("0.1.0", "0.0.9")
        self.assertEqual(self.refused(other + "wait 5\n"),
                         "kestrola: This recording was made by Kestrola 0.0.9; this is Kestrola "
                         "0.1.0, which cannot replay it exactly.\n")
        for damage, line in (("wait 5\nclick 150 here\n", 5), ("set gameMode 10\n", 4),
                             ("queue wait 3\n", 4), ("motion 3 3 right\n", 4)):
            self.assertIn("This recording is damaged at line %d: " % line,
                          self.refused(self.HEADER + damage), damage)
        self.assertIn("earlier version", self.refused(self.HEADER.replace("# version 0.1.0\n",
                                                                          "")))
        self.assertIn("not a Kestrola recording", self.refused("wait 5\n"))
        self.assertIn("Cannot read the recording", self.refused(None))


if __name__ == "__main__":
    unittest.main()
