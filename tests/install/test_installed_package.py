"""The game as a player gets it: the .deb that CPack builds, unpacked into a scratch root, holds
the launcher, the program, the pictures and sounds, the man page, the desktop entry, the icons
and the metadata in their usual places, and lintian finds nothing wrong with it; installed into
an empty system it brings the compatibility layer that scales the window; the launcher, started
from another folder, prepares the player's own folder, runs the game there at a scale that fits
the monitor, and the game still answers the mouse in its own 300 x 300 pixels."""
import fnmatch
import glob
import gzip
import json
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), os.pardir))
from virtual_display import GameWindow, start_display, stop_display, wait_for  # noqa: E402

CPACK_CONFIG = os.environ.get("KESTROLA_CPACK_CONFIG", "CPackConfig.cmake")
BUILD = os.path.dirname(os.path.abspath(CPACK_CONFIG))
ASSET_FOLDERS = ("Images", "Music", "Sfx")
REPLAY = os.environ.get("KESTROLA_REPLAY", os.path.join(BUILD, "kestrola-replay"))
PROJECT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))

scratch = None
root = None
deb = None


def setUpModule():
    global scratch, root, deb
    scratch = tempfile.mkdtemp(prefix="kestrola-install-")
    packed = subprocess.run(["cpack", "--config", CPACK_CONFIG, "-G", "DEB",
                             "-B", os.path.join(scratch, "pack")],
                            capture_output=True, text=True)
    assert packed.returncode == 0, "cpack failed:\n" + packed.stdout + packed.stderr
    debs = [name for name in os.listdir(os.path.join(scratch, "pack")) if name.endswith(".deb")]
    assert len(debs) == 1, "cpack made %r" % debs
    deb = os.path.join(scratch, "pack", debs[0])
    root = os.path.join(scratch, "root")
    subprocess.run(["dpkg-deb", "-x", deb, root], check=True)


def tearDownModule():
    shutil.rmtree(scratch, ignore_errors=True)


def installed(path):
    return os.path.join(root, path.lstrip("/"))


def png_size(path):
    with open(path, "rb") as file:
        head = file.read(24)
    assert head[:8] == b"\x89PNG\r\n\x1a\n", path + " is no PNG"
    return struct.unpack(">II", head[16:24])


