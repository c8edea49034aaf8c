"""The physics of a running match, driven through scripts with balls set moving: friction, the
speed cap, collisions, cushions, pockets, scoring and the turn cycle, to the last bit."""
import math
import random
import unittest

from replay import ReplayTest, ball, position, table_with, velocity


def effects(dump, name):
    return [c for c in dump["cues"] if c["op"] == "playEffect" and c["name"] == name]


class Damping(ReplayTest):
    def one_tick(self, **fields):
        fields.setdefault("x", 150.0)
        fields.setdefault("y", 200.0)
        return ball(self.play(table_with({0: fields}) + "ticks 1\ndump\n").last, 0)

    def test_fast_components_lose_half_a_percent_and_slow_ones_a_fixed_step(self):
        self.assertEqual(self.one_tick(vx=0.6, vy=0.0)["vx"], 0.6 * 0.995)
        self.assertEqual(self.one_tick(vx=0.6, vy=0.0)["vx"], 0.597)
        self.assertEqual(self.one_tick(vx=0.5, vy=0.0)["vx"], 0.5 - 0.008)
        self.assertEqual(self.one_tick(vx=-0.3, vy=0.7), {**self.one_tick(vx=-0.3, vy=0.7),
                                                          "vx": -0.3 + 0.008, "vy": 0.7 * 0.995})

    def test_the_speed_is_capped_at_three_in_the_same_direction(self):
        moved = self.one_tick(vx=3.0, vy=3.0)
        damped = 3 * 0.995
        speed = math.sqrt(damped * damped + damped * damped)
        self.assertEqual(velocity(moved), (damped / speed * 3.0, damped / speed * 3.0))
        self.assertAlmostEqual(moved["vx"], 2.12132, places=5)
        self.assertEqual(position(moved), (153.0, 203.0))

    def test_a_creeping_ball_stops_and_ends_the_turn(self):
        dump = self.play(table_with({0: dict(x=150.0, y=200.0, vx=-0.01, vy=0.0)}) +
                         "dump\nticks 1\ndump\n").last
        self.assertEqual(velocity(ball(dump, 0)), (0.0, 0.0))
        self.assertEqual(dump["gameMode"], 10)
        self.assertEqual(dump["match"]["turnNumber"], 2)
        self.assertEqual(dump["pushed"], ["Turn 2. You have 8 more turns left"])
        self.assertIn({"op": "haltChannel", "channel": 1}, dump["cues"])

    def test_beyond_a_cushion_line_only_the_bottom_corner_zones_are_damped(self):
        top = self.one_tick(x=33.0, y=130.0, vx=0.0, vy=-0.3)
        self.assertEqual((top["vy"], top["y"], top["onTable"]), (-0.3, 130.0 - 0.3, 1))
        right = self.one_tick(x=270.0, y=267.0, vx=0.3, vy=0.0)
        self.assertEqual(right["vx"], 0.3)
        bottom = self.one_tick(x=33.0, y=272.0, vx=0.3, vy=0.0)
        self.assertEqual(bottom["vx"], 0.3 - 0.008)

    def test_one_ball_stopping_while_another_rolls_does_not_end_the_turn(self):
        dump = self.play(table_with({0: dict(x=150.0, y=200.0, vx=-0.01, vy=0.0),
                                     3: dict(x=60.0, y=150.0, vx=1.0, vy=0.0)}) +
                         "ticks 1\ndump\n").last
        self.assertEqual(dump["gameMode"], 13)
        self.assertEqual(dump["match"]["turnNumber"], 1)


