"""The game as a player gets it: the .deb that CPack builds, unpacked into a scratch root, holds
the launcher, the program, the pictures and sounds, the documents, the desktop entry, the icons
and the metadata in their usual places, and lintian finds nothing wrong with it; installed into
an empty system it brings the compatibility layer that scales the window; the launcher, started
from another folder, prepares the player's own folder, runs the game there at a scale that fits
the monitor, and the game still answers the mouse in its own 300 x 300 pixels."""
import filecmp
import fnmatch
import glob
import gzip
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
from scratch import ASSET_FOLDERS, Folder  # noqa: E402
from virtual_display import GameWindow, start_display, stop_display, wait_for  # noqa: E402

CPACK_CONFIG = os.environ.get("KESTROLA_CPACK_CONFIG", "CPackConfig.cmake")
BUILD = os.path.dirname(os.path.abspath(CPACK_CONFIG))
PROJECT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
PROGRAM = "/usr/lib/games/kestrola/kestrola"
DATA = "/usr/share/games/kestrola/"
DOC = "/usr/share/doc/kestrola/"


def setUpModule():
    global scratch, root, deb
    scratch = tempfile.mkdtemp(prefix="kestrola-install-")
    pack = os.path.join(scratch, "pack")
    packed = subprocess.run(["cpack", "--config", CPACK_CONFIG, "-G", "DEB", "-B", pack],
                            capture_output=True, text=True)
    assert packed.returncode == 0, "cpack failed:\n" + packed.stdout + packed.stderr
    debs = glob.glob(os.path.join(pack, "*.deb"))
    assert len(debs) == 1, "cpack made %r" % debs
    deb, root = debs[0], os.path.join(scratch, "root")
    subprocess.run(["dpkg-deb", "-x", deb, root], check=True)


def tearDownModule():
    shutil.rmtree(scratch, ignore_errors=True)


def installed(path):
    return os.path.join(root, path.lstrip("/"))


def read(path, opener=open):
    with opener(path, "rt") as file:
        return file.read()


def output(*command, **options):
    return subprocess.run(command, capture_output=True, text=True, **options)


