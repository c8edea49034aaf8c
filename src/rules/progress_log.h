// The progress log, logFile.txt: opened anew by start-up, one line for each step it reports.
#pragma once
#include <cstdio>

extern FILE* progressLog;
