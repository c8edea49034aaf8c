// What the scripted driver reports: the whole state as one JSON line, with the sound cues and
// the pushed messages since the previous report.
#pragma once
#include <cstdio>

// Starts collecting cues and pushed lines; called before start-up.
void startRecording();
void printDump(FILE* out);
