"""A virtual X display of the test's own, for the tests that open the game's real window, and
the game's window on it as the X tools see and drive it."""
import os
import subprocess
import time


def wait_for(condition, seconds=10.0):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if condition():
            return True
        time.sleep(0.05)
    return False


def start_display(size):
    """A virtual display of SIZE ("WxH"); returns the server and an environment that names it
    and leaves out every setting of the caller's that would change the window.
    -noreset: without it the server resets when the last client leaves, and a game started
    during the reset finds no display."""
    # Xvfb picks a free display and names it on the pipe.
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", size + "x24",
                               "-nolisten", "tcp", "-noreset"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL, text=True)
    env = dict(os.environ, DISPLAY=":" + server.stdout.readline().strip(),
               SDL_AUDIODRIVER="dummy")
    for name in ("SDL_VIDEODRIVER", "KESTROLA_SCALE", "XDG_DATA_HOME"):
        env.pop(name, None)
    up = wait_for(lambda: subprocess.run(["xdpyinfo"], env=env, capture_output=True)
                  .returncode == 0)
    assert up, "the virtual display did not start"
    return server, env


def stop_display(server):
    server.terminate()
    server.wait()
    server.stdout.close()


class GameWindow:
    """The window titled Kestrola on the display of env, once it is there."""

    def __init__(self, env):
        self.env = env
        self.id = None

    def x(self, *args):
        return subprocess.run(list(args), env=self.env, capture_output=True)

    def find(self):
        found = self.x("xdotool", "search", "--name", "^Kestrola$").stdout.split()
        self.id = found[0].decode() if found else None
        return self.id is not None

    def geometry(self):
        """The window's size as "WxH", or None while no window answers."""
        if not self.find():
            return None
        sizes = [line.split()[1] for line in self.x("xdotool", "getwindowgeometry", self.id)
                 .stdout.decode().splitlines() if "Geometry:" in line]
        return sizes[0] if sizes else None

    def rgb(self):
        """The window's pixels as read back from the X server: rows of R, G, B bytes."""
        return self.x("import", "-window", self.id, "-depth", "8", "rgb:-").stdout

    def colours(self):
        shown = self.rgb()
        return {shown[i:i + 3] for i in range(0, len(shown), 3)}

    def click(self, x, y, button="1"):
        self.x("xdotool", "mousemove", "--window", self.id, str(x), str(y), "click", button)

    def key(self, name):
        self.x("xdotool", "windowfocus", "--sync", self.id)
        self.x("xdotool", "key", "--window", self.id, name)

    def close(self):
        self.x("xdotool", "windowclose", self.id)
