// The start menu, the options menu and the end screen: what choosing a row does, the highlight
// under the pointer, and the way back to the start menu from anywhere.
#pragma once
#include <cstdint>

// Row 0 to 4 of the start menu: the tutorial, a one-player game, a two-player game, the options,
// quit. True when the player chose to quit, which the program itself carries out.
bool chooseStartMenuRow(int32_t row);
// Row 0 to 4 of the options menu: the speed, the messages, the sound, the music, back.
void chooseOptionsRow(int32_t row);
// The pointer is over this row (or -1) of the menu on screen.
void highlightMenuRow(int32_t row);
// A click anywhere on the end screen.
void leaveEndScreen();
// Escape: whatever was going on is abandoned; the next start prepares a fresh field.
void leaveToStartMenu();
