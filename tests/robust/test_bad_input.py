"""Broken installations and hostile surroundings: pictures missing, empty, cut short, not
pictures at all, or of the wrong size or colour depth; music and effects missing or corrupt; no
sound device, no display, a folder the game may not write to, a folder without its pictures.
The game must never crash, hang, read outside a picture, or write anything but its log. The
cases that play use the scripted driver built with the address and undefined-behaviour checks,
so a read outside a picture stops the run with a report."""
import os
import shutil
import subprocess
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
import bmp  # noqa: E402
from scratch import ASSETS, ASSET_FOLDERS, BEFORE_THE_IMAGES, GAME, Folder, as_nobody  # noqa: E402

# Every picture, tune and effect that is shipped.
IMAGES, MUSIC, SFX = ([name + "/" + file for file in sorted(os.listdir(os.path.join(ASSETS, name)))]
                      for name in ASSET_FOLDERS)
SOUNDS = MUSIC + SFX
CHECKS = {"ASAN_OPTIONS": "exitcode=86", "UBSAN_OPTIONS": "print_stacktrace=1:exitcode=87"}

# Every screen, every picture drawn, one line of the script after the other.
TOUR = (
    # The options with the speed cycled and each setting toggled.
    "wait 50; motion 120 150; click 120 190; " + "click 120 140; " * 6
    + "click 120 160; click 120 178; click 120 195; ticks 5; " * 2 + "click 120 212; "
    # A one-player match with a Cue stroke that runs to the end of the turn, and a placed tool.
    "click 120 157; ticks 3; set ball 0 x 150 y 200 vx 0 vy 0; click 45 85; click 150 200; "
    "motion 180 230; click 180 230; key space; ticks 150; settle 20000; click 285 85; "
    "click 165 85; click 200 220; ticks 5; click 285 85; click 15 85; ticks 100; key escape; "
    # A two-player match with a ball rolling.
    "click 120 174; ticks 3; set ball 1 x 120 y 180 vx 9 vy -4; key space; ticks 300; "
    "key escape; "
    # The tutorial's first pages, and the end screen.
    "click 120 140; " + "ticks 5; key return; " * 4 + "click 280 85; key return; ticks 30; "
    "key escape; set gameMode 40; ticks 120; click 10 10; ticks 20; dump\n").replace("; ", "\n")
TOUR_LOG = BEFORE_THE_IMAGES + "preparing field\n" * 3


def refused(path):
    return BEFORE_THE_IMAGES + "Failed to load image %s. Exiting program\n" % path


def snapshot(folder):
    """Every file in the folder, through the links, with its size and time of change."""
    files = {}
    for root, _, names in os.walk(folder.path, followlinks=True):
        for name in names:
            path = os.path.join(root, name)
            info = os.stat(path) if os.path.exists(path) else os.lstat(path)
            files[os.path.relpath(path, folder.path)] = (info.st_size, info.st_mtime_ns)
    return files


def overwrite(path, data):
    with open(path, "wb") as file:
        file.write(data)


def huge(path):
    # 12000 x 12000 pixels of 24 bits would be over 400 MB: the header is refused before any of
    # it is taken.
    with open(path, "r+b") as file:
        file.seek(18)
        file.write((12000).to_bytes(4, "little") * 2)


PICTURE_DAMAGE = {
    "missing": os.remove,
    "empty": lambda path: overwrite(path, b""),
    "cut short in its header": lambda path: os.truncate(path, 30),
    "cut short in its pixels": lambda path: os.truncate(path, os.path.getsize(path) - 1),
    "not a picture": lambda path: overwrite(path, b"BM but nothing like a picture\n" * 40),
    "a folder": lambda path: (os.remove(path), os.mkdir(path)),
    "claiming a huge size": huge,
}


