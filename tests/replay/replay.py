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

    def __init__(self):
        self.path = tempfile.mkdtemp(prefix="kestrola-replay-")
        for name in ("Images", "Music", "Sfx"):
            os.symlink(os.path.join(ASSETS, name), os.path.join(self.path, name))

    def __enter__(self):
        return self

    def __exit__(self, *_):
        shutil.rmtree(self.path, ignore_errors=True)

    def run(self, script, prefix=()):
        env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy")
        done = subprocess.run([*prefix, REPLAY, "-"], input=script, capture_output=True,
                              text=True, cwd=self.path, env=env, timeout=120)
        log_path = os.path.join(self.path, "logFile.txt")
        log = open(log_path).read() if os.path.exists(log_path) else None
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
