"""Long random sessions of the sanitizer-checked game, two at a time, until they add up to at
least ten million virtual milliseconds. The seeds change from run to run; KESTROLA_SOAK_SEED
repeats a run. A failing session names its seed and the driver script that reproduces it."""
import json
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

SOAK = os.environ["KESTROLA_SOAK"]
REPLAY = os.environ["KESTROLA_REPLAY"]
ASSETS = os.environ["KESTROLA_ASSET_DIR"]
REPORT = os.environ.get("KESTROLA_SOAK_REPORT", os.getcwd())
TOTAL_MS = int(os.environ.get("KESTROLA_SOAK_TOTAL_MS", "10000000"))
SESSION_MS = 1250000
WORKERS = 2
PLACES = ("menu", "options", "one-player", "two-player", "tutorial", "end")
SUMMARY = re.compile(r"seed (\d+): (\d+) virtual ms, (\d+) ticks, (\d+) actions; ticks in "
                     + " ".join(p + r" (\d+)" for p in PLACES))


def start(seed, folder):
    env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
               KESTROLA_SOAK_REPORT=REPORT,
               ASAN_OPTIONS="exitcode=86:abort_on_error=0",
               UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1:exitcode=87")
    return subprocess.Popen([SOAK, str(seed), str(SESSION_MS)], cwd=folder, env=env,
                            stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)


def check_the_script_replays(base, folder):
    """A short session, its script replayed by the driver: both must end in the same state, or
    a failing session's script would not show what happened."""
    seed = base - 1
    env = dict(os.environ, KESTROLA_SOAK_KEEP="1", KESTROLA_SOAK_REPORT=folder)
    done = subprocess.run([SOAK, str(seed), "200000"], cwd=folder, env=env, capture_output=True,
                          text=True, timeout=600)
    final = [line for line in done.stdout.splitlines() if line.startswith("final ")]
    if done.returncode not in (0, 1) or not final:
        print(f"soak: the short session {seed} failed, status {done.returncode}\n{done.stderr}")
        return False
    with open(os.path.join(folder, f"soak-{seed}.script")) as file:
        script = file.read()
    replayed = subprocess.run([REPLAY, "-"], input=script + "dump\n", cwd=folder, env=env,
                              capture_output=True, text=True, timeout=600)
    dumps = [json.loads(line) for line in replayed.stdout.splitlines() if line.startswith("{")]
    if not dumps:
        # A session that left the game through one of its ways out prints no dump.
        same = replayed.returncode == done.returncode == 1
        print(f"soak: the short session ended the game; the replay {'did' if same else 'did not'}")
        return same
    d = dumps[-1]
    replay_final = "final t %d gameMode %d ball0 %s %s ball19 %s %s" % (
        d["t"], d["gameMode"], repr(d["balls"][0]["x"]), repr(d["balls"][0]["y"]),
        repr(d["balls"][19]["x"]), repr(d["balls"][19]["y"]))
    ours = final[0].split()
    theirs = replay_final.split()
    same = ours[:5] == theirs[:5] and [float(v) for v in ours[6:8] + ours[9:11]] == \
        [float(v) for v in theirs[6:8] + theirs[9:11]]
    if not same:
        print(f"soak: the driver's replay of session {seed} ends elsewhere:\n  {final[0]}\n  {replay_final}")
    return same


def main():
    base = int(os.environ.get("KESTROLA_SOAK_SEED", int(time.time()) % 1000000 * 1000))
    print(f"soak: seeds from {base} (KESTROLA_SOAK_SEED={base} repeats this run)")
    folders = []
    for _ in range(WORKERS):
        folder = tempfile.mkdtemp(prefix="kestrola-soak-")
        for name in ("Images", "Music", "Sfx"):
            os.symlink(os.path.join(ASSETS, name), os.path.join(folder, name))
        folders.append(folder)
    if not check_the_script_replays(base, folders[0]):
        return 1
    played, seed, failed = 0, base, False
    ticks_in = dict.fromkeys(PLACES, 0)
    running = {}
    try:
        while (played < TOTAL_MS or running) and not failed:
            while len(running) < WORKERS and played + SESSION_MS * len(running) < TOTAL_MS:
                free = next(f for f in folders if f not in running.values())
                running[start(seed, free)] = free
                seed += 1
            done = next(iter(running))
            out, err = done.communicate(timeout=1200)
            del running[done]
            match = SUMMARY.search(out)
            session_seed = done.args[1]
            if done.returncode not in (0, 1) or not match or err.strip():
                failed = True
                print(f"soak: session with seed {session_seed} failed, status {done.returncode}")
                print(out + err[-20000:])
                script = os.path.join(REPORT, f"soak-{session_seed}.script")
                if os.path.exists(script):
                    print(f"soak: the driver script that reproduces it: {script}")
                break
            print(out.strip())
            played += int(match.group(2))
            for place, count in zip(PLACES, match.groups()[4:]):
                ticks_in[place] += int(count)
    finally:
        for game in running:
            game.kill()
            game.wait()
        for folder in folders:
            shutil.rmtree(folder, ignore_errors=True)
    if failed:
        return 1
    print(f"soak: {played} virtual ms in all; ticks by place {ticks_in}")
    unplayed = [p for p in ("menu", "one-player", "two-player", "tutorial") if ticks_in[p] == 0]
    if played < TOTAL_MS or unplayed:
        print(f"soak: too little played ({played} virtual ms; never in {unplayed})")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