class ThePackage(unittest.TestCase):
    def control(self, field):
        return subprocess.run(["dpkg-deb", "-f", deb, field], capture_output=True,
                              text=True, check=True).stdout.strip()

    def test_it_is_the_game_in_the_games_section_with_its_libraries(self):
        self.assertEqual(self.control("Package"), "kestrola")
        self.assertEqual(self.control("Section"), "games")
        self.assertRegex(self.control("Maintainer"), r"^[^<>]+ <[^@<>\s]+@[^@<>\s]+\.[a-z]+>$")
        depends = self.control("Depends")
        self.assertIn("libsdl-mixer1.2", depends)
        self.assertIn("libsdl1.2", depends)

    def test_installed_into_an_empty_system_it_brings_the_layer_that_scales_the_window(self):
        # apt works out, against an empty list of installed packages, everything an install
        # with --no-install-recommends into a fresh root would unpack. Only the compatibility
        # layer over SDL 2 reads SDL12COMPAT_WINDOW_SCALING; the classic library would give a
        # 300 x 300 window in a corner of any screen.
        if not glob.glob("/var/lib/apt/lists/*_Packages*"):
            self.skipTest("apt has no package lists (apt-get update)")
        status = os.path.join(scratch, "empty-status")
        open(status, "w").close()
        planned = subprocess.run(["apt-get", "install", "--simulate", "--no-install-recommends",
                                  "-o", "Dir::State::status=" + status, deb],
                                 capture_output=True, text=True)
        self.assertEqual(planned.returncode, 0, planned.stdout + planned.stderr)
        unpacked = {line.split()[1] for line in planned.stdout.splitlines()
                    if line.startswith("Inst ")}
        self.assertIn("kestrola", unpacked)
        self.assertIn("libsdl1.2-compat-shim", unpacked)
        self.assertIn("libsdl2-2.0-0", unpacked)
        self.assertNotIn("libsdl1.2debian", unpacked)

    def test_lintian_finds_no_error_or_warning_and_only_the_known_notes(self):
        checked = subprocess.run(["lintian", "--info", "--tag-display-limit", "0", deb],
                                 capture_output=True, text=True)
        tags = [line for line in checked.stdout.splitlines() if line[:2] in ("E:", "W:", "I:")]
        self.assertEqual([tag for tag in tags if not tag.startswith("I:")], [], checked.stdout)
        # The game data in /usr/share is one package with the program, and the player's texts
        # keep their spelling; anything else lintian notes is new.
        known = {"arch-dep-package-has-big-usr-share", "spelling-error-in-binary"}
        self.assertEqual({tag.split()[2] for tag in tags} - known, set(), checked.stdout)

    def test_the_program_is_stripped_and_hardened(self):
        program = installed("/usr/lib/games/kestrola/kestrola")
        sections = subprocess.run(["readelf", "--wide", "--sections", program],
                                  capture_output=True, text=True, check=True).stdout
        self.assertNotIn(".symtab", sections)
        self.assertNotIn(".debug_info", sections)
        dynamic = subprocess.run(["readelf", "--wide", "--dynamic", "--dyn-syms", program],
                                 capture_output=True, text=True, check=True).stdout
        self.assertRegex(dynamic, r"FLAGS.*\bBIND_NOW\b")
        self.assertRegex(dynamic, r"__\w+_chk\b", "no checked string or memory call")
        self.assertIn("__stack_chk_fail", dynamic)

    def test_the_launcher_is_under_games_and_the_program_beside_the_libraries(self):
        launcher = installed("/usr/games/kestrola")
        self.assertTrue(os.access(launcher, os.X_OK))
        with open(launcher, "rb") as file:
            self.assertEqual(file.read(2), b"#!")
        program = installed("/usr/lib/games/kestrola/kestrola")
        self.assertTrue(os.access(program, os.X_OK))
        with open(program, "rb") as file:
            self.assertEqual(file.read(4), b"\x7fELF")
        # The scripted driver and the build's tools are not for players.
        self.assertEqual(os.listdir(installed("/usr/lib/games/kestrola")), ["kestrola"])

    def test_the_assets_are_the_built_ones_under_share_games(self):
        for folder in ASSET_FOLDERS:
            built = os.path.join(BUILD, folder)
            shipped = installed("/usr/share/games/kestrola/" + folder)
            self.assertEqual(sorted(os.listdir(shipped)), sorted(os.listdir(built)), folder)
            for name in os.listdir(built):
                with open(os.path.join(built, name), "rb") as a, \
                        open(os.path.join(shipped, name), "rb") as b:
                    self.assertTrue(a.read() == b.read(), folder + "/" + name + " differs")

    def test_the_man_page_is_in_section_6_and_names_the_installed_places(self):
        page = installed("/usr/share/man/man6/kestrola.6.gz")
        self.assertFalse(os.path.exists(installed("/usr/share/man/man6/kestrola.6")))
        with gzip.open(page, "rt") as file:
            text = file.read()
        self.assertTrue(text.startswith(".TH KESTROLA 6 "))
        self.assertNotIn("@", text)
        self.assertIn("/usr/share/games/kestrola", text)
        self.assertIn("/usr/share/doc/kestrola/manual.md", text)
        if shutil.which("man"):
            shown = subprocess.run(["man", "-l", page], capture_output=True, text=True,
                                   env=dict(os.environ, MANWIDTH="80", MAN_KEEP_FORMATTING=""))
            self.assertEqual(shown.returncode, 0, shown.stderr)
            self.assertIn("KESTROLA_SCALE", shown.stdout)

    def test_the_desktop_entry_starts_the_installed_launcher_with_its_icon(self):
        entry = installed("/usr/share/applications/org.kestrola.Kestrola.desktop")
        with open(entry) as file:
            keys = dict(line.rstrip("\n").split("=", 1) for line in file if "=" in line)
        self.assertEqual(keys["Exec"], "/usr/games/kestrola")
        self.assertTrue(os.path.isfile(installed(keys["Exec"])))
        self.assertIn("Game;", keys["Categories"])
        # Docks tie the window to this entry by the class the window carries.
        self.assertEqual(keys["StartupWMClass"], "kestrola")
        for size in (32, 48, 64, 128, 256):
            icon = installed("/usr/share/icons/hicolor/%dx%d/apps/%s.png"
                             % (size, size, keys["Icon"]))
            self.assertEqual(png_size(icon), (size, size))
        with open(installed("/usr/share/icons/hicolor/scalable/apps/%s.svg" % keys["Icon"])) as file:
            self.assertIn("<svg", file.read())
        if shutil.which("desktop-file-validate"):
            checked = subprocess.run(["desktop-file-validate", entry], capture_output=True,
                                     text=True)
            self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)

    def test_the_metadata_is_valid_and_launches_the_desktop_entry(self):
        metadata = installed("/usr/share/metainfo/org.kestrola.Kestrola.metainfo.xml")
        with open(metadata) as file:
            text = file.read()
        self.assertIn('<launchable type="desktop-id">org.kestrola.Kestrola.desktop</launchable>',
                      text)
        self.assertNotIn("@KESTROLA", text)
        for needed in ('<url type="homepage">https://', "<screenshot type=\"default\">",
                       "<developer_name>", "<update_contact>"):
            self.assertIn(needed, text)
        for check in (["appstreamcli", "validate", "--no-net", "--strict", metadata],
                      ["appstream-util", "validate", "--nonet", metadata]):
            checked = subprocess.run(check, capture_output=True, text=True)
            self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)

    def test_the_documents_come_with_every_file_and_picture_they_link_to(self):
        doc = installed("/usr/share/doc/kestrola")
        for name in ("manual.md", "README.md", "CHANGELOG.md", "copyright"):
            self.assertTrue(os.path.isfile(os.path.join(doc, name)), name)
        for name in ("manual.md", "README.md"):
            with open(os.path.join(doc, name)) as file:
                links = re.findall(r"\]\(([^)#]+)(?:#[^)]*)?\)", file.read())
            local = [link for link in links if "://" not in link]
            self.assertTrue(any(link.endswith(".png") for link in local), name + " shows no picture")
            for link in local:
                self.assertTrue(os.path.isfile(os.path.join(doc, link)), name + " links to " + link)

    def test_the_change_log_is_debians_for_this_version(self):
        with gzip.open(installed("/usr/share/doc/kestrola/changelog.gz"), "rt") as file:
            log = file.read()
        self.assertTrue(log.startswith("kestrola (%s) " % self.control("Version")), log)
        self.assertRegex(log, r"\n -- [^<]+ <[^>]+@[^>]+>  \w{3}, \d\d \w{3} \d{4} ")

    def test_the_copyright_file_names_the_licence_of_every_shipped_file(self):
        with open(installed("/usr/share/doc/kestrola/copyright")) as file:
            paragraphs = [dict(re.findall(r"^([\w-]+):[ \t]*((?:.*)(?:\n[ \t].*)*)", block, re.M))
                          for block in file.read().split("\n\n")]
        self.assertTrue(paragraphs[0]["Format"].startswith("https://www.debian.org/doc/"
                                                           "packaging-manuals/copyright-format/1.0"))
        texts = {p["License"].split("\n")[0].strip() for p in paragraphs[1:] if "Files" not in p}
        stanzas = [p for p in paragraphs[1:] if "Files" in p]

        def governing(path):
            # The last paragraph whose pattern matches decides, as the format says.
            found = None
            for stanza in stanzas:
                if any(fnmatch.fnmatchcase(path, pattern) for pattern in stanza["Files"].split()):
                    found = stanza
            return found

        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.relpath(os.path.join(folder, name), root)
                stanza = governing(path)
                self.assertIsNotNone(stanza, path)
                for licence in re.split(r" and | or |, ", stanza["License"].split("\n")[0]):
                    self.assertIn(licence.strip(), texts, path)
        # The tunes carry the sound font's samples, and the pictures the font's glyphs.
        self.assertIn("Frank Wen", governing("usr/share/games/kestrola/Music/x.ogg")["Copyright"])
        font = "/usr/share/doc/fonts-dejavu-core/copyright"
        if os.path.isfile(font):
            with open(font) as file:
                font_licence = re.search(r"^License: (.+)$", file.read(), re.M).group(1).strip()
            for picture in ("usr/share/games/kestrola/Images/x.bmp",
                            "usr/share/doc/kestrola/manual/x.png",
                            "usr/share/doc/kestrola/screenshots/x.png"):
                self.assertIn(font_licence, governing(picture)["License"], picture)


