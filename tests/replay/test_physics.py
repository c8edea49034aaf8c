"""The physics of a running match, driven through scripts with balls set moving: friction, the
speed cap, collisions, cushions, pockets, scoring and the turn cycle, to the last bit."""
import math
import random
import unittest

from replay import ReplayTest, ball, look, position, rolled, table_with, velocity


def effects(dump, name):
    return [c for c in dump["cues"] if c["op"] == "playEffect" and c["name"] == name]


class Damping(ReplayTest):
    def one_tick(self, **fields):
        return ball(self.play(table_with({0: {"x": 150.0, "y": 200.0, **fields}}) +
                              "ticks 1\ndump\n").last, 0)

    def test_fast_components_lose_half_a_percent_slow_ones_a_fixed_step_and_three_is_the_cap(self):
        for start, after in (((0.6, 0.0), (0.597, 0.0)), ((0.5, 0.0), (0.5 - 0.008, 0.0)),
                             ((-0.3, 0.7), (-0.3 + 0.008, 0.7 * 0.995)),
                             ((3.0, 3.0), rolled(3.0, 3.0))):
            with self.subTest(start=start):
                moved = self.one_tick(vx=start[0], vy=start[1])
                self.assertEqual(velocity(moved), after)
                self.assertEqual(position(moved), (150.0 + start[0], 200.0 + start[1]))
        self.assertAlmostEqual(rolled(3.0, 3.0)[0], 2.12132, places=5)

    def test_a_creeping_ball_stops_and_ends_the_turn_unless_another_still_rolls(self):
        creeping = {0: dict(x=150.0, y=200.0, vx=-0.01, vy=0.0)}
        dump = self.play(table_with(creeping) + "dump\nticks 1\ndump\n").last
        self.assertEqual((velocity(ball(dump, 0)), dump["gameMode"], dump["match"]["turnNumber"]),
                         ((0.0, 0.0), 10, 2))
        self.assertEqual(dump["pushed"], ["Turn 2. You have 8 more turns left"])
        self.assertIn({"op": "haltChannel", "channel": 1}, dump["cues"])
        rolling = self.play(table_with({**creeping, 3: dict(x=60.0, y=150.0, vx=1.0, vy=0.0)}) +
                            "ticks 1\ndump\n").last
        self.assertEqual(look(rolling, "gameMode", "match.turnNumber"), (13, 1))

    def test_beyond_a_cushion_line_only_the_bottom_corner_zones_are_damped(self):
        top = self.one_tick(x=33.0, y=130.0, vx=0.0, vy=-0.3)
        self.assertEqual((top["vy"], top["y"], top["onTable"]), (-0.3, 130.0 - 0.3, 1))
        self.assertEqual(self.one_tick(x=270.0, y=267.0, vx=0.3, vy=0.0)["vx"], 0.3)
        self.assertEqual(self.one_tick(x=33.0, y=272.0, vx=0.3, vy=0.0)["vx"], 0.3 - 0.008)


class Collisions(ReplayTest):
    def hit(self, balls, script="ticks 1\ndump\n"):
        return self.play(table_with(balls) + "dump\n" + script).last

    def test_a_head_on_hit_passes_the_whole_motion_on(self):
        dump = self.hit({0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0), 1: dict(x=116.0, y=200.0)})
        first, second = ball(dump, 0), ball(dump, 1)
        self.assertEqual((position(first), velocity(first)), ((102.0, 200.0), (0.0, 0.0)))
        self.assertEqual((position(second), velocity(second)), ((119.0, 200.0), (1.99, 0.0)))
        self.assertEqual((first["value"], second["value"]), (1, 1))
        self.assertEqual(effects(dump, "collision"), [{"op": "playEffect", "name": "collision",
                                                       "channel": -1, "loops": 0, "volume": 11}])

    def test_an_off_centre_hit_sends_the_balls_off_at_right_angles_the_same_with_sound_off(self):
        balls = {0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0), 1: dict(x=114.0, y=207.0)}
        dump = self.hit(balls)
        (ax, ay), (bx, by) = velocity(ball(dump, 0)), velocity(ball(dump, 1))
        cosine = (ax * bx + ay * by) / math.hypot(ax, ay) / math.hypot(bx, by)
        self.assertAlmostEqual(math.degrees(math.acos(cosine)), 90.0, delta=0.5)
        # The struck ball leaves along the line of centres, away from the striker.
        self.assertTrue(bx > 0 and by > 0)
        quiet = self.play("set option sound 0\n" + table_with(balls) + "dump\nticks 1\ndump\n").last
        self.assertEqual(quiet["balls"], dump["balls"])
        self.assertEqual([c for c in quiet["cues"] if c["op"] == "playEffect"], [])

    def test_resting_balls_exactly_touching_gain_value_every_tick_in_silence(self):
        dump = self.hit({0: dict(x=100.0, y=200.0), 1: dict(x=115.0, y=200.0),
                         5: dict(x=200.0, y=250.0, vx=2.0, vy=0.0)}, "ticks 3\ndump\n")
        self.assertEqual([(position(ball(dump, i)), ball(dump, i)["value"]) for i in (0, 1)],
                         [((100.0, 200.0), 3), ((115.0, 200.0), 3)])
        self.assertEqual(effects(dump, "collision"), [])

    def test_balls_on_the_very_same_spot_part_along_x(self):
        dump = self.hit({0: dict(x=150.0, y=200.0, vx=0.0, vy=1.0), 1: dict(x=150.0, y=201.0)})
        self.assertEqual((position(ball(dump, 1)), ball(dump, 0)["value"]), ((165.0, 201.0), 1))


