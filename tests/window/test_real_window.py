"""The game in a real X window on a virtual display: it opens a 300 x 300 window titled
Kestrola, draws the start menu into it, answers the mouse and the keyboard, and F10 or closing
the window ends it with status 1."""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

GAME = os.environ.get("KESTROLA_GAME", "kestrola")
ASSETS = os.environ.get("KESTROLA_ASSET_DIR", ".")


def wait_for(condition, seconds=10.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return False


class RealWindow(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Xvfb picks a free display and names it on the pipe.
        # -noreset: without it the server resets when the last client leaves, and a game
        # started during the reset finds no display.
        cls.xvfb = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "640x480x24",
                                     "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE,
                                    stderr=subprocess.DEVNULL, text=True)
        display = ":" + cls.xvfb.stdout.readline().strip()
        cls.env = dict(os.environ, DISPLAY=display, SDL_AUDIODRIVER="dummy")
        cls.env.pop("SDL_VIDEODRIVER", None)
        up = wait_for(lambda: subprocess.run(["xdpyinfo"], env=cls.env, capture_output=True)
                      .returncode == 0)
        assert up, "the virtual display did not start"

    @classmethod
    def tearDownClass(cls):
        cls.xvfb.terminate()
        cls.xvfb.wait()

    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="kestrola-window-")
        for name in ("Images", "Music", "Sfx"):
            os.symlink(os.path.join(ASSETS, name), os.path.join(self.folder, name))
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


if __name__ == "__main__":
    unittest.main()
