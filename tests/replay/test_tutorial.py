"""The tutorial played through from the start menu, page by page, as a player would."""
import unittest

from replay import ReplayTest

ENTER = "key return\n"
# What the player does on each page to move on, from page 100 to the start menu after 171: E is
# Enter, X,Y a click there, and ~ waits on pages 130, 136, 149 and 158 while the pink, the red
# and the yellow ball drop and every ball comes to rest.
STEPS = {"E": ENTER, "~": "until-mode-changes\n"}
WALK = [STEPS.get(step) or "click %s %s\n" % tuple(step.split(",")) for step in (
    "E E E E 280,85 E 280,85 280,85 280,85" + " E" * 10 + " 45,85 E 44,142 E E 23,122 E E E E "
    "15,85 ~ 45,85 E 248,150 276,121 15,85 ~ E E 225,85 E E 146,200 35,135 E 45,85 35,135 23,122 "
    "15,85 ~ E E 280,85 135,85 150,200 E E 15,85 ~" + " E" * 13).split()]


class WalkThrough(ReplayTest):
    @classmethod
    def setUpClass(cls):
        script = "click 100 140\ndump\n" + "".join(step + "dump\n" for step in WALK)
        cls.run_ = ReplayTest.play(cls(), script)
        cls.dumps = cls.run_.dumps

    def page(self, number):
        """The dump taken right after arriving on the page."""
        return self.dumps[number - 100]

    def test_every_step_turns_exactly_one_page_and_the_last_returns_to_the_menu(self):
        modes = [d["gameMode"] for d in self.dumps]
        self.assertEqual(modes, list(range(100, 172)) + [0])

    def test_each_page_shows_its_two_lines(self):
        self.assertEqual(self.page(105)["pushed"], ["Good, you have now shifted from the first row ",
                                                    "of buttons to the second. "])
        self.assertEqual(self.page(104)["messages"], {"upper": "Click on the '1' button...",
                                                      "lower": ""})
        self.assertEqual(self.dumps[-1]["pushed"], ["", ""])

    def test_the_row_buttons_switch_the_row_shown(self):
        self.assertEqual([self.page(p)["tools"]["buttonRow"] for p in (105, 107, 108, 109)],
                         [1, 0, 1, 0])

    def test_page_117_lays_out_a_table_in_mid_game(self):
        dump = self.page(117)
        balls = dump["balls"]
        self.assertEqual((balls[0]["value"], balls[0]["x"], balls[0]["y"]), (49, 44, 142))
        self.assertEqual((balls[11]["vy"], balls[11]["screenX"], balls[11]["screenY"]), (1, 216, 214))
        self.assertEqual([(b["onTable"], b["screenX"], b["screenY"], b["value"]) for b in balls[13:]],
                         [(0, 15, 25, 30), (0, 29, 25, 5), (0, 43, 25, 12), (0, 57, 25, 24),
                          (0, 58, 25, 2), (0, 72, 25, 0), (0, 86, 25, 1)])
        self.assertEqual((dump["match"]["points"][0], dump["match"]["ballsPocketed"][0]), (74, 6))

    def test_the_scripted_pocketings_score_for_player_one_and_the_rolling_ball_never_does(self):
        self.assertEqual(self.page(131)["pushed"], ["Well done, player 1! You get 49 points!",
                                                    "Well done! You get 49 points!",
                                                    "Now click on the Cue button again."])
        self.assertEqual(self.page(137)["pushed"][0], "Well done, player 1! You get 20 points!")
        self.assertEqual(self.page(150)["pushed"][0], "Well done, player 1! You get 10 points!")
        self.assertEqual(self.page(150)["match"]["points"][0], 74 + 49 + 20 + 10)
        for page in (131, 137, 150):
            self.assertEqual(self.page(page)["balls"][11]["value"], 0)

    def test_the_teleport_puts_the_yellow_ball_by_the_pocket(self):
        ball = self.page(144)["balls"][2]
        self.assertEqual((ball["x"], ball["y"], ball["screenX"], ball["screenY"]), (35, 135, 35, 135))
        self.assertEqual(self.page(144)["tools"]["selectedTool"], -1)

    def test_page_151_brings_a_fresh_rack(self):
        dump = self.page(151)
        self.assertEqual(dump["match"]["points"], [0, 0])
        self.assertEqual([(b["x"], b["y"], b["onTable"]) for b in dump["balls"][:2]],
                         [(90, 160, 1), (130, 160, 1)])
        self.assertEqual(dump["tools"]["buttonRow"], 0)

    def test_the_chaos_click_gives_every_ball_a_whole_speed_from_minus_3_to_2(self):
        balls = self.page(155)["balls"]
        for b in balls:
            self.assertIn(b["vx"], range(-3, 3))
            self.assertIn(b["vy"], range(-3, 3))
        self.assertTrue(any(b["vx"] or b["vy"] for b in balls))
        self.assertEqual(self.page(155)["tools"]["buttonState"][10], 0)

    def test_after_the_chaos_turn_every_ball_on_the_table_is_back_to_zero(self):
        dump = self.page(159)
        for b in dump["balls"]:
            self.assertEqual((b["vx"], b["vy"]), (0, 0))
            if b["onTable"]:
                self.assertEqual(b["value"], 0)


class Pages(ReplayTest):
    def test_a_reading_page_turns_by_itself_after_ten_seconds(self):
        dumps = self.play("click 100 140\ndump\nwait 9990\ndump\nwait 40\ndump\n").dumps
        started = dumps[0]["tutorial"]["pageDeadline"]
        self.assertEqual(dumps[1]["gameMode"], 100)
        self.assertEqual(dumps[2]["gameMode"], 101)
        self.assertGreaterEqual(dumps[2]["tutorial"]["pageDeadline"], started + 10000)

    def test_the_pocket_must_be_hit_in_its_centre(self):
        to_124 = "click 100 140\n" + "".join(WALK[:24])
        dumps = self.play(to_124 + "dump\nclick 27 122\ndump\nclick 23 122\ndump\n").dumps
        self.assertEqual(dumps[0]["gameMode"], 124)
        self.assertEqual(dumps[1]["pushed"], ["Click exactly in the center of the pocket"])
        self.assertEqual(dumps[1]["gameMode"], 124)
        self.assertEqual(dumps[2]["gameMode"], 125)
        ball = dumps[2]["balls"][0]
        self.assertEqual((ball["vx"], ball["vy"], ball["selected"]), (-1, -1, 0))


if __name__ == "__main__":
    unittest.main()
