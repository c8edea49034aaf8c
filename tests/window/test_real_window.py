"""The game in a real X window on a virtual display: it opens a 300 x 300 window titled
Kestrola, draws the start menu into it, answers the mouse and the keyboard as a player uses
them, shows exactly the pixels the scripted driver composes for the same state, and every way
out ends it with status 1 and its log complete."""
import os
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
from virtual_display import start_display, wait_for  # noqa: E402

GAME = os.environ.get("KESTROLA_GAME", "kestrola")
REPLAY = os.environ.get("KESTROLA_REPLAY", "kestrola-replay")
ASSETS = os.environ.get("KESTROLA_ASSET_DIR", ".")
SIZE = 300

BEFORE_THE_IMAGES = ("audio mixer successfully initialized\n"
                     "screen successfully initialized\n"
                     "Program started\n"
                     "begin initializing images\n")
# The decorative ball rolls along the bottom of the menus, below this row.
MENU_BALL_BAND = 250


def bmp_rgb(path):
    """The pixels of a 24- or 32-bit BMP as rows of R, G, B bytes from the top."""
    with open(path, "rb") as file:
        data = file.read()
    offset, = struct.unpack_from("<I", data, 10)
    width, height, _, bits = struct.unpack_from("<iiHH", data, 18)
    step = bits // 8
    pitch = (width * step + 3) & ~3
    rows = []
    for y in range(abs(height)):
        row = data[offset + y * pitch:offset + y * pitch + width * step]
        rgb = bytearray(width * 3)
        rgb[0::3], rgb[1::3], rgb[2::3] = row[2::step], row[1::step], row[0::step]
        rows.append(bytes(rgb))
    if height > 0:
        rows.reverse()
    return b"".join(rows)


