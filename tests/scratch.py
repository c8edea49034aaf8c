"""A scratch working folder for one run of the game or of the scripted driver, with the
generated Images, Music and Sfx linked in (or copied, for a case that damages them), removed
afterwards; and what a run printed, logged and dumped."""
import json
import os
import shutil
import stat
import subprocess
import tempfile

ASSETS = os.environ.get("KESTROLA_ASSET_DIR", ".")
GAME = os.environ.get("KESTROLA_GAME", "kestrola")
REPLAY = os.environ.get("KESTROLA_REPLAY", "kestrola-replay")
ASSET_FOLDERS = ("Images", "Music", "Sfx")
# The log of every start-up, up to the first picture.
BEFORE_THE_IMAGES = ("audio mixer successfully initialized\n"
                     "screen successfully initialized\n"
                     "Program started\n"
                     "begin initializing images\n")


class Run:
    def __init__(self, done, log):
        self.status, self.stdout, self.stderr, self.log = \
            done.returncode, done.stdout, done.stderr, log
        self.dumps = [json.loads(line) for line in done.stdout.splitlines()
                      if line.startswith("{")]

    @property
    def last(self):
        return self.dumps[-1]


class Folder:
    def __init__(self, copy=(), leave_out=()):
        self.path = tempfile.mkdtemp(prefix="kestrola-")
        for name in ASSET_FOLDERS:
            source = os.path.join(ASSETS, name)
            if name in copy:
                shutil.copytree(source, self.file(name))
            elif name not in leave_out:
                os.symlink(source, self.file(name))

    def __enter__(self):
        return self

    def __exit__(self, *_):
        os.chmod(self.path, stat.S_IRWXU)
        shutil.rmtree(self.path, ignore_errors=True)

    def file(self, name):
        return os.path.join(self.path, name)

    def log(self):
        if not os.path.isfile(self.file("logFile.txt")):
            return None
        with open(self.file("logFile.txt")) as file:
            return file.read()

    def run(self, command=(REPLAY, "-"), script=None, prefix=(), timeout=120, **drivers):
        """Runs the command (the driver by default, on the script) in the folder with the dummy
        media drivers unless others are given."""
        env = {**os.environ, "SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy", **drivers}
        done = subprocess.run([*prefix, *command], input=script, capture_output=True, text=True,
                              cwd=self.path, env=env, timeout=timeout)
        return Run(done, self.log())


def as_nobody():
    """The prefix that runs a command as nobody, so that a read-only folder is one for root too."""
    return ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] \
        if os.geteuid() == 0 else []
