// The table screen of a match and of the tutorial pages: the Panel above the Table.
#pragma once

void drawTableScreen();
