"""The computer at a player's place, driven through scripts: it plays its seats' turns by itself
through the game's own input, a person's input is ignored while it has the game but for escape,
F10 and the window's close, and a setting it cannot read leaves the game to people."""
import os
import unittest

from replay import BEFORE_THE_IMAGES as START_UP_LOG, Folder, ReplayTest, look
from scratch import ASSETS

TWO_PLAYERS = "ticks 1\nclick 120 174\n"
NATIVE_REPLAY = os.path.join(ASSETS, "kestrola-replay")
# Long enough for any level to take a whole turn and let the balls come to rest.
ONE_TURN_MS = 60000
SEATED = {"KESTROLA_COMPUTER": "1", "KESTROLA_COMPUTER_LEVEL": "", "KESTROLA_COMPUTER_SEED": ""}
NOBODY = {**SEATED, "KESTROLA_COMPUTER": ""}


def run(script, status=0, **settings):
    with Folder() as folder:
        done = folder.run(script=script, **settings)
    if done.status != status:
        raise AssertionError(f"status {done.status}: {done.stderr}")
    return done


def balls(dump):
    return [(b["x"], b["y"], b["onTable"]) for b in dump["balls"]]


class ItsTurn(ReplayTest):
    def test_the_computer_plays_player_1s_turn_and_hands_the_table_to_player_2(self):
        done = run(TWO_PLAYERS + f"dump\nwait {ONE_TURN_MS}\ndump\n", **SEATED)
        before, after = done.dumps
        self.assertEqual(look(before, "gameMode", "match.currentPlayer"), (10, 0))
        self.assertEqual(look(after, "gameMode", "match.currentPlayer"), (10, 1))
        self.assertNotEqual(balls(after), balls(before), "its turn moved the balls")
        self.assertEqual(done.log, START_UP_LOG.replace(
            "Program started\n", "Program started\nThe computer plays player 1 at level 2\n")
            + "preparing field\n")

    def test_seat_2_waits_for_player_1_and_then_plays_its_own_turn(self):
        person = ("click 45 85\nclick 90 200\nclick 200 150\nkey space\nsettle\ndump\n")
        done = run(TWO_PLAYERS + "wait 5000\ndump\n" + person + f"wait {ONE_TURN_MS}\ndump\n",
                   **{**SEATED, "KESTROLA_COMPUTER": "2"})
        waited, handed, back = done.dumps
        self.assertEqual(look(waited, "gameMode", "match.currentPlayer"), (10, 0))
        self.assertEqual(look(handed, "gameMode", "match.currentPlayer"), (10, 1))
        self.assertEqual(look(back, "gameMode", "match.currentPlayer"), (10, 0))
        self.assertNotEqual(balls(back), balls(handed), "its turn moved the balls")

    def test_the_same_script_and_settings_give_the_same_output_on_both_drivers(self):
        # Under the browser's driver this holds it against the desktop's; on the desktop, two
        # runs of the same script must agree, since its choices depend on nothing else.
        script = TWO_PLAYERS + "".join(f"wait 1000\ndump\n" for _ in range(12))
        settings = {**SEATED, "KESTROLA_COMPUTER": "1,2", "KESTROLA_COMPUTER_LEVEL": "3,1",
                    "KESTROLA_COMPUTER_SEED": "7"}
        here = run(script, **settings)
        with Folder() as folder:
            native = folder.run(command=(NATIVE_REPLAY, "-"), script=script, **settings)
        self.assertEqual(here.stdout, native.stdout)
        self.assertEqual(here.log, native.log)
        self.assertIn(10, [look(dump, "gameMode") for dump in here.dumps[1:]],
                      "a turn of the computer's was seen")


# What a person does at the table while the computer plays: press a tool, pick a ball, aim,
# start and stop time, switch the button row, cancel with the right button, press a letter.
PERSONS_INPUT = ("queue click 45 85\nqueue click 90 200\nqueue motion 100 220\n"
                 "queue key space\nqueue click 285 85\nqueue click 150 200 right\n"
                 "queue click 15 85\nqueue key a\nqueue keydown return\nqueue keyup return\n")


