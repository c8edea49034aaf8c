"""The program shell driven through scripts: start-up, the menus, the keys, time, the main
loop's timing, the decorative ball and every way out."""
import unittest

from replay import BEFORE_THE_IMAGES as START_UP_LOG, Folder, ReplayTest, cue_ops, look, play

IN_GAME_TRACKS = ["Orvane10.ogg", "Tesk_joke.ogg", "M0104.ogg", "M0108.ogg"]
TRACK_LENGTH_MS = [46000, 80000, 59000, 62000]
MENU_TRACK = {"op": "playMusic", "name": "Orvane01.ogg", "loops": -1}
SELECT = {"op": "playEffect", "name": "select", "channel": -1, "loops": 0, "volume": 128}
DUMP_KEYS = ["t", "gameMode", "fullRedraw", "options", "match", "balls", "tools", "placedTools",
             "placedToolCount", "messages", "menu", "tutorial", "timing", "pushed", "cues",
             "updates"]


def ball_cell(value):
    for limit, cell in ((0, 1), (1, 2), (2, 3), (6, 4), (10, 5), (15, 6), (20, 7), (30, 8)):
        if value <= limit:
            return cell
    return 9


class StartUp(ReplayTest):
    def test_first_dump_shows_the_start_menu_as_it_was_first_drawn(self):
        run = self.play("dump\n")
        first = run.dumps[0]
        self.assertEqual(list(first), DUMP_KEYS)
        self.assertEqual(look(first, "t", "gameMode", "fullRedraw", "cues", "updates"),
                         (0, 0, 0, [MENU_TRACK], [[0, 0, 300, 300]]))
        self.assertEqual(first["options"], {"speed": 40, "tickInterval": 25, "sound": 1,
                                            "music": 1, "messages": 1})
        self.assertEqual(first["messages"], {"upper": "Welcome to Kestrola!",
                                             "lower": "Have a nice game"})
        self.assertEqual((len(first["balls"]), len(first["placedTools"])), (20, 30))
        self.assertEqual(run.log, START_UP_LOG)

    def test_the_same_script_prints_the_same_output(self):
        script = "motion 120 150\nwait 40\nclick 120 157\nwait 90\nkey space\ndump\nwait 7\ndump\n"
        self.assertEqual(play(script).stdout, play(script).stdout)

    def test_an_earlier_log_is_truncated(self):
        with Folder() as folder:
            first = folder.run(script="click 120 157\n")
            second = folder.run(script="click 120 157\n")
        self.assertEqual(first.log, START_UP_LOG + "preparing field\n")
        self.assertEqual(second.log, first.log)


class WaysOut(ReplayTest):
    def test_window_close_f10_on_release_and_the_quit_entry_all_leave_with_status_1(self):
        for script in ("quit\n", "keydown f10\ndump\nkeyup f10\n", "click 150 208\n",
                       "click 120 157\nkey f10\n"):
            with self.subTest(script=script):
                run = self.play("dump\n" + script, status=1)
                self.assertEqual(len(run.dumps), script.count("dump") + 1,
                                 "the dumps before leaving are flushed")
                self.assertEqual(run.log, START_UP_LOG + "preparing field\n" * ("157" in script))


class StartMenu(ReplayTest):
    def test_the_tutorial_entry_greets_and_sets_the_page_timer(self):
        dump = self.play("wait 30\ndump\nclick 100 140\ndump\n").last
        self.assertEqual(look(dump, "gameMode", "pushed"),
                         (100, ["Welcome to the Kestrola tutorial!",
                                "ESC exits this tutorial, ENTER opens next page"]))
        # The click is handled before this pass reads the clock.
        self.assertEqual(dump["tutorial"]["pageDeadline"], dump["t"] - 1 + 10000)
        self.assertIn(dump["cues"][0]["name"], IN_GAME_TRACKS)

    def test_the_rotation_replaces_the_first_track_at_the_first_tick(self):
        dump = self.play("ticks 1\nclick 120 157\ndump\nticks 1\ndump\nticks 30\ndump\n").dumps
        self.assertEqual(cue_ops(dump[1]), ["playMusic"])
        track = dump[1]["timing"]["currentTrack"]
        self.assertEqual(dump[1]["cues"][0]["name"], IN_GAME_TRACKS[track])
        self.assertEqual(dump[1]["timing"]["nextTrackTime"], dump[1]["t"] + TRACK_LENGTH_MS[track])
        self.assertEqual(dump[2]["cues"], [], "no new track before the last one has run out")

    def test_the_highlight_follows_the_mouse_only_without_a_button_held(self):
        dumps = self.play("motion 120 190\ndump\nmotion 120 140 left\ndump\n"
                          "motion 50 50\ndump\n").dumps
        self.assertEqual([d["menu"]["menuSelection"] for d in dumps], [3, 3, -1])


class OptionsMenu(ReplayTest):
    ENTER = "click 120 190\n"

    def test_music_off_halts_it_and_on_restarts_the_menu_track(self):
        dumps = self.play(self.ENTER + "dump\nclick 120 195\ndump\nclick 120 195\ndump\n").dumps
        self.assertEqual(look(dumps[1], "cues", "options.music"),
                         ([{"op": "haltMusic"}, SELECT], 0))
        self.assertEqual(look(dumps[2], "cues", "options.music"), ([MENU_TRACK, SELECT], 1))

    def test_sound_off_silences_the_click_that_turned_it_off(self):
        dumps = self.play(self.ENTER + "dump\nclick 120 178\ndump\nclick 120 178\ndump\n").dumps
        self.assertEqual(look(dumps[1], "cues", "options.sound"), ([], 0))
        self.assertEqual(dumps[2]["cues"], [SELECT])


