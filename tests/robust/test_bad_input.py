"""Broken installations and hostile surroundings: pictures missing, empty, cut short, not
pictures at all, or of the wrong size or colour depth; music and effects missing or corrupt; no
sound device, no display, a folder the game may not write to, a folder without its pictures.
The game must never crash, hang, read outside a picture, or write anything but its log. The
cases that play use the scripted driver built with the address and undefined-behaviour checks,
so a read outside a picture stops the run with a report."""
import os
import shutil
import stat
import subprocess
import tempfile
import time
import unittest

import bmp

GAME = os.environ.get("KESTROLA_GAME", "kestrola")
REPLAY = os.environ.get("KESTROLA_REPLAY", "kestrola-replay")
ASSETS = os.environ.get("KESTROLA_ASSET_DIR", ".")

# Path, width and height of every picture, in the order the game loads them.
IMAGES = [
    ("Images/shade.bmp", 16, 16), ("Images/field.bmp", 300, 200), ("Images/holes.bmp", 300, 200),
    ("Images/border.bmp", 300, 200), ("Images/panel.bmp", 300, 40),
    ("Images/messageBack.bmp", 300, 60), ("Images/font10pt.bmp", 660, 10),
    ("Images/buttons.bmp", 300, 180), ("Images/numbers.bmp", 70, 8), ("Images/balls.bmp", 140, 14),
    ("Images/arrows.bmp", 173, 235), ("Images/startBackgr.bmp", 300, 300),
    ("Images/options.bmp", 110, 100), ("Images/stOptionsValues.bmp", 182, 16),
    ("Images/endBackgr.bmp", 300, 300), ("Images/victoryH1.bmp", 300, 200),
]
MUSIC = ["Music/Orvane10.ogg", "Music/Tesk_joke.ogg", "Music/M0104.ogg", "Music/M0108.ogg",
         "Music/Orvane01.ogg", "Music/M0110.ogg", "Music/M0116.ogg"]
EFFECTS = ["Sfx/collision.wav", "Sfx/bounce.wav", "Sfx/clock.wav", "Sfx/select.wav"]

BEFORE_THE_IMAGES = ("audio mixer successfully initialized\n"
                     "screen successfully initialized\n"
                     "Program started\n"
                     "begin initializing images\n")

# Every screen, every picture drawn: the options with the speed cycled and each setting
# toggled, a one-player match with a Cue stroke that runs to the end of the turn, a placed tool,
# a two-player match with a ball rolling, the tutorial's first pages, the end screen.
TOUR = """wait 50
motion 120 150
click 120 190
""" + "click 120 140\n" * 6 + """click 120 160
click 120 178
click 120 195
ticks 5
click 120 160
click 120 178
click 120 195
ticks 5
click 120 212
click 120 157
ticks 3
set ball 0 x 150 y 200 vx 0 vy 0
click 45 85
click 150 200
motion 180 230
click 180 230
key space
ticks 150
settle 20000
click 285 85
click 165 85
click 200 220
ticks 5
click 285 85
click 15 85
ticks 100
key escape
click 120 174
ticks 3
set ball 1 x 120 y 180 vx 9 vy -4
key space
ticks 300
key escape
click 120 140
""" + "ticks 5\nkey return\n" * 4 + """click 280 85
key return
ticks 30
key escape
set gameMode 40
ticks 120
click 10 10
ticks 20
dump
"""
TOUR_LOG_END = "preparing field\n" * 3


def checked_environment(**drivers):
    return {**os.environ, "SDL_VIDEODRIVER": "dummy", "SDL_AUDIODRIVER": "dummy",
            "ASAN_OPTIONS": "exitcode=86", "UBSAN_OPTIONS": "print_stacktrace=1:exitcode=87",
            **drivers}


