"""The game in a real X window on a virtual display: it opens a 300 x 300 window titled
Kestrola, draws the start menu into it, answers the mouse and the keyboard as a player uses
them, shows exactly the pixels the scripted driver composes for the same state, and F10 ends
it with status 1 and its log complete (the recorded flows and the installed game leave by the
Quit entry and by closing the window). Started once, the program opens its log and each of its pictures, tracks and
effects exactly once."""
import collections
import os
import re
import signal
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
import bmp  # noqa: E402
from scratch import ASSET_FOLDERS, ASSETS, BEFORE_THE_IMAGES, GAME, Folder  # noqa: E402
from virtual_display import GameWindow, start_display, stop_display, wait_for  # noqa: E402

SIZE = 300
# The decorative ball rolls along the bottom of the menus, below this row.
MENU_BALL_BAND = 250


class RealWindow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.xvfb, cls.env = start_display("640x480")

    @classmethod
    def tearDownClass(cls):
        stop_display(cls.xvfb)

    def setUp(self):
        self.folder = Folder()
        self.addCleanup(self.folder.__exit__)
        self.window = GameWindow(self.env)
        # The pointer waits outside where the window will open, so no row is highlighted.
        self.window.x("xdotool", "mousemove", "600", "440")
        self.started = time.time()
        self.game = subprocess.Popen([GAME], cwd=self.folder.path, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.addCleanup(self.stop_game)
        self.assertTrue(wait_for(self.window.find, seconds=30.0),
                        "no window titled Kestrola appeared (game status %s, log: %r)"
                        % (self.game.poll(), self.folder.log()))
        # The main loop runs once the first frame is drawn and the menu music started.
        self.assertTrue(wait_for(lambda: len(self.window.colours()) > 200),
                        "the window holds no artwork")

    def stop_game(self):
        if self.game.poll() is None:
            self.game.kill()
            self.game.wait()

    def wait_for_pixels(self, expected, rows=SIZE, seconds=60.0):
        """Waits until the window shows the expected pixels in its top rows; fails naming how
        many pixels still differ."""
        length = rows * SIZE * 3
        seen = [b""]

        def shown():
            seen[0] = self.window.rgb()[:length]
            return seen[0] == expected[:length]
        if not wait_for(shown, seconds):
            differ = sum(seen[0][i:i + 3] != expected[i:i + 3] for i in range(0, length, 3)) \
                if len(seen[0]) == length else "all"
            self.fail("the window never showed the driver's picture: %s pixels differ" % differ)

    def driver_shots(self, script):
        """Runs the scripted driver on the same assets; returns every picture its 'shot' lines
        saved, in order, as rows of R, G, B bytes."""
        with Folder() as folder:
            run = folder.run(script=script, timeout=300)
            self.assertEqual(run.status, 0, run.stderr)
            shots = sorted((int(name[4:-4]), name) for name in os.listdir(folder.path)
                           if name.startswith("shot"))
            return [bmp.rgb(folder.file(name)) for _, name in shots]

    def clicks(self, points):
        """Clicks the window at each point; returns the driver script for the same clicks."""
        for x, y in points:
            self.window.click(x, y)
        return "".join("motion %d %d\nclick %d %d\n" % (x, y, x, y) for x, y in points)

    def ends_with_status_1(self, log):
        self.assertEqual(self.game.wait(timeout=30), 1)
        self.assertEqual(self.folder.log(), log)

    def test_the_start_menu_at_its_size_shows_the_drivers_picture_of_the_same_moment(self):
        self.assertEqual(self.window.geometry(), "300x300")
        # Held still, the window shows the frame of some tick; the driver composes the frame of
        # every tick up to the most that can have run, and one of them must match exactly.
        self.game.send_signal(signal.SIGSTOP)
        try:
            shown = self.window.rgb()
            elapsed_ms = (time.time() - self.started) * 1000
        finally:
            self.game.send_signal(signal.SIGCONT)
        most = min(int(elapsed_ms / 25) + 3, 3000)
        shots = self.driver_shots("shot shot0.bmp\n" + "".join(
            "ticks 1\nshot shot%d.bmp\n" % n for n in range(1, most + 1)))
        self.assertEqual(len(shown), SIZE * SIZE * 3)
        if shown not in shots:
            def differing(shot):
                return [i // 3 for i in range(0, len(shown), 3) if shown[i:i + 3] != shot[i:i + 3]]
            closest = min((differing(shot) for shot in shots), key=len)
            rows = sorted({i // SIZE for i in closest})
            self.fail("no frame of the first %d ticks matches the window: the closest differs "
                      "in %d pixels, rows %s" % (most, len(closest), rows[:20]))
        # Above the decorative ball every frame of the start menu is the same.
        self.assertEqual(shown[:MENU_BALL_BAND * SIZE * 3], shots[0][:MENU_BALL_BAND * SIZE * 3])

    def test_a_one_player_match_paused_then_a_cue_stroke_a_placed_tool_and_the_turn_end(self):
        self.window.click(120, 157)
        # The paused table: nothing moves, so the whole window is the driver's picture.
        stroke = [(45, 85), (90, 160), (60, 140), (165, 85), (200, 220)]
        script = "motion 120 157\nclick 120 157\nticks 3\nshot shot1.bmp\n"
        script += "".join("motion %d %d\nclick %d %d\n" % (x, y, x, y) for x, y in stroke)
        script += "key space\nsettle\nticks 3\nkey a\nticks 2\nshot shot2.bmp\n"
        paused, turn_over = self.driver_shots(script)
        self.wait_for_pixels(paused)
        self.clicks(stroke)
        self.window.key("space")
        # The balls roll in real time; the last to stop ends the turn. A key then has the
        # whole window drawn again.
        table = turn_over[100 * SIZE * 3:]
        self.assertTrue(wait_for(lambda: self.window.rgb()[100 * SIZE * 3:] == table, 120),
                        "the turn never ended on the driver's table")
        self.window.key("a")
        self.wait_for_pixels(turn_over)
        self.window.key("F10")
        self.ends_with_status_1(BEFORE_THE_IMAGES + "preparing field\n")

# A file opened, as strace writes the call: the path is the first quoted argument. Opened from
# another thread while one call is under way, the call is cut in two and the path stays in the
# first half.
OPENING = re.compile(r'\b(?:open|openat|openat2|creat)\((?:[^,"]*, )?"((?:[^"\\]|\\.)*)"')


class StartsOnce(unittest.TestCase):
    # A failure lists each file opened other than once.
    maxDiff = None

    def test_the_log_and_every_picture_track_and_effect_are_opened_exactly_once(self):
        xvfb, env = start_display("640x480")
        self.addCleanup(stop_display, xvfb)
        folder = Folder()
        self.addCleanup(folder.__exit__)
        trace = folder.file("opened.trace")
        game = subprocess.Popen(["strace", "-f", "-qq", "-s", "4096", "-o", trace,
                                 "-e", "trace=?open,openat,?openat2,?creat", GAME],
                                cwd=folder.path, env=env, stdout=subprocess.DEVNULL,
                                stderr=subprocess.PIPE, text=True)

        # Ended by a signal it may catch, strace ends the game with the same signal.
        def stop_game():
            if game.poll() is None:
                game.terminate()
                game.communicate()
        self.addCleanup(stop_game)
        window = GameWindow(env)
        self.assertTrue(wait_for(window.find, seconds=30.0),
                        "no window titled Kestrola appeared (status %s)" % game.poll())
        # Whatever the program opens before its main loop has been opened once the loop runs,
        # and the loop rolls the menu's ball: two pictures of the menu that differ below the
        # band. The first frame alone is drawn halfway through the start-up.
        band = MENU_BALL_BAND * SIZE * 3
        menus = []

        def ball_rolled():
            shown = window.rgb()
            if len({shown[i:i + 3] for i in range(0, len(shown), 3)}) > 200:
                menus.append(shown[band:])
            return len(set(menus)) > 1
        self.assertTrue(wait_for(ball_rolled, seconds=30.0), "the menu's ball never rolled")
        window.key("F10")
        errors = game.communicate(timeout=30)[1]
        self.assertEqual(game.returncode, 1, errors)
        self.assertEqual(folder.log(), BEFORE_THE_IMAGES)

        opened = collections.Counter()
        with open(trace) as file:
            for path in OPENING.findall(file.read()):
                path = os.path.relpath(path, folder.path) if os.path.isabs(path) \
                    else os.path.normpath(path)
                if path == "logFile.txt" or path.split(os.sep)[0] in ASSET_FOLDERS:
                    opened[path] += 1
        files = ["logFile.txt"]
        for name in ASSET_FOLDERS:
            entries = os.listdir(os.path.join(ASSETS, name))
            self.assertTrue(entries, "the build made no %s" % name)
            files += [os.path.join(name, entry) for entry in entries]
        # Any file opened twice, or never, or not one of these, with the times it was: none.
        self.assertEqual({path: opened[path] for path in set(files) | set(opened)
                          if opened[path] != 1}, {})


if __name__ == "__main__":
    unittest.main()