class TheSetUp(unittest.TestCase):
    """The README's two commands, typed one after the other, and CI running the second."""

    def test_the_readme_has_two_commands_and_ci_runs_the_second_word_for_word(self):
        with open(os.path.join(PROJECT, "README.md")) as file:
            commands = [line.strip() for line in file if line.startswith("    tools/setup")]
        self.assertEqual(len(commands), 2, commands)
        play, tests = commands
        self.assertTrue(tests.startswith("tools/setup --tests && "), tests)
        # The game is started in build without leaving the shell there.
        self.assertTrue(play.startswith("tools/setup && ") and play.endswith("(cd build && ./kestrola)"),
                        play)
        with open(os.path.join(PROJECT, ".ci", "run")) as file:
            run = [line.strip() for line in file if line.strip() and not line.startswith("#")]
        self.assertEqual(run[-1], tests)
        self.assertNotIn("tools/setup", " ".join(run[:-1]))

    def test_setup_knows_its_two_sets_and_nothing_else(self):
        wrong = subprocess.run([os.path.join(PROJECT, "tools", "setup"), "--everything"],
                               capture_output=True, text=True)
        self.assertEqual(wrong.returncode, 2)
        self.assertIn("usage: tools/setup [--tests]", wrong.stderr)


class TheTutorialsLastPages(unittest.TestCase):
    """Pages 170 and 171 tell the player where the manual is: both places must hold it."""

    @classmethod
    def setUpClass(cls):
        script = ("ticks 2\nclick 120 144\nwait 20\nset gameMode 169\nkey return\nwait 5\n"
                  "dump\nkey return\nwait 5\ndump\n")
        played = subprocess.run([REPLAY, "-"], input=script, cwd=BUILD, capture_output=True,
                                text=True, timeout=60)
        assert played.returncode == 0, played.stderr
        dumps = [json.loads(line) for line in played.stdout.splitlines()]
        assert [dump["gameMode"] for dump in dumps] == [170, 171]
        cls.lines = dumps[0]["pushed"][-2:] + dumps[1]["pushed"]

    def test_they_name_the_manual_in_the_source_and_where_the_package_puts_it(self):
        places = [word.rstrip(".,;") for line in self.lines for word in line.split()
                  if word.rstrip(".,;").endswith("manual.md")]
        installed_places = [place for place in places if place.startswith("/")]
        source_places = [place for place in places if not place.startswith("/")]
        self.assertTrue(installed_places and source_places, self.lines)
        for place in installed_places:
            self.assertTrue(os.path.isfile(installed(place)), place + " is not in the package")
        for place in source_places:
            self.assertTrue(os.path.isfile(os.path.join(PROJECT, place)), place)

    def test_they_fit_the_message_strip(self):
        with open(os.path.join(PROJECT, "src", "render", "glyph_widths.h")) as file:
            table = file.read().split("glyphWidth[GLYPH_COUNT] = {")[1].split("};")[0]
        widths = [int(number) for line in table.splitlines()
                  for number in re.findall(r"\d+", line.split("//")[0])]
        self.assertEqual(len(widths), 96)
        for line in self.lines:
            self.assertLess(len(line), 60, line)
            # The strip starts at x 5 and its frame closes at x 295.
            self.assertLessEqual(sum(widths[ord(c) - 32] for c in line), 290, line)