class BrokenInstallation(unittest.TestCase):
    def assert_only_the_log_changed(self, before, after):
        changed = {name for name in set(before) | set(after) if before.get(name) != after.get(name)}
        self.assertLessEqual(changed, {"logFile.txt"}, "the game wrote outside its log")

    def start_game(self, folder, prefix=(), **drivers):
        """The real game, which never ends by itself once it runs: a start-up that succeeds
        would run into the time limit. Returns its status and what it printed; it must not have
        taken 200 MB of memory on the way."""
        before = snapshot(folder)
        game = subprocess.Popen([*prefix, GAME], cwd=folder.path, stdout=subprocess.PIPE,
                                stderr=subprocess.STDOUT, env={
                                    **os.environ, "SDL_VIDEODRIVER": "dummy",
                                    "SDL_AUDIODRIVER": "dummy", **drivers})
        deadline = time.time() + 20
        while not (waited := os.wait4(game.pid, os.WNOHANG))[0]:
            if time.time() > deadline:
                game.kill()
                game.wait()
                self.fail("the game hung: %r" % folder.log())
            time.sleep(0.01)
        self.assertLess(waited[2].ru_maxrss, 200 * 1024, "kB of memory at most")
        self.assert_only_the_log_changed(before, snapshot(folder))
        return os.waitstatus_to_exitcode(waited[1]), game.stdout.read()

    def tour(self, folder, **drivers):
        before = snapshot(folder)
        run = folder.run(script=TOUR, **CHECKS, **drivers)
        for sign in ("AddressSanitizer", "runtime error:", "LeakSanitizer"):
            self.assertNotIn(sign, run.stderr, run.stderr[-6000:])
        self.assertEqual(run.status, 0, run.stderr[-3000:])
        self.assert_only_the_log_changed(before, snapshot(folder))
        self.assertEqual(run.last["gameMode"], 0, "the tour did not end back on the start menu")
        return run.log


class UnreadablePictures(BrokenInstallation):
    """A picture the media library cannot read ends the game with status 1 and the line that
    names it, whichever of the sixteen it is and however it is damaged."""

    def test_each_picture_damaged_in_each_way(self):
        for way, damage in PICTURE_DAMAGE.items():
            for path in IMAGES:
                with self.subTest(way=way, image=path), Folder(copy=("Images",)) as folder:
                    damage(folder.file(path))
                    self.assertEqual(self.start_game(folder)[0], 1)
                    self.assertEqual(folder.log(), refused(path))

    def test_a_folder_without_pictures_or_without_anything(self):
        for leave_out in (("Images",), ASSET_FOLDERS):
            with self.subTest(leave_out=leave_out), Folder(leave_out=leave_out) as folder:
                self.assertEqual(self.start_game(folder)[0], 1)
                self.assertEqual(folder.log(), refused("Images/shade.bmp"))


