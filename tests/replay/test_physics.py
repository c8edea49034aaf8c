"""The physics of a running match, driven through scripts with balls set moving: friction, the
speed cap, collisions, cushions and pockets, to the last bit. Scoring and the turn cycle are
tested on the core itself (tests/core_turns_test.cpp)."""
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
        # Closing at a pixel a tick: about 1 / 72 * 200, 2, the quietest volume that sounds.
        slow = self.hit({0: dict(x=100.0, y=200.0, vx=1.0, vy=0.0), 1: dict(x=115.5, y=200.0)})
        self.assertEqual([c["volume"] for c in effects(slow, "collision")], [2])

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
