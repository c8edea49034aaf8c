"""The tools as a player uses them: selecting buttons, applying tools to balls and points,
aiming, cancelling, every refusal, and what each placed tool does to the balls."""
import math
import unittest

from replay import ReplayTest, table_with
from replay import ball as b, position as pos, velocity as vel

ROW_SWITCH = "click 285 85\n"


def button(k):
    """A click on button k of the row it lives in (switch rows first for 10 to 19)."""
    return f"click {30 * (k % 10) + 15} 85\n"


def paused(balls, players=1):
    return table_with(balls, players=players, running=False) + "dump\n"


AT_REST = dict(x=150.0, y=200.0)


def damped(vx, vy):
    """One damping step inside the cloth region, as the game does it."""
    def friction(c):
        if c == 0:
            return 0.0
        if c > 0.5 or c < -0.5:
            return c * 0.995
        return c - 0.008 if c > 0 else c + 0.008
    vx, vy = friction(float(vx)), friction(float(vy))
    if vx == 0 and vy == 0:
        return (0.0, 0.0)
    vx = 0.0 if -0.02 < vx < 0.02 else vx
    vy = 0.0 if -0.02 < vy < 0.02 else vy
    speed = math.sqrt(vx * vx + vy * vy)
    if speed > 3.0:
        vx, vy = vx / speed * 3.0, vy / speed * 3.0
    return (vx, vy)


class Buttons(ReplayTest):
    def test_a_match_starts_with_every_tool_available_and_time_dark(self):
        dump = self.play("click 120 157\ndump\n").last
        expected = [0] * 20
        expected[0] = expected[10] = -1
        self.assertEqual(dump["tools"]["buttonState"], expected)
        self.assertEqual(dump["tools"]["usesLeft"],
                         [100, 5, 1, 1, 2, 3, 3, 2, 2, 100, 100, 1, 2, 1, 1, 100, 100, 100, 100, 100])

    def test_selecting_a_tool_tells_what_it_does_and_how_often_it_may_be_used(self):
        dump = self.play(paused({0: AT_REST}) + button(1) + "dump\n").last
        self.assertEqual(dump["gameMode"], 11)
        self.assertEqual(dump["tools"]["selectedTool"], 1)
        self.assertEqual(dump["tools"]["buttonState"][1], 1)
        self.assertEqual(dump["pushed"], ["Cue stroke - changes direction/speed (value -1)",
                                          "Can use 5 more time(s)"])
        quiet = self.play("set option messages 0\n" + paused({0: AT_REST}) + button(1) + "dump\n")
        self.assertEqual(quiet.last["pushed"], ["Can use 5 more time(s)"])

    def test_x_270_selects_the_next_page_button_and_271_switches_the_row(self):
        dumps = self.play(paused({0: AT_REST}) + "click 270 85\ndump\nclick 150 200\ndump\n"
                          "click 271 85\ndump\n").dumps[1:]
        self.assertEqual(dumps[0]["pushed"], ["Next page"])
        self.assertEqual((dumps[0]["gameMode"], dumps[0]["tools"]["selectedTool"]), (11, 9))
        self.assertEqual(dumps[1]["balls"], dumps[0]["balls"], "the Table ignores the click")
        self.assertEqual((dumps[2]["tools"]["buttonRow"], dumps[2]["tools"]["selectedTool"]), (1, -1))
        self.assertEqual(dumps[2]["gameMode"], 11)

    def test_a_blank_button_pushes_an_empty_line(self):
        dump = self.play(paused({0: AT_REST}) + ROW_SWITCH + button(15) + "dump\n").last
        self.assertEqual(dump["pushed"], [""])
        self.assertEqual(dump["gameMode"], 11)

    def test_time_cannot_be_started_from_its_button_while_every_ball_rests(self):
        dump = self.play(paused({0: AT_REST}) + "click 10 85\ndump\n").last
        self.assertEqual(dump["pushed"], ["Get balls moving first"])
        self.assertEqual(dump["gameMode"], 10)

    def test_five_cue_strokes_use_the_cue_up_for_the_turn(self):
        stroke = button(1) + "click 150 200\nclick 151 200\n"
        dump = self.play(paused({0: AT_REST}) + stroke * 5 + "dump\n" + button(1) + "dump\n").dumps
        used_up, refused = dump[1], dump[2]
        self.assertEqual((used_up["tools"]["usesLeft"][1], used_up["tools"]["buttonState"][1]), (0, -1))
        self.assertEqual(refused["pushed"], ["Tool inavailable untill next turn"])
        self.assertEqual(refused["gameMode"], 10)


