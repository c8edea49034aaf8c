#include "rules/progress_log.h"

FILE* progressLog = nullptr;
