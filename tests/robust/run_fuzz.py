"""Runs the script reader's fuzzer for a bounded time (KESTROLA_FUZZ_SECONDS, 60 by default)
in a scratch folder beside the assets, starting from the scripts in corpus/. An input that
crashes it, trips a check or hangs is kept in the build folder and named here; the driver
replays it with kestrola-replay FILE."""
import os
import shutil
import subprocess
import sys
import tempfile

FUZZER = os.environ["KESTROLA_FUZZER"]
ASSETS = os.environ["KESTROLA_ASSET_DIR"]
REPORT = os.environ.get("KESTROLA_FUZZ_REPORT", os.getcwd())
SECONDS = int(os.environ.get("KESTROLA_FUZZ_SECONDS", "60"))
HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    folder = tempfile.mkdtemp(prefix="kestrola-fuzz-")
    try:
        for name in ("Images", "Music", "Sfx"):
            os.symlink(os.path.join(ASSETS, name), os.path.join(folder, name))
        grown = os.path.join(folder, "grown")
        os.mkdir(grown)
        prefix = os.path.join(REPORT, "fuzz-")
        env = dict(os.environ, SDL_VIDEODRIVER="dummy", SDL_AUDIODRIVER="dummy",
                   ASAN_OPTIONS="detect_leaks=0", UBSAN_OPTIONS="print_stacktrace=1")
        done = subprocess.run([FUZZER, f"-max_total_time={SECONDS}", "-timeout=20",
                               "-rss_limit_mb=3000", "-max_len=600", "-print_final_stats=1",
                               f"-dict={os.path.join(HERE, 'script.dict')}",
                               f"-artifact_prefix={prefix}", grown, os.path.join(HERE, "corpus")],
                              cwd=folder, env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.PIPE, text=True, timeout=SECONDS * 4 + 120)
        tail = done.stderr[-8000:]
        lines = done.stderr.splitlines()
        runs = [line for line in lines if line.startswith("stat::number_of_executed_units")]
        reached = [line for line in lines if " DONE " in line or " pulse " in line][-1:]
        print(tail if done.returncode else "\n".join(reached + runs))
        if done.returncode != 0:
            print(f"fuzz: the fuzzer stopped with status {done.returncode}; the input is kept "
                  f"beside {prefix}")
            return 1
        if not runs or int(runs[0].split(":")[-1]) < 100:
            print("fuzz: too few inputs were run")
            return 1
        return 0
    finally:
        shutil.rmtree(folder, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main())