class Keys(ReplayTest):
    def test_key_releases_are_silent_and_presses_blip(self):
        dumps = self.play("ticks 1\ndump\nkeyup a\ndump\nkeydown 7\ndump\n").dumps
        self.assertEqual(look(dumps[1], "cues", "updates"), ([], [[0, 0, 300, 300]]))
        self.assertEqual(dumps[2]["cues"], [SELECT])

    def test_space_starts_time_with_the_clock_and_pauses_it_again(self):
        dumps = self.play("click 120 157\nset buttonState 0 0\nset buttonState 10 0\ndump\n"
                          "key space\ndump\nkey space\ndump\n").dumps
        running, paused = dumps[1], dumps[2]
        self.assertEqual(look(running, "gameMode", "cues.0", "tools.buttonState.0",
                              "tools.buttonState.10"),
                         (13, {"op": "playEffect", "name": "clock", "channel": 1, "loops": -1,
                               "volume": 30}, 1, 1))
        # A pause by the key leaves both time buttons lit.
        self.assertEqual(look(paused, "gameMode", "pushed", "cues.0", "tools.buttonState.0"),
                         (10, ["Game paused. You may wish to apply tools now."],
                          {"op": "haltChannel", "channel": 1}, 1))


class MainLoop(ReplayTest):
    def test_a_slow_pass_runs_one_tick_and_counts_the_next_from_it(self):
        dumps = self.play("ticks 1\ndump\nstall 200\nwait 1\ndump\nwait 24\ndump\n"
                          "wait 1\ndump\n").dumps
        first, slow, early, due = dumps
        self.assertEqual(look(first, "t", "timing.nextTickTime"), (1, 26))
        self.assertEqual(look(slow, "t", "timing.nextTickTime"), (202, 227))
        self.assertEqual([d["menu"]["menuBallX"] for d in (slow, early, due)],
                         [297.0, 297.0, 292.0], "one step only, not eight")

    def test_frames_on_the_menu_push_the_ball_band_and_the_highlight_column(self):
        dump = self.play("ticks 2\ndump\n").last
        self.assertEqual(dump["updates"], [[0, 250, 300, 50], [90, 130, 28, 100]])

    def test_the_menu_ball_rolls_falls_and_restarts_at_the_right(self):
        dumps = self.play("ticks 1\ndump\n" * 200).dumps
        x, y, speed, vy = 307.0, 263.0, 5.0, 0.0
        restarts = 0
        for dump in dumps:
            menu = dump["menu"]
            x -= speed
            y += vy
            if x < 140:
                vy += 0.2
            if x < -7 or y > 307:
                restarts += 1
                speed = menu["menuBallSpeed"]
                self.assertIn(speed, range(3, 10))
                x, y, vy = 307.0, 263.0, 0.0
                self.assertEqual(menu["menuBallCell"], ball_cell(int(speed * 4)))
            self.assertEqual((menu["menuBallX"], menu["menuBallY"], menu["menuBallVy"]),
                             (x, y, vy))
        self.assertGreaterEqual(restarts, 2)

    def test_the_end_screen_ball_bounces_on_the_floor(self):
        dumps = self.play("set gameMode 40\n" + "ticks 1\ndump\n" * 200).dumps
        x, y, speed, vy = 307.0, 263.0, 5.0, 0.0
        bounces = 0
        for dump in dumps:
            menu = dump["menu"]
            x += speed
            y += vy
            if y >= 293:
                vy, y = -vy, 293.0
                bounces += 1
            vy += 0.2
            if x > 330:
                x, speed, vy = -30.0, menu["menuBallSpeed"], 0.0
                self.assertIn(speed, range(1, 10))
                y = 210.0  # a two-player game was the last kind chosen
            self.assertEqual((menu["menuBallX"], menu["menuBallY"], menu["menuBallVy"]),
                             (x, y, vy))
        self.assertGreater(bounces, 0)
        self.assertEqual(dumps[-1]["updates"], [[0, 150, 300, 150]])

    def test_nothing_moves_while_paused_but_frames_still_run(self):
        dumps = self.play("click 120 157\nticks 1\ndump\nticks 5\ndump\n").dumps
        self.assertEqual(dumps[0]["balls"], dumps[1]["balls"])
        self.assertEqual(dumps[1]["updates"], [])


class ScriptErrors(ReplayTest):
    def test_an_unknown_command_names_its_line_and_stops_the_script(self):
        run = self.play("dump\n\n# a comment\nbogus 1\ndump\n", status=2)
        self.assertEqual((run.stderr.strip(), len(run.dumps)), ("4: unknown command 'bogus'", 1))

    def test_bad_arguments_and_waits_that_never_end_are_errors_of_their_line(self):
        for script in ["wait 1\n" + line + "\ndump\n" for line in (
                "click 10", "click a 5", "set ball 20 x 1", "set ball 0 colour 1",
                "set option volume 1", "wait -5", "key shift", "settle 5 5")] + [
                "set gameMode 13\nsettle 50\ndump\n", "until-mode-changes 10\ndump\n"]:
            with self.subTest(script=script):
                run = self.play(script, status=2)
                self.assertTrue(run.stderr.startswith("1: " if script[0] == "u" else "2: "),
                                run.stderr)
                self.assertEqual(run.dumps, [])


if __name__ == "__main__":
    unittest.main()
