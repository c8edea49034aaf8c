#include "rules/match.h"

MatchRecord Match = {2, 0, 10, 0, {0, 0}, {0, 0}, -1};
