"""The tools played through scripts: the Teleport and the Jump with their refusals, an aim that
a script forced, what each placed tool does to the balls, and tools that end the turn. The
button band, the charges of a turn, the placement area, the Stop, the Cue, the right button,
EndTurn and QuitGame are tested on the core itself (tests/core_tools_test.cpp)."""
import unittest

from replay import ReplayTest, look, rolled, table_with
from replay import ball as b, position as pos, velocity as vel

ROW_SWITCH = "click 285 85\n"
AT_REST = dict(x=150.0, y=200.0)


def button(k):
    """A click on button k, switching to the second row first for 10 to 19."""
    return (ROW_SWITCH if k >= 10 else "") + f"click {30 * (k % 10) + 15} 85\n"


def paused(balls, players=1):
    return table_with(balls, players=players, running=False) + "dump\n"


class BallTools(ReplayTest):
    def test_teleport_refuses_a_crowded_spot_and_costs_five_value(self):
        refused, done = self.play(paused({0: dict(x=150.0, y=200.0, value=3, vx=0.5, vy=0.0),
                                          1: dict(x=100.0, y=150.0)}) + button(7) +
                                  "click 150 200\nclick 113 150\ndump\n"
                                  "click 120 160\ndump\n").dumps[1:]
        self.assertEqual((refused["pushed"][-1], refused["gameMode"], pos(b(refused, 0))),
                         ("Can't teleport there!", 12, (150.0, 200.0)))
        self.assertEqual(done["pushed"], ["Ball teleported! (value -5)"])
        self.assertEqual((pos(b(done, 0)), vel(b(done, 0))), ((120.0, 160.0), (0.0, 0.0)))
        self.assertEqual(look(done, "balls.0.value", "balls.0.selected", "gameMode",
                              "tools.usesLeft.7"), (0, 0, 10, 1))

    def test_jump_follows_the_motion_and_a_ball_at_rest_cannot_jump(self):
        aiming, jumped = self.play(paused({0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0),
                                           1: dict(x=200.0, y=150.0)}) + button(8) +
                                   "click 100 200\nmotion 100 250\ndump\n"
                                   "click 100 250\ndump\n").dumps[1:]
        self.assertEqual((aiming["tools"]["aimX"], aiming["tools"]["aimY"]), (150.0, 200.0))
        self.assertEqual((jumped["pushed"], pos(b(jumped, 0)), vel(b(jumped, 0))),
                         (["Ball jumps!"], (150.0, 200.0), (2.0, 0.0)))
        still = self.play(paused({0: AT_REST}) + button(8) + "click 150 200\nclick 180 200\n"
                          "dump\nclick 120 200 right\ndump\n").dumps[1:]
        self.assertEqual((still[0]["pushed"][-1], still[0]["gameMode"]), ("Can't jump there!", 12))
        self.assertEqual(look(still[1], "pushed", "gameMode", "tools.usesLeft.8"),
                         (["Tool deselected"], 10, 2))

    def test_aiming_forced_without_a_ball_ignores_clicks_and_changes_nothing(self):
        # A script can put the game into aiming with the Cue chosen but no ball picked.
        before, after = self.play(paused({0: AT_REST}) + button(1) + "set gameMode 12\ndump\n"
                                  "click 150 250\nclick 10 10\nmotion 200 200\ndump\n").dumps[1:]
        self.assertEqual((after["pushed"], after["gameMode"]), ([], 12))
        self.assertEqual((after["balls"], after["tools"]["usesLeft"]),
                         (before["balls"], before["tools"]["usesLeft"]))