class Collisions(ReplayTest):
    def test_a_head_on_hit_passes_the_whole_motion_on(self):
        dump = self.play(table_with({0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0),
                                     1: dict(x=116.0, y=200.0)}) + "dump\nticks 1\ndump\n").last
        first, second = ball(dump, 0), ball(dump, 1)
        self.assertEqual((position(first), velocity(first)), ((102.0, 200.0), (0.0, 0.0)))
        self.assertEqual((position(second), velocity(second)), ((119.0, 200.0), (1.99, 0.0)))
        self.assertEqual((first["value"], second["value"]), (1, 1))
        self.assertEqual(effects(dump, "collision"),
                         [{"op": "playEffect", "name": "collision", "channel": -1, "loops": 0,
                           "volume": 11}])

    def test_an_off_centre_hit_sends_the_balls_off_at_right_angles(self):
        dump = self.play(table_with({0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0),
                                     1: dict(x=114.0, y=207.0)}) + "ticks 1\ndump\n").last
        (ax, ay), (bx, by) = velocity(ball(dump, 0)), velocity(ball(dump, 1))
        angle = math.degrees(math.acos((ax * bx + ay * by) / math.hypot(ax, ay) / math.hypot(bx, by)))
        self.assertAlmostEqual(angle, 90.0, delta=0.5)
        # The struck ball leaves along the line of centres, away from the striker.
        self.assertGreater(bx, 0)
        self.assertGreater(by, 0)

    def test_resting_balls_exactly_touching_gain_value_every_tick_in_silence(self):
        dump = self.play(table_with({0: dict(x=100.0, y=200.0), 1: dict(x=115.0, y=200.0),
                                     5: dict(x=200.0, y=250.0, vx=2.0, vy=0.0)}) +
                         "dump\nticks 3\ndump\n").last
        self.assertEqual([ball(dump, i)["value"] for i in (0, 1)], [3, 3])
        self.assertEqual([position(ball(dump, i)) for i in (0, 1)], [(100.0, 200.0), (115.0, 200.0)])
        self.assertEqual(effects(dump, "collision"), [])

    def test_sound_off_changes_nothing_but_the_sound(self):
        balls = {0: dict(x=100.0, y=200.0, vx=2.0, vy=0.0), 1: dict(x=114.0, y=207.0)}
        loud = self.play(table_with(balls) + "ticks 1\ndump\n").last
        quiet = self.play("set option sound 0\n" + table_with(balls) + "dump\nticks 1\ndump\n").last
        self.assertEqual(loud["balls"], quiet["balls"])
        self.assertEqual([c for c in quiet["cues"] if c["op"] == "playEffect"], [])

    def test_balls_on_the_very_same_spot_part_along_x(self):
        dump = self.play(table_with({0: dict(x=150.0, y=200.0, vx=0.0, vy=1.0),
                                     1: dict(x=150.0, y=201.0)}) + "ticks 1\ndump\n").last
        self.assertEqual(position(ball(dump, 1)), (165.0, 201.0))
        self.assertEqual(ball(dump, 0)["value"], 1)


class Cushions(ReplayTest):
    def after_ticks(self, ticks, **fields):
        return ball(self.play(table_with({0: fields}) + f"dump\nticks {ticks}\ndump\n").last, 0)

    def test_a_ball_crossing_the_right_cushion_is_put_back_and_reflected_with_a_bounce(self):
        dump = self.play(table_with({0: dict(x=268.0, y=199.6, vx=1.5, vy=0.4)}) +
                         "dump\nticks 1\ndump\n").last
        b = ball(dump, 0)
        self.assertEqual(b["x"], 268.0)
        # On the line itself the ball is outside the cloth's damping region.
        self.assertEqual(velocity(b), (-1.5, 0.4))
        self.assertEqual(b["value"], 1)
        self.assertEqual([c["volume"] for c in effects(dump, "bounce")], [60])

    def test_a_ball_already_moving_away_is_put_back_silently_but_still_counts(self):
        dump = self.play(table_with({0: dict(x=269.5, y=200.0, vx=-0.5, vy=0.0)}) +
                         "dump\nticks 1\ndump\n").last
        b = ball(dump, 0)
        self.assertEqual((b["x"], b["vx"], b["value"]), (268.0, -0.5, 1))
        self.assertEqual(effects(dump, "bounce"), [])

    def test_the_top_cushion_and_its_corner_zone(self):
        straight = self.after_ticks(1, x=100.0, y=132.5, vx=0.0, vy=-1.5)
        self.assertEqual((straight["y"], straight["vy"]), (132.0, 1.5))
        corner = self.after_ticks(1, x=33.0, y=132.5, vx=0.0, vy=-1.5)
        self.assertEqual((corner["y"], corner["vy"], corner["onTable"]), (131.0, -1.5, 1))
        dropped = self.after_ticks(6, x=33.0, y=132.5, vx=0.0, vy=-1.5)
        self.assertEqual(dropped["onTable"], 0)

    def test_a_ball_in_the_corner_zone_drops_only_beyond_275(self):
        run = self.play(table_with({0: dict(x=274.5, y=267.0, vx=0.5, vy=0.0)}) +
                        "ticks 1\ndump\nticks 1\ndump\n")
        at_limit, dropped = (ball(d, 0) for d in run.dumps)
        self.assertEqual((at_limit["x"], at_limit["onTable"]), (275.0, 1))
        self.assertEqual((dropped["onTable"], position(dropped)), (0, (15.0, 25.0)))
        self.assertEqual((dropped["screenX"], dropped["screenY"], dropped["pocketedBy"]), (15, 25, 0))

    def test_a_ball_escaping_past_the_left_line_above_the_table_keeps_going_for_ever(self):
        dump = self.play(table_with({0: dict(x=28.0, y=130.0, vx=0.0, vy=-2.0)}) +
                         "ticks 400\ndump\n").last
        b = ball(dump, 0)
        self.assertEqual((b["onTable"], b["vy"], b["y"]), (1, -2.0, 130.0 - 800.0))
        self.assertEqual(dump["gameMode"], 13)