class OnADisplay(unittest.TestCase):
    """The real game on a virtual display of SIZE: starting it, finding its window, reading its
    size, pixels and log."""
    SIZE = "1280x1024"

    @classmethod
    def setUpClass(cls):
        cls.server, cls.display_env = start_display(cls.SIZE)

    @classmethod
    def tearDownClass(cls):
        stop_display(cls.server)

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="kestrola-home-")
        self.elsewhere = tempfile.mkdtemp(prefix="kestrola-cwd-")
        self.env = dict(self.display_env, HOME=self.home)
        self.game = None
        self.window = GameWindow(self.env)

    def tearDown(self):
        if self.game and self.game.poll() is None:
            self.game.kill()
            self.game.wait()
        shutil.rmtree(self.home, ignore_errors=True)
        shutil.rmtree(self.elsewhere, ignore_errors=True)

    def start(self, folder, program="/usr/games/kestrola", arguments=()):
        self.folder = folder
        self.game = subprocess.Popen([installed(program), *arguments], cwd=self.elsewhere,
                                     env=self.env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        found = wait_for(self.window.find, seconds=30.0)
        self.assertTrue(found, "no window titled Kestrola appeared (status %s, log: %r)"
                        % (self.game.poll(), self.log_if_any()))
        # The main loop runs once the start menu's music has begun, the last start-up line.
        self.assertTrue(wait_for(lambda: "Program started" in (self.log_if_any() or ""),
                                 seconds=30.0))

    def assert_size(self, size):
        # The media library may still be sizing the window when it first appears.
        wait_for(lambda: self.window.geometry() == size, seconds=10.0)
        self.assertEqual(self.window.geometry(), size)

    def log_if_any(self):
        try:
            with open(os.path.join(self.folder, "logFile.txt")) as file:
                return file.read()
        except OSError:
            return None



class TheInstalledGame(OnADisplay):
    """The real game, started through the installed launcher on a 1280 x 1024 display."""

    def test_a_doubled_window_runs_in_the_players_folder_and_answers_doubled_clicks(self):
        data = os.path.join(self.home, "data")
        self.env.update(XDG_DATA_HOME=data, KESTROLA_SCALE="2")
        self.start(os.path.join(data, "kestrola"))
        self.assert_size("600x600")
        # Sharp pixels: every game pixel is a block of 2 x 2 of one colour (smoothed scaling
        # blends most of them with their neighbours).
        self.assertTrue(wait_for(lambda: len(self.window.colours()) > 200),
                        "the window holds no artwork")
        shown = self.window.rgb()
        pixels = [shown[i:i + 3] for i in range(0, len(shown), 3)]
        blocks = [(x, y) for y in range(0, 600, 2) for x in range(0, 600, 2)]
        sharp = sum(1 for x, y in blocks if pixels[y * 600 + x] == pixels[y * 600 + x + 1]
                    == pixels[(y + 1) * 600 + x] == pixels[(y + 1) * 600 + x + 1])
        self.assertGreater(sharp / len(blocks), 0.99)
        for name in ASSET_FOLDERS:
            self.assertEqual(os.path.realpath(os.path.join(self.folder, name)),
                             os.path.realpath(installed("/usr/share/games/kestrola/" + name)))
        self.assertTrue(self.log_if_any().startswith("audio mixer successfully initialized\n"))
        self.assertEqual(os.listdir(self.elsewhere), [], "the game wrote into the folder it was "
                         "started from")
        # The One-player row of the menu is x 91 to 199 at y 161 in the game's own pixels.
        self.assertNotIn("preparing field", self.log_if_any())
        self.window.click(2 * 145, 2 * 161)
        self.assertTrue(wait_for(lambda: "preparing field" in self.log_if_any()),
                        "a click on the doubled One-player row started no match")
        self.window.close()
        self.assertEqual(self.game.wait(timeout=10), 1)

    def test_without_settings_the_window_fits_the_display_and_the_folder_is_under_home(self):
        # Recorded, into a file named from where the player started it.
        self.start(os.path.join(self.home, ".local", "share", "kestrola"),
                   arguments=("--record", "game.txt"))
        # 1280 x 1024 less room for panels and borders holds three times 300, not four.
        self.assert_size("900x900")
        # The window carries the class the desktop entry names, and an icon of its own.
        shown = self.window.x("xprop", "-id", self.window.id, "WM_CLASS", "_NET_WM_ICON").stdout
        self.assertIn(b'WM_CLASS(STRING) = "kestrola", "kestrola"', shown)
        self.assertIn(b"Icon (32 x 32)", shown)
        self.window.key("F10")
        self.assertEqual(self.game.wait(timeout=10), 1)
        self.assertIn("Program started\n", self.log_if_any())
        with open(os.path.join(self.elsewhere, "game.txt")) as recording:
            self.assertIn("\nkeyup f10\n# at exit: gameMode 0,", recording.read())


class TheProgramAlone(OnADisplay):
    """The installed program started without the launcher, as from a build folder, on a
    1920 x 1080 display: it chooses its scale itself and says why it cannot start."""
    SIZE = "1920x1080"

    def setUp(self):
        super().setUp()
        for name in ASSET_FOLDERS:
            os.symlink(installed("/usr/share/games/kestrola/" + name),
                       os.path.join(self.elsewhere, name))

    def run_alone(self, env, cwd=None):
        return subprocess.run([installed("/usr/lib/games/kestrola/kestrola")],
                              cwd=cwd or self.elsewhere, env=env, capture_output=True, text=True,
                              timeout=30)

    def test_it_fits_the_screen_by_itself_and_takes_kestrola_scale(self):
        self.start(self.elsewhere, "/usr/lib/games/kestrola/kestrola")
        self.assert_size("900x900")
        self.game.kill()
        self.game.wait()
        self.env["KESTROLA_SCALE"] = "2"
        self.start(self.elsewhere, "/usr/lib/games/kestrola/kestrola")
        self.assert_size("600x600")

    def test_without_a_display_it_refuses_and_says_so(self):
        env = dict(self.env)
        env.pop("DISPLAY")
        ended = self.run_alone(env)
        self.assertEqual(ended.returncode, 1)
        self.assertRegex(ended.stderr, r"kestrola: there is no display .*DISPLAY is not set.* Log: "
                         + re.escape(os.path.join(self.elsewhere, "logFile.txt")))
        self.assertNotIn("screen successfully initialized", self.log_if_any() or "")

    def log_if_any(self):
        self.folder = self.elsewhere
        return super().log_if_any()

    def test_started_where_its_pictures_are_not_it_says_where_to_start_it(self):
        empty = os.path.join(self.home, "empty")
        os.mkdir(empty)
        ended = self.run_alone(self.env, cwd=empty)
        self.assertEqual(ended.returncode, 1)
        self.assertIn("kestrola: the game's pictures are not here: %s has no Images folder"
                      % empty, ended.stderr)
        with open(os.path.join(empty, "logFile.txt")) as file:
            self.assertRegex(file.read(), r"\nFailed to load image Images/\w+\.bmp\. Exiting "
                             r"program\n$")

    def test_a_folder_it_may_not_write_to_is_named(self):
        os.chmod(self.elsewhere, 0o555)
        # root may write anywhere: the program runs as nobody so the folder really is read-only.
        prefix = ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups"] \
            if os.geteuid() == 0 else []
        os.chmod(self.home, 0o755)
        ended = subprocess.run(prefix + [installed("/usr/lib/games/kestrola/kestrola")],
                               cwd=self.elsewhere, env=self.env, capture_output=True, text=True,
                               timeout=30)
        os.chmod(self.elsewhere, 0o755)
        self.assertEqual(ended.returncode, 1)
        self.assertIn("kestrola: cannot write the log, logFile.txt, in %s (Permission denied)"
                      % self.elsewhere, ended.stderr)


class TheLauncher(unittest.TestCase):
    """The installed launcher in front of a stand-in program that reports what it was given."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="kestrola-launcher-")
        prefix = os.path.join(self.work, "prefix")
        os.makedirs(os.path.join(prefix, "games"))
        self.launcher = os.path.join(prefix, "games", "kestrola")
        shutil.copy(installed("/usr/games/kestrola"), self.launcher)
        self.assets = os.path.join(prefix, "share", "games", "kestrola")
        for name in ASSET_FOLDERS:
            os.makedirs(os.path.join(self.assets, name))
        program_dir = os.path.join(prefix, "lib", "games", "kestrola")
        os.makedirs(program_dir)
        self.report = os.path.join(self.work, "report")
        with open(os.path.join(program_dir, "kestrola"), "w") as file:
            file.write('#!/bin/sh\n{ pwd; echo "${SDL12COMPAT_WINDOW_SCALING-unset}";'
                       ' echo "$SDL12COMPAT_SCALE_METHOD"; } > "${REPORT:-%s}"\n'
                       'sleep "${HOLD:-0}"\n' % self.report)
        os.chmod(os.path.join(program_dir, "kestrola"), 0o755)
        self.home = os.path.join(self.work, "home")
        os.makedirs(self.home)

    def tearDown(self):
        shutil.rmtree(self.work, ignore_errors=True)

    def launch(self, env, **extra):
        env = dict(env, HOME=self.home, **extra)
        subprocess.run([self.launcher], cwd=self.work, env=env, check=True, timeout=30)
        with open(self.report) as file:
            folder, scale, method = file.read().split("\n")[:3]
        return folder, scale, method

    def on_display(self, size, monitors=(), **extra):
        server, env = start_display(size)
        try:
            # Monitors of their own over parts of the screen, the primary one marked by a star.
            for name, geometry in monitors:
                subprocess.run(["xrandr", "--setmonitor", name, geometry, "none"], env=env,
                               check=True, capture_output=True)
            return self.launch(env, **extra)
        finally:
            stop_display(server)

    def test_with_no_display_the_game_is_left_to_choose(self):
        env = dict(os.environ)
        for name in ("DISPLAY", "KESTROLA_SCALE", "XDG_DATA_HOME"):
            env.pop(name, None)
        folder, scale, method = self.launch(env)
        self.assertEqual((scale, method), ("unset", "nearest"))
        self.assertEqual(folder, os.path.join(self.home, ".local", "share", "kestrola"))

    def test_two_stacked_monitors_give_the_factor_of_the_primary_one(self):
        # The X screen is 1920 x 2160, which would hold four times 300; each monitor holds three.
        stacked = (("top", "1920/500x1080/280+0+0"), ("*bottom", "1920/500x1080/280+0+1080"))
        self.assertEqual(self.on_display("1920x2160", stacked)[1], "3")
        small_primary = (("big", "1920/500x2160/560+0+0"), ("*small", "1280/340x800/210+0+0"))
        self.assertEqual(self.on_display("1920x2160", small_primary)[1], "2")

    def test_a_second_game_at_once_gets_a_folder_of_its_own(self):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        env.update(HOME=self.home, HOLD="30", REPORT=os.path.join(self.work, "first"))
        # In a session of its own, so that the stand-in's sleep, which holds the lock too, ends
        # with it.
        first = subprocess.Popen([self.launcher], cwd=self.work, env=env, start_new_session=True)
        try:
            self.assertTrue(wait_for(lambda: os.path.exists(env["REPORT"])))
            env.update(HOLD="0", REPORT=self.report)
            second = subprocess.run([self.launcher], cwd=self.work, env=env, timeout=30,
                                    capture_output=True, text=True)
            with open(self.report) as file:
                folder = file.read().split("\n")[0]
            own = os.path.join(self.home, ".local", "share", "kestrola")
            self.assertEqual(folder, os.path.join(own, "2"))
            self.assertIn("another game is running; this one keeps its log in %s/logFile.txt"
                          % folder, second.stderr)
            self.assertEqual(os.path.realpath(os.path.join(folder, "Images")),
                             os.path.realpath(os.path.join(self.assets, "Images")))
        finally:
            os.killpg(first.pid, signal.SIGKILL)
            first.wait()
        # Once the first has ended, the next game takes the player's folder again.
        self.assertEqual(self.launch(env)[0], own)

    def test_the_largest_whole_scale_up_to_4_that_fits_the_display(self):
        self.assertEqual(self.on_display("640x480")[1], "1")
        self.assertEqual(self.on_display("1920x1080")[1], "3")
        self.assertEqual(self.on_display("1400x800")[1], "2")
        self.assertEqual(self.on_display("3840x2160")[1], "4")

    def test_kestrola_scale_overrides_the_fit_and_nonsense_is_ignored(self):
        server, env = start_display("640x480")
        try:
            self.assertEqual(self.launch(env, KESTROLA_SCALE="3")[1], "3")
            self.assertEqual(self.launch(env, KESTROLA_SCALE="big")[1], "1")
            self.assertEqual(self.launch(env, KESTROLA_SCALE="00")[1], "1")
            self.assertEqual(self.launch(env, KESTROLA_SCALE="-2")[1], "1")
        finally:
            stop_display(server)

    def test_a_relative_data_home_is_passed_over_for_the_one_under_home(self):
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        ran_in = self.launch(env, XDG_DATA_HOME="data")[0]
        self.assertEqual(ran_in, os.path.join(self.home, ".local", "share", "kestrola"))
        self.assertFalse(os.path.exists(os.path.join(self.work, "data")))

    def test_stale_links_are_renewed_and_a_players_own_folder_is_kept(self):
        folder = os.path.join(self.work, "data", "kestrola")
        os.makedirs(os.path.join(folder, "Music"))
        os.symlink("/nowhere/Images", os.path.join(folder, "Images"))
        env = dict(os.environ)
        env.pop("DISPLAY", None)
        ran_in = self.launch(env, XDG_DATA_HOME=os.path.join(self.work, "data"))[0]
        self.assertEqual(ran_in, folder)
        self.assertEqual(os.readlink(os.path.join(folder, "Images")),
                         os.path.join(self.assets, "Images"))
        self.assertEqual(os.readlink(os.path.join(folder, "Sfx")),
                         os.path.join(self.assets, "Sfx"))
        self.assertFalse(os.path.islink(os.path.join(folder, "Music")))


if __name__ == "__main__":
    unittest.main()