class RealWindow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.xvfb, cls.env = start_display("640x480")

    @classmethod
    def tearDownClass(cls):
        cls.xvfb.terminate()
        cls.xvfb.wait()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="kestrola-window-")
        for name in ("Images", "Music", "Sfx"):
            os.symlink(os.path.join(ASSETS, name), os.path.join(self.folder, name))
        # The pointer waits outside where the window will open, so no row is highlighted.
        self.x("xdotool", "mousemove", "600", "440")
        self.started = time.time()
        self.game = subprocess.Popen([GAME], cwd=self.folder, env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.window = None
        found = wait_for(self.find_window, seconds=30.0)
        self.assertTrue(found, "no window titled Kestrola appeared (game status %s, log: %r)"
                        % (self.game.poll(), self.log_if_any()))
        # The main loop runs once the first frame is drawn and the menu music started.
        self.assertTrue(wait_for(lambda: len(self.pixel_colours()) > 200),
                        "the window holds no artwork")

    def tearDown(self):
        if self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        shutil.rmtree(self.folder, ignore_errors=True)

    def x(self, *args):
        return subprocess.run(list(args), env=self.env, capture_output=True, text=True)

    def window_rgb(self):
        """The window's pixels as read back from the X server: rows of R, G, B bytes."""
        path = os.path.join(self.folder, "window.rgb")
        self.x("import", "-window", self.window, "-depth", "8", "rgb:" + path)
        with open(path, "rb") as file:
            return file.read()

    def click(self, x, y, button="1"):
        self.x("xdotool", "mousemove", "--window", self.window, str(x), str(y), "click", button)

    def key(self, name):
        self.x("xdotool", "windowfocus", "--sync", self.window)
        self.x("xdotool", "key", "--window", self.window, name)

    def wait_for_pixels(self, expected, rows=SIZE, seconds=60.0):
        """Waits until the window shows the expected pixels in its top rows; fails naming how
        many pixels still differ."""
        length = rows * SIZE * 3
        seen = [b""]

        def shown():
            seen[0] = self.window_rgb()[:length]
            return seen[0] == expected[:length]
        if not wait_for(shown, seconds):
            differ = sum(seen[0][i:i + 3] != expected[i:i + 3] for i in range(0, length, 3)) \
                if len(seen[0]) == length else "all"
            self.fail("the window never showed the driver's picture: %s pixels differ" % differ)

    def driver_shots(self, script):
        """Runs the scripted driver on the same assets; returns every picture its 'shot' lines
        saved, in order, as rows of R, G, B bytes."""
        folder = tempfile.mkdtemp(prefix="kestrola-window-driver-")
        try:
            for name in ("Images", "Music", "Sfx"):
                os.symlink(os.path.join(ASSETS, name), os.path.join(folder, name))
            done = subprocess.run([REPLAY, "-"], input=script, cwd=folder, capture_output=True,
                                  text=True, env=dict(os.environ, SDL_VIDEODRIVER="dummy",
                                                      SDL_AUDIODRIVER="dummy"), timeout=300)
            self.assertEqual(done.returncode, 0, done.stderr)
            shots = sorted((int(name[4:-4]), name) for name in os.listdir(folder)
                           if name.startswith("shot"))
            return [bmp_rgb(os.path.join(folder, name)) for _, name in shots]
        finally:
            shutil.rmtree(folder, ignore_errors=True)

    def ends_with_status_1(self, log):
        self.assertEqual(self.game.wait(timeout=30), 1)
        self.assertEqual(self.log(), log)

    def find_window(self):
        found = self.x("xdotool", "search", "--name", "^Kestrola$").stdout.split()
        self.window = found[0] if found else None
        return self.window is not None

    def pixel_colours(self):
        """The distinct colours of the window, read back from the X server."""
        shot = os.path.join(self.folder, "window.txt")
        self.x("import", "-window", self.window, "-depth", "8", shot)
        with open(shot) as text:
            return {line.split()[2] for line in text if not line.startswith("#")}

    def log_if_any(self):
        try:
            return self.log()
        except OSError:
            return None

    def log(self):
        with open(os.path.join(self.folder, "logFile.txt")) as file:
            return file.read()

    def test_the_window_shows_the_start_menu_at_its_size(self):
        geometry = self.x("xdotool", "getwindowgeometry", self.window).stdout
        self.assertIn("Geometry: 300x300", geometry)
        self.assertTrue(self.log().startswith("audio mixer successfully initialized\n"
                                              "screen successfully initialized\n"
                                              "Program started\n"
                                              "begin initializing images\n"))

    def test_f10_ends_the_game_with_status_1(self):
        self.x("xdotool", "windowfocus", "--sync", self.window)
        self.x("xdotool", "key", "--window", self.window, "F10")
        self.assertEqual(self.game.wait(timeout=10), 1)

    def test_a_click_on_one_player_starts_a_match_and_closing_the_window_quits(self):
        self.x("xdotool", "mousemove", "--window", self.window, "120", "157", "click", "1")
        self.assertTrue(wait_for(lambda: "preparing field" in self.log()))
        self.x("xdotool", "windowclose", self.window)
        self.assertEqual(self.game.wait(timeout=10), 1)

    def test_the_start_menu_shows_the_drivers_picture_of_the_same_moment(self):
        # Held still, the window shows the frame of some tick; the driver composes the frame of
        # every tick up to the most that can have run, and one of them must match exactly.
        self.game.send_signal(signal.SIGSTOP)
        try:
            shown = self.window_rgb()
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

    def test_the_options_cycle_the_speed_and_toggle_sound_and_music(self):
        clicks = [(120, 190), (120, 140), (120, 140), (120, 178), (120, 195)]
        for x, y in clicks:
            self.click(x, y)
        script = "".join("motion %d %d\nclick %d %d\n" % (x, y, x, y) for x, y in clicks)
        expected = self.driver_shots(script + "ticks 2\nshot shot1.bmp\n")[0]
        # The option values and the highlight as the driver draws them; the ball rolls below.
        self.wait_for_pixels(expected, rows=MENU_BALL_BAND)
        self.click(120, 212)
        self.click(120, 208)
        self.ends_with_status_1(BEFORE_THE_IMAGES)

    def test_a_one_player_match_paused_then_a_cue_stroke_a_placed_tool_and_the_turn_end(self):
        start = [(120, 157)]
        for x, y in start:
            self.click(x, y)
        # The paused table: nothing moves, so the whole window is the driver's picture.
        stroke = [(45, 85), (90, 160), (60, 140), (165, 85), (200, 220)]
        script = "motion 120 157\nclick 120 157\nticks 3\nshot shot1.bmp\n"
        script += "".join("motion %d %d\nclick %d %d\n" % (x, y, x, y) for x, y in stroke)
        script += "key space\nsettle\nticks 3\nkey a\nticks 2\nshot shot2.bmp\n"
        paused, turn_over = self.driver_shots(script)
        self.wait_for_pixels(paused)
        for x, y in stroke:
            self.click(x, y)
        self.key("space")
        # The balls roll in real time; the last to stop ends the turn. A key then has the
        # whole window drawn again.
        table = turn_over[100 * SIZE * 3:]
        self.assertTrue(wait_for(lambda: self.window_rgb()[100 * SIZE * 3:] == table, 120),
                        "the turn never ended on the driver's table")
        self.key("a")
        self.wait_for_pixels(turn_over)
        self.key("F10")
        self.ends_with_status_1(BEFORE_THE_IMAGES + "preparing field\n")

    def test_the_tutorials_first_pages_turn_on_enter(self):
        self.click(120, 140)
        for _ in range(4):
            self.key("Return")
        expected = self.driver_shots("motion 120 140\nclick 120 140\n" + "key return\n" * 4 +
                                     "ticks 2\nshot shot1.bmp\n")[0]
        self.wait_for_pixels(expected)
        self.x("xdotool", "windowclose", self.window)
        self.ends_with_status_1(BEFORE_THE_IMAGES + "preparing field\n")

    def test_the_quit_entry_ends_the_game_with_status_1(self):
        self.click(120, 210)
        self.ends_with_status_1(BEFORE_THE_IMAGES)

    def test_escape_from_a_two_player_match_then_f10(self):
        self.click(120, 174)
        self.assertTrue(wait_for(lambda: "preparing field" in self.log()))
        self.key("Escape")
        self.click(120, 157)
        self.assertTrue(wait_for(lambda: self.log().count("preparing field") == 2))
        self.key("F10")
        self.ends_with_status_1(BEFORE_THE_IMAGES + "preparing field\n" * 2)


if __name__ == "__main__":
    unittest.main()