class Pocketing(ReplayTest):
    def test_a_rich_ball_scores_capped_at_49_and_empty_balls_score_nothing(self):
        run = self.play(table_with({0: dict(x=274.5, y=267.0, vx=1.0, vy=0.0, value=63),
                                    1: dict(x=25.5, y=133.5, vx=-1.0, vy=0.0),
                                    2: dict(x=150.0, y=200.0, vx=0.0, vy=2.0)}) +
                        "dump\nticks 1\ndump\n")
        dump = run.last
        self.assertEqual(dump["match"]["points"], [49, 0])
        self.assertEqual(dump["match"]["ballsPocketed"], [2, 0])
        self.assertEqual([ball(dump, i)["value"] for i in (0, 1)], [49, 0])
        self.assertEqual([position(ball(dump, i)) for i in (0, 1)], [(15.0, 25.0), (29.0, 25.0)])
        self.assertEqual(dump["pushed"], ["Well done, player 1! You get 49 points!",
                                          "Ball hit nothing before entering a pocket, no score..."])
        self.assertEqual(dump["gameMode"], 13, "another ball still rolls")

    def test_player_two_lines_up_from_the_right(self):
        script = table_with({0: dict(x=274.5, y=267.0, vx=1.0, vy=0.0, value=5),
                             1: dict(x=274.5, y=133.0, vx=1.0, vy=0.0, value=7),
                             2: dict(x=150.0, y=200.0, vx=0.0, vy=2.0)}, players=2)
        dump = self.play(script + "set currentPlayer 1\nticks 1\ndump\n").last
        self.assertEqual([position(ball(dump, i)) for i in (0, 1)], [(285.0, 25.0), (271.0, 25.0)])
        self.assertEqual(dump["match"]["points"], [0, 12])
        self.assertEqual([ball(dump, i)["pocketedBy"] for i in (0, 1)], [1, 1])

    def test_points_never_go_below_zero(self):
        script = table_with({0: dict(x=274.5, y=267.0, vx=1.0, vy=0.0, value=-20),
                             2: dict(x=150.0, y=200.0, vx=0.0, vy=2.0)})
        dump = self.play(script + "set points 0 5\nticks 1\ndump\n").last
        self.assertEqual(dump["match"]["points"][0], 0)

    def test_the_last_ball_dropping_ends_the_turn_and_resets_the_values_left(self):
        dump = self.play(table_with({0: dict(x=274.5, y=267.0, vx=1.0, vy=0.0, value=9),
                                     4: dict(x=150.0, y=200.0, value=6)}) + "ticks 1\ndump\n").last
        self.assertEqual(dump["gameMode"], 10)
        self.assertEqual((ball(dump, 0)["value"], ball(dump, 4)["value"]), (9, 0))
        self.assertEqual(dump["pushed"][-1], "Turn 2. You have 8 more turns left")
        self.assertEqual(dump["tools"]["buttonState"][0], -1)


