"""Long scripted turns compared with traces recorded once and checked by hand: any change to
the order of the tick, the friction, the collisions or the random draws shows up here.
Run with KESTROLA_RECORD_GOLDEN=1 to record the traces anew after a deliberate change."""
import json
import os
import unittest

from replay import ReplayTest

GOLDEN = os.path.join(os.path.dirname(os.path.abspath(__file__)), "golden")
KEPT = ("t", "gameMode", "match", "balls", "placedToolCount", "messages", "pushed")

TRACES = {
    # A one-player turn started by Chaos and run until every ball rests: one ball drops.
    "chaos_turn": "ticks 1\nclick 120 157\nclick 285 85\nclick 135 85\nclick 150 200\n"
                  "key space\nsettle\ndump\n",
    # A two-player opening: ball 0 struck into the rack, run to rest, player 2 to move.
    "break_shot": "ticks 1\nclick 120 174\nclick 45 85\nclick 90 160\nclick 130 180\n"
                  "key space\nsettle\ndump\n",
}


class GoldenTraces(ReplayTest):
    def check(self, name):
        final = self.play(TRACES[name]).last
        trace = {key: final[key] for key in KEPT}
        path = os.path.join(GOLDEN, name + ".json")
        if os.environ.get("KESTROLA_RECORD_GOLDEN"):
            with open(path, "w") as file:
                json.dump(trace, file, indent=1)
        with open(path) as file:
            self.assertEqual(trace, json.load(file))

    def test_a_chaos_started_turn(self):
        self.check("chaos_turn")

    def test_a_break_shot(self):
        self.check("break_shot")


if __name__ == "__main__":
    unittest.main()
