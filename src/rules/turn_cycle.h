// Setting up a match and closing each turn once every ball is at rest.
#pragma once

// A fresh rack and zeroed tallies, for a match or the tutorial.
void prepareField();
// Ends the turn when every ball is at rest; otherwise only redraws.
void endOfTurn();
bool allBallsPocketed();