class APersonDuringItsTurn(ReplayTest):
    def scripts(self):
        steps = [f"wait {ms}\ndump\n" for ms in (1, 300, 450, 500, 520, 700, 900, 1300)] * 3
        quiet = TWO_PLAYERS + "".join(steps)
        noisy = TWO_PLAYERS + "".join(PERSONS_INPUT + step for step in steps)
        return quiet, noisy

    def test_a_persons_clicks_motions_and_keys_change_nothing_while_it_plays(self):
        quiet, noisy = self.scripts()
        settings = {**SEATED, "KESTROLA_COMPUTER": "1,2"}
        alone, disturbed = run(quiet, **settings), run(noisy, **settings)
        self.assertTrue(all(10 <= look(dump, "gameMode") < 30 for dump in alone.dumps),
                        "the match lasts the whole script")
        self.assertEqual(disturbed.stdout, alone.stdout)
        self.assertEqual(disturbed.log, alone.log)

    def test_the_same_input_changes_the_game_when_people_play(self):
        quiet, noisy = self.scripts()
        self.assertNotEqual(run(noisy, **NOBODY).stdout, run(quiet, **NOBODY).stdout)

    def test_escape_leaves_the_match_and_f10_and_the_close_leave_the_game(self):
        settings = {**SEATED, "KESTROLA_COMPUTER": "1,2"}
        for wait in (700, 2000):
            with self.subTest(wait=wait):
                done = run(TWO_PLAYERS + f"wait {wait}\nkey escape\ndump\nwait 3000\ndump\n",
                           **settings)
                self.assertEqual([look(dump, "gameMode") for dump in done.dumps], [0, 0])
                for way_out in ("key f10\n", "keydown f10\nkeyup f10\n", "quit\n"):
                    done = run(TWO_PLAYERS + f"wait {wait}\ndump\n" + way_out + "dump\n",
                               status=1, **settings)
                    self.assertEqual(len(done.dumps), 1)


class Settings(ReplayTest):
    def test_a_bad_setting_is_refused_with_its_message_and_people_play(self):
        cases = [("KESTROLA_COMPUTER", "3", "1, 2 or 1,2"),
                 ("KESTROLA_COMPUTER_LEVEL", "4", "1, 2 or 3, or one a player such as 3,1"),
                 ("KESTROLA_COMPUTER_SEED", "4294967296", "a whole number from 0 to 4294967295")]
        for name, value, forms in cases:
            with self.subTest(name=name, value=value):
                done = run(TWO_PLAYERS + f"dump\nwait {ONE_TURN_MS}\ndump\n",
                           **{**SEATED, name: value})
                message = (f'The computer player is not started: {name} is "{value}", not '
                           f"{forms}; people play both players\n")
                self.assertEqual(done.stderr, message)
                self.assertEqual(done.log, START_UP_LOG.replace(
                    "Program started\n", "Program started\n" + message) + "preparing field\n")
                before, after = done.dumps
                self.assertEqual(look(after, "match.currentPlayer"), 0)
                self.assertEqual(balls(after), balls(before))

    def test_a_level_for_each_player_and_the_seeds_at_either_end_are_taken(self):
        for level, seed, lines in (("3,1", "0", ("player 1 at level 3\n", "player 2 at level 1\n")),
                                   ("1", "4294967295", ("player 1 at level 1\n",
                                                        "player 2 at level 1\n"))):
            with self.subTest(level=level, seed=seed):
                done = run("dump\n", **{"KESTROLA_COMPUTER": "1,2",
                                        "KESTROLA_COMPUTER_LEVEL": level,
                                        "KESTROLA_COMPUTER_SEED": seed})
                self.assertEqual(done.stderr, "")
                self.assertIn("".join("The computer plays " + line for line in lines), done.log)


if __name__ == "__main__":
    unittest.main()
