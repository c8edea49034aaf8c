// The scripted driver: runs the real game headless on a virtual clock, fed by a script.
#pragma once

// Returns 0 when the script ends, 2 for a script error; leaves with 1 when the script makes the
// game quit, as the game would.
int runReplay(const char* scriptPath);
