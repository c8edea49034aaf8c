// The simulation tick: placed tools act, balls move, meet cushions, pockets and each other, and
// slow down.
#pragma once

void gameTick();
void tutorialTick();
