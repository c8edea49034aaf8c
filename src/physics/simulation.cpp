#include "physics/simulation.h"

void gameTick() {}
void tutorialTick() {}