def stop_ball_script(x=150.0):
    """Sets ball 0 creeping so that the next tick stops it, then lets time run."""
    return f"set ball 0 x {x} y 200 vx -0.01 vy 0\nset buttonState 0 0\nkey space\nticks 1\n"


class TurnCycle(ReplayTest):
    def test_ten_turns_then_the_end_screen_with_its_tune(self):
        script = table_with({0: dict(x=150.0, y=200.0)}, running=False)
        script += "dump\n" + (stop_ball_script() + "dump\n") * 10
        dumps = self.play(script).dumps[1:]
        self.assertEqual(dumps[0]["pushed"], ["Turn 2. You have 8 more turns left"])
        self.assertEqual(dumps[8]["pushed"], ["Turn 10. You have 0 more turns left"])
        last = dumps[9]
        self.assertEqual(last["gameMode"], 40)
        self.assertEqual(last["pushed"], ["", ""])
        self.assertIn({"op": "playMusic", "name": "M0110.ogg", "loops": 0}, last["cues"])
        self.assertEqual(last["match"]["turnNumber"], 11)

    def test_two_players_take_turns(self):
        script = table_with({0: dict(x=150.0, y=200.0)}, players=2, running=False)
        dumps = self.play(script + "dump\n" + (stop_ball_script() + "dump\n") * 3).dumps[1:]
        self.assertEqual([d["pushed"] for d in dumps],
                         [["Player 2, your turn now"], ["Player 1, now it is your turn"],
                          ["Player 2, your turn now"]])
        self.assertEqual([d["match"]["currentPlayer"] for d in dumps], [1, 0, 1])

    def finish(self, points):
        script = table_with({0: dict(x=274.5, y=267.0, vx=1.0, vy=0.0)}, players=2)
        script += f"set points 0 {points[0]}\nset points 1 {points[1]}\nset ballsPocketed 0 19\n"
        return self.play(script + "dump\nticks 1\ndump\n").last

    def test_the_match_ends_with_the_last_ball_and_the_better_player_wins(self):
        for points, winner, tune in (((300, 200), 0, "M0110.ogg"), ((200, 300), 1, "M0116.ogg"),
                                     ((300, 300), 10, None)):
            with self.subTest(points=points):
                dump = self.finish(points)
                self.assertEqual(dump["gameMode"], 40)
                self.assertEqual(dump["match"]["winner"], winner)
                music = [c for c in dump["cues"] if c["op"] == "playMusic"]
                self.assertEqual(music, [{"op": "playMusic", "name": tune, "loops": 0}] if tune else [])

    def test_a_one_player_game_ends_early_when_every_ball_is_pocketed(self):
        script = table_with({0: dict(x=274.5, y=267.0, vx=1.0, vy=0.0)})
        dump = self.play(script + "set ballsPocketed 0 19\nticks 1\ndump\n").last
        self.assertEqual(dump["gameMode"], 40)
        self.assertEqual(dump["match"]["turnNumber"], 2)


class Robustness(ReplayTest):
    def test_random_tables_never_produce_a_value_that_is_not_a_number(self):
        rng = random.Random(20261206)
        for scenario in range(6):
            balls = {}
            for index in range(20):
                balls[index] = dict(x=rng.choice([rng.uniform(-50, 350), 150.0]),
                                    y=rng.choice([rng.uniform(-50, 350), 200.0]),
                                    vx=rng.choice([rng.uniform(-5, 5), 0.0, 1e6, -1e-9]),
                                    vy=rng.choice([rng.uniform(-5, 5), 0.0, -1e6]))
            dump = self.play(table_with(balls) + "ticks 300\ndump\n").last
            for b in dump["balls"]:
                for field in ("x", "y", "vx", "vy"):
                    self.assertIsNotNone(b[field], f"scenario {scenario}: {b}")
                    self.assertTrue(math.isfinite(b[field]))


if __name__ == "__main__":
    unittest.main()