class PicturesOfTheWrongShape(BrokenInstallation):
    """A picture smaller or larger than its layout, or at another colour depth, still loads: the
    game plays every screen with it and never reads outside it."""

    def test_every_picture_resized_or_at_each_other_colour_depth(self):
        shapes = {"a single pixel": lambda w, h, i: (1, 1),
                  "half": lambda w, h, i: (max(1, w // 2), max(1, h // 2)),
                  "one pixel short each way": lambda w, h, i: (w - 1, h - 1),
                  "a thin strip": lambda w, h, i: (w, 1) if i % 2 else (1, h),
                  "larger than its layout": lambda w, h, i: (w + 37, h + 11)}
        shapes.update({"%d bits" % bits: (lambda w, h, i, bits=bits: (w, h, bits))
                       for bits in (1, 4, 8, 16, 32)})
        for name, shape in shapes.items():
            with self.subTest(shape=name), Folder(copy=("Images",)) as folder:
                for index, path in enumerate(IMAGES):
                    picture = bmp.read(os.path.join(ASSETS, path))
                    width, height, *bits = shape(*picture[:2], index)
                    bmp.write(folder.file(path), bmp.resized(picture, width, height), *bits)
                self.assertEqual(self.tour(folder), TOUR_LOG)


class BrokenSounds(BrokenInstallation):
    """Music or effects that cannot be loaded or are damaged inside: the game plays on, silent
    where that file would play, and says nothing about it."""

    def test_every_sound_file_missing_empty_cut_garbled_or_of_another_kind(self):
        def halved(path, _):
            os.truncate(path, os.path.getsize(path) // 2)

        def garbled(path, _):
            data = bytearray(open(path, "rb").read())
            for at in range(64, len(data), 7):
                data[at] = (data[at] * 31 + at) & 0xFF
            overwrite(path, data)

        def swapped(path, index):
            other = SOUNDS[(index + len(MUSIC)) % len(SOUNDS)]
            shutil.copyfile(os.path.join(ASSETS, other), path)
        for name, damage in (("missing", lambda path, _: os.remove(path)),
                             ("empty", lambda path, _: overwrite(path, b"")),
                             ("cut in half", halved), ("garbled behind a good header", garbled),
                             ("swapped for another kind", swapped)):
            with self.subTest(damage=name), Folder(copy=("Music", "Sfx")) as folder:
                for index, path in enumerate(SOUNDS):
                    damage(folder.file(path), index)
                self.assertEqual(self.tour(folder), TOUR_LOG)


class WhatIsHeard(BrokenInstallation):
    """The mixer's output, written to a file by the library's disk driver while the real game
    sits on its start menu with the menu tune playing, or without it."""

    SECOND = 44100 * 4  # bytes of 16-bit stereo

    def heard(self, folder):
        output = folder.file("heard.raw")
        game = subprocess.Popen([GAME], cwd=folder.path, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL,
                                env=dict(os.environ, SDL_VIDEODRIVER="dummy",
                                         SDL_AUDIODRIVER="disk", SDL_DISKAUDIOFILE=output))
        try:
            deadline = time.time() + 60
            while not (os.path.exists(output) and os.path.getsize(output) >= 2 * self.SECOND):
                self.assertIsNone(game.poll(), "the game ended: %r" % folder.log())
                self.assertLess(time.time(), deadline, "the mixer wrote too little")
                time.sleep(0.05)
            self.assertIsNone(game.poll(), "the game ended: %r" % folder.log())
        finally:
            game.kill()
            game.wait()
        with open(output, "rb") as file:
            return file.read()

    def test_the_menu_tune_is_heard_and_without_it_the_menu_is_silent_and_runs(self):
        with Folder() as folder:
            self.assertTrue(any(self.heard(folder)), "the menu sounds silent with its tune there")
        with Folder(copy=("Music",)) as folder:
            os.remove(folder.file("Music/Orvane01.ogg"))
            self.assertFalse(any(self.heard(folder)), "something played in place of the tune")
            self.assertEqual(folder.log(), BEFORE_THE_IMAGES)


class Surroundings(BrokenInstallation):
    def test_without_a_sound_device_the_game_warns_and_plays(self):
        with Folder() as folder:
            log = self.tour(folder, SDL_AUDIODRIVER="no-such-device")
        lines = log.splitlines(keepends=True)
        self.assertEqual(lines[0], "Warning: Couldn't set 44100 Hz 16-bit audio\n")
        self.assertTrue(lines[1].startswith("Reason: ") and len(lines[1]) > len("Reason: \n"))
        self.assertEqual("".join(lines[2:]), TOUR_LOG.split("\n", 1)[1])

    def test_without_a_display_the_game_ends_with_status_1_and_the_reason(self):
        for drivers in ({"SDL_VIDEODRIVER": "x11", "DISPLAY": ""},
                        {"SDL_VIDEODRIVER": "x11", "DISPLAY": ":7319"},
                        {"SDL_VIDEODRIVER": "no-such-video"}):
            with self.subTest(**drivers), Folder() as folder:
                self.assertEqual(self.start_game(folder, **drivers)[0], 1)
                log = folder.log()
                last = log.splitlines()[-1]
                self.assertTrue(last.startswith("Unable to init SDL: ") or
                                last.startswith("Unable to set 300 x 300 video: "), log)
                self.assertGreater(len(last.split(": ", 1)[1]), 0, "the library's reason is missing")
                self.assertNotIn("screen successfully initialized", log)

    def test_a_folder_without_a_log_ends_the_game_before_anything(self):
        # Read-only (run as nobody, since root may write anywhere), or a folder in the log's place.
        for reason, spoil, prefix in (
                ("Permission denied", lambda folder: os.chmod(folder.path, 0o555), as_nobody()),
                ("Is a directory", lambda folder: os.mkdir(folder.file("logFile.txt")), ())):
            with self.subTest(reason=reason), Folder() as folder:
                spoil(folder)
                before = snapshot(folder)
                # One line on the terminal, naming the folder and the reason, and nothing else.
                self.assertEqual(self.start_game(folder, prefix), (1, (
                    "kestrola: cannot write the log, logFile.txt, in %s (%s); start the game "
                    "from a folder you may write to\n" % (folder.path, reason)).encode()))
                self.assertEqual(snapshot(folder), before, "nothing may be written")

if __name__ == "__main__":
    unittest.main()