class Cushions(ReplayTest):
    def after_ticks(self, ticks, **fields):
        return self.play(table_with({0: fields}) + f"dump\nticks {ticks}\ndump\n").last

    def test_a_ball_crossing_the_right_cushion_is_put_back_and_reflected_with_a_bounce(self):
        dump = self.after_ticks(1, x=268.0, y=199.6, vx=1.5, vy=0.4)
        # On the line itself the ball is outside the cloth's damping region.
        self.assertEqual(look(dump, "balls.0.x", "balls.0.vx", "balls.0.vy", "balls.0.value"),
                         (268.0, -1.5, 0.4, 1))
        self.assertEqual([c["volume"] for c in effects(dump, "bounce")], [60])
        away = self.after_ticks(1, x=269.5, y=200.0, vx=-0.5, vy=0.0)
        self.assertEqual(look(away, "balls.0.x", "balls.0.vx", "balls.0.value"), (268.0, -0.5, 1),
                         "a ball already moving away is put back silently but still counts")
        self.assertEqual(effects(away, "bounce"), [])

    def test_the_top_cushion_and_its_corner_zone(self):
        straight = ball(self.after_ticks(1, x=100.0, y=132.5, vx=0.0, vy=-1.5), 0)
        self.assertEqual((straight["y"], straight["vy"]), (132.0, 1.5))
        corner = ball(self.after_ticks(1, x=33.0, y=132.5, vx=0.0, vy=-1.5), 0)
        self.assertEqual((corner["y"], corner["vy"], corner["onTable"]), (131.0, -1.5, 1))
        self.assertEqual(self.after_ticks(6, x=33.0, y=132.5, vx=0.0, vy=-1.5)["balls"][0]
                         ["onTable"], 0)

    def test_a_ball_in_the_corner_zone_drops_only_beyond_275(self):
        run = self.play(table_with({0: dict(x=274.5, y=267.0, vx=0.5, vy=0.0)}) +
                        "ticks 1\ndump\nticks 1\ndump\n")
        at_limit, dropped = (ball(d, 0) for d in run.dumps)
        self.assertEqual((at_limit["x"], at_limit["onTable"]), (275.0, 1))
        self.assertEqual((dropped["onTable"], position(dropped), dropped["screenX"],
                          dropped["screenY"], dropped["pocketedBy"]), (0, (15.0, 25.0), 15, 25, 0))

    def test_a_ball_escaping_past_the_left_line_above_the_table_keeps_going_for_ever(self):
        dump = self.play(table_with({0: dict(x=28.0, y=130.0, vx=0.0, vy=-2.0)}) +
                         "ticks 400\ndump\n").last
        self.assertEqual(look(dump, "balls.0.onTable", "balls.0.vy", "balls.0.y", "gameMode"),
                         (1, -2.0, 130.0 - 800.0, 13))