class Folder:
    """A scratch working folder: a copy of the pictures, music and effects (or links to them
    when a case leaves them alone)."""

    def __init__(self, images=True, sounds=True, copy_sounds=False):
        self.path = tempfile.mkdtemp(prefix="kestrola-robust-")
        if images:
            shutil.copytree(os.path.join(ASSETS, "Images"), self.file("Images"))
        for name in ("Music", "Sfx") if sounds else ():
            if copy_sounds:
                shutil.copytree(os.path.join(ASSETS, name), self.file(name))
            else:
                os.symlink(os.path.join(ASSETS, name), self.file(name))

    def file(self, name):
        return os.path.join(self.path, name)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        os.chmod(self.path, stat.S_IRWXU)
        shutil.rmtree(self.path, ignore_errors=True)

    def snapshot(self):
        """Every file in the folder, through the links, with its size and time of change."""
        files = {}
        for root, _, names in os.walk(self.path, followlinks=True):
            for name in names:
                path = os.path.join(root, name)
                info = os.stat(path) if os.path.exists(path) else os.lstat(path)
                files[os.path.relpath(path, self.path)] = (info.st_size, info.st_mtime_ns)
        return files

    def log(self):
        path = self.file("logFile.txt")
        if not os.path.isfile(path):
            return None
        with open(path) as file:
            return file.read()

    def run(self, command, prefix=(), script=None, **drivers):
        before = self.snapshot()
        done = subprocess.run([*prefix, *command], input=script, capture_output=True, text=True,
                              cwd=self.path, env=checked_environment(**drivers), timeout=120)
        after = self.snapshot()
        return done, before, after


class BrokenInstallation(unittest.TestCase):
    def assert_only_the_log_changed(self, before, after):
        changed = {name for name in set(before) | set(after) if before.get(name) != after.get(name)}
        self.assertLessEqual(changed, {"logFile.txt"}, "the game wrote outside its log")

    def assert_no_sanitizer_report(self, done):
        for sign in ("AddressSanitizer", "runtime error:", "LeakSanitizer"):
            self.assertNotIn(sign, done.stderr, done.stderr[-6000:])

    def start_game(self, folder, **drivers):
        """The real game, which never ends by itself once it runs: a start-up that succeeds
        would run into the timeout."""
        try:
            done, before, after = folder.run(["timeout", "20", GAME], **drivers)
        except subprocess.TimeoutExpired:
            self.fail("the game hung")
        self.assertNotEqual(done.returncode, 124, "the game did not end: %r" % folder.log())
        self.assert_only_the_log_changed(before, after)
        return done.returncode

    def tour(self, folder, **drivers):
        done, before, after = folder.run([REPLAY, "-"], script=TOUR, **drivers)
        self.assert_no_sanitizer_report(done)
        self.assertEqual(done.returncode, 0, done.stderr[-3000:])
        self.assert_only_the_log_changed(before, after)
        last = [line for line in done.stdout.splitlines() if line.startswith("{")][-1]
        self.assertIn('"gameMode":0,', last, "the tour did not end back on the start menu")
        return folder.log()

    def assert_image_refused(self, damage):
        for path, width, height in IMAGES:
            with self.subTest(image=path), Folder() as folder:
                damage(folder.file(path), width, height)
                self.assertEqual(self.start_game(folder), 1)
                self.assertEqual(folder.log(), BEFORE_THE_IMAGES +
                                 "Failed to load image %s. Exiting program\n" % path)