class ThePackage(unittest.TestCase):
    def control(self, field):
        return output("dpkg-deb", "-f", deb, field, check=True).stdout.strip()

    def test_it_is_the_game_in_the_games_section_and_lintian_finds_nothing_new(self):
        for field, value in (("Package", r"^kestrola$"), ("Section", r"^games$"),
                             ("Maintainer", r"^[^<>]+ <[^@<>\s]+@[^@<>\s]+\.[a-z]+>$"),
                             ("Depends", r"\blibsdl-mixer1\.2\b"), ("Depends", r"\blibsdl1\.2\b")):
            self.assertRegex(self.control(field), value, field)
        # Lintian's errors, warnings and notes cover the change log and the copyright file's
        # format.
        checked = output("lintian", "--info", "--tag-display-limit", "0", deb)
        tags = [line for line in checked.stdout.splitlines() if line[:2] in ("E:", "W:", "I:")]
        self.assertEqual([tag for tag in tags if not tag.startswith("I:")], [], checked.stdout)
        # The game data in /usr/share is one package with the program, and the player's texts
        # keep their spelling; anything else lintian notes is new.
        known = {"arch-dep-package-has-big-usr-share", "spelling-error-in-binary"}
        self.assertEqual({tag.split()[2] for tag in tags} - known, set(), checked.stdout)
        log = read(installed(DOC + "changelog.gz"), gzip.open)
        self.assertTrue(log.startswith("kestrola (%s) " % self.control("Version")), log)

    def test_installed_into_an_empty_system_it_brings_the_layer_that_scales_the_window(self):
        # apt works out, against an empty list of installed packages, everything an install
        # with --no-install-recommends into a fresh root would unpack. Only the compatibility
        # layer over SDL 2 reads SDL12COMPAT_WINDOW_SCALING; the classic library would give a
        # 300 x 300 window in a corner of any screen.
        if not glob.glob("/var/lib/apt/lists/*_Packages*"):
            self.skipTest("apt has no package lists (apt-get update)")
        status = os.path.join(scratch, "empty-status")
        open(status, "w").close()
        planned = output("apt-get", "install", "--simulate", "--no-install-recommends",
                         "-o", "Dir::State::status=" + status, deb)
        self.assertEqual(planned.returncode, 0, planned.stdout + planned.stderr)
        unpacked = {line.split()[1] for line in planned.stdout.splitlines()
                    if line.startswith("Inst ")}
        self.assertLessEqual({"kestrola", "libsdl1.2-compat-shim", "libsdl2-2.0-0"}, unpacked)
        self.assertNotIn("libsdl1.2debian", unpacked)

    def test_the_program_comes_alone_stripped_and_hardened_with_the_built_assets(self):
        # The scripted driver and the build's tools are not for players.
        self.assertEqual(os.listdir(os.path.dirname(installed(PROGRAM))), ["kestrola"])
        # Stripped and hardened (lintian passes over a program linked without BIND_NOW).
        shown = output("readelf", "--wide", "--sections", "--dynamic", "--dyn-syms",
                       installed(PROGRAM), check=True).stdout
        for absent in (".symtab", ".debug_info"):
            self.assertNotIn(absent, shown)
        self.assertRegex(shown, r"FLAGS.*\bBIND_NOW\b")
        self.assertRegex(shown, r"__\w+_chk\b", "no checked string or memory call")
        self.assertIn("__stack_chk_fail", shown)
        for folder in ASSET_FOLDERS:
            built, shipped = os.path.join(BUILD, folder), installed(DATA + folder)
            names = sorted(os.listdir(built))
            self.assertEqual(sorted(os.listdir(shipped)), names, folder)
            self.assertEqual(filecmp.cmpfiles(built, shipped, names, shallow=False)[0], names)

    def test_the_man_page_is_in_section_6_and_names_the_installed_places(self):
        page = installed("/usr/share/man/man6/kestrola.6.gz")
        text = read(page, gzip.open)
        self.assertTrue(text.startswith(".TH KESTROLA 6 "))
        self.assertNotIn("@", text)
        for place in (DATA[:-1], DOC + "manual.md"):
            self.assertIn(place, text)
        if shutil.which("man"):
            shown = subprocess.run(["man", "-l", page], capture_output=True, text=True,
                                   env=dict(os.environ, MANWIDTH="80", MAN_KEEP_FORMATTING=""))
            self.assertEqual(shown.returncode, 0, shown.stderr)
            self.assertIn("KESTROLA_SCALE", shown.stdout)

    def test_the_desktop_entry_and_the_metadata_start_the_installed_launcher_with_its_icon(self):
        entry = installed("/usr/share/applications/org.kestrola.Kestrola.desktop")
        groups, group = {}, None
        for line in read(entry).splitlines():
            if line.startswith("["):
                group = groups.setdefault(line.strip("[]"), {})
            elif "=" in line:
                group.update([line.split("=", 1)])
        keys = groups["Desktop Entry"]
        # Its action starts a game against the computer; docks tie the window to this entry by
        # the class the window carries.
        self.assertEqual((keys["Exec"], keys["Actions"], keys["StartupWMClass"]),
                         ("/usr/games/kestrola", "computer;", "kestrola"))
        self.assertEqual(groups["Desktop Action computer"],
                         {"Name": "Play against the computer",
                          "Exec": "/usr/games/kestrola --computer"})
        self.assertTrue(os.path.isfile(installed(keys["Exec"])))
        self.assertIn("Game;", keys["Categories"])
        for size in (32, 48, 64, 128, 256):
            with open(installed("/usr/share/icons/hicolor/%dx%d/apps/%s.png"
                                % (size, size, keys["Icon"])), "rb") as icon:
                head = icon.read(24)
            self.assertEqual((head[:8], struct.unpack(">II", head[16:])),
                             (b"\x89PNG\r\n\x1a\n", (size, size)))
        self.assertIn("<svg", read(installed("/usr/share/icons/hicolor/scalable/apps/%s.svg"
                                             % keys["Icon"])))
        metadata = installed("/usr/share/metainfo/org.kestrola.Kestrola.metainfo.xml")
        for needed in ('<launchable type="desktop-id">org.kestrola.Kestrola.desktop</launchable>',
                       '<url type="homepage">https://', '<screenshot type="default">',
                       "<developer_name>", "<update_contact>"):
            self.assertIn(needed, read(metadata))
        for check in (["desktop-file-validate", entry],
                      ["appstreamcli", "validate", "--no-net", "--strict", metadata],
                      ["appstream-util", "validate", "--nonet", metadata]):
            if shutil.which(check[0]) or check[0] != "desktop-file-validate":
                checked = output(*check)
                self.assertEqual(checked.returncode, 0, checked.stdout + checked.stderr)

    def test_the_documents_come_with_every_file_and_picture_they_link_to(self):
        doc = installed(DOC)
        for name in ("manual.md", "README.md"):
            links = re.findall(r"\]\(([^)#]+)(?:#[^)]*)?\)", read(os.path.join(doc, name)))
            local = [link for link in links if "://" not in link]
            self.assertTrue(any(link.endswith(".png") for link in local), name + " shows no picture")
            for link in local:
                self.assertTrue(os.path.isfile(os.path.join(doc, link)), name + " links to " + link)

    def test_the_copyright_file_names_the_licence_of_every_shipped_file(self):
        paragraphs = [dict(re.findall(r"^([\w-]+):[ \t]*((?:.*)(?:\n[ \t].*)*)", block, re.M))
                      for block in read(installed(DOC + "copyright")).split("\n\n")]
        self.assertTrue(paragraphs[0]["Format"].startswith(
            "https://www.debian.org/doc/packaging-manuals/copyright-format/1.0"))
        texts = {p["License"].split("\n")[0].strip() for p in paragraphs[1:] if "Files" not in p}

        def governing(path):
            # The last paragraph whose pattern matches decides, as the format says.
            return ([None] + [p for p in paragraphs[1:] if any(
                fnmatch.fnmatchcase(path, pattern) for pattern in p.get("Files", "").split())])[-1]

        for folder, _, names in os.walk(root):
            for name in names:
                path = os.path.relpath(os.path.join(folder, name), root)
                stanza = governing(path)
                self.assertIsNotNone(stanza, path)
                for licence in re.split(r" and | or |, ", stanza["License"].split("\n")[0]):
                    self.assertIn(licence.strip(), texts, path)
        # The tunes carry the sound font's samples, and the pictures the font's glyphs.
        self.assertIn("Frank Wen", governing(DATA[1:] + "Music/x.ogg")["Copyright"])
        font = "/usr/share/doc/fonts-dejavu-core/copyright"
        if os.path.isfile(font):
            font_licence = re.search(r"^License: (.+)$", read(font), re.M).group(1).strip()
            for picture in (DATA[1:] + "Images/x.bmp", DOC[1:] + "manual/x.png",
                            DOC[1:] + "screenshots/x.png"):
                self.assertIn(font_licence, governing(picture)["License"], picture)


