"""Runs kestrola-replay on a script in a scratch copy of the game's folder and reads back what
it printed: the JSON dumps, the error text, the exit status and the progress log."""
import json
import os
import shutil
import subprocess
import tempfile
import unittest

REPLAY = os.environ.get("KESTROLA_REPLAY", "kestrola-replay")
ASSETS = os.environ.get("KESTROLA_ASSET_DIR", ".")


class Run:
    def __init__(self, status, stdout, stderr, log):
        self.status = status
        self.stdout = stdout
        self.stderr = stderr
        self.log = log
        self.dumps = [json.loads(line) for line in stdout.splitlines() if line.startswith("{")]

    @property
    def last(self):
        return self.dumps[-1]


class Folder:
    """A working folder with links to the generated assets, removed afterwards."""

    def __init__(self, copies=False):
        self.path = tempfile.mkdtemp(prefix="kestrola-replay-")
        for name in ("Images", "Music", "Sfx"):
            source, target = os.path.join(ASSETS, name), os.path.join(self.path, name)
            if copies:
                shutil.copytree(source, target)
            else:
                os.symlink(source, target)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        shutil.rmtree(self.path, ignore_errors=True)

    def run(self, script, prefix=(), **drivers):
        env = dict(os.environ, **{"SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy", **drivers})
        done = subprocess.run([*prefix, REPLAY, "-"], input=script, capture_output=True,
                              text=True, cwd=self.path, env=env, timeout=120)
        log_path = os.path.join(self.path, "logFile.txt")
        log = None
        if os.path.exists(log_path):
            with open(log_path) as f:
                log = f.read()
        return Run(done.returncode, done.stdout, done.stderr, log)


def play(script):
    with Folder() as folder:
        return folder.run(script)


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
