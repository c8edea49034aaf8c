"""A virtual X display of the test's own, for the tests that open the game's real window."""
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