class TheSetUp(unittest.TestCase):
    """The README's two commands, typed one after the other, and CI running the second."""

    def test_the_readme_has_two_commands_and_ci_runs_the_second_word_for_word(self):
        commands = [line.strip() for line in read(os.path.join(PROJECT, "README.md")).splitlines()
                    if line.startswith("    tools/setup")]
        self.assertEqual(len(commands), 2, commands)
        play, tests = commands
        self.assertTrue(tests.startswith("tools/setup --tests && "), tests)
        # The game is started in build without leaving the shell there.
        self.assertTrue(play.startswith("tools/setup && ") and
                        play.endswith("(cd build && ./kestrola)"), play)
        run = [line.strip() for line in read(os.path.join(PROJECT, ".ci", "run")).splitlines()
               if line.strip() and not line.startswith("#")]
        self.assertEqual(run[-1], tests)
        self.assertNotIn("tools/setup", " ".join(run[:-1]))
        wrong = output(os.path.join(PROJECT, "tools", "setup"), "--everything")
        self.assertEqual(wrong.returncode, 2)
        self.assertIn("usage: tools/setup [--web | --tests]", wrong.stderr)


class TheTutorialsLastPages(unittest.TestCase):
    def test_they_name_both_places_of_the_manual_and_fit_the_message_strip(self):
        with Folder() as folder:
            dumps = folder.run(script="ticks 2\nclick 120 144\nwait 20\nset gameMode 169\n"
                               + "key return\nwait 5\ndump\n" * 2).dumps
        self.assertEqual([dump["gameMode"] for dump in dumps], [170, 171])
        lines = dumps[0]["pushed"][-2:] + dumps[1]["pushed"]
        places = {word.rstrip(".,;") for line in lines for word in line.split()
                  if word.rstrip(".,;").endswith("manual.md")}
        self.assertEqual({place.startswith("/") for place in places}, {True, False}, lines)
        for place in places:
            self.assertTrue(os.path.isfile(installed(place) if place.startswith("/")
                                           else os.path.join(PROJECT, place)), place)
        table = read(os.path.join(PROJECT, "src", "render", "glyph_widths.h"))
        table = table.split("glyphWidth[GLYPH_COUNT] = {")[1].split("};")[0]
        widths = [int(number) for line in table.splitlines()
                  for number in re.findall(r"\d+", line.split("//")[0])]
        self.assertEqual(len(widths), 96)
        for line in lines:
            self.assertLess(len(line), 60, line)
            # The strip starts at x 5 and its frame closes at x 295.
            self.assertLessEqual(sum(widths[ord(c) - 32] for c in line), 290, line)


