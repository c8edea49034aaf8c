// The table screen of a match and of the tutorial pages: the Panel (scores, pocketed balls,
// messages, buttons) above the Table (cloth, placed tools, shadows, pockets, balls, arrows,
// cushions, the aim).
#pragma once

void drawTableScreen();
void drawPlacedTools();
// The aim arrow from the chosen ball or tool at (x0, y0) to the aim point (x1, y1).
void drawAim(double x0, double y0, double x1, double y1);
