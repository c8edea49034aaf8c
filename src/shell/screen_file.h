// The window's pixels written to a BMP file, for the scripted driver's `shot`.
#pragma once

// True when the file was written.
bool saveScreen(const char* path);