class BallTools(ReplayTest):
    def test_a_cue_stroke_is_a_tenth_of_the_distance_and_is_capped_in_the_next_tick(self):
        dumps = self.play(paused({0: dict(x=150.0, y=200.0, value=3)}) + button(1) +
                          "click 153 203\ndump\nclick 180 160\ndump\nkey space\nticks 1\ndump\n").dumps
        aiming, struck, moved = dumps[1:]
        self.assertEqual(aiming["gameMode"], 12)
        self.assertEqual((b(aiming, 0)["selected"], aiming["tools"]["selectedBall"]), (1, 0))
        self.assertEqual(aiming["pushed"][-1], "Select direction")
        self.assertEqual(vel(b(struck, 0)), (3.0, -4.0))
        self.assertEqual(b(struck, 0)["value"], 2)
        self.assertEqual(struck["pushed"], ["Ball's speed/direction changed (value -1)"])
        self.assertEqual(struck["gameMode"], 10)
        self.assertEqual(struck["tools"]["usesLeft"][1], 4)
        self.assertEqual(struck["tools"]["buttonState"][0], 0, "time may now be started")
        self.assertEqual(pos(b(moved, 0)), (153.0, 196.0))
        vx, vy = 3 * 0.995, -4 * 0.995
        speed = math.sqrt(vx * vx + vy * vy)
        self.assertEqual(vel(b(moved, 0)), (vx / speed * 3.0, vy / speed * 3.0))
        self.assertAlmostEqual(b(moved, 0)["vx"], 1.8)

    def test_a_stroke_against_the_motion_can_stop_the_last_ball_without_ending_the_turn(self):
        dump = self.play(paused({0: dict(x=150.0, y=200.0, vx=1.0, vy=0.0)}) + button(1) +
                         "click 150 200\nclick 140 200\ndump\n").last
        self.assertEqual(vel(b(dump, 0)), (0.0, 0.0))
        self.assertEqual(dump["tools"]["buttonState"][0], -1)
        self.assertEqual((dump["gameMode"], dump["match"]["turnNumber"]), (10, 1))

    def test_a_click_seven_pixels_away_misses_and_the_lower_index_wins_a_tie(self):
        miss = self.play(paused({0: AT_REST}) + button(1) + "click 157 200\ndump\n").last
        self.assertEqual((miss["gameMode"], miss["tools"]["selectedBall"]), (11, -1))
        both = self.play(paused({3: dict(x=150.0, y=200.0), 2: dict(x=160.0, y=200.0)}) +
                         button(1) + "click 155 200\ndump\n").last
        self.assertEqual(both["tools"]["selectedBall"], 2)

    def test_stop_passes_over_a_resting_ball_to_the_first_moving_one(self):
        dump = self.play(paused({2: dict(x=150.0, y=200.0), 4: dict(x=160.0, y=200.0, vx=1.0, vy=0.5),
                                 9: dict(x=60.0, y=150.0, vx=1.0, vy=0.0)}) +
                         "set buttonState 0 0\n" + button(4) + "click 155 200\ndump\n").last
        self.assertEqual(dump["pushed"][-2:], ["Ball's speed is aready zero", "Ball stopped"])
        self.assertEqual(vel(b(dump, 4)), (0.0, 0.0))
        self.assertEqual((dump["gameMode"], dump["tools"]["usesLeft"][4]), (10, 1))
        self.assertEqual(dump["tools"]["buttonState"][0], 0, "ball 9 still rolls: time stays lit")

    def test_stopping_the_last_moving_ball_darkens_time_and_leaves_the_turn_open(self):
        dump = self.play(paused({4: dict(x=160.0, y=200.0, vx=1.0, vy=0.5)}) + button(4) +
                         "click 160 200\ndump\n").last
        self.assertEqual(dump["tools"]["buttonState"][0], -1)
        self.assertEqual(dump["tools"]["buttonState"][10], -1)
        self.assertEqual(dump["match"]["turnNumber"], 1)

    def test_teleport_refuses_a_crowded_spot_and_costs_five_value(self):
        dumps = self.play(paused({0: dict(x=150.0, y=200.0, value=3, vx=0.5, vy=0.0),
                                  1: dict(x=100.0, y=150.0)}) + button(7) +
                          "click 150 200\nclick 113 150\ndump\nclick 120 160\ndump\n").dumps[1:]
        refused, done = dumps
        self.assertEqual(refused["pushed"][-1], "Can't teleport there!")
        self.assertEqual((refused["gameMode"], pos(b(refused, 0))), (12, (150.0, 200.0)))
        self.assertEqual(done["pushed"], ["Ball teleported! (value -5)"])
        self.assertEqual((pos(b(done, 0)), vel(b(done, 0)), b(done, 0)["value"]),
                         ((120.0, 160.0), (0.0, 0.0), 0))
        self.assertEqual((done["gameMode"], done["tools"]["usesLeft"][7], b(done, 0)["selected"]),
                         (10, 1, 0))

    def test_jump_follows_the_motion_and_a_ball_at_rest_cannot_jump(self):
        dumps = self.play(paused({0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0),
                                  1: dict(x=200.0, y=150.0)}) + button(8) +
                          "click 100 200\nmotion 100 250\ndump\nclick 100 250\ndump\n").dumps[1:]
        aiming, jumped = dumps
        self.assertEqual((aiming["tools"]["aimX"], aiming["tools"]["aimY"]), (150.0, 200.0))
        self.assertEqual(jumped["pushed"], ["Ball jumps!"])
        self.assertEqual((pos(b(jumped, 0)), vel(b(jumped, 0))), ((150.0, 200.0), (2.0, 0.0)))
        still = self.play(paused({0: AT_REST}) + button(8) + "click 150 200\nclick 180 200\n"
                          "dump\nclick 120 200 right\ndump\n").dumps[1:]
        self.assertEqual((still[0]["pushed"][-1], still[0]["gameMode"]), ("Can't jump there!", 12))
        self.assertEqual((still[1]["pushed"], still[1]["gameMode"]), (["Tool deselected"], 10))
        self.assertEqual(still[1]["tools"]["usesLeft"][8], 2)


    def test_aiming_forced_without_a_ball_ignores_clicks_and_changes_nothing(self):
        # A script can put the game into aiming with the Cue chosen but no ball picked.
        dumps = self.play(paused({0: AT_REST}) + button(1) + "set gameMode 12\ndump\n"
                          "click 150 250\nclick 10 10\nmotion 200 200\ndump\n").dumps[1:]
        before, after = dumps
        self.assertEqual(after["pushed"], [])
        self.assertEqual(after["gameMode"], 12)
        self.assertEqual(after["balls"], before["balls"])
        self.assertEqual(after["tools"]["usesLeft"], before["tools"]["usesLeft"])