class UnreadablePictures(BrokenInstallation):
    """A picture the media library cannot read ends the game with status 1 and the line that
    names it, whichever of the sixteen it is."""

    def test_a_missing_picture(self):
        self.assert_image_refused(lambda path, *_: os.remove(path))

    def test_an_empty_picture(self):
        self.assert_image_refused(lambda path, *_: open(path, "wb").close())

    def test_a_picture_cut_short_in_its_header(self):
        self.assert_image_refused(lambda path, *_: os.truncate(path, 30))

    def test_a_picture_cut_short_in_its_pixels(self):
        self.assert_image_refused(lambda path, *_: os.truncate(path, os.path.getsize(path) - 1))

    def test_a_file_that_is_not_a_picture(self):
        def text(path, *_):
            with open(path, "w") as file:
                file.write("BM but nothing like a picture\n" * 40)
        self.assert_image_refused(text)

    def test_a_folder_in_place_of_a_picture(self):
        def folder_instead(path, *_):
            os.remove(path)
            os.mkdir(path)
        self.assert_image_refused(folder_instead)

    def test_a_picture_claiming_a_huge_size_is_refused_without_taking_the_memory(self):
        # 12000 x 12000 pixels of 24 bits would be over 400 MB: the damaged header is refused
        # before any of it is taken.
        for path, _, _ in IMAGES:
            with self.subTest(image=path), Folder() as folder:
                with open(folder.file(path), "r+b") as file:
                    file.seek(18)
                    file.write((12000).to_bytes(4, "little") + (12000).to_bytes(4, "little"))
                environment = checked_environment()
                game = subprocess.Popen([GAME], cwd=folder.path, env=environment,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
                deadline = time.time() + 20
                while True:
                    pid, status, usage = os.wait4(game.pid, os.WNOHANG)
                    if pid:
                        break
                    if time.time() > deadline:
                        game.kill()
                        game.wait()
                        self.fail("the game hung")
                    time.sleep(0.01)
                game.returncode = os.waitstatus_to_exitcode(status)
                self.assertEqual(game.returncode, 1)
                self.assertLess(usage.ru_maxrss, 200 * 1024, "kB of memory at most")
                self.assertEqual(folder.log(), BEFORE_THE_IMAGES +
                                 "Failed to load image %s. Exiting program\n" % path)

    def test_a_folder_without_pictures(self):
        with Folder(images=False) as folder:
            self.assertEqual(self.start_game(folder), 1)
            self.assertEqual(folder.log(), BEFORE_THE_IMAGES +
                             "Failed to load image Images/shade.bmp. Exiting program\n")

    def test_an_empty_folder(self):
        with Folder(images=False, sounds=False) as folder:
            self.assertEqual(self.start_game(folder), 1)
            self.assertEqual(folder.log(), BEFORE_THE_IMAGES +
                             "Failed to load image Images/shade.bmp. Exiting program\n")


class PicturesOfTheWrongShape(BrokenInstallation):
    """A picture smaller or larger than its layout, or at another colour depth, still loads: the
    game plays every screen with it and never reads outside it."""

    def replace(self, folder, path, width, height, bits=24):
        picture = bmp.read(os.path.join(ASSETS, path))
        bmp.write(folder.file(path), bmp.resized(picture, width, height), bits)

    def test_each_picture_as_a_single_pixel(self):
        for path, _, _ in IMAGES:
            with self.subTest(image=path), Folder() as folder:
                self.replace(folder, path, 1, 1)
                self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_picture_at_half_its_size(self):
        with Folder() as folder:
            for path, width, height in IMAGES:
                self.replace(folder, path, max(1, width // 2), max(1, height // 2))
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_picture_one_pixel_short_each_way(self):
        with Folder() as folder:
            for path, width, height in IMAGES:
                self.replace(folder, path, width - 1, height - 1)
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_picture_as_a_thin_strip(self):
        with Folder() as folder:
            for index, (path, width, height) in enumerate(IMAGES):
                self.replace(folder, path, width, 1) if index % 2 else \
                    self.replace(folder, path, 1, height)
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_picture_larger_than_its_layout(self):
        with Folder() as folder:
            for path, width, height in IMAGES:
                self.replace(folder, path, width + 37, height + 11)
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_picture_at_each_other_colour_depth(self):
        for bits in (1, 4, 8, 16, 32):
            with self.subTest(bits=bits), Folder() as folder:
                for path, width, height in IMAGES:
                    self.replace(folder, path, width, height, bits)
                self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)


class BrokenSounds(BrokenInstallation):
    """Music or effects that cannot be loaded or are damaged inside: the game plays on, silent
    where that file would play, and says nothing about it."""

    def test_each_sound_file_cut_in_half(self):
        for path in MUSIC + EFFECTS:
            with self.subTest(file=path), Folder(copy_sounds=True) as folder:
                os.truncate(folder.file(path), os.path.getsize(folder.file(path)) // 2)
                self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_sound_file_missing(self):
        with Folder(sounds=False) as folder:
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_sound_file_empty(self):
        with Folder(copy_sounds=True) as folder:
            for path in MUSIC + EFFECTS:
                open(folder.file(path), "wb").close()
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_sound_file_garbage_behind_a_good_header(self):
        with Folder(copy_sounds=True) as folder:
            for path in MUSIC + EFFECTS:
                data = bytearray(open(folder.file(path), "rb").read())
                for at in range(64, len(data), 7):
                    data[at] = (data[at] * 31 + at) & 0xFF
                open(folder.file(path), "wb").write(data)
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)

    def test_every_sound_file_swapped_for_another_kind(self):
        with Folder(copy_sounds=True) as folder:
            for index, path in enumerate(MUSIC + EFFECTS):
                other = (MUSIC + EFFECTS)[(index + len(MUSIC)) % len(MUSIC + EFFECTS)]
                shutil.copyfile(os.path.join(ASSETS, other), folder.file(path))
            self.assertEqual(self.tour(folder), BEFORE_THE_IMAGES + TOUR_LOG_END)


class WhatIsHeard(BrokenInstallation):
    """The mixer's output, written to a file by the library's disk driver while the real game
    sits on its start menu with the menu tune playing, or without it."""

    SECOND = 44100 * 4  # bytes of 16-bit stereo

    def heard(self, folder):
        output = tempfile.mktemp(prefix="kestrola-heard-", suffix=".raw")
        game = subprocess.Popen([GAME], cwd=folder.path, stdout=subprocess.DEVNULL,
                                stderr=subprocess.DEVNULL,
                                env=checked_environment(SDL_AUDIODRIVER="disk",
                                                        SDL_DISKAUDIOFILE=output))
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
            sound = file.read()
        os.remove(output)
        return sound

    def test_the_menu_tune_is_heard(self):
        with Folder() as folder:
            self.assertTrue(any(self.heard(folder)), "the menu sounds silent with its tune there")

    def test_a_missing_menu_tune_leaves_the_menu_silent_and_the_game_running(self):
        with Folder(copy_sounds=True) as folder:
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
        self.assertEqual("".join(lines[2:]), BEFORE_THE_IMAGES.split("\n", 1)[1] + TOUR_LOG_END)

    def check_no_display(self, **drivers):
        with Folder() as folder:
            self.assertEqual(self.start_game(folder, **drivers), 1)
            log = folder.log()
        last = log.splitlines()[-1]
        self.assertTrue(last.startswith("Unable to init SDL: ") or
                        last.startswith("Unable to set 300 x 300 video: "), log)
        self.assertGreater(len(last.split(": ", 1)[1]), 0, "the library's reason is missing")
        self.assertNotIn("screen successfully initialized", log)

    def test_without_a_display_the_game_ends_with_status_1(self):
        environment = {"SDL_VIDEODRIVER": "x11", "DISPLAY": ""}
        self.check_no_display(**environment)

    def test_with_a_display_that_is_not_there(self):
        self.check_no_display(SDL_VIDEODRIVER="x11", DISPLAY=":7319")

    def test_with_a_video_driver_that_does_not_exist(self):
        self.check_no_display(SDL_VIDEODRIVER="no-such-video")

    def test_a_read_only_folder_ends_the_game_before_anything(self):
        with Folder() as folder:
            os.chmod(folder.path, stat.S_IRUSR | stat.S_IXUSR | stat.S_IRGRP | stat.S_IXGRP |
                     stat.S_IROTH | stat.S_IXOTH)
            # root may write anywhere: the game runs as nobody so the folder really is read-only.
            prefix = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] \
                if os.geteuid() == 0 else []
            done, before, after = folder.run(["timeout", "20", GAME], prefix)
            self.assertEqual(done.returncode, 1, done.stderr)
            self.assertEqual(after, before, "nothing may be written")
            self.assertIsNone(folder.log())

    def test_a_log_that_cannot_be_created_ends_the_game_before_anything(self):
        with Folder() as folder:
            os.mkdir(folder.file("logFile.txt"))
            done, before, after = folder.run(["timeout", "20", GAME])
            self.assertEqual(done.returncode, 1, done.stderr)
            self.assertEqual(after, before, "nothing may be written")
            # One line on the terminal, naming the folder, and nothing else.
            self.assertEqual(done.stdout, "")
            self.assertEqual(done.stderr, "kestrola: cannot write the log, logFile.txt, in %s (Is "
                             "a directory); start the game from a folder you may write to\n"
                             % folder.path)


if __name__ == "__main__":
    unittest.main()
