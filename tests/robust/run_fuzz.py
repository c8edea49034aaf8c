"""Runs the script reader's fuzzer for a bounded time (KESTROLA_FUZZ_SECONDS, 60 by default)
in a scratch folder beside the assets, starting from the scripts in corpus/. An input that
crashes it, trips a check, leaves the records in a state play cannot reach, or hangs is kept in
the build folder and named here; the driver replays it with kestrola-replay FILE."""
import os
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
from scratch import Folder  # noqa: E402

FUZZER = os.environ["KESTROLA_FUZZER"]
REPORT = os.environ.get("KESTROLA_FUZZ_REPORT", os.getcwd())
SECONDS = int(os.environ.get("KESTROLA_FUZZ_SECONDS", "60"))
HERE = os.path.dirname(os.path.abspath(__file__))


def main():
    with Folder() as folder:
        grown = folder.file("grown")
        os.mkdir(grown)
        prefix = os.path.join(REPORT, "fuzz-")
        run = folder.run([FUZZER, f"-max_total_time={SECONDS}", "-timeout=20",
                          "-rss_limit_mb=3000", "-max_len=600", "-print_final_stats=1",
                          f"-dict={os.path.join(HERE, 'script.dict')}",
                          f"-artifact_prefix={prefix}", grown, os.path.join(HERE, "corpus")],
                         timeout=SECONDS * 4 + 120, ASAN_OPTIONS="detect_leaks=0",
                         UBSAN_OPTIONS="print_stacktrace=1")
    lines = run.stderr.splitlines()
    runs = [line for line in lines if line.startswith("stat::number_of_executed_units")]
    reached = [line for line in lines if " DONE " in line or " pulse " in line][-1:]
    print(run.stderr[-8000:] if run.status else "\n".join(reached + runs))
    if run.status != 0:
        print(f"fuzz: the fuzzer stopped with status {run.status}; the input is kept beside {prefix}")
        return 1
    if not runs or int(runs[0].split(":")[-1]) < 100:
        print("fuzz: too few inputs were run")
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