class PointTools(ReplayTest):
    def test_placements_count_only_the_tools_that_stay(self):
        cases = ((3, 0), (12, 0), (13, 0), (14, 0), (5, 1), (6, 1), (11, 1))
        for kind, count in cases:
            with self.subTest(kind=kind):
                script = paused({0: dict(x=60.0, y=150.0, vx=0.5, vy=0.0)})
                script += (ROW_SWITCH if kind >= 10 else "") + button(kind) + "click 200 220\ndump\n"
                dump = self.play(script).last
                self.assertEqual(dump["placedToolCount"], count)
                self.assertEqual(dump["tools"]["usesLeft"][kind], [1, 1, 0, 0, 2, 2, 2, 2, 2, 2, 2,
                                                                   0, 1, 0, 0][kind])
                self.assertEqual(dump["placedTools"][0]["kind"], kind if count else -1)

    def test_the_border_refuses_placements_outside_40_to_260(self):
        for x, y, refused in ((39, 200, True), (150, 261, True), (40, 260, False), (260, 140, False)):
            with self.subTest(x=x, y=y):
                dump = self.play(paused({0: AT_REST}) + button(5) + f"click {x} {y}\ndump\n").last
                self.assertEqual(dump["pushed"][-1] == "Can't apply tool: too close to border", refused)
                self.assertEqual(dump["placedToolCount"], 0 if refused else 1)

    def test_a_fan_counts_once_its_direction_is_set_and_a_right_click_drops_it(self):
        script = paused({0: AT_REST}) + ROW_SWITCH + button(11) + "click 200 200\n" + ROW_SWITCH
        dumps = self.play(script + button(2) + "click 100 200\ndump\nclick 100 200 right\ndump\n").dumps[1:]
        waiting, dropped = dumps
        self.assertEqual((waiting["gameMode"], waiting["placedToolCount"]), (12, 1))
        self.assertEqual(waiting["placedTools"][1]["kind"], 2)
        self.assertEqual(dropped["placedTools"][1], {"kind": -1, "x": -1, "y": -1, "screenX": -1,
                                                      "screenY": -1, "dirX": 0, "dirY": 0})
        self.assertEqual((dropped["placedToolCount"], dropped["placedTools"][0]["kind"]), (1, 11))
        self.assertEqual(dropped["tools"]["usesLeft"][2], 1)

    def test_the_fan_blows_into_its_cone_only(self):
        script = paused({0: dict(x=120.0, y=200.0), 1: dict(x=120.0, y=215.0),
                         2: dict(x=210.0, y=200.0), 3: dict(x=80.0, y=200.0)})
        dump = self.play(script + button(2) + "click 100 200\nclick 200 200\ndump\n").last
        self.assertEqual(vel(b(dump, 0)), (0.25 - 0.008, 0.0))
        self.assertEqual([b(dump, i)["noScore"] for i in range(4)], [1, 0, 0, 0])
        self.assertEqual([vel(b(dump, i)) for i in (1, 2, 3)], [(0.0, 0.0)] * 3)
        self.assertEqual(dump["placedTools"][0]["dirX"], 10.0)
        self.assertEqual(dump["pushed"][-1], "Fan set (balls won't grow in value while blown at)")
        self.assertEqual((dump["gameMode"], dump["placedToolCount"]), (10, 1))

    def test_a_fan_without_a_stream_marks_the_balls_in_range_but_pushes_none(self):
        script = paused({0: dict(x=120.0, y=200.0), 1: dict(x=100.0, y=230.0)})
        dump = self.play(script + button(2) + "click 100 200\nclick 100 200\ndump\n").last
        self.assertEqual([vel(b(dump, i)) for i in (0, 1)], [(0.0, 0.0)] * 2)
        self.assertEqual([b(dump, i)["noScore"] for i in (0, 1)], [1, 1])

    def test_tilt_pushes_every_ball_towards_where_it_was_put(self):
        dump = self.play(paused({0: AT_REST, 7: dict(x=60.0, y=150.0)}) + button(3) +
                         "click 250 140\ndump\n").last
        for i in (0, 7):
            self.assertEqual(vel(b(dump, i)), (2.0 * 0.995, -1.2 * 0.995))

    def test_reflect_blocks_turn_balls_back_from_their_faces_and_ends(self):
        def reflect(kind, **ball):
            return self.play(paused({0: ball}) + button(kind) + "click 150 200\ndump\n").last

        face = reflect(5, x=150.0, y=194.0, vx=0.0, vy=2.0)
        self.assertEqual((pos(b(face, 0)), vel(b(face, 0))), ((150.0, 190.0), (0.0, -2.0)))
        self.assertEqual(face["pushed"][-1], "Bounce!")
        end = reflect(5, x=166.0, y=201.0, vx=1.5, vy=0.0)
        self.assertEqual((pos(b(end, 0)), vel(b(end, 0))), ((168.0, 201.0), (-1.5, 0.0)))
        both = reflect(5, x=151.0, y=199.0, vx=0.5, vy=0.5)
        self.assertEqual((pos(b(both, 0)), vel(b(both, 0))), ((168.0, 190.0), (-0.5, -0.5)))
        self.assertEqual(both["pushed"].count("Bounce!"), 2)
        self.assertEqual((b(face, 0)["screenX"], b(face, 0)["screenY"]), (150, 190),
                         "drawn where the block set it")
        upright = reflect(6, x=194.0, y=200.0, vx=0.0, vy=0.0)
        self.assertEqual(pos(b(upright, 0)), (194.0, 200.0), "far from the upright bar")
        side = reflect(6, x=144.0, y=200.0, vx=2.0, vy=0.0)
        self.assertEqual((pos(b(side, 0)), vel(b(side, 0))), ((140.0, 200.0), (-2.0, 0.0)))

    def test_the_magnet_pulls_between_25_and_60_and_marks_within_50(self):
        dump = self.play(paused({0: dict(x=190.0, y=200.0), 1: dict(x=150.0, y=255.0),
                                 2: dict(x=170.0, y=200.0)}) + ROW_SWITCH + button(11) +
                         "click 150 200\ndump\n").last
        self.assertEqual((vel(b(dump, 0)), b(dump, 0)["noScore"]), ((-0.1, 0.0), 1))
        self.assertEqual((vel(b(dump, 1)), b(dump, 1)["noScore"]), ((0.0, -0.1), 0))
        self.assertEqual((vel(b(dump, 2)), b(dump, 2)["noScore"]), ((0.0, 0.0), 1))
        self.assertEqual(dump["pushed"][-1], "Magnet set (balls won't grow in value while in field)")

    def test_the_hammer_scatters_every_ball_away_from_it(self):
        dump = self.play(paused({0: dict(x=160.0, y=200.0), 1: dict(x=250.0, y=200.0),
                                 2: dict(x=152.0, y=201.0)}) + ROW_SWITCH + button(12) +
                         "click 150 200\ndump\n").last
        self.assertEqual(vel(b(dump, 0)), (3.0, 0.0))
        self.assertEqual(vel(b(dump, 1)), (0.995, 0.0))
        self.assertEqual(vel(b(dump, 2)), (0.0, 0.0), "within 5 of the hammer")
        self.assertEqual(dump["pushed"].count("BANG!"), 1)

    def test_boost_multiplies_by_ten_and_on_a_still_table_only_says_so(self):
        dump = self.play(paused({0: dict(x=150.0, y=200.0, vx=0.2, vy=0.0),
                                 1: dict(x=60.0, y=150.0, vx=0.5, vy=0.0)}) +
                         ROW_SWITCH + button(13) + "click 150 200\ndump\n").last
        self.assertEqual((vel(b(dump, 0)), vel(b(dump, 1))), ((1.99, 0.0), (3.0, 0.0)))
        still = self.play(paused({0: AT_REST}) + ROW_SWITCH + button(13) + "click 150 200\ndump\n")
        self.assertEqual(still.last["pushed"][-1], "All balls accelerated!")
        self.assertEqual(vel(b(still.last, 0)), (0.0, 0.0))

    def test_chaos_gives_whole_speeds_from_minus_3_to_2(self):
        balls = {i: dict(x=60.0 + 20 * (i % 10), y=150.0 + 40 * (i // 10)) for i in range(20)}
        dump = self.play(paused(balls) + ROW_SWITCH + button(14) + "click 150 200\ndump\n").last
        self.assertEqual(dump["pushed"][-1], "Balls' movement randomized!")
        # Every ball's velocity is one of the 36 whole draws, damped once.
        outcomes = {damped(vx, vy) for vx in range(-3, 3) for vy in range(-3, 3)}
        for i in range(20):
            self.assertIn(vel(b(dump, i)), outcomes)
        self.assertGreater(len({vel(b(dump, i)) for i in range(20)}), 3)


class EndingATurnFromATool(ReplayTest):
    def test_a_tilt_that_stops_the_last_ball_ends_the_turn_with_fresh_charges(self):
        dump = self.play(paused({0: dict(x=100.0, y=200.0, vx=0.015, vy=0.0)}) + button(3) +
                         "click 150 200\ndump\n").last
        self.assertEqual((dump["gameMode"], dump["match"]["turnNumber"]), (10, 2))
        self.assertEqual(dump["tools"]["usesLeft"][3], 1)
        self.assertEqual((dump["placedToolCount"], dump["placedTools"][0]["kind"]), (0, -1))
        self.assertIn("Turn 2. You have 8 more turns left", dump["pushed"])

    def test_a_tilt_that_ends_the_match_leaves_the_end_screen_standing(self):
        dump = self.play(paused({0: dict(x=100.0, y=200.0, vx=0.015, vy=0.0)}, players=2) +
                         "set ballsPocketed 0 20\n" + button(3) + "click 150 200\ndump\n").last
        self.assertEqual(dump["gameMode"], 40)


    def test_a_hammer_that_stops_the_last_ball_still_scatters_the_rest_and_play_goes_on(self):
        # Ball 0 is pushed back to a creep and stops inside the Hammer's own loop; ball 5,
        # later in that loop, is still pushed in this turn.
        placed = self.play(paused({0: dict(x=90.0, y=160.0, vx=1.005, vy=0.0),
                                   5: dict(x=150.0, y=220.0)}) + ROW_SWITCH + button(12) +
                           "click 190 160\ndump\n").last
        self.assertEqual((placed["gameMode"], placed["match"]["turnNumber"]), (10, 1))
        self.assertEqual(vel(b(placed, 0)), (0.0, 0.0))
        self.assertNotEqual(vel(b(placed, 5)), (0.0, 0.0))
        self.assertEqual(placed["tools"]["buttonState"][0], 0, "time may run")
        self.assertEqual(placed["pushed"][-1], "BANG!")
        ended = self.play(paused({0: dict(x=90.0, y=160.0, vx=1.005, vy=0.0),
                                  5: dict(x=150.0, y=220.0)}) + ROW_SWITCH + button(12) +
                          "click 190 160\nkey space\nsettle\ndump\n").last
        self.assertEqual((ended["gameMode"], ended["match"]["turnNumber"]), (10, 2))
        self.assertTrue(all(vel(ball) == (0.0, 0.0) for ball in ended["balls"]))
        self.assertEqual(ended["tools"]["buttonState"][0], -1)

    def test_a_boost_that_stops_the_last_ball_ends_the_turn_after_its_message(self):
        dump = self.play(paused({0: dict(x=90.0, y=160.0, vx=0.001, vy=0.0),
                                 5: AT_REST}) + ROW_SWITCH + button(13) +
                         "click 190 160\ndump\n").last
        self.assertEqual((dump["gameMode"], dump["match"]["turnNumber"]), (10, 2))
        self.assertEqual(dump["pushed"][-2:],
                         ["All balls accelerated!", "Turn 2. You have 8 more turns left"])


class WhileTimeRuns(ReplayTest):
    RUNNING = {0: dict(x=60.0, y=150.0, vx=1.0, vy=0.0)}

    def test_a_tool_button_pauses_halts_the_clock_and_selects_in_one_click(self):
        dump = self.play(table_with(self.RUNNING) + "dump\n" + button(1) + "dump\n").last
        self.assertEqual((dump["gameMode"], dump["tools"]["selectedTool"]), (11, 1))
        self.assertEqual(dump["pushed"][0], "Game paused. You may wish to apply tools now.")
        self.assertIn({"op": "haltChannel", "channel": 1}, dump["cues"])
        self.assertEqual(dump["tools"]["buttonState"][0], 0)

    def test_clicks_on_the_table_do_nothing_while_time_runs(self):
        dump = self.play(table_with(self.RUNNING) + "click 150 200\ndump\n").last
        self.assertEqual(dump["gameMode"], 13)

    def test_quit_game_returns_to_the_menu_with_the_clock_silent(self):
        dump = self.play(table_with(self.RUNNING) + "dump\n" + ROW_SWITCH + button(16) + "dump\n").last
        self.assertEqual(dump["gameMode"], 0)
        ops = [c for c in dump["cues"] if c["op"] in ("playMusic", "haltChannel")]
        self.assertIn({"op": "playMusic", "name": "Orvane01.ogg", "loops": -1}, ops)
        self.assertIn({"op": "haltChannel", "channel": 1}, ops)

    def test_end_turn_stops_every_ball_and_hands_the_turn_over(self):
        dump = self.play(table_with(self.RUNNING, players=2) + ROW_SWITCH + button(18) + "dump\n").last
        self.assertEqual((dump["gameMode"], dump["match"]["currentPlayer"]), (10, 1))
        self.assertEqual(vel(b(dump, 0)), (0.0, 0.0))
        self.assertEqual(dump["pushed"][-1], "Player 2, your turn now")


if __name__ == "__main__":
    unittest.main()
