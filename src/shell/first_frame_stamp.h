// For the benchmark: the moment the first frame reached the window, on standard error.
#pragma once

// Writes "first frame SECONDS.NANOSECONDS" of the wall clock.
void stampFirstFrame();