class PointTools(ReplayTest):
    def place(self, kind, balls, at="click 150 200\n"):
        return self.play(paused(balls) + button(kind) + at + "dump\n").last

    def test_the_fan_blows_into_its_cone_only_and_without_a_stream_only_marks(self):
        dump = self.place(2, {0: dict(x=120.0, y=200.0), 1: dict(x=120.0, y=215.0),
                              2: dict(x=210.0, y=200.0), 3: dict(x=80.0, y=200.0)},
                          "click 100 200\nclick 200 200\n")
        self.assertEqual([vel(b(dump, i)) for i in range(4)],
                         [(0.25 - 0.008, 0.0)] + [(0.0, 0.0)] * 3)
        self.assertEqual([b(dump, i)["noScore"] for i in range(4)], [1, 0, 0, 0])
        self.assertEqual(dump["placedTools"][0]["dirX"], 10.0)
        self.assertEqual(dump["pushed"][-1], "Fan set (balls won't grow in value while blown at)")
        self.assertEqual((dump["gameMode"], dump["placedToolCount"]), (10, 1))
        still = self.place(2, {0: dict(x=120.0, y=200.0), 1: dict(x=100.0, y=230.0)},
                           "click 100 200\nclick 100 200\n")
        self.assertEqual([(vel(b(still, i)), b(still, i)["noScore"]) for i in (0, 1)],
                         [((0.0, 0.0), 1)] * 2)

    def test_tilt_pushes_every_ball_towards_where_it_was_put(self):
        dump = self.place(3, {0: AT_REST, 7: dict(x=60.0, y=150.0)}, "click 250 140\n")
        self.assertEqual([vel(b(dump, i)) for i in (0, 7)], [(2.0 * 0.995, -1.2 * 0.995)] * 2)

    def test_reflect_blocks_turn_balls_back_from_their_faces_and_ends(self):
        # A face, an end, both at once, and an upright bar far away and close by; the ball is
        # drawn where the block set it.
        for kind, ball, at, moving, bounces in (
                (5, dict(x=150.0, y=194.0, vx=0.0, vy=2.0), (150, 190), (0.0, -2.0), 1),
                (5, dict(x=166.0, y=201.0, vx=1.5, vy=0.0), (168, 201), (-1.5, 0.0), 1),
                (5, dict(x=151.0, y=199.0, vx=0.5, vy=0.5), (168, 190), (-0.5, -0.5), 2),
                (6, dict(x=194.0, y=200.0, vx=0.0, vy=0.0), (194, 200), (0.0, 0.0), 0),
                (6, dict(x=144.0, y=200.0, vx=2.0, vy=0.0), (140, 200), (-2.0, 0.0), 1)):
            with self.subTest(kind=kind, ball=ball):
                dump = self.place(kind, {0: ball})
                self.assertEqual((pos(b(dump, 0)), vel(b(dump, 0))), (at, moving))
                self.assertEqual(dump["pushed"].count("Bounce!"), bounces)
                self.assertEqual((b(dump, 0)["screenX"], b(dump, 0)["screenY"]), at)

    def test_the_magnet_pulls_between_25_and_60_and_marks_within_50(self):
        dump = self.place(11, {0: dict(x=190.0, y=200.0), 1: dict(x=150.0, y=255.0),
                               2: dict(x=170.0, y=200.0)})
        self.assertEqual([(vel(b(dump, i)), b(dump, i)["noScore"]) for i in range(3)],
                         [((-0.1, 0.0), 1), ((0.0, -0.1), 0), ((0.0, 0.0), 1)])
        self.assertEqual(dump["pushed"][-1],
                         "Magnet set (balls won't grow in value while in field)")

    def test_the_hammer_scatters_every_ball_away_from_it(self):
        dump = self.place(12, {0: dict(x=160.0, y=200.0), 1: dict(x=250.0, y=200.0),
                               2: dict(x=152.0, y=201.0)})
        # Ball 2 lies within 5 of the hammer.
        self.assertEqual([vel(b(dump, i)) for i in range(3)],
                         [(3.0, 0.0), (0.995, 0.0), (0.0, 0.0)])
        self.assertEqual(dump["pushed"].count("BANG!"), 1)

    def test_boost_multiplies_by_ten_and_on_a_still_table_only_says_so(self):
        dump = self.place(13, {0: dict(x=150.0, y=200.0, vx=0.2, vy=0.0),
                               1: dict(x=60.0, y=150.0, vx=0.5, vy=0.0)})
        self.assertEqual((vel(b(dump, 0)), vel(b(dump, 1))), ((1.99, 0.0), (3.0, 0.0)))
        still = self.place(13, {0: AT_REST})
        self.assertEqual((still["pushed"][-1], vel(b(still, 0))),
                         ("All balls accelerated!", (0.0, 0.0)))

    def test_chaos_gives_whole_speeds_from_minus_3_to_2(self):
        dump = self.place(14, {i: dict(x=60.0 + 20 * (i % 10), y=150.0 + 40 * (i // 10))
                               for i in range(20)})
        self.assertEqual(dump["pushed"][-1], "Balls' movement randomized!")
        # Every ball's velocity is one of the 36 whole draws, damped once.
        outcomes = {rolled(vx, vy) for vx in range(-3, 3) for vy in range(-3, 3)}
        for i in range(20):
            self.assertIn(vel(b(dump, i)), outcomes)
        self.assertGreater(len({vel(b(dump, i)) for i in range(20)}), 3)


class EndingATurnFromATool(ReplayTest):
    CREEPING = {0: dict(x=100.0, y=200.0, vx=0.015, vy=0.0)}

    def test_a_tilt_that_stops_the_last_ball_ends_the_turn_with_fresh_charges(self):
        dump = self.play(paused(self.CREEPING) + button(3) + "click 150 200\ndump\n").last
        self.assertEqual(look(dump, "gameMode", "match.turnNumber", "tools.usesLeft.3",
                              "placedToolCount", "placedTools.0.kind"), (10, 2, 1, 0, -1))
        self.assertIn("Turn 2. You have 8 more turns left", dump["pushed"])
        ended = self.play(paused(self.CREEPING, players=2) + "set ballsPocketed 0 20\n" +
                          button(3) + "click 150 200\ndump\n").last
        self.assertEqual(ended["gameMode"], 40, "the end screen stands")

    def test_a_hammer_that_stops_the_last_ball_still_scatters_the_rest_and_play_goes_on(self):
        # Ball 0 is pushed back to a creep and stops inside the Hammer's own loop; ball 5,
        # later in that loop, is still pushed in this turn.
        placed, ended = self.play(paused({0: dict(x=90.0, y=160.0, vx=1.005, vy=0.0),
                                          5: dict(x=150.0, y=220.0)}) + button(12) +
                                  "click 190 160\ndump\nkey space\nsettle\ndump\n").dumps[1:]
        self.assertEqual((placed["gameMode"], placed["match"]["turnNumber"], vel(b(placed, 0))),
                         (10, 1, (0.0, 0.0)))
        self.assertNotEqual(vel(b(placed, 5)), (0.0, 0.0))
        self.assertEqual(placed["tools"]["buttonState"][0], 0, "time may run")
        self.assertEqual(placed["pushed"][-1], "BANG!")
        self.assertEqual((ended["gameMode"], ended["match"]["turnNumber"],
                          ended["tools"]["buttonState"][0]), (10, 2, -1))
        self.assertTrue(all(vel(ball) == (0.0, 0.0) for ball in ended["balls"]))

    def test_a_boost_that_stops_the_last_ball_ends_the_turn_after_its_message(self):
        dump = self.play(paused({0: dict(x=90.0, y=160.0, vx=0.001, vy=0.0), 5: AT_REST}) +
                         button(13) + "click 190 160\ndump\n").last
        self.assertEqual((dump["gameMode"], dump["match"]["turnNumber"]), (10, 2))
        self.assertEqual(dump["pushed"][-2:],
                         ["All balls accelerated!", "Turn 2. You have 8 more turns left"])


if __name__ == "__main__":
    unittest.main()