class Pocketing(ReplayTest):
    DROPPING = dict(x=274.5, y=267.0, vx=1.0, vy=0.0)
    ROLLING = dict(x=150.0, y=200.0, vx=0.0, vy=2.0)

    def test_a_rich_ball_scores_capped_at_49_and_empty_balls_score_nothing(self):
        dump = self.play(table_with({0: dict(self.DROPPING, value=63),
                                     1: dict(x=25.5, y=133.5, vx=-1.0, vy=0.0), 2: self.ROLLING}) +
                         "dump\nticks 1\ndump\n").last
        self.assertEqual(look(dump, "match.points", "match.ballsPocketed"), ([49, 0], [2, 0]))
        self.assertEqual([(ball(dump, i)["value"], position(ball(dump, i))) for i in (0, 1)],
                         [(49, (15.0, 25.0)), (0, (29.0, 25.0))])
        self.assertEqual(dump["pushed"], ["Well done, player 1! You get 49 points!",
                                          "Ball hit nothing before entering a pocket, no score..."])
        self.assertEqual(dump["gameMode"], 13, "another ball still rolls")

    def test_player_two_lines_up_from_the_right_and_points_never_go_below_zero(self):
        script = table_with({0: dict(self.DROPPING, value=5),
                             1: dict(self.DROPPING, y=133.0, value=7), 2: self.ROLLING}, players=2)
        dump = self.play(script + "set currentPlayer 1\nticks 1\ndump\n").last
        self.assertEqual([(position(ball(dump, i)), ball(dump, i)["pocketedBy"]) for i in (0, 1)],
                         [((285.0, 25.0), 1), ((271.0, 25.0), 1)])
        self.assertEqual(dump["match"]["points"], [0, 12])
        script = table_with({0: dict(self.DROPPING, value=-20), 2: self.ROLLING})
        self.assertEqual(self.play(script + "set points 0 5\nticks 1\ndump\n").last["match"]
                         ["points"][0], 0)

    def test_the_last_ball_dropping_ends_the_turn_and_resets_the_values_left(self):
        dump = self.play(table_with({0: dict(self.DROPPING, value=9),
                                     4: dict(x=150.0, y=200.0, value=6)}) + "ticks 1\ndump\n").last
        self.assertEqual(look(dump, "gameMode", "balls.0.value", "balls.4.value",
                              "tools.buttonState.0"), (10, 9, 0, -1))
        self.assertEqual(dump["pushed"][-1], "Turn 2. You have 8 more turns left")


class TurnCycle(ReplayTest):
    # Sets ball 0 creeping so that the next tick stops it, then lets time run.
    STOP = "set ball 0 x 150 y 200 vx -0.01 vy 0\nset buttonState 0 0\nkey space\nticks 1\ndump\n"

    def test_ten_turns_then_the_end_screen_with_its_tune(self):
        script = table_with({0: dict(x=150.0, y=200.0)}, running=False)
        dumps = self.play(script + "dump\n" + self.STOP * 10).dumps[1:]
        self.assertEqual(dumps[0]["pushed"], ["Turn 2. You have 8 more turns left"])
        self.assertEqual(dumps[8]["pushed"], ["Turn 10. You have 0 more turns left"])
        last = dumps[9]
        self.assertEqual(look(last, "gameMode", "pushed", "match.turnNumber"), (40, ["", ""], 11))
        self.assertIn({"op": "playMusic", "name": "M0110.ogg", "loops": 0}, last["cues"])

    def test_two_players_take_turns(self):
        script = table_with({0: dict(x=150.0, y=200.0)}, players=2, running=False)
        dumps = self.play(script + "dump\n" + self.STOP * 3).dumps[1:]
        self.assertEqual([(d["pushed"], d["match"]["currentPlayer"]) for d in dumps],
                         [(["Player 2, your turn now"], 1), (["Player 1, now it is your turn"], 0),
                          (["Player 2, your turn now"], 1)])

    def test_the_match_ends_with_the_last_ball_and_the_better_player_wins(self):
        for points, winner, tune in (((300, 200), 0, "M0110.ogg"), ((200, 300), 1, "M0116.ogg"),
                                     ((300, 300), 10, None)):
            with self.subTest(points=points):
                script = table_with({0: Pocketing.DROPPING}, players=2)
                script += f"set points 0 {points[0]}\nset points 1 {points[1]}\n"
                dump = self.play(script + "set ballsPocketed 0 19\ndump\nticks 1\ndump\n").last
                self.assertEqual(look(dump, "gameMode", "match.winner"), (40, winner))
                expected = [{"op": "playMusic", "name": tune, "loops": 0}] if tune else []
                self.assertEqual([c for c in dump["cues"] if c["op"] == "playMusic"], expected)

    def test_a_one_player_game_ends_early_when_every_ball_is_pocketed(self):
        script = table_with({0: Pocketing.DROPPING}) + "set ballsPocketed 0 19\nticks 1\ndump\n"
        self.assertEqual(look(self.play(script).last, "gameMode", "match.turnNumber"), (40, 2))


class Robustness(ReplayTest):
    def test_random_tables_never_produce_a_value_that_is_not_a_number(self):
        rng = random.Random(20261206)
        for scenario in range(6):
            balls = {index: dict(x=rng.choice([rng.uniform(-50, 350), 150.0]),
                                 y=rng.choice([rng.uniform(-50, 350), 200.0]),
                                 vx=rng.choice([rng.uniform(-5, 5), 0.0, 1e6, -1e-9]),
                                 vy=rng.choice([rng.uniform(-5, 5), 0.0, -1e6]))
                     for index in range(20)}
            for b in self.play(table_with(balls) + "ticks 300\ndump\n").last["balls"]:
                for field in ("x", "y", "vx", "vy"):
                    self.assertTrue(b[field] is not None and math.isfinite(b[field]),
                                    f"scenario {scenario}: {b}")


if __name__ == "__main__":
    unittest.main()