class TheProgramAlone(unittest.TestCase):
    def test_it_says_on_the_terminal_why_it_cannot_start(self):
        env = dict(os.environ, SDL_AUDIODRIVER="dummy")
        for name in ("DISPLAY", "WAYLAND_DISPLAY", "SDL_VIDEODRIVER"):
            env.pop(name, None)
        with tempfile.TemporaryDirectory() as empty:
            for drivers, said in (({}, r"kestrola: there is no display .*DISPLAY is not set.* Log: "
                                   + re.escape(os.path.join(empty, "logFile.txt"))),
                                  ({"SDL_VIDEODRIVER": "dummy"}, re.escape(
                                      "kestrola: the game's pictures are not here: %s has no "
                                      "Images folder" % empty))):
                ended = output(installed(PROGRAM), cwd=empty, env=dict(env, **drivers), timeout=30)
                self.assertEqual(ended.returncode, 1)
                self.assertRegex(ended.stderr, said)


class OnADisplay(unittest.TestCase):
    """The real game on a virtual display of 1280 x 1024, started from a folder of its own."""

    @classmethod
    def setUpClass(cls):
        cls.server, cls.display_env = start_display("1280x1024")

    @classmethod
    def tearDownClass(cls):
        stop_display(cls.server)

    def setUp(self):
        self.home = tempfile.mkdtemp(prefix="kestrola-home-")
        self.elsewhere = tempfile.mkdtemp(prefix="kestrola-cwd-")
        self.addCleanup(shutil.rmtree, self.home, True)
        self.addCleanup(shutil.rmtree, self.elsewhere, True)
        self.env = dict(self.display_env, HOME=self.home)
        self.window = GameWindow(self.env)
        self.game = None
        self.addCleanup(lambda: self.game and self.game.poll() is None and
                        (self.game.kill(), self.game.wait()))

    def start(self, folder, program="/usr/games/kestrola", arguments=()):
        self.folder = folder
        self.game = subprocess.Popen([installed(program), *arguments], cwd=self.elsewhere,
                                     env=self.env, stdout=subprocess.DEVNULL,
                                     stderr=subprocess.DEVNULL)
        self.assertTrue(wait_for(self.window.find, seconds=30.0),
                        "no window titled Kestrola appeared (status %s, log: %r)"
                        % (self.game.poll(), self.log()))
        # The main loop runs once the start menu's music has begun, the last start-up line.
        self.assertTrue(wait_for(lambda: "Program started" in self.log(), seconds=30.0))

    def assert_size(self, size):
        # The media library may still be sizing the window when it first appears.
        wait_for(lambda: self.window.geometry() == size, seconds=10.0)
        self.assertEqual(self.window.geometry(), size)

    def log(self):
        path = os.path.join(self.folder, "logFile.txt")
        return read(path) if os.path.isfile(path) else ""

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
        rows = [[shown[i:i + 3] for i in range(y * 1800, y * 1800 + 1800, 3)] for y in range(600)]
        sharp = sum(1 for y in range(0, 600, 2) for x in range(0, 600, 2) if rows[y][x] ==
                    rows[y][x + 1] == rows[y + 1][x] == rows[y + 1][x + 1])
        self.assertGreater(sharp / 300 ** 2, 0.99)
        for name in ASSET_FOLDERS:
            self.assertEqual(os.path.realpath(os.path.join(self.folder, name)),
                             os.path.realpath(installed(DATA + name)))
        self.assertTrue(self.log().startswith("audio mixer successfully initialized\n"))
        self.assertEqual(os.listdir(self.elsewhere), [], "the game wrote where it was started")
        # The One-player row of the menu is x 91 to 199 at y 161 in the game's own pixels.
        self.assertNotIn("preparing field", self.log())
        self.window.click(2 * 145, 2 * 161)
        self.assertTrue(wait_for(lambda: "preparing field" in self.log()),
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
        self.assertIn("Program started\n", self.log())
        self.assertIn("\nkeyup f10\n# at exit: gameMode 0,",
                      read(os.path.join(self.elsewhere, "game.txt")))

    def test_the_program_alone_fits_the_screen_by_itself_and_takes_kestrola_scale(self):
        for name in ASSET_FOLDERS:
            os.symlink(installed(DATA + name), os.path.join(self.elsewhere, name))
        for scale, size in ((None, "900x900"), ("2", "600x600")):
            if scale:
                self.game.kill()
                self.game.wait()
                self.env["KESTROLA_SCALE"] = scale
            self.start(self.elsewhere, PROGRAM)
            self.assert_size(size)


class TheLauncher(unittest.TestCase):
    """The installed launcher in front of a stand-in program that reports what it was given."""

    def setUp(self):
        self.work = tempfile.mkdtemp(prefix="kestrola-launcher-")
        self.addCleanup(shutil.rmtree, self.work, True)
        prefix = os.path.join(self.work, "prefix")
        self.launcher = os.path.join(prefix, "games", "kestrola")
        self.assets = os.path.join(prefix, "share", "games", "kestrola")
        for name in ("games", "lib/games/kestrola", *ASSET_FOLDERS):
            os.makedirs(os.path.join(self.assets, name) if name in ASSET_FOLDERS
                        else os.path.join(prefix, name))
        shutil.copy(installed("/usr/games/kestrola"), self.launcher)
        self.report = os.path.join(self.work, "report")
        stand_in = os.path.join(prefix, "lib", "games", "kestrola", "kestrola")
        with open(stand_in, "w") as file:
            file.write('#!/bin/sh\n{ pwd; echo "${SDL12COMPAT_WINDOW_SCALING-unset}";'
                       ' echo "$SDL12COMPAT_SCALE_METHOD"; echo "${KESTROLA_COMPUTER-unset}";'
                       ' echo "${KESTROLA_COMPUTER_LEVEL-unset}"; echo "${KESTROLA_RECORD-unset}";'
                       ' echo "$*"; echo "${KESTROLA_WATCH-unset}";'
                       ' echo "${KESTROLA_PLAY_ON-unset}"; } > "${REPORT:-%s}"\n'
                       'sleep "${HOLD:-0}"\n' % self.report)
        os.chmod(stand_in, 0o755)
        self.home = os.path.join(self.work, "home")
        self.own = os.path.join(self.home, ".local", "share", "kestrola")
        os.makedirs(self.home)
        self.no_display = {name: value for name, value in os.environ.items()
                           if name not in ("DISPLAY", "KESTROLA_SCALE", "XDG_DATA_HOME")}

    def launch(self, env, **extra):
        """The folder the game ran in, its scale and the scale method."""
        subprocess.run([self.launcher], cwd=self.work, env=dict(env, HOME=self.home, **extra),
                       check=True, timeout=30)
        return tuple(read(self.report).split("\n")[:3])

    def test_computer_record_watch_and_play_on_reach_the_game_from_where_the_player_is(self):
        env = {name: value for name, value in self.no_display.items()
               if not name.startswith("KESTROLA_")}
        at = lambda name: os.path.join(self.work, name)  # noqa: E731
        # The settings: computer, its level, the recording, the watched file, play on; no
        # argument goes on to the program.
        for arguments, settings in (
                ((), ("unset", "unset", "unset", "unset", "unset")),
                (("--computer",), ("2", "unset", "unset", "unset", "unset")),
                (("--record", "game.txt", "--computer", "1"),
                 ("2", "1", at("game.txt"), "unset", "unset")),
                (("--computer", "3", "--record", "game.txt"),
                 ("2", "3", at("game.txt"), "unset", "unset")),
                (("--watch", "match.rec"), ("unset", "unset", "unset", at("match.rec"), "unset")),
                (("--watch", "match.rec", "--play-on"),
                 ("unset", "unset", at("match-next.rec"), at("match.rec"), "1")),
                (("--play-on", "--record", "b.rec", "--watch", at("match.rec")),
                 ("unset", "unset", at("b.rec"), at("match.rec"), "1"))):
            with self.subTest(arguments=arguments):
                subprocess.run([self.launcher, *arguments], cwd=self.work,
                               env=dict(env, HOME=self.home), check=True, timeout=30,
                               capture_output=True)
                lines = read(self.report).split("\n")
                self.assertEqual(tuple(lines[3:9]), settings[:3] + ("",) + settings[3:])
        for arguments, said in ((("--computer", "4"), "the computer's level is 1, 2 or 3, not 4"),
                                (("--play-on",), "--play-on goes with --watch FILE")):
            refused = output(self.launcher, *arguments, cwd=self.work,
                             env=dict(env, HOME=self.home), timeout=30)
            self.assertEqual((refused.returncode, refused.stderr), (1, "kestrola: %s\n" % said))

    def test_with_no_display_the_game_is_left_to_choose_in_the_folder_under_home(self):
        # A relative data home is no valid setting and is passed over.
        self.assertEqual(self.launch(self.no_display, XDG_DATA_HOME="data"),
                         (self.own, "unset", "nearest"))
        self.assertFalse(os.path.exists(os.path.join(self.work, "data")))

    def test_the_scale_fits_the_primary_monitor_unless_kestrola_scale_says_otherwise(self):
        # The X screen of 1920 x 2160 would hold four times 300; each stacked monitor holds
        # three. The primary monitor is marked by a star.
        stacked = (("top", "1920/500x1080/280+0+0"), ("*bottom", "1920/500x1080/280+0+1080"))
        small_primary = (("big", "1920/500x2160/560+0+0"), ("*small", "1280/340x800/210+0+0"))
        for size, monitors, scales in (
                ("1400x800", (), {"": "2", "3": "3", "big": "2", "00": "2", "-2": "2"}),
                ("640x480", (), {"": "1"}), ("1920x1080", (), {"": "3"}),
                ("3840x2160", (), {"": "4"}), ("1920x2160", stacked, {"": "3"}),
                ("1920x2160", small_primary, {"": "2"})):
            server, env = start_display(size)
            try:
                for name, geometry in monitors:
                    subprocess.run(["xrandr", "--setmonitor", name, geometry, "none"], env=env,
                                   check=True, capture_output=True)
                for setting, scale in scales.items():
                    self.assertEqual(self.launch(env, KESTROLA_SCALE=setting)[1], scale,
                                     (size, monitors, setting))
            finally:
                stop_display(server)

    def test_a_second_game_at_once_gets_a_folder_of_its_own(self):
        env = dict(self.no_display, HOME=self.home, HOLD="30",
                   REPORT=os.path.join(self.work, "first"))
        # In a session of its own, so that the stand-in's sleep, which holds the lock too, ends
        # with it.
        first = subprocess.Popen([self.launcher], cwd=self.work, env=env, start_new_session=True)
        try:
            self.assertTrue(wait_for(lambda: os.path.exists(env["REPORT"])))
            env.update(HOLD="0", REPORT=self.report)
            second = output(self.launcher, cwd=self.work, env=env, timeout=30)
            folder = os.path.join(self.own, "2")
            self.assertEqual(read(self.report).split("\n")[0], folder)
            self.assertIn("another game is running; this one keeps its log in %s/logFile.txt"
                          % folder, second.stderr)
            self.assertEqual(os.path.realpath(os.path.join(folder, "Images")),
                             os.path.realpath(os.path.join(self.assets, "Images")))
        finally:
            os.killpg(first.pid, signal.SIGKILL)
            first.wait()
        # Once the first has ended, the next game takes the player's folder again.
        self.assertEqual(self.launch(env)[0], self.own)

    def test_stale_links_are_renewed_and_a_players_own_folder_is_kept(self):
        folder = os.path.join(self.work, "data", "kestrola")
        os.makedirs(os.path.join(folder, "Music"))
        os.symlink("/nowhere/Images", os.path.join(folder, "Images"))
        self.assertEqual(self.launch(self.no_display, XDG_DATA_HOME=os.path.dirname(folder))[0],
                         folder)
        for name in ("Images", "Sfx"):
            self.assertEqual(os.readlink(os.path.join(folder, name)),
                             os.path.join(self.assets, name))
        self.assertFalse(os.path.islink(os.path.join(folder, "Music")))


if __name__ == "__main__":
    unittest.main()
